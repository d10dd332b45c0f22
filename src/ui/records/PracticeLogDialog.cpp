#include "ui/records/PracticeLogDialog.h"

#include "core/records/CsvExport.h"
#include "ui/common/PlainText.h"
#include "ui/common/Twips.h"
#include "ui/records/CsvSaving.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The window in twips: the months on the left, the lines, their text's title, then the choices.
constexpr int Gap = 120;
constexpr int MonthWidth = 1140;
constexpr int ListLeft = Gap + MonthWidth + Gap;
constexpr int ListWidth = 9600;
constexpr int ListHeight = 5700;
constexpr int TitleTop = Gap + ListHeight + 60;
constexpr int ChoicesTop = TitleTop + 360;
constexpr int ChoicesHeight = 600;
constexpr int ClientWidth = ListLeft + ListWidth + Gap;
constexpr int ClientHeight = ChoicesTop + ChoicesHeight + Gap;
constexpr int CsvButtonWidth = 1500;

constexpr char16_t Header[] =
    u" FileID    練習日            字数  打数    CPM  LVL    SCR  RV   変換   確定   訂正   修正";
// The columns of a half-width row ("Through  " or "Paragr  3" after the date).
constexpr RecordListFrame::HeaderColumn HalfWidthColumns[] = {
    {u"FileID", 1, 1}, {u"練習日", 11, 11}, {u"字数", 27, 32}, {u"打数", 33, 38}, {u"CPM", 39, 46},  {u"LVL", 48, 48},
    {u"SCR", 52, 58},  {u"RV", 60, 60},     {u"変換", 62, 68}, {u"確定", 69, 74}, {u"訂正", 75, 80}, {u"修正", 81, 86}};

} // namespace

PracticeLogDialog::PracticeLogDialog(Session& session, bool japaneseDisplay, QWidget* owner)
    : RecordListFrame(u"PracticeLogDialog"_s, u"練習結果全ログ"_s, owner), m(session),
      m_japaneseDisplay(japaneseDisplay), m_titles(session.fileBoxPath()),
      m_filter(LogQueries::storedFilter(session.settings)) {
    m_monthList = new QListWidget(this);
    m_monthList->setObjectName(u"monthList"_s);
    m_monthList->setFont(recordFont());
    twips::place(m_monthList, Gap, Gap + 285, MonthWidth, ListHeight - 285);
    QListView* list = addRecordList(QString::fromUtf16(Header), HalfWidthColumns, japaneseDisplay, ListLeft, Gap,
                                    ListWidth, ListHeight);
    // The title shares its row with the CSV button at the list's right edge.
    m_titleLabel =
        addLabel(u"titleLabel"_s, QString(), ListLeft, TitleTop, ListWidth - CsvButtonWidth - ButtonGap, 300);
    m_titleLabel->setWordWrap(false);

    auto keep = [this](int LogQueries::Filter::*field) {
        return [this, field](int index) {
            m_filter.*field = index;
            LogQueries::storeFilter(m.settings, m_filter);
            redisplay();
        };
    };
    QWidget* group = addOptionGroup(u"orderGroup"_s, u"並び順"_s, {u"日付降順"_s, u"日付昇順"_s}, m_filter.order,
                                    ListLeft, ChoicesTop, ChoicesHeight, keep(&LogQueries::Filter::order));
    group = addOptionGroup(u"languageGroup"_s, u"言語"_s, {u"すべて"_s, u"和文"_s, u"英文"_s}, m_filter.language,
                           after(group), ChoicesTop, ChoicesHeight, keep(&LogQueries::Filter::language));
    group = addOptionGroup(u"kindGroup"_s, u"種類"_s, {u"すべて"_s, u"通し"_s, u"段落別"_s}, m_filter.kind,
                           after(group), ChoicesTop, ChoicesHeight, keep(&LogQueries::Filter::kind));
    // Wider only when the desktop's font makes the choices wider than the list.
    const int width = std::max(ClientWidth, after(group) + ButtonWidth + Gap);
    setClientSize(width, ClientHeight);
    const int buttonTop = ChoicesTop + ChoicesHeight - ButtonHeight;
    QPushButton* close = addButton(u"closeButton"_s, u"閉じる"_s, width - Gap - ButtonWidth, buttonTop);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    m_csvButton = addButton(u"csvButton"_s, u"CSVで保存(&V)..."_s, ListLeft + ListWidth - CsvButtonWidth, TitleTop - 40,
                            CsvButtonWidth);
    auto* csvMenu = new QMenu(m_csvButton);
    csvMenu->setObjectName(u"csvMenu"_s);
    connect(csvMenu->addAction(u"表示中の月(&M)"_s), &QAction::triggered, this, [this] { saveCsv(false); });
    connect(csvMenu->addAction(u"すべての月(&A)"_s), &QAction::triggered, this, [this] { saveCsv(true); });
    m_csvButton->setMenu(csvMenu);
    plaintext::makeLabelsPlain(this);

    m_monthList->addItems(LogQueries::months(QDir(m.logBoxPath()).entryList(QDir::Files | QDir::Hidden)));
    connect(m_monthList, &QListWidget::currentRowChanged, this, &PracticeLogDialog::chooseMonth);
    if (m_monthList->count() > 0)
        m_monthList->setCurrentRow(0);
    else
        showRows({}, u"表示できるログがありません"_s);
    m_csvButton->setEnabled(m_monthList->count() > 0);
    list->setFocus();
}

