#include "ui/practice/AttemptFinishedDialog.h"

#include "ui/common/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// Layout in twips.
constexpr int ClientWidth = 4800;
constexpr int TextWidth = ClientWidth - 2 * DialogFrame::Margin;
constexpr int greetingLabelTop = 210;
constexpr int greetingLabelHeight = 480;
constexpr int inputTimeLabelTop = greetingLabelTop + greetingLabelHeight + 60;
constexpr int inputTimeLabelHeight = 360;
constexpr int ButtonTop = inputTimeLabelTop + inputTimeLabelHeight + 240;
constexpr int WideButtonWidth = 1320;
constexpr int ClientHeight = ButtonTop + DialogFrame::ButtonHeight + DialogFrame::Margin;
constexpr int focusHolderSize = 150;

const QColor DarkBlue(0, 0, 128);

} // namespace

AttemptFinishedDialog::AttemptFinishedDialog(QWidget* owner)
    : DialogFrame(u"AttemptFinishedDialog"_s, u"Rinvale QX"_s, owner) {
    setClientSize(ClientWidth, ClientHeight);

    m_greetingLabel = addLabel(u"greetingLabel"_s, u"おつかれさま"_s, Margin, greetingLabelTop, TextWidth,
                               greetingLabelHeight, Qt::AlignCenter);
    QFont greeting = m_greetingLabel->font();
    greeting.setPointSize(greeting.pointSize() + 5);
    greeting.setBold(true);
    m_greetingLabel->setFont(greeting);

    m_inputTimeLabel = addLabel(u"inputTimeLabel"_s, u"入力時間：  0分35秒"_s, Margin, inputTimeLabelTop, TextWidth,
                                inputTimeLabelHeight, Qt::AlignCenter);
    QFont time = m_inputTimeLabel->font();
    time.setPointSize(time.pointSize() + 2);
    m_inputTimeLabel->setFont(time);
    QPalette palette = m_inputTimeLabel->palette();
    palette.setColor(QPalette::WindowText, DarkBlue);
    m_inputTimeLabel->setPalette(palette);

    // m_focusHolder leads the tab order and holds the focus, so Enter lands on a button without action.
    m_focusHolder = addButton(u"focusHolder"_s, {}, 0, 0);
    twips::place(m_focusHolder, Margin / 2, ClientHeight - Margin / 2 - focusHolderSize, focusHolderSize,
                 focusHolderSize);
    m_focusHolder->setFlat(true);
    const int rowLeft = (ClientWidth - 2 * WideButtonWidth - ButtonGap) / 2;
    m_detailsButton = addButton(u"detailsButton"_s, u"詳細(F1)"_s, rowLeft, ButtonTop, WideButtonWidth);
    m_closeButton = addButton(u"closeButton"_s, u"閉じる(Esc)"_s, rowLeft + WideButtonWidth + ButtonGap, ButtonTop,
                              WideButtonWidth);
    setTabOrder(m_focusHolder, m_detailsButton);
    setTabOrder(m_detailsButton, m_closeButton);

    // Enter must not press any button: no button is a default one, not even the one with the focus.
    for (QPushButton* button : {m_detailsButton, m_closeButton, m_focusHolder}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(m_detailsButton, &QPushButton::clicked, this, &AttemptFinishedDialog::requestDetails);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::reject);
    m_focusHolder->setFocus();
}

void AttemptFinishedDialog::setInputTime(const QString& text) {
    m_inputTimeLabel->setText(text);
}

void AttemptFinishedDialog::requestDetails() {
    m_detailsRequested = true;
    accept();
}

void AttemptFinishedDialog::keyPressEvent(QKeyEvent* event) {
    // The buttons pass F1 and Enter on to the dialog, so this sees them whatever has the focus.
    switch (event->key()) {
    case Qt::Key_F1:
        requestDetails();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        DialogFrame::keyPressEvent(event);
    }
}
