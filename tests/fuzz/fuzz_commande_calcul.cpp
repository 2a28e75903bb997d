// The whole Calculate command on any text, selection and separator: it always ends in the
// report or a message, and a report always has one line per component.

#include "engine/Familles.h"
#include "report/CommandeCalcul.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvan;
    if (size < 2) {
        return 0;
    }
    Module1 module;
    module.NumFiltre = static_cast<std::int16_t>(data[0] % Familles.size());
    module.NumOrdre = static_cast<std::int16_t>(OrdreMin + (data[0] / Familles.size()) %
                                                               (OrdreMax - OrdreMin + 1));
    const TypeFiltre type = (data[1] & 1) != 0 ? TypeFiltre::PasseHaut : TypeFiltre::PasseBas;
    const std::string_view separateur = (data[1] & 2) != 0 ? "," : ".";
    const std::string_view texte(reinterpret_cast<const char*>(data + 2), size - 2);

    const SelectionAffichee selection{type, famille(module.NumFiltre).libelle, libelleType(type)};
    const IssueCalcul issue = executerCalcul(module, selection, texte, separateur);
    if (issue.message.empty()) {
        std::abort();
    }
    if (issue.contenu == ContenuResultat::Rapport) {
        std::size_t lignes = 0;
        for (std::size_t p = issue.Resultat.find("\r\n"); p != std::string::npos;
             p = issue.Resultat.find("\r\n", p + 2)) {
            ++lignes;
        }
        if (lignes != static_cast<std::size_t>(6 + module.NumOrdre) ||
            issue.Resultat.find("inf") != std::string::npos ||
            issue.Resultat.find("nan") != std::string::npos) {
            std::abort();
        }
    }
    return 0;
}
