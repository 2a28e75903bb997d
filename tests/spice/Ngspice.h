#pragma once

// Running ngspice on a netlist, as a user would, and reading back what it computed.

#include "Fichiers.h"

#include <complex>
#include <string>
#include <string_view>
#include <vector>

namespace quorvan::spice::test {

using quorvan::test::DossierTemporaire;
using quorvan::test::ecrireFichier;
using quorvan::test::lancer;
using quorvan::test::lireFichier;

// One frequency of an AC sweep: the complex voltage of the output node for 1 V at the input.
struct PointAc {
    double frequence = 0.0; // hertz
    std::complex<double> sortie;
};

// Reads the first plot of an ngspice raw file written as text (SPICE_ASCIIRAWFILE) and picks
// the node voltage `vecteur`, e.g. "v(out)". The numbers are read the same whatever the
// process's locale. Throws std::runtime_error on anything it cannot read.
[[nodiscard]] std::vector<PointAc> lireFichierBrut(std::string_view texte,
                                                   std::string_view vecteur);

// The path of ngspice found when the build was configured, empty when there was none.
[[nodiscard]] std::string cheminNgspice();

// Simulates an unchanged netlist file with `ngspice -b` and returns the output node's
// response. Throws std::runtime_error when ngspice fails, with its log in the message.
[[nodiscard]] std::vector<PointAc> simuler(const std::string& fichierNetlist);

} // namespace quorvan::spice::test
