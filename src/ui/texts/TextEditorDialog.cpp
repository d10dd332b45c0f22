#include "ui/texts/TextEditorDialog.h"

#include "core/practice/Session.h"
#include "platform/ShellOpen.h"
#include "ui/common/FontCellMetrics.h"
#include "ui/common/PlainText.h"
#include "ui/common/Twips.h"
#include "ui/messages/EditorMessage.h"
#include "ui/messages/FieldCheckWarning.h"
#include "ui/messages/TextLimitsWarning.h"
#include "ui/texts/DiscardChangesDialog.h"
#include "ui/texts/SaveChangesDialog.h"

#include <QComboBox>
#include <QDropEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QStringListModel>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace TextEditing;

namespace {

// Layout in twips.
constexpr int ClientWidth = 12000;
constexpr int Left = 120;
constexpr int BodyTop = 600;
constexpr int BodyHeight = 3900;
constexpr int StatsTop = BodyTop + BodyHeight + 120;
constexpr int SearchLeft = 7200;
constexpr int FieldsTop = StatsTop + 2880;
constexpr int DateTop = FieldsTop + 450;
constexpr int ButtonsTop = DateTop + 540;
constexpr int ClientHeight = ButtonsTop + 375 + 150;

const QColor EmptyColour(128, 255, 255);
const QColor InvalidColour(255, 128, 255);

// An edit box inside a frame, and the option that selects it.
QLineEdit* framedEdit(QGroupBox* frame, const QString& name, QRadioButton** textOption, QRadioButton** otherOption,
                      const QString& otherCaption) {
    *textOption = new QRadioButton(u"文字指定："_s, frame);
    *otherOption = new QRadioButton(otherCaption, frame);
    (*textOption)->setObjectName(name + u"TextOption"_s);
    (*otherOption)->setObjectName(name + u"OtherOption"_s);
    auto* edit = new QLineEdit(frame);
    edit->setObjectName(name + u"Edit"_s);
    twips::place(*textOption, 120, 270, 1300, 300);
    twips::place(edit, 1440, 255, 3120, 330);
    twips::place(*otherOption, 120, 630, 4000, 300);
    (*textOption)->setChecked(true);
    return edit;
}

} // namespace

TextEditorDialog::TextEditorDialog(Session& session, ShellOpen& shell, bool japaneseDisplay,
                                   std::optional<OwnTexts::EditedText> edited, QWidget* owner)
    : DialogFrame(u"TextEditorDialog"_s, edited ? u"練習用テキスト編集"_s : u"練習用テキスト作成"_s, owner), m(session),
      m_shell(shell), m_japaneseDisplay(japaneseDisplay), m_edited(std::move(edited)) {
    // The enlarged layout moves the lower controls in pixels.
    keepDesignSize();
    buildControls();
    fillLists();
    m_opening = m_edited ? m_edited->fields : newTextFields(QDate::currentDate());
    m_title->setText(m_opening.title);
    m_body->setPlainText(m_opening.body);
    m_source->setEditText(m_opening.source);
    m_keyword->setEditText(m_opening.keyword);
    m_year->setEditText(m_opening.year);
    m_month->setEditText(m_opening.month);
    m_day->setEditText(m_opening.day);
    // Editing keeps the opening values exactly as the boxes hold them, so an untouched text is unchanged.
    m_opening = fields();
    rebuildStatistics();
    plaintext::makeLabelsPlain(this);
    m_title->setFocus();
}

TextEditorDialog::~TextEditorDialog() = default;

