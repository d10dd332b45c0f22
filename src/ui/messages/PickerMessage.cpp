#include "ui/messages/PickerMessage.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

PickerMessage::PickerMessage(QWidget* owner)
    : MessageFrame(u"PickerMessage"_s, u"Rinvale QX"_s, owner, QStyle::SP_MessageBoxInformation,
                   u"編集するテキストを選択してください"_s, {u"OK"_s}, 4800) {
    connect(button(1), &QPushButton::clicked, this, &QDialog::accept);
}
