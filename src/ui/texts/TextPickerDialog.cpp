#include "ui/texts/TextPickerDialog.h"

#include "core/practice/Session.h"
#include "core/settings/Options.h"
#include "ui/common/FontCellMetrics.h"
#include "ui/common/PlainText.h"
#include "ui/common/Twips.h"
#include "ui/messages/DeleteTextConfirmation.h"
#include "ui/messages/PickerMessage.h"

#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int ClientWidth = 12600;
constexpr int ListLeft = 2640;
constexpr int ListTop = 420;
constexpr int ListBottom = 5660;
constexpr int BottomRow = 6180;
constexpr int ClientHeight = BottomRow + 375 + 150;

const char16_t* const AllSources = u"全出所";
const char16_t* const AllKeywords = u"全キーワード";

struct PurposeTexts {
    const char16_t* caption;
    const char16_t* button;
    const char16_t* buttonName;
    const char16_t* emptyMessage;
    const char16_t* noSelectionMessage;
};

const PurposeTexts& textsFor(TextPickerDialog::Purpose p) {
    static const PurposeTexts texts[] = {
        {u"テキストの選択→練習", u"練習(&P)", u"practiseButton", u"練習可能なテキストが見つかりません",
         u"練習するテキストを選択してください"},
        {u"テキストの選択→編集", u"編集(&E)", u"editButton", u"編集可能なテキストが見つかりません",
         u"編集するテキストを選択してください"},
        {u"テキストの選択→削除", u"削除(&D)", u"deleteButton", u"削除可能なテキストが見つかりません",
         u"削除するテキストを選択してください"},
    };
    return texts[int(p)];
}

} // namespace

TextPickerDialog::TextPickerDialog(Session& session, Purpose purpose, QWidget* owner)
    : DialogFrame(u"TextPickerDialog"_s, QString::fromUtf16(textsFor(purpose).caption), owner), m(session),
      m_purpose(purpose) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto list = [this](const QString& name, int l, int t, int w, int h) {
        auto* lw = new QListWidget(this);
        lw->setObjectName(name);
        twips::place(lw, l, t, w, h);
        return lw;
    };
    auto label = [this](const QString& name, const QString& text, int l, int t, int w) {
        return addLabel(name, text, l, t, w, 285);
    };
    m_pageList = list(u"pageList"_s, 120, ListTop, 2400, 1300);
    m_sourceList = list(u"sourceFilterList"_s, 120, ListTop + 1420, 2400, 1850);
    m_keywordList = list(u"keywordFilterList"_s, 120, ListTop + 3390, 2400, ListBottom - ListTop - 3390);
    m_textList = list(u"textList"_s, ListLeft, ListTop, ClientWidth - ListLeft - 120, ListBottom - ListTop);
    m_textList->setFont(FontCellMetrics::cellFont(10));
    m_dateHeader = label(u"dateHeader"_s, u"発行日"_s, ListLeft + 60, 120, 900);
    label(u"bracketHeader"_s, u"[最高評価と通し練習の打切り回数]"_s, ListLeft + 960, 120, 3600);
    label(u"titleHeader"_s, u"表題〔出所/発行日〕 ※2"_s, ListLeft + 4680, 120, 3600);
    label(u"bracketNote"_s, u"※1 [RV・打切り回数] 10回以上は(*)"_s, ListLeft, ListBottom + 90, 4800);
    label(u"dateNote"_s, u"※2 発行日は作成日と同一の時非表示"_s, ListLeft + 5000, ListBottom + 90, 4800);
    m_fileCount = label(u"fileCountLabel"_s, QString(), 120, BottomRow + 45, 1500);
    m_charCount = label(u"charCountLabel"_s, QString(), 1800, BottomRow + 45, 1700);
    m_paragraphCount = label(u"paragraphCountLabel"_s, QString(), 3600, BottomRow + 45, 1700);
    const PurposeTexts& texts = textsFor(purpose);
    QPushButton* action = addButton(QString::fromUtf16(texts.buttonName), QString::fromUtf16(texts.button),
                                    ClientWidth - 3960, BottomRow, 1800);
    m_closeButton = addButton(u"closeButton"_s, u"ｷｬﾝｾﾙ"_s, ClientWidth - 2040, BottomRow, 1800);
    setClientSize(ClientWidth, ClientHeight);

    m_sourceList->addItem(QString::fromUtf16(AllSources));
    m_sourceList->addItems(TextEditing::namesOf(m.settings, TextEditing::FirstSource, TextEditing::LastSource));
    m_keywordList->addItem(QString::fromUtf16(AllKeywords));
    m_keywordList->addItems(TextEditing::namesOf(m.settings, TextEditing::FirstKeyword, TextEditing::LastKeyword));
    m_sourceList->setCurrentRow(0);
    m_keywordList->setCurrentRow(0);
    m_catalogue = std::make_unique<TextCatalogue>(m.fileBoxPath(), m.settings.number(Options::TextsPerPage),
                                                  &OwnTexts::levelLabel);
    showPage(0);

    connect(m_pageList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row != m_page) showPage(row);
    });
    connect(m_sourceList, &QListWidget::currentRowChanged, this, &TextPickerDialog::fillRows);
    connect(m_keywordList, &QListWidget::currentRowChanged, this, &TextPickerDialog::fillRows);
    connect(m_textList, &QListWidget::currentRowChanged, this, &TextPickerDialog::rowChosen);
    connect(m_textList, &QListWidget::itemActivated, this, &TextPickerDialog::act);
    connect(action, &QPushButton::clicked, this, &TextPickerDialog::act);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::reject);
    plaintext::makeLabelsPlain(this);
    QApplication::restoreOverrideCursor();
}

