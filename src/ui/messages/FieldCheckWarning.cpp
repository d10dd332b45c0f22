#include "ui/messages/FieldCheckWarning.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

FieldCheckWarning::FieldCheckWarning(QWidget* owner)
    : MessageFrame(u"FieldCheckWarning"_s, u"Rinvale QX"_s, owner, QStyle::SP_MessageBoxWarning,
                   u"必須項目が入力されていません"_s, {u"OK"_s}, 4800) {
    connect(button(1), &QPushButton::clicked, this, &QDialog::accept);
}
