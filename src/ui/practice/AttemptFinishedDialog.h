#pragma once

#include "ui/common/DialogFrame.h"

class QLabel;
class QPushButton;

/**
 * The end-of-attempt dialog. "詳細(F1)" or F1 asks for the details (`detailsRequested()`); "閉じる(Esc)", Esc and
 * the close box only close. Enter does nothing, so that a user still typing at the end of the
 * text does not dismiss it by accident.
 */
class AttemptFinishedDialog : public DialogFrame {
    Q_OBJECT

public:
    /** The dialog, centred over `owner` when shown. */
    explicit AttemptFinishedDialog(QWidget* owner);

    /** True when the details were asked for ("詳細(F1)" or F1). */
    bool detailsRequested() const { return m_detailsRequested; }

    /** Sets `m_inputTimeLabel`, the attempt's input time, e.g. "入力時間：  0分35秒". */
    void setInputTime(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void requestDetails();

    bool m_detailsRequested = false;
    QLabel* m_greetingLabel = nullptr;
    QLabel* m_inputTimeLabel = nullptr;
    QPushButton* m_detailsButton = nullptr;
    QPushButton* m_closeButton = nullptr;
    QPushButton* m_focusHolder = nullptr;
};
