#include "Analyses.h"

#include "analysis/GbwNecessaire.h"

namespace quorvan::cli {

Analyses analyser(const IssueCalcul& issue, const Conception& normalisee,
                  const std::optional<analyse::Serie>& serie, const DemandeAnalyse& demande) {
    Analyses a;
    // Without a choice of series the computed circuit's parts list names the optimiser's.
    a.series = demande.optimisation ? *demande.optimisation
               : serie              ? analyse::SeriesPieces{*serie, *serie}
                                    : seriesParDefaut();
    if (issue.contenu != ContenuResultat::Rapport) {
        return a;
    }
    if (demande.optimisation) {
        a.optimisation = analyse::optimiser(issue.conception, *demande.optimisation);
        a.montage = a.optimisation->montage;
        a.pourquoiSansMontage = a.optimisation->message;
    } else {
        a.montage = circuit::monter(normalisee);
    }
    if (!a.montage) {
        return a;
    }
    if (demande.monteCarlo) {
        a.monteCarlo = analyse::monteCarlo(*a.montage, *demande.monteCarlo);
    }
    a.gbwNecessaire = analyse::gbwNecessaire(*a.montage, demande.gainBoucleOuverte());
    return a;
}

} // namespace quorvan::cli
