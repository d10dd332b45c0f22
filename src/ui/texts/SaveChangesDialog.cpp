#include "ui/texts/SaveChangesDialog.h"

#include "ui/common/Twips.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

SaveChangesDialog::SaveChangesDialog(const TextEditing::Changes& changes, QWidget* owner)
    : ChangeSummaryFrame(u"SaveChangesDialog"_s, u"Rinvale QX"_s, owner) {
    int top = addChangeRows(changes, 180) + 120;
    QLabel* note = addLabel(u"recordsNote"_s, u"本文に変更があった場合、上書き保存すると記録は初期化されます。"_s,
                            Margin, top, ClientWidth - 2 * Margin, 480);
    if (changes.body) note->setStyleSheet(u"color: rgb(255, 0, 0);"_s);
    top += 600;
    m_overwrite = new QRadioButton(u"上書き保存"_s, this);
    m_overwrite->setObjectName(u"overwriteOption"_s);
    m_saveAsNew = new QRadioButton(u"別ファイルで保存"_s, this);
    m_saveAsNew->setObjectName(u"saveAsNewOption"_s);
    twips::place(m_overwrite, 1200, top, 3600, RowHeight);
    twips::place(m_saveAsNew, 1200, top + RowHeight + 60, 3600, RowHeight);
    (changes.any() ? m_overwrite : m_saveAsNew)->setChecked(true);
    addButtons(top + 2 * RowHeight + 300);
    m_ok->setDefault(true);
    m_ok->setFocus();
}

bool SaveChangesDialog::overwrite() const {
    return m_overwrite->isChecked();
}
