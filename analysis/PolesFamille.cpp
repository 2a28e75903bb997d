#include "PolesFamille.h"

#include <Eigen/Eigenvalues>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace quorvan::analyse {

namespace {

using Complexe = std::complex<double>;

// The roots of the reverse Bessel polynomial θn(s) = Σ (2n−k)! / (2^(n−k) k! (n−k)!) s^k,
// whose reciprocal has a group delay of 1 s at DC: the companion matrix's eigenvalues, then a
// few Newton steps, which bring them to the last bits the double allows.
std::vector<Complexe> polesBessel(int n) {
    std::vector<double> a(static_cast<std::size_t>(n) + 1);
    for (int k = 0; k <= n; ++k) {
        a[static_cast<std::size_t>(k)] =
            std::tgamma(2 * n - k + 1) /
            (std::pow(2.0, n - k) * std::tgamma(k + 1) * std::tgamma(n - k + 1));
    }
    Eigen::MatrixXd compagnon = Eigen::MatrixXd::Zero(n, n);
    for (int i = 0; i < n; ++i) {
        compagnon(0, i) = -a[static_cast<std::size_t>(n - 1 - i)] / a[static_cast<std::size_t>(n)];
        if (i > 0) {
            compagnon(i, i - 1) = 1.0;
        }
    }
    const Eigen::VectorXcd valeurs = compagnon.eigenvalues();
    std::vector<Complexe> poles(valeurs.begin(), valeurs.end());
    for (Complexe& p : poles) {
        for (int iteration = 0; iteration < 3; ++iteration) {
            Complexe valeur = 0.0;
            Complexe derivee = 0.0;
            for (int k = n; k >= 0; --k) {
                derivee = derivee * p + valeur;
                valeur = valeur * p + a[static_cast<std::size_t>(k)];
            }
            p -= valeur / derivee;
        }
    }
    return poles;
}

std::vector<Complexe> polesButterworth(int n) {
    std::vector<Complexe> poles;
    for (int k = 0; k < n; ++k) {
        poles.push_back(std::polar(1.0, std::numbers::pi * (2.0 * k + n + 1) / (2.0 * n)));
    }
    return poles;
}

// Equal ripple of `ondulationDb` from peak to valley up to 1 rad/s.
std::vector<Complexe> polesChebyshev(int n, double ondulationDb) {
    const double epsilon = std::sqrt(std::pow(10.0, ondulationDb / 10) - 1);
    const double mu = std::asinh(1 / epsilon) / n;
    std::vector<Complexe> poles;
    for (int k = 0; k < n; ++k) {
        const double theta = std::numbers::pi * (2.0 * k + 1) / (2.0 * n);
        poles.emplace_back(-std::sinh(mu) * std::sin(theta), std::cosh(mu) * std::cos(theta));
    }
    return poles;
}

} // namespace

std::vector<Complexe> polesFamille(int famille, int ordre) {
    if (!familleConnue(famille) || !ordreConnu(ordre)) {
        throw std::out_of_range("no such family or order");
    }
    switch (quorvan::famille(famille).approximation) {
    case Approximation::Bessel:
        return polesBessel(ordre);
    case Approximation::Butterworth:
        return polesButterworth(ordre);
    case Approximation::Chebyshev:
        break;
    }
    return polesChebyshev(ordre, quorvan::famille(famille).ondulationDb);
}

PolesGroupes grouper(const std::vector<Complexe>& poles) {
    PolesGroupes g;
    for (const Complexe& p : poles) {
        // A real pole's imaginary part is rounding; a pair is counted once, by its upper pole.
        if (std::fabs(p.imag()) <= 1e-9 * std::abs(p)) {
            g.reel = std::abs(p);
        } else if (p.imag() > 0) {
            g.paires.push_back({std::abs(p), std::abs(p) / (-2 * p.real())});
        }
    }
    std::sort(g.paires.begin(), g.paires.end(),
              [](const PaireDePoles& a, const PaireDePoles& b) { return a.q < b.q; });
    return g;
}

} // namespace quorvan::analyse
