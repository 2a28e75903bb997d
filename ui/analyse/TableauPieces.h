#pragma once

#include "analysis/Optimisation.h"
#include "circuit/Montage.h"

#include <QList>
#include <QStringList>

namespace quorvan {

// The rows of the optimised parts table, one per physical part in circuit order: its name as
// the netlist gives it, its value, its series, its stage (from 1, input first).
[[nodiscard]] QList<QStringList> lignesPieces(const circuit::Montage& montage,
                                              const analyse::SeriesPieces& series);

} // namespace quorvan
