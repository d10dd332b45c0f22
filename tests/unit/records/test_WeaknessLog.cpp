#include "core/records/WeakKeyboard.h"
#include "core/records/WeaknessLog.h"

#include "support/ProgramFolderTest.h"
#include "unit/UnitTest.h"

using namespace WeaknessLog;

namespace {

QString path(const Session& m) {
    return m.logBoxPath() + u'/' + QString::fromUtf16(FileName);
}

qint64 missedOf(const QList<WeakChar>& list, char16_t c, qint64* met = nullptr) {
    for (const WeakChar& w : list)
        if (w.character == c) {
            if (met) *met = w.met;
            return w.missed;
        }
    return -1;
}

} // namespace

class WeaknessLogTest : public ProgramFolderTest {};

TEST_F(WeaknessLogTest, AttemptsAppendAfterOneHeaderAndReadBack) {
    m.text.counts.total = 10; // all full-width: a Japanese text
    ASSERT_TRUE(recordAttempt(m, QDate(2026, 12, 1), {{u'あ', {5, 2}}, {u'漢', {1, 1}}}).isEmpty());
    m.text.counts.half = 10;
    ASSERT_TRUE(recordAttempt(m, QDate(2026, 12, 6), {{u'a', {4, 1}}, {u' ', {3, 0}}}).isEmpty());
    m.text.counts.half = 0;
    ASSERT_TRUE(recordAttempt(m, QDate(2026, 12, 6), {{u'あ', {2, 1}}}).isEmpty());
    const QByteArray bytes = readAll(path(m));
    EXPECT_TRUE(bytes.startsWith(HeaderLine));
    EXPECT_EQ(bytes.count("#Rinvale"), 1);
    EXPECT_TRUE(bytes.contains("2026-12-01\tJ\t000000000001\tあ\t5\t2\n"));
    EXPECT_TRUE(bytes.contains("2026-12-06\tE\t000000000001\t \t3\t0\n"));

    QString error;
    qint64 met = 0;
    const Summary all = readSummary(m.logBoxPath(), {}, &error);
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(missedOf(all.japanese, u'あ', &met), 3);
    EXPECT_EQ(met, 7);
    EXPECT_EQ(missedOf(all.english, u'a'), 1);
    EXPECT_EQ(missedOf(all.english, u'あ'), -1);
    const Summary recent = readSummary(m.logBoxPath(), periodStart(Period::LastWeek, QDate(2026, 12, 8)), &error);
    EXPECT_EQ(missedOf(recent.japanese, u'あ'), 1); // 12-02 is the first day of the week ending 12-08
    EXPECT_EQ(missedOf(recent.japanese, u'漢'), -1);
}

TEST(WeaknessLog, DamagedLinesAreSkippedAlone) {
    const QByteArray good = "2026-01-02\tJ\tid\tあ\t4\t1\n";
    const QByteArray damaged[] = {
        "2026-01-02\tJ\tid\tあ\t4\n",           // a column missing
        "2026-01-02\tX\tid\tあ\t4\t1\n",        // unknown language
        "2026-1-2\tJ\tid\tあ\t4\t1\n",          // date not as written
        "2026-01-02\tJ\tid\tあい\t4\t1\n",      // two characters
        "2026-01-02\tJ\tid\t\xE3\x81\t4\t1\n",  // broken UTF-8
        "2026-01-02\tJ\tid\tあ\t4\t5\n",        // more misses than meetings
        "2026-01-02\tJ\tid\tあ\t-4\t1\n",       // a sign
        "2026-01-02\tJ\tid\tあ\t4\t1\textra\n", // a column too many
        "\x01\xFF binary\n",
    };
    QByteArray bytes = QByteArray(HeaderLine) + good + "\r\n";
    for (const QByteArray& d : damaged)
        bytes += d + good;
    bytes += "2026-01-02\tJ\tid\tあ\t9"; // the half line a crash leaves
    const Summary s = summarise(bytes, {});
    ASSERT_EQ(s.japanese.size(), 1);
    EXPECT_EQ(s.japanese[0].met, 4 * 10);
    EXPECT_EQ(s.japanese[0].missed, 10);
    EXPECT_EQ(s.skippedLines, std::size(damaged) + 1);
}

TEST(WeaknessLog, RankingPutsHighestRateFirstAndRareCharactersLast) {
    const QList<WeakChar> all = {
        {u'a', 100, 10}, {u'b', 10, 5}, {u'c', 2, 2}, {u'd', 50, 0}, {u'e', 20, 10}, {u'f', 40, 20}, {u'g', 9, 3},
    };
    QString order;
    for (const WeakChar& w : ranked(all))
        order += QChar(w.character);
    // f and e tie at 50%: more misses first; c (2 of 2) has too few meetings to lead; d was never missed.
    EXPECT_EQ(order, u"febgac"_s);
}

TEST(WeakKeyboard, CharactersAddUpOnTheirKeys) {
    const QList<WeakKeyboard::Key> keys =
        WeakKeyboard::withCounts({{u'a', 10, 1}, {u'A', 10, 3}, {u' ', 8, 2}, {u'!', 4, 0}, {u'é', 5, 5}});
    auto keyOf = [&keys](QChar c) {
        for (const WeakKeyboard::Key& k : keys)
            if (k.characters.contains(c)) return k;
        return WeakKeyboard::Key{};
    };
    EXPECT_EQ(keyOf(u'a').met, 20);
    EXPECT_EQ(keyOf(u'a').missed, 4);
    EXPECT_DOUBLE_EQ(keyOf(u' ').rate(), 0.25);
    EXPECT_EQ(keyOf(u'1').met, 4);
    EXPECT_DOUBLE_EQ(WeakKeyboard::highestRate(keys), 0.25);
    // Every printable ASCII character has its key.
    for (char16_t c = 0x20; c < 0x7F; ++c)
        EXPECT_FALSE(keyOf(QChar(c)).characters.isEmpty()) << char(c);
}
