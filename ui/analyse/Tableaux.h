#pragma once

#include "analysis/Etages.h"
#include "analysis/Optimisation.h"
#include "analysis/ValeursNormalisees.h"
#include "circuit/Montage.h"
#include "engine/Familles.h"

#include <QList>
#include <QStringList>

#include <vector>

class QTableWidget;

namespace quorvan {

// A table the user reads: no editing, and Tab moves on to the next control rather than
// through its cells (arrows move between cells).
[[nodiscard]] QTableWidget* tableLecture(const QString& nomObjet, const QStringList& titres,
                                         const QString& nomAccessible);
// Fills it in one go: sizing the columns cell by cell would cost more than the analysis.
void remplir(QTableWidget* table, const QList<QStringList>& lignes);

// The rows of the components table: name, computed value, standard value, deviation.
[[nodiscard]] QList<QStringList> lignesComposants(TypeFiltre type,
                                                  const std::vector<analyse::Ecart>& ecarts);
// The rows of the stages table: number and components, f0, Q, real pole, its own gain in the
// pass band, the highest gain at its output from the filter's input, op-amp GBW.
[[nodiscard]] QList<QStringList> lignesEtages(const std::vector<analyse::Etage>& etages);
// The rows of the optimised parts table, one per physical part in circuit order: its name as
// the netlist gives it, its value, its series, its stage (from 1, input first).
[[nodiscard]] QList<QStringList> lignesPieces(const circuit::Montage& montage,
                                              const analyse::SeriesPieces& series);

} // namespace quorvan
