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
constexpr int Label1Top = 210;
constexpr int Label1Height = 480;
constexpr int Label3Top = Label1Top + Label1Height + 60;
constexpr int Label3Height = 360;
constexpr int ButtonTop = Label3Top + Label3Height + 240;
constexpr int WideButtonWidth = 1320;
constexpr int ClientHeight = ButtonTop + DialogFrame::ButtonHeight + DialogFrame::Margin;
constexpr int Command3Size = 150;

const QColor DarkBlue(0, 0, 128);

} // namespace

frmUchikiri::frmUchikiri(QWidget* owner) : DialogFrame(u"frmUchikiri"_s, u"Rinvale QX"_s, owner) {
    setClientSize(ClientWidth, ClientHeight);

    Label1 = addLabel(u"Label1"_s, u"おつかれさま"_s, Margin, Label1Top, TextWidth, Label1Height, Qt::AlignCenter);
    QFont greeting = Label1->font();
    greeting.setPointSize(greeting.pointSize() + 5);
    greeting.setBold(true);
    Label1->setFont(greeting);

    Label3 =
        addLabel(u"Label3"_s, u"入力時間：  0分35秒"_s, Margin, Label3Top, TextWidth, Label3Height, Qt::AlignCenter);
    QFont time = Label3->font();
    time.setPointSize(time.pointSize() + 2);
    Label3->setFont(time);
    QPalette palette = Label3->palette();
    palette.setColor(QPalette::WindowText, DarkBlue);
    Label3->setPalette(palette);

    // Command3 leads the tab order and holds the focus, so Enter lands on a button without action.
    Command3 = addButton(u"Command3"_s, {}, 0, 0);
    twips::place(Command3, Margin / 2, ClientHeight - Margin / 2 - Command3Size, Command3Size, Command3Size);
    Command3->setFlat(true);
    const int rowLeft = (ClientWidth - 2 * WideButtonWidth - ButtonGap) / 2;
    Command1 = addButton(u"Command1"_s, u"詳細(F1)"_s, rowLeft, ButtonTop, WideButtonWidth);
    Command2 =
        addButton(u"Command2"_s, u"閉じる(Esc)"_s, rowLeft + WideButtonWidth + ButtonGap, ButtonTop, WideButtonWidth);
    setTabOrder(Command3, Command1);
    setTabOrder(Command1, Command2);

    // Enter must not press any button: no button is a default one, not even the one with the focus.
    for (QPushButton* button : {Command1, Command2, Command3}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(Command1, &QPushButton::clicked, this, &frmUchikiri::requestDetails);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    Command3->setFocus();
}

void frmUchikiri::setInputTime(const QString& text) {
    Label3->setText(text);
}

void frmUchikiri::setDetailsAvailable(bool available) { Command1->setEnabled(available); }

void frmUchikiri::requestDetails() {
    if (!Command1->isEnabled()) return;
    m_detailsRequested = true;
    accept();
}

void frmUchikiri::keyPressEvent(QKeyEvent* event) {
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
