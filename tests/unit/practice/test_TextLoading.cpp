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
    // Writes a practice-text file as the program stores it (CP932, CR LF) and makes it current.
    void writeText(const QString& name, const QStringList& lines) {
        writeBytes(name, cp932::encode(lines.join(u"\r\n"_s) + u"\r\n"_s));
    }
    void writeBytes(const QString& name, const QByteArray& bytes) {
        QFile f(m.fileBoxPath() + u'/' + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        m.settings[Options::CurrentFile].address = name;
    }
    static QStringList textLines(const QStringList& paragraphs, const QString& stats = JapaneseStats) {
        return QStringList{
                   u"出所"_s, u"240101キー"_s, u"表題 A&B"_s, stats,
                   u"00012.34,00013.50,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,"_s} +
               paragraphs;
    }
};

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
    } cases[] = {
        {"blank line after paragraph 2", cp932::encode(blankAfterSecond.join(u"\r\n"_s)), 8},
        {"line of spaces after paragraph 1", cp932::encode(spacesAfterFirst.join(u"\r\n"_s)), 7},
        {"blank line with lone line feeds", cp932::encode(blankAfterSecond.join(u'\n')), 8},
        {"paragraph after 1100 blank lines", cp932::encode(farBlank.join(u"\r\n"_s)), 9},
        {"blank lines at the end", cp932::encode(three.join(u"\r\n"_s) + u"\r\n\r\n \r\n"_s), 0},
        {"1100 blank lines at the end", cp932::encode((three + QStringList(1100, QString())).join(u"\r\n"_s)), 0},
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
            EXPECT_EQ(m.text.lineCount, 8);
            EXPECT_EQ(view(m).modeLine, u"全文通し練習（全 3 段落）"_s);
            EXPECT_EQ(m.text.line(7), u"三つ目"_s);
            continue;
        }
        EXPECT_EQ(result, LoadResult::Unusable);
        EXPECT_TRUE(error.contains(u"hand.txt"_s)) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::number(c.blankLine) + u"行目が空行です"_s)) << error.toStdString();
        // Never a part of the text: the chosen sample instead.
        EXPECT_TRUE(m.settings[Options::CurrentFile].address.isEmpty());
        EXPECT_EQ(view(m).menus.sampleChecked, 1);
    }
}

TEST_F(TextLoadingTest, ATextDeletedOutsideTheProgramGivesWayToTheChosenSample) {
    m.settings[Options::CurrentFile].address = u"240101120000.txt"_s; // no such file in FileBox
    m.settings.setNumber(Options::ChosenSample, 4);
    QString error;
    EXPECT_EQ(loadCurrentText(m, &error), LoadResult::Missing);
    EXPECT_TRUE(error.contains(u"240101120000.txt"_s)); // for a reload while the program runs
    EXPECT_TRUE(m.settings[Options::CurrentFile].address.isEmpty());
    const TextView v = view(m);
    EXPECT_FALSE(v.menus.editCurrentEnabled);
    EXPECT_EQ(v.menus.sampleChecked, 4);
    EXPECT_TRUE(m.text.line(2).startsWith(u"腕試し４"_s));
}

TEST_F(TextLoadingTest, UnreadableStatisticsAreCountedFromTheParagraphs) {
    writeText(u"b.txt"_s, textLines({u"あいう"_s, u"ABC"_s}, u"garbage"_s));
    QString error;
    ASSERT_TRUE(loadOwnText(m, &error));
    EXPECT_EQ(m.text.counts.total, 6);
    EXPECT_EQ(m.text.counts.kana, 3);
    EXPECT_EQ(m.text.counts.halfAlnum, 3);
}

TEST_F(TextLoadingTest, TextsThatCannotBePractisedFallBackToTheChosenSample) {
    QStringList many = textLines({});
    for (int i = 0; i < 5000; ++i)
        many.append(u"行"_s);
    QByteArray binary = cp932::encode(textLines({u"ab"_s}).join(u"\r\n"_s));
    binary.append(QByteArray("\r\nx\0\x01y\r\n", 9));
    QByteArray invalid = cp932::encode(textLines({u"ab"_s}).join(u"\r\n"_s));
    invalid.append("\r\n\x82\x20z\r\n");
    struct Case {
        const char* what;
        QString name;
        QByteArray bytes; // written when not null
    } cases[] = {{"missing", u"gone.txt"_s, {}},
                 {"path outside", u"../outside.txt"_s, {}},
                 {"absolute path", u"/etc/passwd"_s, {}},
                 {"5000 lines", u"many.txt"_s, cp932::encode(many.join(u"\r\n"_s))},
                 {"binary bytes", u"binary.txt"_s, binary},
                 {"invalid CP932", u"invalid.txt"_s, invalid},
                 {"801 characters", u"long.txt"_s, cp932::encode(textLines({QString(801, u'あ')}).join(u"\r\n"_s))},
                 {"no paragraph", u"empty.txt"_s, cp932::encode(textLines({}).join(u"\r\n"_s))},
                 {"only a reading", u"reading.txt"_s, cp932::encode(textLines({u"《よみ》"_s}).join(u"\r\n"_s))},
                 {"empty file", u"zero.txt"_s, QByteArray("")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile outside(m_dir.path() + u"/outside.txt"_s);
        ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
        outside.write(cp932::encode(textLines({u"外"_s}).join(u"\r\n"_s)));
        outside.close();
        if (!c.bytes.isNull()) writeBytes(c.name, c.bytes);
        m.settings[Options::CurrentFile].address = c.name;
        m.settings.setNumber(Options::ChosenSample, 3);
        QString error;
        const LoadResult result = loadCurrentText(m, &error);
        EXPECT_EQ(result, c.bytes.isNull() && c.name == u"gone.txt"_s ? LoadResult::Missing : LoadResult::Unusable);
        EXPECT_TRUE(error.contains(c.name)) << error.toStdString();
        EXPECT_TRUE(m.settings[Options::CurrentFile].address.isEmpty());
        EXPECT_EQ(m.text.line(2), u"腕試し３　世界人権宣言（仮訳文） 前文"_s);
        EXPECT_FALSE(view(m).menus.editCurrentEnabled);
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
