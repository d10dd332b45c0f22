#include "core/practice/TextLoading.h"
#include "core/settings/Options.h"
#include "core/texts/SampleTexts.h"
#include "core/util/Cp932.h"
#include "unit/UnitTest.h"

#include "support/ProgramFolderTest.h"

using namespace TextLoading;

namespace {

const QString JapaneseStats = u"  12 (  12,   0)(   6,   6,   0)(   0,   0,   0)"_s;

class TextLoadingTest : public ProgramFolderTest {
protected:
    // Writes a practice-text file and makes it current.
    void writeBytes(const QString& name, const QByteArray& bytes) {
        writeAll(m.fileBoxPath() + u'/' + name, bytes);
        m.settings[Options::CurrentFile].address = name;
    }
    static QStringList textLines(const QStringList& paragraphs, const QString& stats = JapaneseStats) {
        return QStringList{
                   u"出所"_s, u"240101キー"_s, u"表題 A&B"_s, stats,
                   u"00012.34,00013.50,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,"_s} +
               paragraphs;
    }
};

// Lines as the program stores them: code page 932, CR LF.
QByteArray crlf(const QStringList& lines) {
    return cp932::encode(lines.join(u"\r\n"_s));
}

} // namespace

TEST_F(TextLoadingTest, ChoosingASampleReplacesEveryLineAndSuitsItsLanguage) {
    m.settings.setNumber(Options::Standard, 3);
    m.settings.setNumber(Options::TargetJapanese, 150);
    m.settings.setNumber(Options::TargetEnglish, 300);
    m.settings.setNumber(Options::EndSpace, 1);
    chooseSample(m, 0);
    EXPECT_EQ(std::tuple(m.settings.number(Options::Standard), m.activeTarget), std::tuple(3, 150));
    EXPECT_FALSE(m.text.line(5).endsWith(u' ')); // Japanese texts never get the end space
    chooseSample(m, 1);
    EXPECT_EQ(std::tuple(m.settings.number(Options::Standard), m.activeTarget), std::tuple(0, 300));
    EXPECT_FALSE(view(m).menus.standardEnabled[3] || view(m).menus.standardEnabled[4]);
    for (int i = 5; i < m.text.lineCount; ++i)
        EXPECT_EQ(m.text.line(i), SampleTexts::sampleLines(1)[i] + u' ');
    chooseSample(m, 6); // 7 paragraphs: nothing of the 12-paragraph text may remain
    EXPECT_EQ(m.text.lineCount, 12);
    EXPECT_TRUE(m.text.line(12).isEmpty());
    chooseSample(m, 2); // a separator index falls back to the first sample
    EXPECT_EQ(m.settings.number(Options::ChosenSample), 0);
}

TEST_F(TextLoadingTest, ParagraphStepsStopAtTheEndsAndAStoredIndexBeyondTheTextIsClamped) {
    m.settings.setNumber(Options::PracticeMode, 1);
    m.settings.setNumber(Options::CurrentParagraph, 50);
    loadSampleText(m, 0); // 12 paragraphs on lines 5..16
    EXPECT_EQ(m.text.currentLine, 16);
    // step (+1 next, -1 previous), paragraph before, paragraph after
    const std::tuple<int, int, int> steps[] = {{+1, 11, 11}, {-1, 11, 10}, {-1, 1, 0}, {-1, 0, 0}, {+1, 0, 1}};
    for (const auto& [step, before, after] : steps) {
        SCOPED_TRACE(testing::Message() << step << " from " << before);
        paragraphPractice(m, before);
        step > 0 ? nextParagraph(m) : previousParagraph(m);
        EXPECT_EQ(std::pair(m.settings.number(Options::CurrentParagraph), m.text.currentLine),
                  std::pair(after, 5 + after));
    }
}

