#include "ui/records/WeakCharactersDialog.h"

#include "core/records/WeakDrill.h"
#include "core/records/WeakKeyboard.h"
#include "ui/common/PlainText.h"
#include "ui/common/Twips.h"
#include "ui/records/WeakKeyboardView.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int FormWidth = 9900;
constexpr int FormHeight = 7500;
constexpr int TabsTop = 660;
constexpr int TabsHeight = 5800;
constexpr int ButtonTop = FormHeight - DialogFrame::Margin - DialogFrame::ButtonHeight;

QTreeWidget* makeList(const QString& name, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHeaderLabels({u"順位"_s, u"文字"_s, u"出現"_s, u"ミス"_s, u"ミス率"_s});
    list->header()->setSectionResizeMode(QHeaderView::Stretch);
    return list;
}

} // namespace

WeakCharactersDialog::WeakCharactersDialog(Session& session, const QDate& today, QWidget* owner)
    : DialogFrame(u"weakCharactersDialog"_s, u"苦手文字"_s, owner), m(session), m_today(today) {
    setClientSize(FormWidth, FormHeight);
    QLabel* periodLabel = addLabel(u"periodLabel"_s, u"期間(&P):"_s, Margin, Margin, 900, 315);
    m_periodCombo = new QComboBox(this);
    m_periodCombo->setObjectName(u"periodCombo"_s);
    m_periodCombo->addItems({u"過去7日"_s, u"過去30日"_s, u"すべて"_s});
    twips::place(m_periodCombo, Margin + 900, Margin, 1800, 315);
    periodLabel->setBuddy(m_periodCombo);
    addLabel(u"rankingNote"_s, u"最初の入力を誤った割合の高い順（出現3回未満の文字は後ろ）"_s, Margin + 2900, Margin,
             FormWidth - 2 * Margin - 2900, 315);

    m_languageTabs = new QTabWidget(this);
    m_languageTabs->setObjectName(u"languageTabs"_s);
    twips::place(m_languageTabs, Margin, TabsTop, FormWidth - 2 * Margin, TabsHeight);
    m_japaneseList = makeList(u"japaneseList"_s, m_languageTabs);
    m_languageTabs->addTab(m_japaneseList, u"和文(&J)"_s);
    auto* english = new QWidget(m_languageTabs);
    english->setObjectName(u"englishPage"_s);
    auto* englishLayout = new QVBoxLayout(english);
    m_englishList = makeList(u"englishList"_s, english);
    m_keyboard = new WeakKeyboardView(english);
    englishLayout->addWidget(m_englishList, 1);
    englishLayout->addWidget(m_keyboard, 1);
    m_languageTabs->addTab(english, u"英文(&E)"_s);

    m_statusLabel = addLabel(u"statusLabel"_s, {}, Margin, ButtonTop - 420, FormWidth - 2 * Margin, 315);
    m_drillButton = addButton(u"drillButton"_s, u"苦手文字の練習テキストを作る(&M)"_s, Margin, ButtonTop, 3600);
    QPushButton* close = addButton(u"closeButton"_s, u"閉じる"_s, FormWidth - Margin - ButtonWidth, ButtonTop);
    m_drillButton->setToolTip(u"自作テキストと例題から、苦手な上位10文字を多く含む段落を集めて、"
                              u"出典「苦手文字練習」の自作テキストとして保存します。"_s);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_drillButton, &QPushButton::clicked, this, &WeakCharactersDialog::makeDrill);
    connect(m_periodCombo, &QComboBox::currentIndexChanged, this, &WeakCharactersDialog::choosePeriod);
    connect(m_languageTabs, &QTabWidget::currentChanged, this, [this] { redisplay(); });

    m_periodCombo->setCurrentIndex(1);
    m_periodCombo->setFocus();
}

bool WeakCharactersDialog::open(Session& session, QWidget* owner) {
    WeakCharactersDialog dialog(session, QDate::currentDate(), owner);
    dialog.exec();
    return dialog.madeText();
}

void WeakCharactersDialog::choosePeriod(int index) {
    if (m_periodCombo->currentIndex() != index) {
        m_periodCombo->setCurrentIndex(index); // its signal comes back here
        return;
    }
    const auto period = index == 0   ? WeaknessLog::Period::LastWeek
                        : index == 1 ? WeaknessLog::Period::LastMonth
                                     : WeaknessLog::Period::All;
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const WeaknessLog::Summary summary =
        WeaknessLog::readSummary(m.logBoxPath(), WeaknessLog::periodStart(period, m_today), &error);
    QApplication::restoreOverrideCursor();
    m_japanese = WeaknessLog::ranked(summary.japanese);
    m_english = WeaknessLog::ranked(summary.english);
    fillList(m_japaneseList, m_japanese);
    fillList(m_englishList, m_english);
    m_keyboard->setKeys(WeakKeyboard::withCounts(summary.english));
    if (!error.isEmpty())
        m_statusLabel->setText(u"苦手文字の記録を読めませんでした："_s + error);
    else if (summary.skippedLines > 0)
        m_statusLabel->setText(QString::number(summary.skippedLines) + u"行の壊れた記録を読み飛ばしました。"_s);
    else
        m_statusLabel->clear();
    redisplay();
}

void WeakCharactersDialog::fillList(QTreeWidget* list, const QList<WeaknessLog::WeakChar>& rows) {
    list->clear();
    QFont characterFont = list->font();
    characterFont.setPointSizeF(characterFont.pointSizeF() * 1.25);
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const WeaknessLog::WeakChar& w = rows[i];
        auto* item = new QTreeWidgetItem({QString::number(i + 1), WeaknessLog::displayCharacter(w.character),
                                          QString::number(w.met), QString::number(w.missed),
                                          QString::number(w.rate() * 100, 'f', 1) + u'%'});
        for (int column : {0, 2, 3, 4})
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(1, Qt::AlignCenter);
        item->setFont(1, characterFont);
        items.append(item);
    }
    list->addTopLevelItems(items);
    if (!items.isEmpty()) list->setCurrentItem(items.first());
}

void WeakCharactersDialog::redisplay() {
    const bool japanese = m_languageTabs->currentIndex() == 0;
    m_drillButton->setEnabled(!ranking(japanese).isEmpty());
}

void WeakCharactersDialog::makeDrill() {
    const bool japanese = m_languageTabs->currentIndex() == 0;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const OwnTexts::SaveResult result =
        WeakDrill::makeDrill(m, ranking(japanese), japanese, QDateTime::currentDateTime());
    QApplication::restoreOverrideCursor();
    if (!result.saved) {
        plaintext::message(this, QMessageBox::Warning, u"苦手文字"_s, result.error);
        return;
    }
    m_madeText = true;
    QString text = u"練習テキスト「"_s + result.stored.title + u"」を作りました（"_s + result.fileName +
                   u"）。\nこのテキストで練習できます。"_s;
    if (!result.warnings.isEmpty()) text += u"\n\n"_s + result.warnings.join(u'\n');
    plaintext::message(this, QMessageBox::Information, u"苦手文字"_s, text);
    accept();
}