void PracticeLogDialog::open(Session& session, bool japaneseDisplay, QWidget* owner) {
    PracticeLogDialog(session, japaneseDisplay, owner).exec();
}

QStringList PracticeLogDialog::months() const {
    QStringList out;
    for (int i = 0; i < m_monthList->count(); ++i)
        out.append(m_monthList->item(i)->text());
    return out;
}

void PracticeLogDialog::chooseMonth(int index) {
    if (index < 0 || index >= m_monthList->count()) return;
    if (m_monthList->currentRow() != index) {
        m_monthList->setCurrentRow(index); // comes back here
        return;
    }
    const QString month = m_monthList->item(index)->text();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    LogQueries::RecordLines read = LogQueries::readMonth(m.logBoxPath(), month);
    m_lines = std::move(read.lines);
    redisplay();
    QGuiApplication::restoreOverrideCursor();
    if (!read.problem.isEmpty()) {
        const QString name = u"練習ログ "_s + LogQueries::monthFileName(month);
        const QString text = m_lines.isEmpty()
                                 ? name + u" を読み込めませんでした（"_s + read.problem + u"）。"_s
                                 : name + u" は読み込めた部分だけを表示します（"_s + read.problem + u"）。"_s;
        // After the window shows, so that the message stands over it.
        QTimer::singleShot(0, this,
                           [this, text] { plaintext::message(this, QMessageBox::Warning, windowTitle(), text); });
    }
}

void PracticeLogDialog::saveCsv(bool allMonths) {
    const QListWidgetItem* shown = m_monthList->currentItem();
    if (!shown) return;
    const QString month = shown->text();
    const QString name = u"練習ログ_"_s + (allMonths ? u"全期間"_s : month) + u".csv"_s;
    csvsaving::save(this, m.programFolder, name, [this, allMonths, month] {
        const LogEntries::Reading read =
            allMonths ? LogEntries::readAllMonths(m.logBoxPath()) : LogEntries::readMonth(m.logBoxPath(), month);
        std::vector<LogEntries::Entry> kept;
        kept.reserve(read.entries.size());
        for (const LogEntries::Entry& e : read.entries)
            if (CsvExport::keeps(e, m_filter)) kept.push_back(e);
        return CsvExport::document(kept, m_titles);
    });
}

void PracticeLogDialog::redisplay() {
    showRows(LogQueries::rows(m_lines, m_filter, m_japaneseDisplay), u"表示できるログがありません"_s);
}

QString PracticeLogDialog::titleFor(const QString& row) const {
    return m_titles.forShortId(row);
}
