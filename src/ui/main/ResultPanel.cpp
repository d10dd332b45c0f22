#include "ui/main/ResultPanel.h"

#include "ui/main/PanelParts.h"

#include <QLabel>
#include <QPalette>

using namespace Qt::StringLiterals;
using namespace MainLayout;
using panelparts::indexed;
using panelparts::makeLabel;

ResultPanel::ResultPanel(QWidget* form) {
    struct Cell {
        int index;
        const char16_t* caption;
        const char16_t* valueName;
    };
    // In value order: CPM, LVL, SCR, RV, 打数, 文字数, two to a row.
    const Cell results[] = {{5, u"CPM", u"cpmValue"},         {7, u"LVL", u"gradeValue"},
                            {6, u"SCR", u"scoreValue"},       {8, u"RV", u"ownLevelValue"},
                            {0, u"打数", u"keystrokesValue"}, {9, u"文字数", u"textCharsValue"}};
    for (int i = 0; i < ValueCount; ++i)
        makeLabel(form, indexed(u"resultCaptions"_s, results[i].index), QString::fromUtf16(results[i].caption),
                  RightColumn + (i % 2) * 2160, 900 + (i / 2) * 315, 720, 300);
    for (int v = 0; v < ValueCount; ++v)
        m_values[size_t(v)] =
            makeLabel(form, QString::fromUtf16(results[v].valueName), {}, RightColumn + (v % 2) * 2160 + 720,
                      900 + (v / 2) * 315, 1350, 300, Qt::AlignRight | Qt::AlignVCenter);
    const int operationsTop = 900 + 3 * 315 + 60;
    makeLabel(form, indexed(u"resultCaptions"_s, 10), u"打数"_s, RightColumn + 1200, operationsTop, 900, 270,
              Qt::AlignRight | Qt::AlignVCenter);
    makeLabel(form, indexed(u"resultCaptions"_s, 11), u"％"_s, RightColumn + 2100, operationsTop, 1000, 270,
              Qt::AlignRight | Qt::AlignVCenter);
    const char16_t* operations[] = {u"変換", u"確定", u"訂正", u"修正"};
    const char16_t* rowArrays[] = {u"conversionRow", u"confirmationRow", u"correctionRow", u"revisionRow"};
    for (int r = 0; r < 4; ++r) {
        const int top = operationsTop + 270 * (r + 1);
        makeLabel(form, indexed(u"resultCaptions"_s, r + 1), QString::fromUtf16(operations[r]), RightColumn, top, 1000,
                  270);
        for (int c = 0; c < 3; ++c)
            m_rows[size_t(r)][size_t(c)] =
                makeLabel(form, indexed(QString::fromUtf16(rowArrays[r]), c), {}, RightColumn + 1200 + c * 900, top,
                          c == 2 ? 600 : 900, 270, Qt::AlignRight | Qt::AlignVCenter);
    }
}

void ResultPanel::clear() {
    for (int i = 0; i < TextChars; ++i)
        m_values[size_t(i)]->clear();
    for (const auto& row : m_rows)
        for (QLabel* cell : row)
            cell->clear();
}

void ResultPanel::show(const ResultComputation::ResultFigures& f) {
    const QPalette system = m_values[0]->window()->palette();
    const QColor colour = f.greyGrades ? system.color(QPalette::Dark) : system.color(QPalette::ButtonText);
    m_values[Keystrokes]->setText(f.keystrokes);
    for (size_t r = 0; r < 4; ++r) {
        m_rows[r][0]->setText(f.rows[r].count);
        m_rows[r][1]->setText(f.rows[r].rate);
        m_rows[r][2]->setText(f.rows[r].mark);
        panelparts::setTextColour(m_rows[r][2], colour);
    }
    m_values[Cpm]->setText(f.cpm);
    m_values[Grade]->setText(f.grade);
    m_values[Score]->setText(f.scr);
    m_values[OwnLevel]->setText(f.ownLevel);
    for (Value v : {Grade, OwnLevel})
        panelparts::setTextColour(m_values[v], colour);
}

void ResultPanel::setGrade(const QString& grade) {
    m_values[Grade]->setText(grade);
}

void ResultPanel::setTotalChars(const QString& chars) {
    m_values[TextChars]->setText(chars);
}
