#include "Rapport.h"

#include "EcritureNombres.h"
#include "engine/Conception.h"

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

// "C1 = 15,916 nF" or "R1 = 864 Ohms", a line per numbered component.
std::string lignesNumerotees(TypeFiltre type, int ordre, const TableauComposants& valeurs,
                             std::string_view separateur) {
    std::string texte;
    for (int n = 1; n <= ordre; ++n) {
        texte.append(nomComposant(type, n)).append(" = ");
        texte.append(formatComposant(type, valeurs[n], separateur)).append(FinDeLigne);
    }
    return texte;
}

} // namespace

std::string composerRapportPasseBas(const EnTeteRapport& entete, std::int32_t RChoix,
                                    const TableauComposants& TabC, std::string_view separateur) {
    std::string texte = composerEnTete(entete, separateur);
    texte.append("R = ").append(formatEntierSigne(RChoix)).append(" Ohms").append(FinDeLigne);
    texte.append(lignesNumerotees(TypeFiltre::PasseBas, entete.NumOrdre, TabC, separateur));
    return texte;
}

std::string composerRapportPasseHaut(const EnTeteRapport& entete, double CChoix,
                                     const TableauComposants& TabR, std::string_view separateur) {
    std::string texte = composerEnTete(entete, separateur);
    texte.append("C = ").append(FormatCapacite(CChoix, separateur)).append(FinDeLigne);
    texte.append(lignesNumerotees(TypeFiltre::PasseHaut, entete.NumOrdre, TabR, separateur));
    return texte;
}

} // namespace quorvan
