#include "ui/main/BestListPanel.h"

#include "ui/common/PlainText.h"
#include "ui/main/PanelParts.h"

#include <QLabel>
#include <QPalette>

using namespace Qt::StringLiterals;
using namespace MainLayout;
using panelparts::indexed;
using panelparts::makeLabel;

BestListPanel::BestListPanel(QWidget* form) {
    const int bestTop = 900 + 3 * 315 + 60 + 270 * 5 + 180;
    const char16_t* columns[] = {u"CPM", u"LVL", u"SCR", u"RV"};
    const char16_t* arrays[] = {u"bestCpm", u"bestGrade", u"bestScore", u"bestOwnLevel"};
    for (int c = 0; c < 4; ++c)
        makeLabel(form, u"bestHeader"_s + QString::number(c), QString::fromUtf16(columns[c]),
                  RightColumn + 600 + c * 930, bestTop, 900, 255, Qt::AlignCenter);
    for (int row = 0; row < 10; ++row) {
        const int top = bestTop + 255 * (row + 1);
        auto& cells = m_cells[size_t(row)];
        cells[0] = makeLabel(form, indexed(u"bestRank"_s, row), QString::number(row + 1), RightColumn, top, 500, 255,
                             Qt::AlignRight | Qt::AlignVCenter);
        for (int c = 0; c < 4; ++c)
            cells[size_t(c) + 1] = makeLabel(form, indexed(QString::fromUtf16(arrays[c]), row), {},
                                             RightColumn + 600 + c * 930, top, 900, 255, Qt::AlignCenter);
    }
}

void BestListPanel::show(const ResultComputation::BestList& list) {
    const QPalette system = m_cells[0][0]->window()->palette();
    const QColor text = system.color(QPalette::ButtonText);
    const QColor shadow = system.color(QPalette::Dark);
    const QColor red(255, 0, 0);
    for (size_t i = 0; i < 10; ++i) {
        const ResultComputation::BestListRow& row = list[i];
        auto& cells = m_cells[i];
        cells[1]->setText(row.cpm);
        cells[1]->setToolTip(plaintext::toolTip(row.cpmTip));
        cells[2]->setText(row.grade);
        cells[3]->setText(row.scr);
        cells[3]->setToolTip(plaintext::toolTip(row.scrTip));
        cells[4]->setText(row.ownLevel);
        for (size_t c = 0; c < 5; ++c) {
            const bool graded = c == 2 || c == 4;
            panelparts::setTextColour(cells[c], row.red ? red : graded && row.greyGrades ? shadow : text);
        }
    }
}
