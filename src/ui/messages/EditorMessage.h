#pragma once

#include "ui/common/DialogFrame.h"

/** The message dialog of the text creation window: search, replace and file-drop results. */
class EditorMessage : public MessageFrame {
    Q_OBJECT

public:
    /** The dialog, to be centred over `owner` when shown. */
    explicit EditorMessage(QWidget* owner);

    /** Replaces the message, e.g. "12 箇所置換しました". */
    using MessageFrame::setMessage;
    /** Sets the client width in twips; the message follows it and the OK button stays centred. */
    using MessageFrame::setFormWidth;

    /** Width the dialog opens with, in twips; its OK button then starts at 2055 twips. */
    static constexpr int DefaultWidth = 5070;
};
