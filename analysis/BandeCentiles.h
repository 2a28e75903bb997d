#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace quorvan::analyse {

// The 1st and 99th percentiles of the gain at each frequency over many trials, the trials fed
// in any order. It keeps at each frequency only the lowest and the highest values those two
// percentiles read (1 % of the trials and a few more each side), so that a million trials of two
// hundred frequencies fit in a few tens of megabytes; the result does not depend on the order.
class BandeCentiles {
public:
    BandeCentiles(std::size_t points, std::size_t essais);

    // One trial's gains, one per frequency.
    void ajouter(std::span<const double> gainsDb);

    // At each frequency, once every trial is in: as quantile() of all the trials' gains there.
    [[nodiscard]] std::vector<double> centile1() const;
    [[nodiscard]] std::vector<double> centile99() const;

private:
    std::size_t essais_;
    std::size_t garde_;                     // how many values each side keeps
    std::vector<std::vector<double>> bas_;  // max-heaps of the lowest values
    std::vector<std::vector<double>> haut_; // min-heaps of the highest values
};

} // namespace quorvan::analyse
