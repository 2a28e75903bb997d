#include "ExportSpice.h"

#include "circuit/Circuit.h"
#include "netlist/NetlistSpice.h"

namespace quorvan::cli {

std::string netlistDeLaConception(const Demande& demande, const IssueCalcul& issue,
                                  const Module1& module) {
    const bool passeBas = demande.type == TypeFiltre::PasseBas;
    const spice::ValeursConception valeurs{demande.NumFiltre, issue.frequence, issue.valeurCommune,
                                           passeBas ? module.TabC : module.TabR};
    return spice::ecrireNetlist(circuit::composerCircuit(demande.type, demande.NumOrdre), valeurs);
}

} // namespace quorvan::cli
