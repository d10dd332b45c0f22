#pragma once

#include "ui/common/DialogFrame.h"

/** The warning of the text creation window about a missing required field or a bad issue date. */
class FieldCheckWarning : public MessageFrame {
    Q_OBJECT

public:
    /** The dialog, to be centred over `owner` when shown. */
    explicit FieldCheckWarning(QWidget* owner);

    /** Replaces the message, e.g. "発行日に誤りがあります". */
    using MessageFrame::setMessage;
};
