#include "Rapport.h"

#include "EcritureNombres.h"

namespace quorvan {

namespace {

std::string composerEnTete(const EnTeteRapport& entete, std::string_view separateur) {
    std::string texte;
    texte.append(entete.libelleFiltre).append(FinDeLigne).append(FinDeLigne);
    texte.append("type : ").append(entete.libelleType).append(FinDeLigne);
    texte.append("Ordre : ").append(formatEntierSigne(entete.NumOrdre)).append(FinDeLigne);
    texte.append("Fr\u00E9quence de coupure : ")
        .append(formatTroisDecimales(entete.frequence, separateur))
        .append(" Hz")
        .append(FinDeLigne);
    return texte;
}

} // namespace

std::string composerRapportPasseBas(const EnTeteRapport& entete, std::int32_t RChoix,
                                    const TableauComposants& TabC, std::string_view separateur) {
    std::string texte = composerEnTete(entete, separateur);
    texte.append("R = ").append(formatEntierSigne(RChoix)).append(" Ohms").append(FinDeLigne);
    for (int n = 1; n <= entete.NumOrdre; ++n) {
        texte.append("C").append(formatNumeroComposant(n)).append(" = ");
        texte.append(FormatCapacite(TabC[n], separateur)).append(FinDeLigne);
    }
    return texte;
}

std::string composerRapportPasseHaut(const EnTeteRapport& entete, double CChoix,
                                     const TableauComposants& TabR, std::string_view separateur) {
    std::string texte = composerEnTete(entete, separateur);
    texte.append("C = ").append(FormatCapacite(CChoix, separateur)).append(FinDeLigne);
    for (int n = 1; n <= entete.NumOrdre; ++n) {
        texte.append("R").append(formatNumeroComposant(n)).append(" = ");
        texte.append(formatOhmsArrondis(TabR[n])).append(" Ohms").append(FinDeLigne);
    }
    return texte;
}

} // namespace quorvan
