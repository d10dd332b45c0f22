#pragma once

#include "ui/common/DialogFrame.h"

/** The caution dialog of the text selection window: nothing to act on, or nothing selected. */
class PickerMessage : public MessageFrame {
    Q_OBJECT

public:
    /** The dialog, to be centred over `owner` when shown. */
    explicit PickerMessage(QWidget* owner);

    /** Replaces the message, e.g. "削除するテキストを選択してください". */
    using MessageFrame::setMessage;
};
