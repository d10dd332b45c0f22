#pragma once

#include "core/practice/Session.h"
#include "core/records/WeaknessLog.h"
#include "ui/common/DialogFrame.h"

#include <QDate>

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class WeakKeyboardView;

/**
 * "苦手文字": the characters missed most over the last 7 days, 30 days or all the records,
 * Japanese and English texts apart, the English ones also on a keyboard coloured by miss rate.
 * A button saves a practice text of the paragraphs richest in the ten weakest characters.
 */
class WeakCharactersDialog : public DialogFrame {
    Q_OBJECT

public:
    WeakCharactersDialog(Session& session, const QDate& today, QWidget* owner);

    /** Opens the window over `owner`; true when it made a practice text, which is now the current text. */
    static bool open(Session& session, QWidget* owner);

    /** Shows the period at `index` of the choice (0 last 7 days, 1 last 30 days, 2 all). */
    void choosePeriod(int index);
    /** The rows shown for a language, weakest first. */
    const QList<WeaknessLog::WeakChar>& ranking(bool japanese) const { return japanese ? m_japanese : m_english; }
    /** Saves the practice text for the language whose tab is shown. */
    void makeDrill();
    bool madeText() const { return m_madeText; }

private:
    void fillList(QTreeWidget* list, const QList<WeaknessLog::WeakChar>& rows);
    void redisplay();

    Session& m;
    const QDate m_today;
    QList<WeaknessLog::WeakChar> m_japanese;
    QList<WeaknessLog::WeakChar> m_english;
    bool m_madeText = false;
    QComboBox* m_periodCombo = nullptr;
    QTabWidget* m_languageTabs = nullptr;
    QTreeWidget* m_japaneseList = nullptr;
    QTreeWidget* m_englishList = nullptr;
    WeakKeyboardView* m_keyboard = nullptr;
    QLabel* m_statusLabel = nullptr;
    QPushButton* m_drillButton = nullptr;
};