TextPickerDialog::~TextPickerDialog() = default;

void TextPickerDialog::showPage(int page) {
    const QStringList labels = m_catalogue->pageLabels();
    m_fileCount->setText(m_catalogue->fileCountLabel());
    if (m_pageList->count() != labels.size()) {
        const QSignalBlocker block(m_pageList);
        m_pageList->clear();
        m_pageList->addItems(labels);
    }
    m_page = labels.isEmpty() ? -1 : std::clamp(page, 0, int(labels.size()) - 1);
    {
        const QSignalBlocker block(m_pageList);
        m_pageList->setCurrentRow(m_page);
    }
    fillRows();
}

void TextPickerDialog::fillRows() {
    auto filter = [](const QListWidget* list) -> std::optional<QString> {
        if (list->currentRow() <= 0) return std::nullopt;
        return list->currentItem()->text();
    };
    m_rows = m_catalogue->rows(m_page, filter(m_sourceList), filter(m_keywordList));
    const QSignalBlocker block(m_textList);
    m_textList->clear();
    for (const TextCatalogue::Row& row : m_rows)
        m_textList->addItem(row.text);
    m_dateHeader->setText(u"作成日"_s);
    m_charCount->clear();
    m_paragraphCount->clear();
}

void TextPickerDialog::rowChosen() {
    const int row = m_textList->currentRow();
    if (row < 0 || row >= m_rows.size()) return;
    const TextCatalogue::CountLabels counts = m_catalogue->countLabels(m_rows[row].fileIndex);
    m_charCount->setText(counts.characters);
    m_paragraphCount->setText(counts.paragraphs);
}

void TextPickerDialog::message(const QString& text) {
    PickerMessage box(this);
    box.setMessage(text);
    box.exec();
}

QString TextPickerDialog::chosenFile(const QString& emptyMessage, const QString& noSelectionMessage) {
    if (m_rows.isEmpty()) {
        message(emptyMessage);
        return {};
    }
    const int row = m_textList->currentRow();
    if (row < 0 || row >= m_rows.size() || !m_textList->currentItem()->isSelected()) {
        message(noSelectionMessage);
        return {};
    }
    return m_catalogue->fileName(m_rows[row].fileIndex);
}

void TextPickerDialog::act() {
    const PurposeTexts& texts = textsFor(m_purpose);
    const QString name =
        chosenFile(QString::fromUtf16(texts.emptyMessage), QString::fromUtf16(texts.noSelectionMessage));
    if (name.isEmpty()) return;
    QString error;
    switch (m_purpose) {
    case Purpose::Practise:
        if (!OwnTexts::practise(m, name, &error)) {
            plaintext::message(this, QMessageBox::Warning, u"Rinvale QX"_s, error);
            return;
        }
        m_currentChanged = true;
        accept();
        return;
    case Purpose::Edit: {
        const std::optional<OwnTexts::EditedText> edited =
            OwnTexts::openForEditing(m, name, QDate::currentDate().year(), &error);
        if (!edited) {
            plaintext::message(this, QMessageBox::Warning, u"Rinvale QX"_s, error);
            return;
        }
        if (m_editor && m_editor(*edited, this)) {
            // The saved text is the one to practise; the list has done its work.
            m_currentChanged = true;
            accept();
        }
        return;
    }
    case Purpose::Delete:
        deleteChosen(name);
        return;
    }
}

void TextPickerDialog::deleteChosen(const QString& fileName) {
    DeleteTextConfirmation ask(this);
    ask.exec();
    if (!ask.confirmed()) return;
    const OwnTexts::Deletion d = OwnTexts::remove(m, fileName);
    if (d.deleted) {
        m_closeButton->setText(u"閉じる"_s);
        m_currentChanged = m_currentChanged || d.wasCurrent;
        m_catalogue->refresh();
        m_pageList->clear();
        showPage(m_page);
    }
    if (!d.error.isEmpty()) plaintext::message(this, QMessageBox::Warning, u"Rinvale QX"_s, d.error);
}
