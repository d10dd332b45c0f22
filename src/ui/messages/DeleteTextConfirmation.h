#pragma once

#include "ui/common/DialogFrame.h"

/**
 * Asks before a practice text is deleted. Only "削除" confirms (`confirmed()`); "ｷｬﾝｾﾙ",
 * Esc, Enter on the initial focus and the close box all leave it unconfirmed.
 */
class DeleteTextConfirmation : public MessageFrame {
    Q_OBJECT

public:
    /** The question, centred over `owner` when shown. */
    explicit DeleteTextConfirmation(QWidget* owner);

    /** True only after "削除". */
    bool confirmed() const { return m_confirmed; }

private:
    bool m_confirmed = false;
};
