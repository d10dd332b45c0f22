#include "ui/records/DeleteRecordsDialog.h"

#include "core/records/RecordDeletion.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

DeleteRecordsDialog::DeleteRecordsDialog(Session& module, QWidget* owner)
    : MessageFrame(u"DeleteRecordsDialog"_s, u"記録の削除"_s, owner, QStyle::SP_MessageBoxWarning,
                   u"現在開いているテキストの記録を削除（初期化）します"_s, {u"削除"_s, u"ｷｬﾝｾﾙ"_s}, 5400),
      m(module) {
    if (!RecordDeletion::hasRecords(m)) {
        setMessage(QString::fromUtf16(RecordDeletion::NothingToDelete));
        button(1)->setEnabled(false);
    }
    connect(button(1), &QPushButton::clicked, this, &DeleteRecordsDialog::m_deleteAndClose);
    connect(button(2), &QPushButton::clicked, this, &QDialog::reject);
    // Records cannot be brought back, so a hurried Enter cancels: the focus starts on ｷｬﾝｾﾙ.
    button(2)->setDefault(true);
    button(2)->setFocus();
}

void DeleteRecordsDialog::m_deleteAndClose() {
    RecordDeletion::deleteCurrentTextRecords(m, &m_error);
    accept();
}
