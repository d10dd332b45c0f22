#include "dialogs/frmKeikoku4.h"

#include <QPushButton>

frmKeikoku4::frmKeikoku4(QWidget* owner)
    : MessageFrame(u"frmKeikoku4"_qs, u"Rinvale QX"_qs, owner, QStyle::SP_MessageBoxWarning,
                   u"必須項目が入力されていません"_qs, {u"OK"_qs}, 4800) {
    connect(button(1), &QPushButton::clicked, this, &QDialog::accept);
}
