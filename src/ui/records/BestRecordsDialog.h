#pragma once

#include "core/practice/Session.h"
#include "core/records/BestRecordList.h"
#include "core/records/TextTitles.h"
#include "ui/records/RecordListFrame.h"

/**
 * "ファイル別最高成績": the best whole-text attempt of every text of one language, by speed,
 * score or date, and the title of the selected line's text. The choices are kept in the
 * settings; nothing else is written but the CSV file the user asks for.
 */
class BestRecordsDialog : public RecordListFrame {
    Q_OBJECT

public:
    /** The window over `owner`; `japaneseDisplay` false shows the grades in their short form. */
    BestRecordsDialog(Session& session, bool japaneseDisplay, QWidget* owner);

    /** Opens the window modally over `owner`. */
    static void open(Session& session, bool japaneseDisplay, QWidget* owner);

    /** "CSVで保存...": the best records of the language shown, in the file's order, to a file the user picks. */
    void saveCsv();

protected:
    QString titleFor(const QString& row) const override;

private:
    void redisplay();

    Session& m;
    const bool m_japaneseDisplay;
    const TextTitles m_titles;
    BestRecordList::Choice m_choice;
    QStringList m_lines;
};
