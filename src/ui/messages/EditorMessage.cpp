#include "ui/messages/EditorMessage.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

EditorMessage::EditorMessage(QWidget* owner)
    : MessageFrame(u"EditorMessage"_s, u"Rinvale QX"_s, owner, QStyle::SP_MessageBoxInformation,
                   u"2220 箇所置換しました"_s, {u"OK"_s}, DefaultWidth) {
    connect(button(1), &QPushButton::clicked, this, &QDialog::accept);
}
