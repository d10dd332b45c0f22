#include "ui/texts/ChangeSummaryFrame.h"

#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

ChangeSummaryFrame::ChangeSummaryFrame(const QString& name, const QString& caption, QWidget* owner)
    : DialogFrame(name, caption, owner) {}

int ChangeSummaryFrame::addChangeRows(const TextEditing::Changes& c, int top) {
    const struct {
        const char16_t* name;
        const char16_t* caption;
        bool changed;
    } rows[] = {{u"title", u"表題：", c.title},
                {u"body", u"本文：", c.body},
                {u"source", u"出所：", c.source},
                {u"date", u"日付：", c.date},
                {u"keyword", u"キーワード：", c.keyword}};
    for (const auto& row : rows) {
        const QString name = QString::fromUtf16(row.name);
        addLabel(name + u"Caption"_s, QString::fromUtf16(row.caption), 600, top, 1800, RowHeight,
                 Qt::AlignRight | Qt::AlignVCenter);
        QLabel* status =
            addLabel(name + u"Status"_s, row.changed ? u"変更あり"_s : u"変更なし"_s, 2520, top, 1800, RowHeight);
        if (row.changed) status->setStyleSheet(u"color: rgb(255, 0, 0);"_s);
        top += RowHeight;
    }
    return top;
}

void ChangeSummaryFrame::addButtons(int top) {
    const int left = (ClientWidth - 2 * ButtonWidth - ButtonGap) / 2;
    m_ok = addButton(u"acceptButton"_s, u"OK"_s, left, top);
    m_cancel = addButton(u"rejectButton"_s, u"ｷｬﾝｾﾙ"_s, left + ButtonWidth + ButtonGap, top);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    setClientSize(ClientWidth, top + ButtonHeight + Margin);
}
