// Prints every family's poles and its exact response at a few frequencies as JSON, for the
// check against SciPy's filter prototypes.

#include "analysis/PolesFamille.h"
#include "analysis/ReponseIdeale.h"

#include <cstdio>
#include <numbers>

int main() {
    using namespace quorvan;
    using namespace quorvan::analyse;
    constexpr double Frequence = 1000;
    constexpr double Frequences[] = {10, 300, 900, 1000, 1100, 2500, 1e5};
    std::printf("{\"frequence\": %.17g, \"frequences\": [", Frequence);
    for (std::size_t i = 0; i < std::size(Frequences); ++i) {
        std::printf("%s%.17g", i == 0 ? "" : ", ", Frequences[i]);
    }
    std::printf("], \"familles\": [");
    for (const Famille& f : Familles) {
        for (int ordre = OrdreMin; ordre <= OrdreMax; ++ordre) {
            std::printf(
                "%s\n{\"nom\": \"%.*s\", \"ondulation_db\": %.17g, \"ordre\": %d, \"poles\": [",
                f.index == 0 && ordre == OrdreMin ? "" : ",",
                static_cast<int>(f.nomCommande.size()), f.nomCommande.data(), f.ondulationDb,
                ordre);
            const auto poles = polesFamille(f.index, ordre);
            for (std::size_t i = 0; i < poles.size(); ++i) {
                std::printf("%s[%.17g, %.17g]", i == 0 ? "" : ", ", poles[i].real(),
                            poles[i].imag());
            }
            // The response at a pass-band gain of −1/2, as an odd-order circuit has.
            for (const TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
                const ReponseIdeale ideale(f.index, ordre, type, Frequence, -0.5);
                std::printf("], \"%s\": [", type == TypeFiltre::PasseBas ? "bas" : "haut");
                for (std::size_t i = 0; i < std::size(Frequences); ++i) {
                    const auto h = ideale({0, 2 * std::numbers::pi * Frequences[i]});
                    std::printf("%s[%.17g, %.17g]", i == 0 ? "" : ", ", h.real(), h.imag());
                }
            }
            std::printf("]}");
        }
    }
    std::printf("]}\n");
    return 0;
}
