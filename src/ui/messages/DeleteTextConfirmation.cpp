#include "ui/messages/DeleteTextConfirmation.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

DeleteTextConfirmation::DeleteTextConfirmation(QWidget* owner)
    : MessageFrame(u"DeleteTextConfirmation"_s, u"テキストの削除"_s, owner, QStyle::SP_MessageBoxWarning,
                   u"削除したテキストは元に戻りません"_s, {u"削除"_s, u"ｷｬﾝｾﾙ"_s}, 4800) {
    connect(button(1), &QPushButton::clicked, this, [this] {
        m_confirmed = true;
        accept();
    });
    connect(button(2), &QPushButton::clicked, this, &QDialog::reject);
    // Deleting cannot be undone, so a hurried Enter cancels: the focus starts on ｷｬﾝｾﾙ.
    button(2)->setDefault(true);
    button(2)->setFocus();
}
