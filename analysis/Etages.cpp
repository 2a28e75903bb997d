#include "Etages.h"

#include "Extreme.h"
#include "FonctionBloc.h"
#include "Reseau.h"
#include "circuit/Circuit.h"

#include <Eigen/Eigenvalues>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace quorvan::analyse {

namespace {

// A block of order n is H = K / D(s) (low-pass) or H = K·sⁿ / D(s) (high-pass), D a polynomial
// of degree n: sⁿ/H or 1/H is a polynomial, found exactly from n + 1 values. Its coefficients
// in s / ω, constant first.
Eigen::VectorXd polynomeInverse(const Reseau& r, int n, bool passeBas) {
    Eigen::MatrixXcd vandermonde(n + 1, n + 1);
    Eigen::VectorXcd valeurs(n + 1);
    for (int k = 0; k <= n; ++k) {
        // Points of the right half-plane, where a stable network has no pole.
        const Complexe p = std::polar(1.0, std::numbers::pi * (k / double(n) - 0.5) * 0.8);
        const Complexe h = r.transfert(p * r.omegaReference());
        valeurs(k) = (passeBas ? 1.0 : std::pow(p, n)) / h;
        for (int i = 0; i <= n; ++i) {
            vandermonde(k, i) = std::pow(p, i);
        }
    }
    return vandermonde.partialPivLu().solve(valeurs).real();
}

// The highest gain of a cascade from its input, whose gain at the pass band's open end is
// `ouverture`: there, or at a peak within two decades of the cut-off, where every stage's
// poles lie.
double gainMax(const FonctionCircuit& cascade, double ouverture) {
    const double coupure = cascade.omegaReference / (2 * std::numbers::pi);
    const auto gainDb = [&cascade](double frequence) {
        return 20 * std::log10(std::abs(cascade(Complexe(0.0, 2 * std::numbers::pi * frequence))));
    };
    constexpr int PointsParDecade = 50;
    std::vector<double> f;
    std::vector<double> g;
    for (int i = -2 * PointsParDecade; i <= 2 * PointsParDecade; ++i) {
        f.push_back(coupure * std::pow(10.0, double(i) / PointsParDecade));
        g.push_back(gainDb(f.back()));
    }
    double plusHaut = std::max(20 * std::log10(ouverture), *std::max_element(g.begin(), g.end()));
    for (std::size_t i = 1; i + 1 < g.size(); ++i) {
        if (g[i] >= g[i - 1] && g[i] > g[i + 1]) {
            plusHaut = std::max(plusHaut, extreme(gainDb, f[i - 1], f[i + 1], 1).gainDb);
        }
    }
    return std::pow(10.0, plusHaut / 20);
}

} // namespace

std::vector<Etage> etages(const Conception& conception) {
    return etages(circuit::monter(conception));
}

std::vector<Etage> etages(const circuit::Montage& montage) {
    const circuit::Circuit& circuit = montage.circuit;
    const bool passeBas = circuit.type == TypeFiltre::PasseBas;
    const FonctionCircuit circuitEntier = fonctionCircuit(montage);
    FonctionCircuit cascade{{}, circuitEntier.omegaReference};
    double gainCascade = 1.0;
    std::vector<Etage> resultat;
    for (std::size_t k = 0; k < circuit.blocs.size(); ++k) {
        Etage etage;
        for (const circuit::Element& e : circuit.blocs[k].elements) {
            if (e.numero != 0) {
                etage.composants.push_back(e.etiquette);
            }
        }
        std::sort(etage.composants.begin(), etage.composants.end());
        const int n = static_cast<int>(etage.composants.size());
        const Reseau reseau(montage, k);
        const Eigen::VectorXd d = polynomeInverse(reseau, n, passeBas);
        // Low-pass: H(0) = 1 / d0; high-pass: H(∞) = 1 / dn.
        etage.gain = 1.0 / std::fabs(passeBas ? d(0) : d(n));
        cascade.blocs.push_back(circuitEntier.blocs[k]);
        gainCascade *= etage.gain;
        etage.gainMax = gainMax(cascade, gainCascade);
        Eigen::MatrixXd compagnon = Eigen::MatrixXd::Zero(n, n);
        for (int i = 0; i < n; ++i) {
            compagnon(0, i) = -d(n - 1 - i) / d(n);
            if (i > 0) {
                compagnon(i, i - 1) = 1.0;
            }
        }
        const Eigen::VectorXcd poles = compagnon.eigenvalues();
        // The pair is the quadratic factor of highest Q: a complex pair when there is one.
        // Poles are in s / ω; the frequencies follow.
        const double versHz = reseau.omegaReference() / (2 * std::numbers::pi);
        etage.q = -1.0;
        for (int i = 0; i < n; ++i) {
            for (int j = i + 1; j < n; ++j) {
                const Complexe somme = poles(i) + poles(j);
                const double w0 = std::sqrt(std::abs(poles(i) * poles(j)));
                const double q = w0 / -somme.real();
                if (std::fabs(somme.imag()) <= 1e-9 * w0 && q > etage.q) {
                    etage.f0 = w0 * versHz;
                    etage.q = q;
                    etage.poleReel.reset();
                    if (n == 3) {
                        etage.poleReel = std::abs(poles(3 - i - j)) * versHz;
                    }
                }
            }
        }
        if (etage.q <= 0.0) {
            throw std::runtime_error("a stage whose poles are not those of a filter");
        }
        resultat.push_back(std::move(etage));
    }
    return resultat;
}

} // namespace quorvan::analyse
