#pragma once

#include "core/scoring/ExamResult.h"
#include "ui/common/DialogFrame.h"

class QLabel;
class QPushButton;

/**
 * The result of a timed exam: characters typed, errors left, corrections, the net characters
 * and their speed, and the grade of every judgement standard. "閉じる(Esc)", Esc and the close
 * box close it; Enter does nothing, as the user may still be typing when the time runs out.
 */
class ExamResultDialog : public DialogFrame {
    Q_OBJECT

public:
    ExamResultDialog(const ExamResult::Figures& figures, QWidget* owner);

    /** A reason the exam could not be recorded, shown under the figures; empty hides it. */
    void setRecordError(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* m_recordError = nullptr;
};
