#pragma once

#include "ui/texts/ChangeSummaryFrame.h"

/**
 * Asks before the editor closes with unsaved changes, naming what changed. OK (accepted)
 * closes the editor; ｷｬﾝｾﾙ, Esc and the close box keep it open.
 */
class DiscardChangesDialog : public ChangeSummaryFrame {
    Q_OBJECT

public:
    /** `windowKind` is "作成" or "編集", after the editor's caption. */
    DiscardChangesDialog(const TextEditing::Changes& changes, const QString& windowKind, QWidget* owner);
};
