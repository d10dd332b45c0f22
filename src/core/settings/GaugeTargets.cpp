#include "core/settings/GaugeTargets.h"

#include <algorithm>

namespace GaugeTargets {
namespace {

constexpr QStringView None{NoGradeText, std::size(NoGradeText) - 1};

constexpr Grade Standard0Japanese[] = {
    {u" Z段", 300}, {u" 9段", 283}, {u" 8段", 267}, {u" 7段", 250}, {u" 6段", 233}, {u" 5段", 217}, {u" 4段", 200},
    {u" 3段", 183}, {u" 2段", 167}, {u" S段", 150}, {u" 1級", 104}, {u" 準1", 66},  {u" 2級", 50},  {u" 準2", 41},
    {u" 3級", 33},  {u" 4級", 31},  {u" 5級", 29},  {u" 6級", 27},  {u" 7級", 25},  {u" 8級", 23},  {u" 9級", 20},
    {u" 10A", 18},  {u" 10B", 15},  {u" 10C", 12},  {u" 10D", 8},   {u" 10E", 0}};
constexpr Grade Standard0English[] = {
    {u" Z段", 833}, {u" 9段", 767}, {u" 8段", 700}, {u" 7段", 633}, {u" 6段", 567}, {u" 5段", 500}, {u" 4段", 433},
    {u" 3段", 367}, {u" 2段", 300}, {u" S段", 233}, {u" 1級", 165}, {u" 準1", 92},  {u" 2級", 73},  {u" 準2", 63},
    {u" 3級", 54},  {u" 4級", 52},  {u" 5級", 49},  {u" 6級", 47},  {u" 7級", 44},  {u" 8級", 41},  {u" 9級", 38},
    {u" 10A", 34},  {u" 10B", 31},  {u" 10C", 24},  {u" 10D", 17},  {u" 10E", 0}};
constexpr Grade Standard1Japanese[] = {{u" S級", 90}, {u" A級", 80}, {u" B級", 60}, {u" C級", 40}, {u" D級", 0}};
constexpr Grade Standard1English[] = {{u" S級", 300}, {u" A級", 250}, {u" B級", 200}, {u" C級", 150}, {u" D級", 0}};
constexpr Grade Standard2Japanese[] = {{u" S段", 150}, {u" 1級", 100}, {u" 2級", 70}, {u" 3級", 50},
                                       {u" 4級", 30},  {u" 5級", 10},  {None, 0}};
constexpr Grade Standard2English[] = {{u" S段", 300}, {u" 1級", 200}, {u" 2級", 140}, {u" 3級", 100},
                                      {u" 4級", 60},  {u" 5級", 20},  {None, 0}};
constexpr Grade Standard3Japanese[] = {{u" 1級", 70}, {u" 2級", 45}, {u" 3級", 30}, {u" 4級", 20}, {None, 0}};
constexpr Grade Standard4Japanese[] = {{u" S段", 80}, {u" 1級", 70}, {u" 準1", 60}, {u" 2級", 50},
                                       {u" 準2", 40}, {u" 3級", 30}, {u" 4級", 20}, {None, 0}};

template <size_t N> constexpr bool fastestFirstDownToZero(const Grade (&list)[N]) {
    for (size_t i = 1; i < N; ++i)
        if (!(list[i - 1].cpm > list[i].cpm)) return false;
    return list[N - 1].cpm == 0;
}
// The lookup takes the first grade at or below a speed: a list out of order would skip grades.
static_assert(fastestFirstDownToZero(Standard0Japanese) && fastestFirstDownToZero(Standard0English));
static_assert(fastestFirstDownToZero(Standard1Japanese) && fastestFirstDownToZero(Standard1English));
static_assert(fastestFirstDownToZero(Standard2Japanese) && fastestFirstDownToZero(Standard2English));
static_assert(fastestFirstDownToZero(Standard3Japanese) && fastestFirstDownToZero(Standard4Japanese));

} // namespace

int maximum(Row row) {
    return row == Row::Japanese ? 400 : 1000;
}

bool hasEnglishRow(int standard) {
    return standard >= 0 && standard <= 2;
}

std::span<const Grade> grades(int standard, Row row) {
    const bool japanese = row == Row::Japanese;
    switch (standard) {
    case 0:
        return japanese ? std::span<const Grade>(Standard0Japanese) : std::span<const Grade>(Standard0English);
    case 1:
        return japanese ? std::span<const Grade>(Standard1Japanese) : std::span<const Grade>(Standard1English);
    case 2:
        return japanese ? std::span<const Grade>(Standard2Japanese) : std::span<const Grade>(Standard2English);
    case 3:
        return japanese ? std::span<const Grade>(Standard3Japanese) : std::span<const Grade>();
    case 4:
        return japanese ? std::span<const Grade>(Standard4Japanese) : std::span<const Grade>();
    default:
        return {};
    }
}

QString gradeReached(std::span<const Grade> list, int cpm) {
    if (list.empty()) return {};
    for (const Grade& grade : list)
        if (grade.cpm <= cpm) return grade.label.toString();
    return list.back().label.toString();
}

std::optional<int> targetOf(std::span<const Grade> list, QStringView label) {
    for (const Grade& grade : list)
        if (grade.label == label) return grade.cpm;
    return std::nullopt;
}

int clampedTarget(qint64 stored, Row row) {
    return int(std::clamp<qint64>(stored, 0, maximum(row)));
}

} // namespace GaugeTargets