void TextEditorDialog::buildControls() {
    auto label = [this](const QString& name, const QString& text, int l, int t, int w, int h) {
        auto* lbl = new QLabel(text, this);
        lbl->setObjectName(name);
        twips::place(lbl, l, t, w, h);
        return lbl;
    };
    auto button = [this](const QString& name, const QString& caption, int l, int t, int w) {
        QPushButton* b = addButton(name, caption, l, t, w);
        b->setAutoDefault(false);
        return b;
    };
    m_title = new QLineEdit(this);
    m_title->setObjectName(u"titleEdit"_s);
    m_title->setPlaceholderText(u"ここに表題を貼り付けてください"_s);
    twips::place(m_title, Left, Left, ClientWidth - 2 * Left, 375);
    m_body = new QPlainTextEdit(this);
    m_body->setObjectName(u"bodyEdit"_s);
    m_body->setPlaceholderText(u"ここに本文を貼り付けてください"_s);
    m_body->setAcceptDrops(true);
    // A tab in a paragraph could never be typed: Tab moves on, as in the other fields.
    m_body->setTabChangesFocus(true);
    m_body->viewport()->installEventFilter(this);
    twips::place(m_body, Left, BodyTop, ClientWidth - 2 * Left, BodyHeight);

    const QFont fixed = FontCellMetrics::cellFont(10);
    // The list's rows start a few pixels in; its header and the whole-text line keep their columns.
    m_header = label(u"statisticsHeader"_s, listHeader(m_japaneseDisplay), Left + 60, StatsTop, 6900, 285);
    m_paragraphModel = new QStringListModel(this);
    m_paragraphList = new QListView(this);
    m_paragraphList->setObjectName(u"paragraphList"_s);
    m_paragraphList->setModel(m_paragraphModel);
    m_paragraphList->setUniformItemSizes(true);
    m_paragraphList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    twips::place(m_paragraphList, Left, StatsTop + 300, 6960, 1950);
    m_wholeText = label(u"wholeTextLabel"_s, QString(), Left + 60, StatsTop + 2280, 6900, 285);
    for (QWidget* w :
         {static_cast<QWidget*>(m_header), static_cast<QWidget*>(m_paragraphList), static_cast<QWidget*>(m_wholeText)})
        w->setFont(fixed);

    auto* findFrame = new QGroupBox(u"検索（置換元）文字列"_s, this);
    findFrame->setObjectName(u"searchFrame"_s);
    twips::place(findFrame, SearchLeft, StatsTop - 60, 4680, 960);
    m_findEdit = framedEdit(findFrame, u"find"_s, &m_findText, &m_findMarkers, u"[▼]or[▲]or[◆]"_s);
    QPushButton* findButton = button(u"findButton"_s, u"検索(&F)"_s, SearchLeft, StatsTop + 960, 1400);
    auto* replaceFrame = new QGroupBox(u"置換後文字列"_s, this);
    replaceFrame->setObjectName(u"replacementFrame"_s);
    twips::place(replaceFrame, SearchLeft, StatsTop + 1380, 4680, 960);
    m_replaceEdit =
        framedEdit(replaceFrame, u"replace"_s, &m_replaceText, &m_replaceBreak, u"[。]+[改行]+[スペース]"_s);
    QPushButton* replaceButton = button(u"replaceButton"_s, u"置換(&R)"_s, SearchLeft, StatsTop + 2400, 1400);
    replaceButton->setToolTip(u"置換して次に"_s);
    QPushButton* replaceAllButton =
        button(u"replaceAllButton"_s, u"置換(&A)"_s, SearchLeft + 1500, StatsTop + 2400, 1400);
    replaceAllButton->setToolTip(u"すべて置換"_s);

    QLabel* sourceCaption = label(u"sourceCaption"_s, u"出所"_s, Left, FieldsTop, 600, 330);
    m_source = new QComboBox(this);
    m_source->setObjectName(u"sourceCombo"_s);
    m_source->setEditable(true);
    m_source->setInsertPolicy(QComboBox::NoInsert);
    twips::place(m_source, 720, FieldsTop, 3600, 345);
    m_sourceLink = label(u"sourceLinkLabel"_s, u"出所サイトへ接続.."_s, 4440, FieldsTop, 1700, 330);
    m_sourceLink->setStyleSheet(u"color: rgb(0, 0, 255);"_s);
    m_sourceLink->setCursor(Qt::PointingHandCursor);
    // Reached with Tab and opened with Enter or Space as well as with the mouse.
    m_sourceLink->setFocusPolicy(Qt::StrongFocus);
    m_sourceLink->installEventFilter(this);
    QLabel* keywordCaption = label(u"keywordCaption"_s, u"キーワード"_s, 6300, FieldsTop, 1050, 330);
    keywordCaption->setToolTip(u"キーワードを設定しておくと、後で検索等に役立ちます。"_s);
    m_keyword = new QComboBox(this);
    m_keyword->setObjectName(u"keywordCombo"_s);
    m_keyword->setEditable(true);
    m_keyword->setInsertPolicy(QComboBox::NoInsert);
    m_keyword->setToolTip(u"キーワードを設定しておくと、テキストの検索等に役立ちます。"_s);
    twips::place(m_keyword, 7380, FieldsTop, 4500, 345);
    QLabel* dateCaption = label(u"dateCaption"_s, u"発行日"_s, Left, DateTop, 600, 330);
    int left = 720;
    for (auto [combo, name, width] :
         {std::tuple{&m_year, u"yearCombo"_s, 1100}, std::tuple{&m_month, u"monthCombo"_s, 800},
          std::tuple{&m_day, u"dayCombo"_s, 800}}) {
        *combo = new QComboBox(this);
        (*combo)->setObjectName(name);
        (*combo)->setEditable(true);
        (*combo)->setInsertPolicy(QComboBox::NoInsert);
        twips::place(*combo, left, DateTop, width, 345);
        left += width + 90;
    }

    m_saveButton = button(u"saveButton"_s, m_edited ? u"保存(&S)"_s : u"作成(&C)"_s, Left, ButtonsTop, 1300);
    QPushButton* cancelButton = button(u"cancelButton"_s, u"ｷｬﾝｾﾙ"_s, Left + 1420, ButtonsTop, 1300);
    QPushButton* sourcesButton = button(u"sourcesButton"_s, u"出所等編集"_s, Left + 2840, ButtonsTop, 1400);
    QPushButton* clearButton = button(u"clearButton"_s, u"クリア"_s, Left + 4360, ButtonsTop, 1100);
    clearButton->setToolTip(u"表題と本文をクリアします"_s);
    m_enlargeButton = button(u"enlargeButton"_s, u"￣"_s, ClientWidth - Left - 600, ButtonsTop, 600);
    m_enlargeButton->setToolTip(u"検索・置換・最大化[Ctrl+H]"_s);
    setClientSize(ClientWidth, ClientHeight);

    m_below = {m_header,      m_paragraphList,  m_wholeText,   findFrame,      findButton,   replaceFrame,
               replaceButton, replaceAllButton, sourceCaption, m_source,       m_sourceLink, keywordCaption,
               m_keyword,     dateCaption,      m_year,        m_month,        m_day,        m_saveButton,
               cancelButton,  sourcesButton,    clearButton,   m_enlargeButton};
    for (QWidget* w : m_below)
        m_belowPlaces.append(w->geometry());

    connect(m_body, &QPlainTextEdit::textChanged, this, &TextEditorDialog::bodyChanged);
    connect(m_title, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!t.isEmpty()) mark(m_title, {});
    });
    connect(m_source, &QComboBox::editTextChanged, this, [this](const QString& t) {
        if (!t.isEmpty()) mark(m_source, {});
    });
    for (QComboBox* c : {m_year, m_month, m_day})
        connect(c, &QComboBox::editTextChanged, this, [this, c](const QString& t) {
            if (!t.isEmpty()) mark(c, {});
        });
    connect(m_paragraphList, &QListView::clicked, this, [this](const QModelIndex& index) {
        const int p = index.row();
        if (p < 0 || p >= m_stats.starts.size()) return;
        QTextCursor cursor = m_body->textCursor();
        cursor.setPosition(int(m_stats.starts[p]));
        cursor.setPosition(int(m_stats.starts[p] + m_stats.paragraphs[p].size()), QTextCursor::KeepAnchor);
        m_body->setTextCursor(cursor);
        m_body->setFocus();
    });
    for (QLineEdit* e : {m_findEdit, m_replaceEdit}) {
        e->installEventFilter(this);
        connect(e, &QLineEdit::textChanged, this, [this] {
            m_search.setCaret(0);
            QTextCursor cursor = m_body->textCursor();
            cursor.clearSelection();
            m_body->setTextCursor(cursor);
        });
    }
    connect(findButton, &QPushButton::clicked, this, &TextEditorDialog::find);
    connect(replaceButton, &QPushButton::clicked, this, &TextEditorDialog::replaceNext);
    connect(replaceAllButton, &QPushButton::clicked, this, &TextEditorDialog::replaceAll);
    connect(m_saveButton, &QPushButton::clicked, this, &TextEditorDialog::save);
    connect(cancelButton, &QPushButton::clicked, this, &TextEditorDialog::reject);
    connect(sourcesButton, &QPushButton::clicked, this, &TextEditorDialog::editSources);
    connect(clearButton, &QPushButton::clicked, this, &TextEditorDialog::clearTexts);
    connect(m_enlargeButton, &QPushButton::clicked, this, &TextEditorDialog::toggleEnlarged);
    auto* enlarge = new QShortcut(QKeySequence(u"Ctrl+H"_s), this);
    connect(enlarge, &QShortcut::activated, this, &TextEditorDialog::toggleEnlarged);
}