TEST_F(TextLoadingTest, BlankLinesBetweenParagraphsRefuseTheWholeText) {
    const QStringList three = textLines({u"一つ目"_s, u"二つ目"_s, u"三つ目"_s});
    QStringList blankAfterSecond = three;
    blankAfterSecond.insert(7, QString());
    QStringList spacesAfterFirst = three;
    spacesAfterFirst.insert(6, u"   "_s);
    QStringList farBlank = three.mid(0, 8) + QStringList(1100, QString()) + QStringList{u"三つ目"_s};
    const struct Case {
        const char* what;
        QByteArray bytes;
        int blankLine; // 0: the text loads with its three paragraphs
    } cases[] = {{"blank line after paragraph 2", crlf(blankAfterSecond), 8},
                 {"line of spaces after paragraph 1", crlf(spacesAfterFirst), 7},
                 {"blank line with lone line feeds", cp932::encode(blankAfterSecond.join(u'\n')), 8},
                 {"paragraph after 1100 blank lines", crlf(farBlank), 9},
                 {"blank lines at the end", crlf(three + QStringList{QString(), QString(), u" "_s, QString()}), 0},
                 {"1100 blank lines at the end", crlf(three + QStringList(1100, QString())), 0},
                 {"lone line feeds", cp932::encode(three.join(u'\n') + u'\n'), 0},
                 {"lone carriage returns", cp932::encode(three.join(u'\r')), 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(u"hand.txt"_s, c.bytes);
        m.settings.setNumber(Options::ChosenSample, 1);
        QString error;
        const LoadResult result = loadCurrentText(m, &error);
        if (c.blankLine == 0) {
            ASSERT_EQ(result, LoadResult::OwnText) << error.toStdString();
            EXPECT_EQ(std::tuple(m.text.lineCount, view(m).modeLine, m.text.line(7)),
                      std::tuple(8, u"全文通し練習（全 3 段落）"_s, u"三つ目"_s));
            continue;
        }
        EXPECT_EQ(result, LoadResult::Unusable);
        EXPECT_TRUE(error.contains(u"hand.txt"_s) && error.contains(u"%1行目が空行です"_s.arg(c.blankLine)))
            << error.toStdString();
        // Never a part of the text: the chosen sample instead.
        EXPECT_TRUE(m.settings[Options::CurrentFile].address.isEmpty() && view(m).menus.sampleChecked == 1);
    }
}

TEST_F(TextLoadingTest, UnreadableStatisticsAreCountedFromTheParagraphs) {
    writeBytes(u"b.txt"_s, crlf(textLines({u"あいう"_s, u"ABC"_s}, u"garbage"_s)));
    QString error;
    ASSERT_TRUE(loadOwnText(m, &error));
    EXPECT_EQ(std::tuple(m.text.counts.total, m.text.counts.kana, m.text.counts.halfAlnum), std::tuple(6, 3, 3));
}

TEST_F(TextLoadingTest, TextsThatCannotBePractisedFallBackToTheChosenSample) {
    const QByteArray ab = crlf(textLines({u"ab"_s}));
    writeAll(m_dir.path() + u"/outside.txt"_s, crlf(textLines({u"外"_s})));
    // what, file name, content (written when not null); a missing file also lets the chosen sample in silently
    const std::tuple<const char*, QString, QByteArray> cases[] = {
        {"missing", u"gone.txt"_s, {}},
        {"path outside", u"../outside.txt"_s, {}},
        {"absolute path", u"/etc/passwd"_s, {}},
        {"5000 lines", u"many.txt"_s, crlf(textLines(QStringList(5000, u"行"_s)))},
        {"binary bytes", u"binary.txt"_s, ab + QByteArray("\r\nx\0\x01y\r\n", 9)},
        {"invalid CP932", u"invalid.txt"_s, ab + "\r\n\x82\x20z\r\n"},
        {"801 characters", u"long.txt"_s, crlf(textLines({QString(801, u'あ')}))},
        {"no paragraph", u"empty.txt"_s, crlf(textLines({}))},
        {"only a reading", u"reading.txt"_s, crlf(textLines({u"《よみ》"_s}))},
        {"empty file", u"zero.txt"_s, QByteArray("")}};
    for (const auto& [what, name, bytes] : cases) {
        SCOPED_TRACE(what);
        if (!bytes.isNull()) writeBytes(name, bytes);
        m.settings[Options::CurrentFile].address = name;
        m.settings.setNumber(Options::ChosenSample, 3);
        QString error;
        const LoadResult result = loadCurrentText(m, &error);
        EXPECT_EQ(result, name == u"gone.txt"_s ? LoadResult::Missing : LoadResult::Unusable);
        EXPECT_TRUE(error.contains(name)) << error.toStdString(); // for a reload while the program runs
        EXPECT_TRUE(m.settings[Options::CurrentFile].address.isEmpty());
        EXPECT_EQ(std::tuple(m.text.line(2), view(m).menus.sampleChecked, view(m).menus.editCurrentEnabled),
                  std::tuple(u"腕試し３　世界人権宣言（仮訳文） 前文"_s, 3, false));
    }
}

TEST(TextLoading, FileNamesNeverLeaveFileBox) {
    for (const char16_t* bad : {u"", u".", u"..", u"../a.txt", u"a/b.txt", u"a\\b.txt", u"/etc/passwd"})
        EXPECT_FALSE(isPlainFileName(QString::fromUtf16(bad))) << QString::fromUtf16(bad).toStdString();
    EXPECT_TRUE(isPlainFileName(u"240101120000.txt"_s));
    EXPECT_TRUE(isPlainFileName(u"..txt"_s));
}

// The counts are bounded in TextStats; here readings take no cell and a tab is refused.
TEST_F(TextLoadingTest, LimitsOfAPractisableText) {
    EXPECT_TRUE(checkPracticeLines(textLines({QString(800, u'あ') + u"《よみがな》"_s})).isEmpty());
    EXPECT_FALSE(checkPracticeLines(textLines({u"a\tb"_s})).isEmpty());
    EXPECT_EQ(checkPracticeLines(textLines({u"あ"_s, QString(801, u'あ')})), u"第  2段落が800文字を超えています。"_s);
}

TEST(TextLoading, TargetLine) {
    EXPECT_EQ(targetLine(2000, 150), u"目標：13分20秒 150CPM"_s);
    EXPECT_EQ(targetLine(455, 100), u"目標：4分33秒 100CPM"_s); // 273 seconds
    EXPECT_EQ(targetLine(2000, 0), QString());
}
