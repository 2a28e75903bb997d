#pragma once

#include "ValeursNormalisees.h"
#include "circuit/Montage.h"

#include <string>
#include <vector>

namespace quorvan::analyse {

// One line of a parts list: the parts of one nature and one value.
struct LigneNomenclature {
    std::vector<std::string> references; // as the netlist names them, in circuit order
    circuit::Nature nature = circuit::Nature::Resistance;
    double valeur = 0.0;   // ohms or farads
    std::string serie;     // the series it was bought from, or "" for a value of no series
    std::string valeurLue; // as a buyer reads it: "12.1 kΩ", "4.7 nF"
};

// The parts of `montage` grouped by value, resistors first, each group in rising value. A
// value belongs to `serieR` (resistors) or `serieC` (capacitors) when it is one of its values.
[[nodiscard]] std::vector<LigneNomenclature> nomenclature(const circuit::Montage& montage,
                                                          const Serie& serieR, const Serie& serieC);

// The parts list as CSV, the way spreadsheets and distributors' upload forms read it:
// "reference;valeur;serie;quantite", then a line a group, its references separated by spaces.
[[nodiscard]] std::string nomenclatureCsv(const std::vector<LigneNomenclature>& lignes);

} // namespace quorvan::analyse
