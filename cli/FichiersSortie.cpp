#include "FichiersSortie.h"

#include <filesystem>
#include <system_error>

namespace quorvan::cli {

namespace {

// The path with every link and "." or ".." of its existing part resolved.
std::filesystem::path resolu(const std::string& chemin) {
    std::error_code erreur;
    const std::filesystem::path absolu = std::filesystem::absolute(chemin, erreur);
    const std::filesystem::path canonique = std::filesystem::weakly_canonical(absolu, erreur);
    return erreur ? absolu.lexically_normal() : canonique;
}

} // namespace

bool memeFichier(const std::string& a, const std::string& b) {
    if (a == "-" || b == "-") {
        return a == b;
    }
    std::error_code erreur; // neither exists: compare where they would be
    return std::filesystem::equivalent(a, b, erreur) || resolu(a) == resolu(b);
}

} // namespace quorvan::cli
