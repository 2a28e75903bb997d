#pragma once

// Running ngspice on a netlist, as a user would, and reading back what it computed.

#include <complex>
#include <string>
#include <string_view>
#include <vector>

namespace quorvan::spice::test {

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

// Runs a program without a shell and waits for it. `variables` (NAME=value) are added to the
// inherited environment; standard output and error go to `journal`. Returns the exit status,
// or -1 when the program could not run or was killed.
int lancer(const std::vector<std::string>& arguments, const std::vector<std::string>& variables,
           const std::string& journal);

// A directory of its own under the test's temporary directory, removed with what it holds
// when the object goes.
class DossierTemporaire {
public:
    DossierTemporaire();
    ~DossierTemporaire();
    DossierTemporaire(const DossierTemporaire&) = delete;
    DossierTemporaire& operator=(const DossierTemporaire&) = delete;

    [[nodiscard]] const std::string& chemin() const { return chemin_; }
    [[nodiscard]] std::string fichier(std::string_view nom) const;

private:
    std::string chemin_;
};

[[nodiscard]] std::string lireFichier(const std::string& chemin);
void ecrireFichier(const std::string& chemin, std::string_view contenu);

// The path of ngspice found when the build was configured, empty when there was none.
[[nodiscard]] std::string cheminNgspice();

// Simulates an unchanged netlist file with `ngspice -b` and returns the output node's
// response. Throws std::runtime_error when ngspice fails, with its log in the message.
[[nodiscard]] std::vector<PointAc> simuler(const std::string& fichierNetlist);

} // namespace quorvan::spice::test
