#pragma once

#include "core/scoring/ResultComputation.h"

#include <array>

class QLabel;
class QWidget;

/** The loaded text's ten best whole-text attempts. */
class BestListPanel {
public:
    explicit BestListPanel(QWidget* form);

    void show(const ResultComputation::BestList& list);

private:
    /** Per row: rank, CPM, grade, score, own level. */
    std::array<std::array<QLabel*, 5>, 10> m_cells{};
};
