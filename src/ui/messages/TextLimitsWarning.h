#pragma once

#include "ui/common/DialogFrame.h"

class QListWidget;

/** The warning of the text creation window that a text breaks the length limits. */
class frmKeikoku : public DialogFrame {
    Q_OBJECT

public:
    /** The dialog, to be centred over `owner` when shown. */
    explicit frmKeikoku(QWidget* owner);

    /** Fills `List1` with the violated limits, one a line, in the order given. */
    void setLines(const QStringList& lines);

private:
    QListWidget* List1 = nullptr;
};
