#pragma once

#include <vector>

namespace quorvan::graduations {

// Where a logarithmic frequency axis from `debut` to `fin` hertz is labelled: decades over
// more than two and a half, then 1, 2 and 5 times each, then every unit of the decade, and
// once zoomed to about a third of a decade, a round linear step. `secondaires`: the finer lines
// between labels (2 to 9 times each decade) where the labels leave room for them. `chiffres`: the
// significant digits that tell the labels apart.
struct Frequences {
    std::vector<double> reperes;
    std::vector<double> secondaires;
    int chiffres = 1;
};
[[nodiscard]] Frequences frequences(double debut, double fin);

// The step between the labels of a value axis spanning `etendue`: 1, 2 or 5 times a power of
// ten, at most ten steps; for angles, at most eight steps of 45° or 90° (180° for the longest
// curves), and finer divisors of 45° once zoomed in.
enum class Pas { Decimal, Angle };
[[nodiscard]] double pas(double etendue, Pas sorte);

// The decimals a label needs at that step: 0.5 → 1, 0.25 → 2, 45 → 0.
[[nodiscard]] int decimales(double pas);

// A value axis fitted to the values from `plusBas` to `plusHaut`: no more than `profondeur`
// below the top when it is positive, a margin of 4 % of what is shown either side, and no
// axis below zero under values that are never negative when `plancherZero`.
struct Plage {
    double bas;
    double haut;
};
[[nodiscard]] Plage plage(double plusBas, double plusHaut, double profondeur, bool plancherZero);

} // namespace quorvan::graduations
