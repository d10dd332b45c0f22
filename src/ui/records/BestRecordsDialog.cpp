#include "ui/records/BestRecordsDialog.h"

#include "core/records/CsvExport.h"
#include "ui/common/PlainText.h"
#include "ui/records/CsvSaving.h"

#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The window in twips: the lines, their text's title, then the choices.
constexpr int Gap = 120;
constexpr int ListWidth = 9600;
constexpr int ListHeight = 5700;
constexpr int TitleTop = Gap + ListHeight + 60;
constexpr int ChoicesTop = TitleTop + 360;
constexpr int ChoicesHeight = 600;
constexpr int ClientWidth = Gap + ListWidth + Gap;
constexpr int ClientHeight = ChoicesTop + ChoicesHeight + Gap;
constexpr int CsvButtonWidth = 1500;

constexpr char16_t Header[] = u"   FileID      記録日   字数  打数    CPM  LVL    SCR  RV    変換   確定   訂正   修正";
// The columns of a line with its grade in the three-character short form.
constexpr RecordListFrame::HeaderColumn HalfWidthColumns[] = {
    {u"FileID", 1, 1}, {u"記録日", 16, 16}, {u"字数", 22, 28}, {u"打数", 29, 34}, {u"CPM", 35, 42},  {u"LVL", 44, 44},
    {u"SCR", 47, 54},  {u"RV", 56, 56},     {u"変換", 58, 65}, {u"確定", 66, 71}, {u"訂正", 72, 77}, {u"修正", 78, 83}};

} // namespace

BestRecordsDialog::BestRecordsDialog(Session& session, bool japaneseDisplay, QWidget* owner)
    : RecordListFrame(u"BestRecordsDialog"_s, u"ファイル別最高成績"_s, owner), m(session),
      m_japaneseDisplay(japaneseDisplay), m_titles(session.fileBoxPath()),
      m_choice(BestRecordList::storedChoice(session.settings)) {
    QListView* list =
        addRecordList(QString::fromUtf16(Header), HalfWidthColumns, japaneseDisplay, Gap, Gap, ListWidth, ListHeight);
    // The title shares its row with the CSV button at the list's right edge.
    m_titleLabel = addLabel(u"titleLabel"_s, QString(), Gap, TitleTop, ListWidth - CsvButtonWidth - ButtonGap, 300);
    m_titleLabel->setWordWrap(false);

    auto keep = [this](int BestRecordList::Choice::*field) {
        return [this, field](int index) {
            m_choice.*field = index;
            BestRecordList::storeChoice(m.settings, m_choice);
            redisplay();
        };
    };
    QWidget* group = addOptionGroup(u"languageGroup"_s, u"言語"_s, {u"和文"_s, u"英文"_s}, m_choice.language, Gap,
                                    ChoicesTop, ChoicesHeight, keep(&BestRecordList::Choice::language));
    group = addOptionGroup(u"orderGroup"_s, u"並び順"_s,
                           {u"成績順(CPM)"_s, u"成績順(RV)"_s, u"記録日降順"_s, u"記録日昇順"_s}, m_choice.order,
                           after(group), ChoicesTop, ChoicesHeight, keep(&BestRecordList::Choice::order));
    // Wider only when the desktop's font makes the choices wider than the list.
    const int width = std::max(ClientWidth, after(group) + ButtonWidth + Gap);
    setClientSize(width, ClientHeight);
    const int buttonTop = ChoicesTop + ChoicesHeight - ButtonHeight;
    QPushButton* close = addButton(u"closeButton"_s, u"閉じる"_s, width - Gap - ButtonWidth, buttonTop);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    QPushButton* csv = addButton(u"csvButton"_s, u"CSVで保存(&V)..."_s, Gap + ListWidth - CsvButtonWidth, TitleTop - 40,
                                 CsvButtonWidth);
    connect(csv, &QPushButton::clicked, this, &BestRecordsDialog::saveCsv);
    plaintext::makeLabelsPlain(this);

    BestRecordList::Lines read = BestRecordList::readBestRec(m.logBoxPath());
    m_lines = std::move(read.lines);
    redisplay();
    list->setFocus();
    if (!read.problem.isEmpty()) {
        const QString text = m_lines.isEmpty()
                                 ? u"BestRec.log を読み込めませんでした（"_s + read.problem + u"）。"_s
                                 : u"BestRec.log は読み込めた部分だけを表示します（"_s + read.problem + u"）。"_s;
        QTimer::singleShot(0, this,
                           [this, text] { plaintext::message(this, QMessageBox::Warning, windowTitle(), text); });
    }
}

void BestRecordsDialog::open(Session& session, bool japaneseDisplay, QWidget* owner) {
    BestRecordsDialog(session, japaneseDisplay, owner).exec();
}

void BestRecordsDialog::saveCsv() {
    const bool japanese = m_choice.language == BestRecordList::Japanese;
    const QString name = japanese ? u"最高成績_和文.csv"_s : u"最高成績_英文.csv"_s;
    csvsaving::save(this, m.programFolder, name, [this, japanese] {
        const LogEntries::Reading read = LogEntries::readBestRec(m.logBoxPath());
        std::vector<LogEntries::Entry> kept;
        for (const LogEntries::Entry& e : read.entries)
            if (e.japanese == japanese) kept.push_back(e);
        return CsvExport::document(kept, m_titles);
    });
}

void BestRecordsDialog::redisplay() {
    showRows(BestRecordList::rows(m_lines, m_choice, m_japaneseDisplay), u"表示できる記録がありません"_s);
}

QString BestRecordsDialog::titleFor(const QString& row) const {
    return m_titles.forId(row);
}
