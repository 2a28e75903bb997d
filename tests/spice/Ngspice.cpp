#include "Ngspice.h"

#include <charconv>
#include <cstddef>
#include <stdexcept>
#include <system_error>

namespace quorvan::spice::test {
namespace {

// std::from_chars, unlike strtod, never takes the decimal point from the locale.
double nombre(std::string_view texte) {
    double valeur = 0.0;
    const auto [fin, erreur] = std::from_chars(texte.data(), texte.data() + texte.size(), valeur);
    if (erreur != std::errc{} || fin != texte.data() + texte.size()) {
        throw std::runtime_error("not a number in the raw file: \"" + std::string(texte) + "\"");
    }
    return valeur;
}

std::complex<double> nombreComplexe(std::string_view texte) {
    const std::size_t virgule = texte.find(',');
    if (virgule == std::string_view::npos) {
        throw std::runtime_error("not a complex value: \"" + std::string(texte) + "\"");
    }
    return {nombre(texte.substr(0, virgule)), nombre(texte.substr(virgule + 1))};
}

std::string_view valeurEnTete(std::string_view ligne, std::string_view cle) {
    if (!ligne.starts_with(cle)) {
        return {};
    }
    ligne.remove_prefix(cle.size());
    while (!ligne.empty() && (ligne.front() == ' ' || ligne.front() == '\t')) {
        ligne.remove_prefix(1);
    }
    while (!ligne.empty() && (ligne.back() == ' ' || ligne.back() == '\r')) {
        ligne.remove_suffix(1);
    }
    return ligne;
}

std::size_t entier(std::string_view texte) {
    std::size_t n = 0;
    const auto [fin, erreur] = std::from_chars(texte.data(), texte.data() + texte.size(), n);
    if (erreur != std::errc{} || fin != texte.data() + texte.size()) {
        throw std::runtime_error("not a count in the raw file: \"" + std::string(texte) + "\"");
    }
    return n;
}

} // namespace

std::vector<PointAc> lireFichierBrut(std::string_view texte, std::string_view vecteur) {
    std::istringstream lignes{std::string(texte)};
    std::string ligne;
    std::size_t variables = 0;
    std::size_t points = 0;
    bool complexe = false;
    std::size_t indiceVecteur = 0;
    bool vecteurTrouve = false;
    bool valeurs = false;
    while (!valeurs && std::getline(lignes, ligne)) {
        if (ligne.starts_with("Binary:")) {
            throw std::runtime_error("the raw file is binary, not text");
        }
        if (const auto v = valeurEnTete(ligne, "Flags:"); !v.empty()) {
            complexe = v.find("complex") != std::string_view::npos;
        } else if (const auto n = valeurEnTete(ligne, "No. Variables:"); !n.empty()) {
            variables = entier(n);
        } else if (const auto p = valeurEnTete(ligne, "No. Points:"); !p.empty()) {
            points = entier(p);
        } else if (ligne.starts_with("Variables:")) {
            for (std::size_t i = 0; i < variables; ++i) {
                std::string indice;
                std::string nom;
                if (!std::getline(lignes, ligne) || !(std::istringstream(ligne) >> indice >> nom)) {
                    throw std::runtime_error("the variable list is cut short");
                }
                if (nom == vecteur) {
                    indiceVecteur = i;
                    vecteurTrouve = true;
                }
            }
        } else if (ligne.starts_with("Values:")) {
            valeurs = true;
        }
    }
    if (!valeurs || !complexe || variables < 2 || points == 0) {
        throw std::runtime_error("no complex sweep in the raw file");
    }
    if (!vecteurTrouve) {
        throw std::runtime_error("no vector " + std::string(vecteur) + " in the raw file");
    }

    // Each point: its index, then one "real,imaginary" pair per variable, the frequency first.
    std::vector<PointAc> resultat;
    std::string mot;
    for (std::size_t p = 0; p < points; ++p) {
        if (!(lignes >> mot) || entier(mot) != p) {
            throw std::runtime_error("point " + std::to_string(p) + " is missing");
        }
        PointAc point;
        for (std::size_t i = 0; i < variables; ++i) {
            if (!(lignes >> mot)) {
                throw std::runtime_error("point " + std::to_string(p) + " is cut short");
            }
            if (i == 0) {
                // Only the real part of the frequency is meaningful.
                point.frequence = nombre(mot.substr(0, mot.find(',')));
            } else if (i == indiceVecteur) {
                point.sortie = nombreComplexe(mot);
            }
        }
        resultat.push_back(point);
    }
    return resultat;
}

std::string cheminNgspice() {
    return QUORVAN_NGSPICE;
}

std::vector<PointAc> simuler(const std::string& fichierNetlist) {
    const std::string ngspice = cheminNgspice();
    if (ngspice.empty()) {
        throw std::runtime_error("ngspice was not found when the build was configured "
                                 "(scripts/install-deps.sh installs it)");
    }
    const std::string brut = fichierNetlist + ".raw";
    const std::string journal = fichierNetlist + ".log";
    // -n: no user or local .spiceinit may change the run. The raw file is written by -r,
    // so the netlist itself is simulated as the user has it.
    const int code = lancer({ngspice, "-n", "-b", "-r", brut, fichierNetlist},
                            {"SPICE_ASCIIRAWFILE=1", "LC_ALL=C"}, journal);
    if (code != 0) {
        throw std::runtime_error("ngspice exited with " + std::to_string(code) + ":\n" +
                                 lireFichier(journal));
    }
    return lireFichierBrut(lireFichier(brut), "v(out)");
}

} // namespace quorvan::spice::test