void TextEditorDialog::fillLists() {
    const QString source = m_source->currentText();
    const QString keyword = m_keyword->currentText();
    m_source->clear();
    m_source->addItems(namesOf(m.settings, FirstSource, LastSource));
    m_source->setEditText(source);
    m_keyword->clear();
    m_keyword->addItems(namesOf(m.settings, FirstKeyword, LastKeyword));
    m_keyword->setEditText(keyword);
    if (m_year->count() == 0) {
        const int thisYear = QDate::currentDate().year();
        for (int y = thisYear; y > thisYear - 12; --y)
            m_year->addItem(QString::number(y));
        for (int i = 1; i <= 31; ++i) {
            if (i <= 12) m_month->addItem(QString::number(i).rightJustified(2, u'0'));
            m_day->addItem(QString::number(i).rightJustified(2, u'0'));
        }
    }
}

Fields TextEditorDialog::fields() const {
    return {m_title->text(),       m_body->toPlainText(),  m_source->currentText(), m_keyword->currentText(),
            m_year->currentText(), m_month->currentText(), m_day->currentText()};
}

// ---- Statistics ---------------------------------------------------------------------------

void TextEditorDialog::bodyChanged() {
    if (!m_body->toPlainText().isEmpty()) mark(m_body, {});
    // A paste or a held key brings many changes in one turn of the event loop: count once.
    if (m_rebuildPending) return;
    m_rebuildPending = true;
    QTimer::singleShot(0, this, &TextEditorDialog::rebuildStatistics);
}

