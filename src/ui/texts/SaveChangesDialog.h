#pragma once

#include "ui/texts/ChangeSummaryFrame.h"

class QRadioButton;

/**
 * Asks how an edited text is saved: over its file ("上書き保存"; a changed body loses the
 * text's records) or as a new text ("別ファイルで保存"). Accepted on OK.
 */
class SaveChangesDialog : public ChangeSummaryFrame {
    Q_OBJECT

public:
    SaveChangesDialog(const TextEditing::Changes& changes, QWidget* owner);

    /** True when "上書き保存" is chosen. */
    bool overwrite() const;

private:
    QRadioButton* m_overwrite = nullptr;
    QRadioButton* m_saveAsNew = nullptr;
};
