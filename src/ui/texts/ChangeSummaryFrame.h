#pragma once

#include "core/texts/TextEditing.h"
#include "ui/common/DialogFrame.h"

class QPushButton;

/**
 * The frame the editor's two questions share: for title, body, source, date and keyword a row
 * saying "変更なし", or "変更あり" in red, and OK and ｷｬﾝｾﾙ buttons below.
 */
class ChangeSummaryFrame : public DialogFrame {
    Q_OBJECT

protected:
    static constexpr int ClientWidth = 5400;
    static constexpr int RowHeight = 300;

    ChangeSummaryFrame(const QString& name, const QString& caption, QWidget* owner);

    /** The five rows from `top` (twips); returns the top of what follows them. */
    int addChangeRows(const TextEditing::Changes& changes, int top);
    /** OK and ｷｬﾝｾﾙ side by side at `top`; OK accepts, ｷｬﾝｾﾙ rejects. Sets the client height. */
    void addButtons(int top);

    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
