#include "core/practice/TextLoading.h"
#include "core/records/OwnTexts.h"

#include "support/ProgramFolderTest.h"
#include "unit/UnitTest.h"

using namespace TextEditing;

namespace {

const QString Best = u"00012.34,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,"_s;

class OwnTextsTest : public ProgramFolderTest {
protected:
    OwnTexts::SaveResult saveText(const Fields& f, OwnTexts::SaveMode mode = OwnTexts::SaveMode::Create,
                                  const OwnTexts::EditedText* edited = nullptr, bool bodyChanged = false) {
        const BodyStatistics stats = bodyStatistics(f.body);
        return OwnTexts::save(m, stats, {f, mode, edited, bodyChanged, Now});
    }
    QString fileBox(const QString& name) const { return m.fileBoxPath() + u'/' + name; }
    void giveRecords(const QString& name) {
        QStringList lines = QString::fromUtf8(readAll(fileBox(name))).split(u"\r\n"_s);
        lines[4] = Best;
        writeAll(fileBox(name), lines.join(u"\r\n"_s).toUtf8());
        writeAll(m.logBoxPath() + u"/BestRec.log"_s, "j" + name.left(12).toLatin1() + " rest\r\nj999999999999 x\r\n");
        writeAll(m.logBoxPath() + u"/d"_s + name, "d");
        writeAll(m.logBoxPath() + u"/b"_s + name, "b");
    }
    const QDateTime Now{QDate(2024, 5, 6), QTime(7, 8, 9)};
    const Fields Typed{u"Title"_s, u"abc def\n\nghi\n"_s, u"Src"_s, u"kw"_s, u"24"_s, u"5"_s, u"6"_s};
};

} // namespace

TEST_F(OwnTextsTest, CreateStoresSourceKeywordFileAndMakesTheTextCurrent) {
    const OwnTexts::SaveResult r = saveText(Typed);
    ASSERT_TRUE(r.saved) << r.error.toStdString();
    EXPECT_EQ(r.fileName, u"240506070809.txt"_s);
    EXPECT_EQ(readAll(fileBox(r.fileName)),
              QByteArray("Src\r\n240506kw\r\nTitle\r\n  10 (   0,  10)(   0,   0,   0)(   9,   0,   1)\r\n"
                         "99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99\r\n"
                         "abc def\r\nghi\r\n"));
    const SettingsTable stored = SettingsTable::fromBytes(readAll(m.settingsPath()));
    EXPECT_EQ(stored[0].name + stored[200].name + m.text.line(2), u"SrckwTitle"_s);
    EXPECT_EQ(m.settings[Options::CurrentFile].address, r.fileName);
    // A second text in the same second takes the next second instead of replacing the first.
    EXPECT_EQ(saveText(Typed).fileName, u"240506070810.txt"_s);
    EXPECT_TRUE(QFile::exists(fileBox(r.fileName)));
}

TEST_F(OwnTextsTest, OverwriteKeepsRecordsOnlyWhileTheBodyIsUnchanged) {
    const QString name = saveText(Typed).fileName;
    giveRecords(name);
    TextLoading::chooseSample(m, 3);
    std::optional<OwnTexts::EditedText> edited = OwnTexts::openForEditing(m, name, 2024, nullptr);
    ASSERT_TRUE(edited);
    Fields f = edited->fields;
    f.title = u"New title"_s;
    ASSERT_TRUE(saveText(f, OwnTexts::SaveMode::Overwrite, &*edited, false).saved);
    EXPECT_EQ(m.text.line(4) + m.settings[Options::CurrentFile].address, Best + name);
    EXPECT_TRUE(QFile::exists(m.logBoxPath() + u"/d"_s + name));

    f.body = u"abc def\n\nghij\n"_s;
    ASSERT_TRUE(saveText(f, OwnTexts::SaveMode::Overwrite, &*edited, true).saved);
    EXPECT_EQ(m.text.line(4), QString::fromUtf16(NoRecordLine));
    EXPECT_FALSE(QFile::exists(m.logBoxPath() + u"/d"_s + name) || QFile::exists(m.logBoxPath() + u"/b"_s + name));
    EXPECT_EQ(readAll(m.logBoxPath() + u"/BestRec.log"_s), QByteArray("j999999999999 x\r\n"));

    // Saved as a new text, the edited one keeps its file and records.
    giveRecords(name);
    const QByteArray before = readAll(fileBox(name));
    const OwnTexts::SaveResult copy = saveText(edited->fields, OwnTexts::SaveMode::SaveAsNew, &*edited, false);
    EXPECT_NE(copy.fileName, name);
    EXPECT_TRUE(readAll(fileBox(name)) == before && QFile::exists(m.logBoxPath() + u"/d"_s + name));
}

TEST_F(OwnTextsTest, UnpractisableTextIsRefusedAndNothingWritten) {
    Fields f = Typed;
    f.body = u"a\tb"_s;
    EXPECT_FALSE(saveText(f).error.isEmpty());
    EXPECT_TRUE(QDir(m.fileBoxPath()).isEmpty() && m.settings[0].name.isEmpty());
}

TEST_F(OwnTextsTest, DeletingTheCurrentTextFallsBackToTheFirstSample) {
    const QString name = saveText(Typed).fileName;
    giveRecords(name);
    const OwnTexts::Deletion d = OwnTexts::remove(m, name);
    EXPECT_TRUE(d.deleted && d.wasCurrent && d.error.isEmpty());
    EXPECT_FALSE(QFile::exists(fileBox(name)) || QFile::exists(m.logBoxPath() + u"/b"_s + name));
    EXPECT_TRUE(m.settings[Options::CurrentFile].address.isEmpty() && m.settings.number(Options::ChosenSample) == 0);
    EXPECT_TRUE(!OwnTexts::practise(m, u"missing.txt"_s, nullptr) &&
                m.settings[Options::CurrentFile].address.isEmpty());
}

TEST(OwnTextsLevel, LevelFromTheBestTimeAndTheTextKind) {
    const CharCounts japanese =
        parseStatisticsLine(u" 400 ( 400,   0)(   0, 400,   0)(   0,   0,   0)"); // 800 weighted
    const CharCounts mixed = parseStatisticsLine(u"  10 (   5,   5)(   0,   5,   0)(   5,   0,   0)");
    EXPECT_EQ(OwnTexts::levelLabel(japanese, 20.0f), u"ZA"_s); // 10 s per 400 is on the ZS bound
    EXPECT_EQ(OwnTexts::levelLabel(japanese, 99999.99f), u"-"_s);
    EXPECT_EQ(OwnTexts::levelLabel(mixed, 10.0f) + OwnTexts::levelLabel(CharCounts{}, 10.0f), u" - -"_s);
}