void TextEditorDialog::rebuildStatistics() {
    m_rebuildPending = false;
    const QString body = m_body->toPlainText();
    m_stats = bodyStatistics(body);
    m_paragraphModel->setStringList(paragraphLines(m_stats));
    if (!body.isEmpty()) m_wholeText->setText(wholeTextLine(m_stats.whole, m_japaneseDisplay));
    // Said once when the body grows past the bound, not again on every key.
    if (m_stats.truncated && !m_warnedTooManyParagraphs)
        plaintext::message(this, QMessageBox::Information, u"Rinvale QX"_s,
                           QString::fromUtf16(TooManyParagraphsMessage));
    m_warnedTooManyParagraphs = m_stats.truncated;
}

// ---- Find and replace -----------------------------------------------------------------------

void TextEditorDialog::showMessage(const QString& text) {
    EditorMessage box(this);
    box.setMessage(text);
    box.exec();
}

void TextEditorDialog::prepareSearch() {
    m_search.setTarget({m_findMarkers->isChecked(), m_findEdit->text()});
    m_search.setReplacement({m_replaceBreak->isChecked(), m_replaceEdit->text()});
}

void TextEditorDialog::selectMatch(const TextSearch::Outcome& outcome) {
    if (outcome.match.found()) {
        QTextCursor cursor = m_body->textCursor();
        cursor.setPosition(int(outcome.match.start));
        cursor.setPosition(int(outcome.match.start + outcome.match.length), QTextCursor::KeepAnchor);
        m_body->setTextCursor(cursor);
        m_body->setFocus();
    }
    if (!outcome.message.isEmpty()) showMessage(outcome.message);
}

void TextEditorDialog::find() {
    prepareSearch();
    selectMatch(m_search.findNext(m_body->toPlainText()));
}

