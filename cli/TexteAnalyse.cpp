#include "TexteAnalyse.h"

#include "report/EcritureSI.h"

#include <array>
#include <charconv>
#include <cmath>

namespace quorvan::cli {

namespace {

// `valeur` with `decimales` decimals (shortest when negative), `separateur` for the point,
// whatever the C locale.
std::string nombre(double valeur, int decimales, std::string_view separateur) {
    if (!std::isfinite(valeur)) {
        return "?";
    }
    std::array<char, 64> texte{};
    const auto fin = decimales < 0
                         ? std::to_chars(texte.data(), texte.data() + texte.size(), valeur).ptr
                         : std::to_chars(texte.data(), texte.data() + texte.size(), valeur,
                                         std::chars_format::fixed, decimales)
                               .ptr;
    std::string s(texte.data(), fin);
    if (const auto point = s.find('.'); point != std::string::npos) {
        s.replace(point, 1, separateur);
    }
    return s;
}

std::string hertz(double valeur, std::string_view separateur) {
    const std::string texte = ecrireSI(valeur, "Hz", separateur, 4);
    return texte.empty() ? "?" : texte;
}

} // namespace

std::string texteOptimisation(const Analyses& analyses, std::string_view separateur) {
    if (!analyses.montage) {
        return "Pas de valeurs optimis\u00E9es : " + analyses.pourquoiSansMontage + "\n";
    }
    const circuit::Montage& m = *analyses.montage;
    const analyse::SeriesPieces& series = analyses.series;
    std::string texte = "Valeurs optimis\u00E9es (r\u00E9sistances " +
                        std::string(series.resistances.nom) + ", condensateurs " +
                        std::string(series.condensateurs.nom) + ") :\n";
    const std::vector<circuit::Piece> pieces = circuit::pieces(m.circuit);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const bool resistance = m.element(i).nature == circuit::Nature::Resistance;
        texte += pieces[i].nom + " = " +
                 ecrireSI(m.valeurs[i], resistance ? "\u03A9" : "F", separateur, 3) + " (cellule " +
                 std::to_string(pieces[i].bloc + 1) + ")\n";
    }
    return texte + "\u00C9cart maximal \u00E0 la r\u00E9ponse de la famille : " +
           nombre(analyses.optimisation->ecartMaxDb, 3, separateur) +
           " dB (valeurs simplement arrondies : " +
           nombre(analyses.optimisation->ecartMaxArrondiDb, 3, separateur) + " dB)\n";
}

std::string texteMonteCarlo(const analyse::ResultatMonteCarlo& r,
                            const analyse::ReglagesMonteCarlo& reglages,
                            std::string_view separateur) {
    const analyse::Tolerances& t = reglages.tolerances;
    std::string texte = "Monte-Carlo : " + std::to_string(reglages.essais) + " essais, loi " +
                        (t.loi == analyse::Loi::Gauss ? "gauss" : "uniforme") +
                        ", r\u00E9sistances \u00B1" + nombre(t.resistancesPct, -1, separateur) +
                        " %, condensateurs \u00B1" + nombre(t.condensateursPct, -1, separateur) +
                        " %, graine " + std::to_string(reglages.graine) + "\n";
    texte += "Coupure \u00E0 -3 dB : m\u00E9diane " + hertz(r.coupure3dB.p50, separateur) +
             ", 98 % des essais de " + hertz(r.coupure3dB.p1, separateur) + " \u00E0 " +
             hertz(r.coupure3dB.p99, separateur) + " (pire cas " +
             hertz(r.pireCas.coupureMin, separateur) + " \u00E0 " +
             hertz(r.pireCas.coupureMax, separateur) + ")\n";
    texte += "Ondulation : m\u00E9diane " + nombre(r.ondulationDb.p50, 3, separateur) +
             " dB, 99e centile " + nombre(r.ondulationDb.p99, 3, separateur) + " dB\n";
    if (r.rendementPct) {
        texte += "Rendement : " + nombre(*r.rendementPct, 1, separateur) + " %\n";
    }
    if (!r.sensibilites.empty()) {
        const analyse::Sensibilite& s = r.sensibilites.front();
        texte += "\u00C0 resserrer en premier : " + s.nom + " (" +
                 nombre(s.partVariancePct, 0, separateur) + " % de la variance de la coupure)\n";
    }
    return texte;
}

} // namespace quorvan::cli
