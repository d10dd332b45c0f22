#pragma once

#include "core/practice/Session.h"
#include "core/records/LogQueries.h"
#include "core/records/TextTitles.h"
#include "ui/records/RecordListFrame.h"

class QListWidget;
class QPushButton;

/**
 * "練習結果全ログ": the attempts of one month's log, newest or oldest first, of one language
 * and kind when chosen, and the title of the selected attempt's text. The choices are kept in
 * the settings; nothing else is written but the CSV file the user asks for.
 */
class PracticeLogDialog : public RecordListFrame {
    Q_OBJECT

public:
    /** The window over `owner`, the newest month chosen; `japaneseDisplay` false shows the half-width form. */
    PracticeLogDialog(Session& session, bool japaneseDisplay, QWidget* owner);

    /** Opens the window modally over `owner`. */
    static void open(Session& session, bool japaneseDisplay, QWidget* owner);

    /** The months listed, newest first ("2012.07"). */
    QStringList months() const;
    /** Shows the log of the month at `index` of the list. */
    void chooseMonth(int index);
    /**
     * "CSVで保存...": the attempts the language and kind choices keep, of the month shown or of
     * every month, oldest first, to a file the user picks.
     */
    void saveCsv(bool allMonths);

protected:
    QString titleFor(const QString& row) const override;

private:
    void redisplay();

    Session& m;
    const bool m_japaneseDisplay;
    const TextTitles m_titles;
    LogQueries::Filter m_filter;
    QStringList m_lines;
    QListWidget* m_monthList = nullptr;
    QPushButton* m_csvButton = nullptr;
};
