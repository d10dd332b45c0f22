#pragma once

#include "ui/common/DialogFrame.h"

class QListWidget;

/** The warning of the text creation window that a text breaks the length limits. */
class TextLimitsWarning : public DialogFrame {
    Q_OBJECT

public:
    /** The dialog, to be centred over `owner` when shown. */
    explicit TextLimitsWarning(QWidget* owner);

    /** Fills `m_limitList` with the violated limits, one a line, in the order given. */
    void setLines(const QStringList& lines);

private:
    QListWidget* m_limitList = nullptr;
};
