#include "Statistiques.h"

namespace quorvan::analyse {

Repartition repartition(std::span<const double> tries) {
    return {quantile(tries, 0.01), quantile(tries, 0.05), quantile(tries, 0.50),
            quantile(tries, 0.95), quantile(tries, 0.99), quantile(tries, 0.0),
            quantile(tries, 1.0)};
}

} // namespace quorvan::analyse
