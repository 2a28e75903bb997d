#include "Conceptions.h"

#include "report/CommandeCalcul.h"

namespace quorvan::test {

Conception concevoir(int famille, int ordre, TypeFiltre type, const char* frequence) {
    Module1 module;
    module.NumFiltre = static_cast<std::int16_t>(famille);
    module.NumOrdre = static_cast<std::int16_t>(ordre);
    return executerCalcul(module, {type, "", ""}, frequence, ".").conception;
}

void pourChaqueConception(const std::function<void(const Conception&)>& faire) {
    for (int famille = 0; famille <= FamilleMax; ++famille) {
        for (int ordre = OrdreMin; ordre <= OrdreMax; ++ordre) {
            for (const TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
                faire(concevoir(famille, ordre, type, "1000"));
            }
        }
    }
}

} // namespace quorvan::test