void TextEditorDialog::replaceNext() {
    prepareSearch();
    QString body = m_body->toPlainText();
    const QTextCursor cursor = m_body->textCursor();
    const QString before = body;
    const TextSearch::Outcome outcome =
        m_search.replaceNext(body, cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart());
    if (body != before) {
        // Replaced through the cursor, so that the user can undo it.
        QTextCursor edit = m_body->textCursor();
        edit.insertText(m_replaceBreak->isChecked() ? u"。\n　"_s : m_replaceEdit->text());
    }
    selectMatch(outcome);
}

void TextEditorDialog::replaceAll() {
    prepareSearch();
    QString body = m_body->toPlainText();
    const QString before = body;
    const TextSearch::Outcome outcome = m_search.replaceAll(body);
    if (body != before) {
        QTextCursor all(m_body->document());
        all.select(QTextCursor::Document);
        all.insertText(body);
    }
    selectMatch(outcome);
}

// ---- Source site, dropped files, clearing -------------------------------------------------

void TextEditorDialog::openSourceSite() {
    const QString address = sourceAddress(m.settings, m_source->currentText());
    if (address.isEmpty()) return;
    if (!isWebAddress(address))
        showMessage(u"出所サイトのアドレスが http:// または https:// で始まらないため開きません。"_s);
    else if (!m_shell.open(address.trimmed()))
        showMessage(u"出所サイトを開けませんでした。"_s);
}

void TextEditorDialog::dropFile(const QString& path) {
    const DroppedText dropped = readDroppedFile(path);
    if (!dropped.refusal.isEmpty()) {
        showMessage(dropped.refusal);
        return;
    }
    QTextCursor all(m_body->document());
    all.select(QTextCursor::Document);
    all.insertText(dropped.text);
}

void TextEditorDialog::clearTexts() {
    m_title->clear();
    m_body->clear();
    m_wholeText->clear();
    m_findEdit->clear();
    m_replaceEdit->clear();
    m_title->setFocus();
}

void TextEditorDialog::editSources() {
    if (m_editSources && m_editSources(this)) fillLists();
}

void TextEditorDialog::toggleEnlarged() {
    if (m_growth > 0) {
        m_growth = 0;
    } else {
        const QScreen* screen = this->screen();
        const int screenHeight = screen ? screen->availableGeometry().height() : 0;
        m_growth = std::max(0, screenHeight - frameGeometry().height() - twips::toPixels(540));
    }
    for (qsizetype i = 0; i < m_below.size(); ++i)
        m_below[i]->setGeometry(m_belowPlaces[i].translated(0, m_growth));
    m_body->resize(m_body->width(), twips::toPixels(BodyHeight) + m_growth);
    setFixedSize(twips::toPixels(ClientWidth), twips::toPixels(ClientHeight) + m_growth);
    m_enlargeButton->setText(m_growth > 0 ? u"＿"_s : u"￣"_s);
    m_enlargeButton->setToolTip(m_growth > 0 ? u"通常画面へ戻す[Ctrl+H]"_s : u"検索・置換・最大化[Ctrl+H]"_s);
    if (m_growth > 0 && screen()) move(pos().x(), screen()->availableGeometry().top());
}

// ---- Saving and closing ---------------------------------------------------------------------

void TextEditorDialog::mark(QWidget* field, const QColor& colour) {
    if (auto* combo = qobject_cast<QComboBox*>(field)) field = combo->lineEdit();
    field->setStyleSheet(colour.isValid() ? u"background-color: %1;"_s.arg(colour.name()) : QString());
}

QWidget* TextEditorDialog::fieldWidget(Field field) const {
    switch (field) {
    case Field::Title:
        return m_title;
    case Field::Body:
        return m_body;
    case Field::Source:
        return m_source;
    case Field::Year:
        return m_year;
    case Field::Month:
        return m_month;
    case Field::Day:
        break;
    }
    return m_day;
}

