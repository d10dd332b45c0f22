#include "ui/texts/TextWindows.h"

#include "core/practice/Session.h"
#include "core/settings/Options.h"
#include "platform/Platform.h"
#include "ui/main/MainWindow.h"
#include "ui/settings/SourcesKeywordsDialog.h"
#include "ui/settings/TextListSizeDialog.h"
#include "ui/texts/TextEditorDialog.h"

#include <QAction>
#include <QDate>

using namespace Qt::StringLiterals;

namespace {

// The input-method guard would close the input method the user types Japanese with.
class GuardRest {
public:
    explicit GuardRest(PracticeController& practice) : m_practice(practice) {
        m_practice.suspendInputMethodGuard(true);
    }
    ~GuardRest() { m_practice.suspendInputMethodGuard(false); }
    GuardRest(const GuardRest&) = delete;
    GuardRest& operator=(const GuardRest&) = delete;

private:
    PracticeController& m_practice;
};

} // namespace

TextWindows::TextWindows(MainWindow& window, Session& session, Platform& platform)
    : QObject(&window), m_window(window), m(session), m_platform(platform) {
    auto on = [this](const char16_t* name, auto slot) {
        connect(m_window.action(QString::fromUtf16(name)), &QAction::triggered, this, slot);
    };
    on(u"newTextAction", [this] { newText(); });
    on(u"editCurrentTextAction", [this] { editCurrentText(); });
    on(u"pickToPractiseAction", [this] { pickText(TextPickerDialog::Purpose::Practise); });
    on(u"pickToEditAction", [this] { pickText(TextPickerDialog::Purpose::Edit); });
    on(u"pickToDeleteAction", [this] { pickText(TextPickerDialog::Purpose::Delete); });
    on(u"editSourcesAction", [this] { editSources(); });
    on(u"textListSizeAction", [this] { chooseListSize(); });
}

bool TextWindows::runEditor(std::optional<OwnTexts::EditedText> edited, QWidget* parent) {
    TextEditorDialog editor(m, m_platform.shell, m_window.japaneseDisplay(), std::move(edited), parent);
    editor.setSourcesEditor([this](QWidget* owner) { return runSources(owner); });
    return editor.exec() == QDialog::Accepted;
}

bool TextWindows::runSources(QWidget* parent) {
    SourcesKeywordsDialog dialog(m, parent);
    return dialog.exec() == QDialog::Accepted;
}

void TextWindows::newText() {
    const GuardRest rest(m_window.practice());
    if (runEditor(std::nullopt, &m_window)) m_window.practice().showText();
}

void TextWindows::editCurrentText() {
    const QString name = m.settings[Options::CurrentFile].address;
    if (name.isEmpty()) return;
    QString error;
    std::optional<OwnTexts::EditedText> edited = OwnTexts::openForEditing(m, name, QDate::currentDate().year(), &error);
    if (!edited) {
        m_window.message(error);
        return;
    }
    const GuardRest rest(m_window.practice());
    if (runEditor(std::move(edited), &m_window)) m_window.practice().showText();
}

void TextWindows::pickText(TextPickerDialog::Purpose purpose) {
    const GuardRest rest(m_window.practice());
    TextPickerDialog picker(m, purpose, &m_window);
    picker.setEditor([this](const OwnTexts::EditedText& text, QWidget* parent) { return runEditor(text, parent); });
    picker.exec();
    if (picker.currentTextChanged()) m_window.practice().showText();
}

void TextWindows::editSources() {
    const GuardRest rest(m_window.practice());
    runSources(&m_window);
}

void TextWindows::chooseListSize() {
    TextListSizeDialog dialog(m, &m_window);
    dialog.exec();
}
