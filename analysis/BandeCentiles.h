#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace quorvan::analyse {

// The 1st and 99th percentiles of the gain in dB at each frequency over many trials, the trials
// fed in any order as |H|², which ranks them as their gain does. It keeps at each frequency
// only the lowest and the highest values those two percentiles read (1 % of the trials and a
// few more each side), so that a million trials of two hundred frequencies fit in a few tens of
// megabytes, and takes the logarithm of those alone; the result does not depend on the order.
class BandeCentiles {
public:
    BandeCentiles(std::size_t points, std::size_t essais);

    // One trial's |H|², one per frequency.
    void ajouter(std::span<const double> carres);

    // At each frequency, once every trial is in: as quantile() of all the trials' gains in dB.
    [[nodiscard]] std::vector<double> centile1Db() const;
    [[nodiscard]] std::vector<double> centile99Db() const;

private:
    std::size_t essais_;
    std::size_t garde_;                     // how many values each side keeps
    std::vector<std::vector<double>> bas_;  // max-heaps of the lowest values
    std::vector<std::vector<double>> haut_; // min-heaps of the highest values
    // What a value must be below (above) to enter, side by side for a quick pass over a trial.
    std::vector<double> entreeBas_;
    std::vector<double> entreeHaut_;
};

} // namespace quorvan::analyse
