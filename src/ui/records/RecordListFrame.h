#pragma once

#include "ui/common/DialogFrame.h"

#include <QStringList>

#include <functional>
#include <span>

class QLabel;
class QListView;
class QStringListModel;

/**
 * What the log and best-records windows share: record lines in a fixed-pitch Japanese font so
 * their columns line up under a header, option groups whose choice the window keeps, and the
 * title of the selected line's text.
 */
class RecordListFrame : public DialogFrame {
    Q_OBJECT

public:
    /** A caption of the half-width header and the columns (from 1) of the row it stands over. */
    struct HeaderColumn {
        const char16_t* caption;
        int first;
        int last;
    };

    /** The rows the list shows now. */
    QStringList rows() const;

protected:
    RecordListFrame(const QString& name, const QString& caption, QWidget* owner);

    /** The font of the lines and their header. */
    static QFont recordFont();

    /**
     * The list `textList` under its header: `headerLabel` with the record form's header, or in
     * the half-width form `halfWidthHeader` with one caption over each column.
     */
    QListView* addRecordList(const QString& header, std::span<const HeaderColumn> halfWidthColumns,
                             bool japaneseDisplay, int left, int top, int width, int height);
    /**
     * Option buttons in a row in a titled frame, as wide as they need; `chosen` hears the index of
     * the button pressed. Returns the frame, so the next one can follow it.
     */
    QWidget* addOptionGroup(const QString& name, const QString& title, const QStringList& captions, int checked,
                            int left, int top, int height, std::function<void(int)> chosen);
    /** The left edge, in twips, of whatever follows `frame` in its row. */
    static int after(const QWidget* frame);

    /** Shows new rows and selects the first, or shows `emptyText` in the title when there is none. */
    void showRows(const QStringList& rows, const QString& emptyText);
    /** What the title shows for a selected row. */
    virtual QString titleFor(const QString& row) const = 0;

    QLabel* m_titleLabel = nullptr;

private:
    void showTitleOf(int row);

    QListView* m_textList = nullptr;
    QStringListModel* m_rows = nullptr;
};
