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

TextLimitsWarning::TextLimitsWarning(QWidget* owner) : DialogFrame(u"TextLimitsWarning"_s, u"Rinvale QX"_s, owner) {
    setClientSize(ClientWidth, ClientHeight);
    addIcon(QStyle::SP_MessageBoxWarning);
    addLabel(u"explanationLabel"_s,
             u"全体の文字数が9999文字を超える場合、全体の段落数が 200段落を超える場合、１段落の文字数が "
             u"800文字を超える場合は、適当な箇所で分割または改行してください。"_s,
             TextLeft, LabelTop, TextWidth, LabelHeight, Qt::AlignLeft | Qt::AlignTop);
    m_limitList = new QListWidget(this);
    m_limitList->setObjectName(u"limitList"_s);
    m_limitList->setSelectionMode(QAbstractItemView::NoSelection);
    twips::place(m_limitList, TextLeft, ListTop, TextWidth, ListHeight);
    QPushButton* ok = addButton(u"acceptButton"_s, u"OK"_s, (ClientWidth - ButtonWidth) / 2, ButtonTop);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    ok->setFocus();
}

void TextLimitsWarning::setLines(const QStringList& lines) {
    m_limitList->clear();
    m_limitList->addItems(lines);
}
