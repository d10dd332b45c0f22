#include "ui/texts/DiscardChangesDialog.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

DiscardChangesDialog::DiscardChangesDialog(const TextEditing::Changes& changes, const QString& windowKind,
                                           QWidget* owner)
    : ChangeSummaryFrame(u"DiscardChangesDialog"_s, u"RinvaleQX"_s, owner) {
    addLabel(u"questionLabel"_s, u"変更を保存しないでテキスト"_s + windowKind + u"画面を閉じますか？"_s, Margin, 180,
             ClientWidth - 2 * Margin, 480, Qt::AlignCenter);
    const int below = addChangeRows(changes, 780);
    addButtons(below + 240);
    // Closing without saving loses typing: a hurried Enter keeps the editor open.
    m_cancel->setDefault(true);
    m_cancel->setFocus();
}
