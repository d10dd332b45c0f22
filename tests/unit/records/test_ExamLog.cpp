#include "core/records/ExamLog.h"
#include "unit/UnitTest.h"

namespace {
ExamLog::Entry entry(qint32 typed, const QString& title) {
    ExamLog::Entry e;
    e.when = QDateTime(QDate(2026, 12, 6), QTime(14, 5, 9));
    e.figures = ExamResult::figures({typed, 3, 2}, 1, 60000, true, LanguageClass::Japanese);
    e.textFile = u"240101000000.txt"_s;
    e.title = title;
    e.japanese = true;
    return e;
}
} // namespace

TEST(ExamLog, HeaderOnceThenOneLinePerExamThatReadsBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"ExamLog.tsv"_s);
    ASSERT_TRUE(ExamLog::append(path, entry(83, u"練習\tその1"_s), nullptr));
    ASSERT_TRUE(ExamLog::append(path, entry(120, u"二回目\n"_s), nullptr));
    const QList<QByteArray> lines = readAll(path).split('\n');
    ASSERT_EQ(lines.size(), 5); // four lines and the empty rest after the last line end
    EXPECT_EQ(lines[0], QByteArray(ExamLog::FormatLine));
    EXPECT_EQ(lines[1].split('\t').size(), lines[2].split('\t').size());
    QList<QByteArray> fields = lines[2].split('\t');
    ASSERT_EQ(fields.size(), 17);
    fields[9] = "*"; // standard 0's grade: its table has too many bands to restate here
    EXPECT_EQ(
        QString::fromUtf8(fields.join('\t')),
        u"2026-12-06T14:05:09\t1\t60.00\t1\t83\t3\t2\t80\t80.0\t*\tA級\t2級\t1級\tS段\t240101000000.txt\t練習 その1\tJ"_s);

    // A line from before the language column, and one with an unknown mark, read without a language.
    const QByteArray english = lines[3].left(lines[3].lastIndexOf('\t')) + "\tE\n";
    const QByteArray older = lines[3].left(lines[3].lastIndexOf('\t')) + "\n";
    const QByteArray unknown = lines[3].left(lines[3].lastIndexOf('\t')) + "\tX\n";
    const QList<ExamLog::Entry> read =
        ExamLog::parse(readAll(path) + "short\tline\n2026-13-99\t1\n" + english + older + unknown);
    ASSERT_EQ(read.size(), 5);
    EXPECT_EQ(std::tuple(read[0].japanese, read[2].japanese, read[3].japanese, read[4].japanese),
              std::tuple(std::optional(true), std::optional(false), std::optional<bool>(), std::optional<bool>()));
    EXPECT_EQ(std::tuple(read[1].figures.tally.typed, read[1].figures.net, read[1].figures.netCpmText, read[1].title),
              std::tuple(120, 117, u"117.0"_s, u"二回目 "_s));
}
