#pragma once

#include "core/practice/AttemptControl.h"
#include "core/practice/TextLoading.h"
#include "core/settings/SettingsTable.h"

#include <QMap>
#include <QObject>

#include <span>

class QAction;
class QMenu;
class QMenuBar;

/**
 * The main window's menu bar: its items, which of them are checked and enabled. Choosing an
 * item emits a signal; what it does is the window's and the core's business.
 */
class MainMenus : public QObject {
    Q_OBJECT

public:
    /** One item of an option menu: its index in the item array and its caption (empty: a separator). */
    struct OptionItem {
        int index;
        const char16_t* caption;
    };
    /** The submenu that shows one option: the settings entry it sets, its names and its items. */
    struct OptionMenu {
        int entry;
        const char16_t* arrayName;   ///< the items are named arrayName(index), e.g. "fontSizeActions(2)"
        const char16_t* submenuName; ///< e.g. "fontSizeMenu"
        const char16_t* submenuCaption;
        std::span<const OptionItem> items;
    };
    /** The option submenus in menu order (the judgement standards have a submenu of their own). */
    static std::span<const OptionMenu> optionMenus();

    MainMenus(QMenuBar* bar, QObject* parent);

    /** The item by its name, e.g. "wholeTextAction" or "fontSizeActions(2)"; nullptr if none. */
    QAction* action(const QString& name) const { return m_actions.value(name); }
    QList<QMenu*> menus() const { return m_menus.values(); }

    /** Checks the item of every option and standard that the settings hold. */
    void checkStoredOptions(const SettingsTable& settings);
    /** Checks item `index` of the option stored in `entry`. */
    void checkOption(int entry, int index);
    void checkStandard(int index);
    /** Practice mode, paragraph steps, standards and samples as the loaded text allows. */
    void applyTextState(const TextLoading::MenuState& state);
    /** What the attempt's state allows; the text's own items wait for the ready state. */
    void applyAttemptState(AttemptState state, const StateControls& controls);
    bool pauseEnabled() const;
    /** Which exam length is chosen (an index of Preferences::ExamChoices), -1 for practice without a clock. */
    void setExamChoice(int index);

Q_SIGNALS:
    void deleteRecordsRequested();
    void quitRequested();
    void startRequested();
    void pauseRequested();
    void retryRequested();
    void wholeTextRequested();
    void paragraphRequested();
    /** An exam of `minutes` on the whole text. */
    void examRequested(int minutes);
    void previousParagraphRequested();
    void nextParagraphRequested();
    void lastDetailsRequested();
    void bestDetailsRequested();
    void sampleChosen(int index);
    void optionChosen(int entry, int index);
    void standardChosen(int index);
    void speedGaugeRequested();
    void colourSettingsRequested();
    void fileBesideProgramRequested(const QString& fileName);
    void homePageRequested();
    void bestRecordsRequested();
    void practiceLogRequested();
    void progressChartRequested();
    void weakCharactersRequested();

private:
    QAction* addItem(QMenu* menu, const QString& name, const QString& caption);
    void addOptionMenus(QMenu* options);
    void checkArray(const QString& arrayName, int count, int checkedIndex);
    void enable(const QString& name, bool enabled, std::optional<bool> checked = std::nullopt);

    QMap<QString, QAction*> m_actions;
    QMap<QString, QMenu*> m_menus;
    int m_examIndex = -1;
};
