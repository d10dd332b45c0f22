#include "core/records/WeakKeyboard.h"
#include "core/records/WeaknessLog.h"

#include "support/ProgramFolderTest.h"
#include "unit/UnitTest.h"

using namespace WeaknessLog;

// The tally of a character in a summary list, {-1, -1} when it is not there.
static CharTally tallyOf(const QList<WeakChar>& list, char16_t c) {
    for (const WeakChar& w : list)
        if (w.character == c) return {w.met, w.missed};
    return {-1, -1};
}

class WeaknessLogTest : public ProgramFolderTest {};

TEST_F(WeaknessLogTest, AttemptsAppendAfterOneHeaderAndSumByPeriod) {
    m.text.counts.total = 10; // all full-width: Japanese
    ASSERT_TRUE(recordAttempt(m, QDate(2026, 12, 1), {{u'あ', {5, 2}}, {u'漢', {1, 1}}}).isEmpty());
    m.text.counts.half = 10;
    ASSERT_TRUE(recordAttempt(m, QDate(2026, 12, 6), {{u'a', {4, 1}}, {u' ', {3, 0}}}).isEmpty());
    m.text.counts.half = 0;
    ASSERT_TRUE(recordAttempt(m, QDate(2026, 12, 6), {{u'あ', {2, 1}}}).isEmpty());
    const QByteArray bytes = readAll(m.logBoxPath() + u"/WeakChars.log"_s);
    EXPECT_TRUE(bytes.startsWith(HeaderLine) && bytes.count("#Rinvale") == 1);
    EXPECT_TRUE(bytes.contains("\n2026-12-01\tJ\t000000000001\tあ\t5\t2\n"));
    EXPECT_TRUE(bytes.contains("\n2026-12-06\tE\t000000000001\t \t3\t0\n"));

    QString error;
    const Summary all = readSummary(m.logBoxPath(), {}, &error);
    EXPECT_EQ(tallyOf(all.japanese, u'あ'), (CharTally{7, 3}));
    EXPECT_EQ(tallyOf(all.english, u'a'), (CharTally{4, 1}));
    // The week ending 12-08 begins on 12-02.
    const Summary week = readSummary(m.logBoxPath(), periodStart(Period::LastWeek, QDate(2026, 12, 8)), &error);
    EXPECT_EQ(tallyOf(week.japanese, u'あ'), (CharTally{2, 1}));
    EXPECT_EQ(tallyOf(week.japanese, u'漢'), (CharTally{-1, -1}));
}

TEST(WeaknessLog, DamagedLinesAreSkippedAlone) {
    const QByteArray good = "2026-01-02\tJ\tid\tあ\t4\t1\n";
    const QByteArray damaged[] = {
        "2026-01-02\tJ\tid\tあ\t4\n",      "2026-01-02\tX\tid\tあ\t4\t1\n",       "2026-1-2\tJ\tid\tあ\t4\t1\n",
        "2026-01-02\tJ\tid\tあい\t4\t1\n", "2026-01-02\tJ\tid\t\xE3\x81\t4\t1\n", "2026-01-02\tJ\tid\tあ\t4\t5\n",
        "2026-01-02\tJ\tid\tあ\t-4\t1\n",  "2026-01-02\tJ\tid\tあ\t4\t1\tx\n",    "\x01\xFF binary\n",
    };
    QByteArray bytes = QByteArray(HeaderLine) + good + "\r\n";
    for (const QByteArray& d : damaged)
        bytes += d + good;
    bytes += "2026-01-02\tJ\tid\tあ\t9"; // the half line a crash leaves
    const Summary s = summarise(bytes, {});
    EXPECT_EQ(s.japanese.size(), 1);
    EXPECT_EQ(tallyOf(s.japanese, u'あ'), (CharTally{40, 10}));
    EXPECT_EQ(s.skippedLines, std::size(damaged) + 1);
}

TEST(WeaknessLog, RankingAndKeyboard) {
    const QList<WeakChar> all = {{u'a', 100, 10}, {u'b', 10, 5},  {u'c', 2, 2}, {u'd', 50, 0},
                                 {u'e', 20, 10},  {u'f', 40, 20}, {u'A', 9, 3}, {u' ', 8, 2}};
    QString order;
    for (const WeakChar& w : ranked(all))
        order += QChar(w.character);
    // f and e tie at 50%: more misses first; c (2 of 2) is met too rarely to lead; d was never missed.
    EXPECT_EQ(order, u"febA ac"_s);
    const QList<WeakKeyboard::Key> keys = WeakKeyboard::withCounts(all);
    EXPECT_DOUBLE_EQ(WeakKeyboard::highestRate(keys), 1.0);
    QString covered;
    for (const WeakKeyboard::Key& k : keys) {
        covered += k.characters;
        if (k.characters.startsWith(u'a')) EXPECT_EQ((CharTally{k.met, k.missed}), (CharTally{109, 13}));
    }
    for (char16_t c = 0x20; c < 0x7F; ++c) // every printable ASCII character has its key
        EXPECT_TRUE(covered.contains(QChar(c))) << char(c);
}
