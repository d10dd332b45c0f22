#!/usr/bin/env python3
"""year_of_attempts.py HOME LAST-DAY: a year of month logs (the speed rising) over three texts; prints the count."""
import datetime, os, random, sys

home, last = sys.argv[1], datetime.date.fromisoformat(sys.argv[2])
random.seed(14)
texts = {"251201090000": "日本国憲法 前文, その1", "251201090100": "世界人権宣言", "000000000002": None}
os.makedirs(f"{home}/FileBox", exist_ok=True)
os.makedirs(f"{home}/LogBox", exist_ok=True)
for tid, title in texts.items():
    if title:
        with open(f"{home}/FileBox/{tid}.txt", "wb") as f:
            f.write(f"出所\r\n251201\r\n{title}\r\n".encode("cp932"))

OWN = ["Z" + c for c in "SABCDEFGHIJ"] + ["XX"] + ["X" + c for c in "SABCDEFGHIJ"] + ["S" + c for c in "SABCDEFGHIJ"]
OWN += list("ABCDEFGHIJ")
BOUNDS = list(range(10, 77, 2)) + [80, 86, 94, 104, 116, 130, 146, 164, 184, 206]

def own_level(scr):
    seconds = 24000 / scr
    return next((OWN[i] for i, b in enumerate(BOUNDS) if seconds < b), "-")

def grade(cpm):
    return next((g for b, g in [(40, "D級"), (60, "C級"), (80, "B級"), (90, "A級")] if cpm < b), "S級")


months, count = {}, 0
for back in range(364, -1, -1):
    day = last - datetime.timedelta(days=back)
    if random.random() < 0.2:
        continue
    for _ in range(random.randint(1, 3)):
        tid = random.choice(list(texts))
        progress = (364 - back) / 364
        japanese = tid != "000000000002"
        cpm = (55 + 45 * progress if japanese else 120 + 60 * progress) + random.gauss(0, 6)
        scr = cpm * (2.6 if japanese else 1.0)
        whole = random.random() < 0.6
        head = " 通し 全体" if whole else f" 第{random.randint(1, 5):3d}段落"
        ops = f"{6.6:6.1f}◎{2.6:5.1f}☆{0.7:5.1f}◎{2.2:5.1f}○" if japanese else f"     -　    -　{1.5:5.1f}◎    -"
        line = (f"{tid}{'日' if japanese else '英'} {day:%y%m%d}{head}{455:6d}{700:6d}{cpm:8.1f} "
                f"{grade(cpm) if japanese else 'B級'}{scr:8.1f} {own_level(scr):>2}{ops}")
        months.setdefault(f"{day:%Y%m}", []).append(line)
        count += 1
for month, lines in months.items():
    with open(f"{home}/LogBox/{month}Practice.log", "wb") as f:
        f.write("".join(l + "\r\n" for l in lines).encode("cp932"))
print(count)
