#include "dialogs/frmKeikoku5.h"

#include <QPushButton>

frmKeikoku5::frmKeikoku5(QWidget* owner)
    : MessageFrame(u"frmKeikoku5"_qs, u"Rinvale QX"_qs, owner, QStyle::SP_MessageBoxInformation,
                   u"2220 箇所置換しました"_qs, {u"OK"_qs}, DefaultWidth) {
    connect(button(1), &QPushButton::clicked, this, &QDialog::accept);
}
