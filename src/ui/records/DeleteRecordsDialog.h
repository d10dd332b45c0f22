#pragma once

#include "core/practice/Session.h"
#include "ui/common/DialogFrame.h"

/**
 * "記録の削除": wipes the records of the text open in the main window. The dialog is the
 * confirmation; "削除" deletes at once and accepts, "ｷｬﾝｾﾙ", Esc and the close box change
 * nothing. A text without best times shows "削除する記録はありません" with "削除" disabled.
 */
class DeleteRecordsDialog : public MessageFrame {
    Q_OBJECT

public:
    /** The dialog for the text loaded in `module`, centred over `owner` when shown. */
    DeleteRecordsDialog(Session& module, QWidget* owner);

    /** Why some record could not be removed after "削除"; empty when everything went. */
    const QString& errorMessage() const { return m_error; }

private:
    void m_deleteAndClose();

    Session& m;
    QString m_error;
};
