#include "ui/messages/EditorMessage.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

frmKeikoku5::frmKeikoku5(QWidget* owner)
    : MessageFrame(u"frmKeikoku5"_s, u"Rinvale QX"_s, owner, QStyle::SP_MessageBoxInformation,
                   u"2220 箇所置換しました"_s, {u"OK"_s}, DefaultWidth) {
    connect(button(1), &QPushButton::clicked, this, &QDialog::accept);
}
