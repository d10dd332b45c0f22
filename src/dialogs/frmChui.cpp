#include "dialogs/frmChui.h"

#include <QPushButton>

frmChui::frmChui(QWidget* owner)
    : MessageFrame(u"frmChui"_qs, u"Rinvale QX"_qs, owner, QStyle::SP_MessageBoxInformation,
                   u"編集するテキストを選択してください"_qs, {u"OK"_qs}, 4800) {
    connect(button(1), &QPushButton::clicked, this, &QDialog::accept);
}
