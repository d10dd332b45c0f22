#pragma once

#include "app/Module1.h"
#include "platform/Platform.h"

#include <QMainWindow>
#include <QMap>

#include <functional>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollBar;

/**
 * The main window: the program itself. It builds the menus from the option and sample
 * tables, forwards every command to the core units and shows what they produce.
 */
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    frmMain(Module1& module, Platform& platform, QWidget* parent = nullptr);

    /** Start-up after the single-instance check: folders, settings, options, current text. */
    void Form_Load();
    /** Stores the window position and writes the settings file; false (after a message) on failure. */
    bool Form_Unload();

    /** Where messages go; a modal message box unless a test replaces it. */
    void setMessageHandler(std::function<void(const QString&)> handler) { m_showMessage = std::move(handler); }

    /** The action of a menu item by its name, e.g. "mnuTh" or "mnuFontSize(2)". */
    QAction* action(const QString& name) const { return m_actions.value(name); }

    /** Window caption. */
    static constexpr char16_t Caption[] = u"RinvaleQX ver1.0.0.29";

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildControls();
    QAction* addItem(QMenu* menu, const QString& name, const QString& caption);
    void addOptionMenus(QMenu* options);

    void checkArray(const QString& arrayName, int count, int checkedIndex);
    void checkStoredOptions();
    void optionChosen(int entry, int index);
    void standardChosen(int index);
    void sampleChosen(int index);

    void applyFontLayout();
    void applyColours();
    void placeWindow();
    void measureJapaneseDisplay();
    void reloadCurrentText();
    void showText();
    void applyMenuState();
    void openBesideProgram(const QString& fileName);
    void message(const QString& text);

    Module1& m;
    Platform& m_platform;
    QMap<QString, QAction*> m_actions;
    QMap<QString, QMenu*> m_menus;
    std::function<void(const QString&)> m_showMessage;
    bool m_unloaded = false;

    QLabel* Label1 = nullptr;   // title
    QLabel* Label21 = nullptr;  // practice mode line
    QFrame* Picture9 = nullptr; // paragraph-practice panel
    QFrame* Picture1 = nullptr; // text panel
    QWidget* Picture2 = nullptr;
    QLabel* segmentLabel = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QFrame* Picture3 = nullptr; // next-paragraph preview
    QLabel* Label2 = nullptr;
    QFrame* Picture4 = nullptr; // input panel
    QLineEdit* Text1 = nullptr;
    QFrame* Picture5 = nullptr; // start panel
    QLabel* Label3 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label22 = nullptr;
    QLabel* Label23 = nullptr;
    QFrame* Picture8 = nullptr; // text information
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* Label20 = nullptr;
    QList<QLabel*> Lab2;        // result values; Lab2(5) is the text's character count
};
