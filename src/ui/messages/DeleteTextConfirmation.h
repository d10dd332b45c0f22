#pragma once

#include "core/practice/Module1.h"
#include "ui/common/DialogFrame.h"

/**
 * Asks before a practice text is deleted. Only "削除" sets `DeleteConfirmed`; "ｷｬﾝｾﾙ", Esc,
 * Enter on the initial focus and the close box all leave it false.
 */
class frmKeikoku2 : public MessageFrame {
    Q_OBJECT

public:
    /** The dialog answering through `module.DeleteConfirmed`, centred over `owner` when shown. */
    frmKeikoku2(Module1& module, QWidget* owner);

private:
    Module1& m;
};
