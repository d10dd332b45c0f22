#pragma once

#include "core/practice/Session.h"
#include "platform/Platform.h"
#include "ui/main/KeyRouter.h"
#include "ui/main/PracticeController.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class BestListPanel;
class InputPanel;
class LiveFiguresPanel;
class MainMenus;
class QAction;
class ResultPanel;
class TargetTextPanel;
class TextInfoPanel;
class WindowZoom;

/**
 * The main window: the program itself. It assembles the menus, the panels, the practice
 * controller and the key router, and carries out the menu commands that are not the
 * attempt's: options, samples, paragraphs, record deletion, help.
 */
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(Session& session, Platform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    /** Shows the session as loaded at start-up: window position, colours, options and the current text. */
    void startUp();
    /** Stores the window's position in the settings, for the application to save at exit. */
    void storePosition();

    /** Where messages go; a modal message box unless a test replaces it. */
    void setMessageHandler(std::function<void(const QString&)> handler) { m_showMessage = std::move(handler); }
    void message(const QString& text) { m_showMessage(text); }

    /** The action of a menu item by its name, e.g. "wholeTextAction" or "fontSizeActions(2)". */
    QAction* action(const QString& name) const;

    /** Window caption. */
    static constexpr char16_t Caption[] = u"RinvaleQX ver" RINVALE_VERSION;

    PracticeController& practice() { return *m_practice; }
    KeyRouter& keys() { return *m_keys; }
    WindowZoom& zoom() { return *m_zoom; }
    const AttemptControl& attempt() const { return m_practice->attempt(); }
    const TargetDisplay& display() const { return m_practice->display(); }
    /** Full-width characters render at full width (a Japanese font is present). */
    bool japaneseDisplay() const { return m_japaneseDisplay; }

Q_SIGNALS:
    /** The window is closing: the application stores the settings. */
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectMenus();
    void applyFontLayout();
    void applyColours();
    void placeWindow();
    void reloadCurrentText();
    void optionChosen(int entry, int index);
    void standardChosen(int index);
    void chooseParagraph();
    void deleteRecords();
    void openBesideProgram(const QString& fileName);

    Session& m;
    Platform& m_platform;
    std::function<void(const QString&)> m_showMessage;
    bool m_closed = false;
    bool m_japaneseDisplay = true;

    MainMenus* m_menus = nullptr;
    std::unique_ptr<TargetTextPanel> m_target;
    std::unique_ptr<InputPanel> m_input;
    std::unique_ptr<LiveFiguresPanel> m_figures;
    std::unique_ptr<ResultPanel> m_result;
    std::unique_ptr<TextInfoPanel> m_textInfo;
    std::unique_ptr<BestListPanel> m_bestList;
    PracticeController* m_practice = nullptr;
    KeyRouter* m_keys = nullptr;
    WindowZoom* m_zoom = nullptr;
};