void TextEditorDialog::save() {
    if (m_rebuildPending) rebuildStatistics();
    const Fields now = fields();
    const QList<Field> empty = emptyRequiredFields(now);
    if (!empty.isEmpty()) {
        for (Field f : empty)
            mark(fieldWidget(f), EmptyColour);
        fieldWidget(empty.first())->setFocus();
        FieldCheckWarning(this).exec();
        return;
    }
    const bool validDate[] = {isValidYear(now.year), isValidMonth(now.month), isValidDay(now.day)};
    QComboBox* const dateParts[] = {m_year, m_month, m_day};
    for (int i = 0; i < 3; ++i)
        mark(dateParts[i], validDate[i] ? QColor() : InvalidColour);
    if (!validDate[0] || !validDate[1] || !validDate[2]) {
        FieldCheckWarning warning(this);
        warning.setMessage(u"発行日に誤りがあります"_s);
        warning.exec();
        return;
    }
    if (const QStringList violations = limitViolations(m_stats.whole, m_stats.counts); !violations.isEmpty()) {
        TextLimitsWarning warning(this);
        warning.setLines(violations);
        warning.exec();
        return;
    }
    OwnTexts::SaveRequest request{now, OwnTexts::SaveMode::Create, nullptr, false, QDateTime::currentDateTime()};
    if (m_edited) {
        const Changes changes = compare(m_opening, now);
        SaveChangesDialog ask(changes, this);
        if (ask.exec() != QDialog::Accepted) return;
        request.mode = ask.overwrite() ? OwnTexts::SaveMode::Overwrite : OwnTexts::SaveMode::SaveAsNew;
        request.edited = &*m_edited;
        request.bodyChanged = changes.body;
        request.now = QDateTime::currentDateTime();
    }
    const OwnTexts::SaveResult result = OwnTexts::save(m, m_stats, request);
    if (!result.saved) {
        plaintext::message(this, QMessageBox::Warning, u"Rinvale QX"_s, result.error);
        return;
    }
    m_title->setText(result.stored.title);
    m_source->setEditText(result.stored.source);
    m_keyword->setEditText(result.stored.keyword);
    m_year->setEditText(result.stored.year);
    m_month->setEditText(result.stored.month);
    m_day->setEditText(result.stored.day);
    if (!result.warnings.isEmpty())
        plaintext::message(this, QMessageBox::Warning, u"Rinvale QX"_s, result.warnings.join(u'\n'));
    m_savedFile = result.fileName;
    m_saved = true;
    accept();
}

bool TextEditorDialog::confirmClose() {
    if (m_saved) return true;
    const Changes changes = compare(m_opening, fields());
    if (!changes.any()) return true;
    DiscardChangesDialog ask(changes, windowTitle().right(2), this);
    return ask.exec() == QDialog::Accepted;
}

void TextEditorDialog::reject() {
    if (confirmClose()) DialogFrame::reject();
}

bool TextEditorDialog::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == m_body->viewport()) {
        if (type == QEvent::MouseButtonRelease) {
            m_search.setCaret(m_body->textCursor().selectionStart());
        } else if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            if (!drop->mimeData()->hasUrls()) return false;
            drop->acceptProposedAction();
            if (type == QEvent::Drop && !drop->mimeData()->urls().isEmpty()) {
                const QUrl url = drop->mimeData()->urls().first();
                if (url.isLocalFile())
                    dropFile(url.toLocalFile());
                else
                    showMessage(u"拡張子が[txt]のファイルのみ読込み可能"_s);
            }
            return true;
        }
    } else if (watched == m_sourceLink) {
        const bool linked = !sourceAddress(m.settings, m_source->currentText()).isEmpty();
        if (type == QEvent::Enter && linked)
            m_sourceLink->setStyleSheet(u"color: rgb(255, 255, 255); background-color: rgb(0, 0, 255);"_s);
        else if (type == QEvent::Leave)
            m_sourceLink->setStyleSheet(u"color: rgb(0, 0, 255);"_s);
        else if (type == QEvent::MouseButtonRelease)
            openSourceSite();
        if (type == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                openSourceSite();
                return true;
            }
        }
    } else if (type == QEvent::FocusIn) {
        (watched == m_findEdit ? m_findText : m_replaceText)->setChecked(true);
    }
    return DialogFrame::eventFilter(watched, event);
}
