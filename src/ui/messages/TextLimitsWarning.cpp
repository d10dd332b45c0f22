#include "ui/messages/TextLimitsWarning.h"

#include "ui/common/Twips.h"

#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// Layout in twips. The explanation takes three lines of the dialog font; a fourth is spare.
constexpr int ClientWidth = 6000;
constexpr int TextWidth = ClientWidth - DialogFrame::TextLeft - DialogFrame::Margin;
constexpr int LabelTop = 180;
constexpr int LabelHeight = 1020;
constexpr int ListTop = LabelTop + LabelHeight + 120;
constexpr int ListHeight = 1230;
constexpr int ButtonTop = ListTop + ListHeight + 180;
constexpr int ClientHeight = ButtonTop + DialogFrame::ButtonHeight + DialogFrame::Margin;

} // namespace

frmKeikoku::frmKeikoku(QWidget* owner) : DialogFrame(u"frmKeikoku"_s, u"Rinvale QX"_s, owner) {
    setClientSize(ClientWidth, ClientHeight);
    addIcon(QStyle::SP_MessageBoxWarning);
    addLabel(u"Label1"_s,
             u"全体の文字数が9999文字を超える場合、全体の段落数が 200段落を超える場合、１段落の文字数が "
             u"800文字を超える場合は、適当な箇所で分割または改行してください。"_s,
             TextLeft, LabelTop, TextWidth, LabelHeight, Qt::AlignLeft | Qt::AlignTop);
    List1 = new QListWidget(this);
    List1->setObjectName(u"List1"_s);
    List1->setSelectionMode(QAbstractItemView::NoSelection);
    twips::place(List1, TextLeft, ListTop, TextWidth, ListHeight);
    QPushButton* ok = addButton(u"Command1"_s, u"OK"_s, (ClientWidth - ButtonWidth) / 2, ButtonTop);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    ok->setFocus();
}

void frmKeikoku::setLines(const QStringList& lines) {
    List1->clear();
    List1->addItems(lines);
}
