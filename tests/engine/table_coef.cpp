// Prints the families and the stored coefficient rows as JSON, for the checks that compare
// them with filter theory and with simulated circuits.

#include "engine/Coef.h"
#include "engine/Familles.h"

#include <cstdio>

int main() {
    using namespace quorvan;
    std::printf("{\"ordre_min\": %d, \"ordre_max\": %d, \"familles\": [", OrdreMin, OrdreMax);
    for (const Famille& f : Familles) {
        std::printf(
            "%s\n {\"index\": %d, \"nom\": \"%.*s\", \"ondulation_db\": %.17g, \"lignes\": {",
            f.index == 0 ? "" : ",", f.index, static_cast<int>(f.nomCommande.size()),
            f.nomCommande.data(), f.ondulationDb);
        for (int ordre = OrdreMin; ordre <= OrdreMax; ++ordre) {
            std::printf("%s\"%d\": [", ordre == OrdreMin ? "" : ", ", ordre);
            for (int i = 1; i <= ordre; ++i) {
                std::printf("%s%.17g", i == 1 ? "" : ", ", Coef[f.index][ordre][i]);
            }
            std::printf("]");
        }
        std::printf("}}");
    }
    std::printf("]}\n");
    return 0;
}
