#include "FilterOracle.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <utility>

namespace quorvan::oracle {

namespace {

double factorial(int n) {
    double f = 1.0;
    for (int i = 2; i <= n; ++i) {
        f *= i;
    }
    return f;
}

Complex evaluate(const std::vector<Complex>& monic, Complex z) {
    Complex v = 0.0;
    for (auto c = monic.rbegin(); c != monic.rend(); ++c) {
        v = v * z + *c;
    }
    return v;
}

bool isReal(Complex z) {
    return std::abs(z.imag()) <= 1e-7 * std::max(1.0, std::abs(z));
}

// First component of the two-component stages: even orders are (1,2), (3,4), (5,6); odd
// orders have the section (1,2,3), then (4,5), (6,7).
int firstStageComponent(int order) {
    return order % 2 == 0 ? 1 : 4;
}

} // namespace

const char* familyName(int family) {
    static constexpr std::array<const char*, 6> names = {"Bessel",           "Butterworth",
                                                         "Chebyshev 0.5 dB", "Chebyshev 1 dB",
                                                         "Chebyshev 2 dB",   "Chebyshev 3 dB"};
    return names.at(static_cast<std::size_t>(family));
}

double chebyshevRippleDb(int family) {
    static constexpr std::array<double, 4> ripples = {0.5, 1.0, 2.0, 3.0};
    return ripples.at(static_cast<std::size_t>(family - FirstChebyshev));
}

// Durand–Kerner iteration with a final Newton polish; plenty for the degrees met here (≤ 7).
std::vector<Complex> polynomialRoots(const std::vector<double>& coefficients) {
    const std::size_t degree = coefficients.size() - 1;
    std::vector<Complex> monic;
    for (double c : coefficients) {
        monic.emplace_back(c / coefficients.back());
    }
    // Start on a circle as large as the roots can be (Cauchy bound), at angles that are no
    // symmetry of a real polynomial.
    double bound = 0.0;
    for (std::size_t k = 0; k < degree; ++k) {
        bound = std::max(bound, std::abs(monic[k]));
    }
    bound += 1.0;
    std::vector<Complex> roots(degree);
    for (std::size_t k = 0; k < degree; ++k) {
        roots[k] = std::polar(bound, 0.4 + 2.0 * Pi * static_cast<double>(k) /
                                               static_cast<double>(degree));
    }
    for (int iteration = 0; iteration < 2000; ++iteration) {
        double largestStep = 0.0;
        for (std::size_t k = 0; k < degree; ++k) {
            Complex denominator = 1.0;
            for (std::size_t j = 0; j < degree; ++j) {
                if (j != k) {
                    denominator *= roots[k] - roots[j];
                }
            }
            const Complex step = evaluate(monic, roots[k]) / denominator;
            roots[k] -= step;
            largestStep = std::max(largestStep, std::abs(step) / std::max(1.0, std::abs(roots[k])));
        }
        if (largestStep < 1e-15) {
            break;
        }
    }
    std::vector<Complex> derivative;
    for (std::size_t k = 1; k <= degree; ++k) {
        derivative.push_back(monic[k] * static_cast<double>(k));
    }
    for (Complex& r : roots) {
        for (int i = 0; i < 3; ++i) {
            const Complex d = evaluate(derivative, r);
            if (std::abs(d) > 0.0) {
                r -= evaluate(monic, r) / d;
            }
        }
    }
    return roots;
}

std::vector<double> besselPolynomial(int order) {
    std::vector<double> coefficients;
    for (int k = 0; k <= order; ++k) {
        coefficients.push_back(factorial(2 * order - k) /
                               (std::ldexp(1.0, order - k) * factorial(k) * factorial(order - k)));
    }
    return coefficients;
}

std::vector<Complex> prototypePoles(int family, int order) {
    if (family == Bessel) {
        return polynomialRoots(besselPolynomial(order));
    }
    // Butterworth poles lie on the unit circle; Chebyshev poles on an ellipse whose axes are
    // set by the ripple: ε² = 10^(r/10) − 1, v = asinh(1/ε)/n.
    double sigmaScale = 1.0;
    double omegaScale = 1.0;
    if (family != Butterworth) {
        const double epsilon = std::sqrt(std::pow(10.0, chebyshevRippleDb(family) / 10.0) - 1.0);
        const double v = std::asinh(1.0 / epsilon) / order;
        sigmaScale = std::sinh(v);
        omegaScale = std::cosh(v);
    }
    std::vector<Complex> poles;
    for (int k = 1; k <= order; ++k) {
        const double theta = Pi * (2 * k - 1) / (2.0 * order);
        poles.emplace_back(-sigmaScale * std::sin(theta), omegaScale * std::cos(theta));
    }
    return poles;
}

double allPoleGain(const std::vector<Complex>& poles, Complex s) {
    double gain = 1.0;
    for (Complex p : poles) {
        gain *= std::abs(p) / std::abs(s - p);
    }
    return gain;
}

PoleGroups groupPoles(const std::vector<Complex>& poles) {
    PoleGroups groups;
    for (Complex p : poles) {
        if (isReal(p)) {
            groups.realPole = -p.real();
        } else if (p.imag() > 0.0) {
            groups.pairs.push_back({std::abs(p), std::abs(p) / (-2.0 * p.real())});
        }
    }
    std::sort(groups.pairs.begin(), groups.pairs.end(),
              [](PolePair x, PolePair y) { return x.quality < y.quality; });
    return groups;
}

std::array<double, 2> stageValues(PolePair pair) {
    const double w0 = pair.naturalFrequency;
    const double q = pair.quality;
    return {3.0 * q / w0, 1.0 / (3.0 * q * w0)};
}

// The section's denominator, divided by its constant 2, must equal
// (1 + s/σ)(1 + s/(Q·ω0) + s²/ω0²) = 1 + d1·s + d2·s² + d3·s³, that is
//   C1 + 5·C3 = 2·d1,   C3·(2·C2 + 3·C1) = 2·d2,   C1·C2·C3 = 2·d3.
// With x = C3 the first gives C1 = 2·d1 − 5x, the second C2 = d2/x − 1.5·C1, and the third
// becomes the cubic −75x³ + 60·d1·x² − (10·d2 + 12·d1²)·x + 4·(d1·d2 − d3) = 0.
std::vector<std::array<double, 3>> sectionSolutions(double realPole, PolePair pair) {
    const double w0 = pair.naturalFrequency;
    const double q = pair.quality;
    const double d1 = 1.0 / realPole + 1.0 / (q * w0);
    const double d2 = 1.0 / (w0 * w0) + 1.0 / (realPole * q * w0);
    const double d3 = 1.0 / (realPole * w0 * w0);
    std::vector<std::array<double, 3>> solutions;
    for (Complex root :
         polynomialRoots({4.0 * (d1 * d2 - d3), -(10.0 * d2 + 12.0 * d1 * d1), 60.0 * d1, -75.0})) {
        if (!isReal(root)) {
            continue;
        }
        const double c3 = root.real();
        const double c1 = 2.0 * d1 - 5.0 * c3;
        const double c2 = d2 / c3 - 1.5 * c1;
        if (c1 > 0.0 && c2 > 0.0 && c3 > 0.0) {
            solutions.push_back({c1, c2, c3});
        }
    }
    std::sort(solutions.begin(), solutions.end(),
              [](const auto& x, const auto& y) { return x[2] < y[2]; });
    return solutions;
}

Components expectedRow(int family, int order) {
    PoleGroups groups = groupPoles(prototypePoles(family, order));
    // Bessel rows rise in quality factor from the section on, the others fall.
    if (family != Bessel) {
        std::reverse(groups.pairs.begin(), groups.pairs.end());
    }
    Components row{};
    std::size_t next = 0;
    if (order % 2 == 1) {
        // The section's cubic has a single real root for every family and order here, so
        // there is nothing to choose: insisting on exactly one positive solution keeps a
        // second one from ever standing in for a wrong row.
        const auto solutions = sectionSolutions(groups.realPole, groups.pairs.at(next++));
        if (solutions.size() != 1) {
            throw std::runtime_error("the section values are not unique");
        }
        const auto& chosen = solutions.front();
        row[1] = chosen[0];
        row[2] = chosen[1];
        row[3] = chosen[2];
    }
    for (int i = firstStageComponent(order); i < order; i += 2) {
        const auto [a, b] = stageValues(groups.pairs.at(next++));
        row[static_cast<std::size_t>(i)] = a;
        row[static_cast<std::size_t>(i + 1)] = b;
    }
    return row;
}

Complex stageTransfer(double a, double b, Complex s) {
    return -1.0 / (a * b * s * s + 3.0 * b * s + 1.0);
}

Complex sectionTransfer(double c1, double c2, double c3, Complex s) {
    return -1.0 / (2.0 + (c1 + 5.0 * c3) * s + (2.0 * c2 * c3 + 3.0 * c1 * c3) * s * s +
                   c1 * c2 * c3 * s * s * s);
}

Complex rowTransfer(const Components& row, int order, Complex s) {
    Complex h = 1.0;
    if (order % 2 == 1) {
        h *= sectionTransfer(row[1], row[2], row[3], s);
    }
    for (int i = firstStageComponent(order); i < order; i += 2) {
        h *= stageTransfer(row[static_cast<std::size_t>(i)], row[static_cast<std::size_t>(i + 1)],
                           s);
    }
    return h;
}

void Network::addResistor(int a, int b, double ohms) {
    elements_.push_back({a, b, ohms, false});
}

void Network::addCapacitor(int a, int b, double farads) {
    elements_.push_back({a, b, farads, true});
}

void Network::addOpAmp(int inverting, int output) {
    opAmps_.push_back({inverting, output});
}

// Unknowns: the node voltages 1..N, then the current delivered by the input source and by
// each op-amp output. Each op-amp adds the equation V(inverting) = 0: its non-inverting input
// is grounded and its gain infinite, so the inverting input is a virtual ground.
Complex Network::transfer(int input, int output, Complex s) const {
    const std::size_t nodes = static_cast<std::size_t>(nodeCount_);
    const std::size_t size = nodes + 1 + opAmps_.size();
    std::vector<std::vector<Complex>> m(size, std::vector<Complex>(size + 1, 0.0));
    auto row = [](int node) { return static_cast<std::size_t>(node - 1); };
    for (const Element& e : elements_) {
        const Complex y = e.capacitor ? s * e.value : Complex(1.0 / e.value);
        if (e.a != 0) {
            m[row(e.a)][row(e.a)] += y;
        }
        if (e.b != 0) {
            m[row(e.b)][row(e.b)] += y;
        }
        if (e.a != 0 && e.b != 0) {
            m[row(e.a)][row(e.b)] -= y;
            m[row(e.b)][row(e.a)] -= y;
        }
    }
    m[row(input)][nodes] = -1.0;
    m[nodes][row(input)] = 1.0;
    m[nodes][size] = 1.0;
    for (std::size_t k = 0; k < opAmps_.size(); ++k) {
        m[row(opAmps_[k].output)][nodes + 1 + k] = -1.0;
        m[nodes + 1 + k][row(opAmps_[k].inverting)] = 1.0;
    }
    // Gaussian elimination with partial pivoting.
    for (std::size_t col = 0; col < size; ++col) {
        std::size_t pivot = col;
        for (std::size_t r = col + 1; r < size; ++r) {
            if (std::abs(m[r][col]) > std::abs(m[pivot][col])) {
                pivot = r;
            }
        }
        if (std::abs(m[pivot][col]) == 0.0) {
            throw std::runtime_error("singular network");
        }
        std::swap(m[col], m[pivot]);
        for (std::size_t r = col + 1; r < size; ++r) {
            const Complex factor = m[r][col] / m[col][col];
            for (std::size_t c = col; c <= size; ++c) {
                m[r][c] -= factor * m[col][c];
            }
        }
    }
    std::vector<Complex> x(size);
    for (std::size_t r = size; r-- > 0;) {
        Complex sum = m[r][size];
        for (std::size_t c = r + 1; c < size; ++c) {
            sum -= m[r][c] * x[c];
        }
        x[r] = sum / m[r][r];
    }
    return x[row(output)];
}

namespace {

// One branch kind for the components that all share a value and one for the numbered ones;
// a low-pass design has common resistors and numbered capacitors, a high-pass design the
// exchange.
struct Parts {
    bool highPass;
    double common;
    const Components& numbered;

    void addCommon(Network& n, int a, int b) const {
        if (highPass) {
            n.addCapacitor(a, b, common);
        } else {
            n.addResistor(a, b, common);
        }
    }
    void addNumbered(Network& n, int a, int b, int i) const {
        const double v = numbered[static_cast<std::size_t>(i)];
        if (highPass) {
            n.addResistor(a, b, v);
        } else {
            n.addCapacitor(a, b, v);
        }
    }
};

// Multiple-feedback stage: input branch to the shunt node A, numbered part `shunt` from A to
// ground, a common part from A to the output and one from A to the inverting input, numbered
// part `feedback` from the inverting input to the output.
int addStage(Network& n, const Parts& p, int in, int shunt, int feedback) {
    const int a = n.addNode();
    const int minus = n.addNode();
    const int out = n.addNode();
    p.addCommon(n, in, a);
    p.addNumbered(n, a, 0, shunt);
    p.addCommon(n, a, out);
    p.addCommon(n, a, minus);
    p.addNumbered(n, minus, out, feedback);
    n.addOpAmp(minus, out);
    return out;
}

Design buildDesign(int order, const Parts& p) {
    Design d;
    d.input = d.network.addNode();
    int node = d.input;
    // Odd orders: the section (1, 2, 3) sits at the output, after the other stages; a
    // preceding ladder branch (common part in series, C1/R1 to ground) feeds a stage (2, 3).
    for (int i = firstStageComponent(order); i < order; i += 2) {
        node = addStage(d.network, p, node, i, i + 1);
    }
    if (order % 2 == 1) {
        const int first = d.network.addNode();
        p.addCommon(d.network, node, first);
        p.addNumbered(d.network, first, 0, 1);
        node = addStage(d.network, p, first, 2, 3);
    }
    d.output = node;
    return d;
}

} // namespace

Design lowPassDesign(int order, const Components& capacitors, double ohms) {
    return buildDesign(order, Parts{false, ohms, capacitors});
}

Design highPassDesign(int order, const Components& resistors, double farads) {
    return buildDesign(order, Parts{true, farads, resistors});
}

double rowDeviationDb(int family, int order, const Components& row) {
    const auto poles = prototypePoles(family, order);
    const double dcGain = std::abs(rowTransfer(row, order, 0.0));
    // Dense enough to catch the narrowest ripple peak of the highest-Q stage.
    constexpr int samples = 4000;
    double worst = 0.0;
    for (int k = 0; k <= samples; ++k) {
        const Complex s(0.0, static_cast<double>(k) / samples);
        const double actual = std::abs(rowTransfer(row, order, s)) / dcGain;
        worst = std::max(worst, std::abs(decibels(actual) - decibels(allPoleGain(poles, s))));
    }
    return worst;
}

double designDeviationDb(int family, int order, const Design& design, double cutoff,
                         FilterType type) {
    const auto poles = prototypePoles(family, order);
    const bool highPass = type == FilterType::HighPass;
    // The gain where the pass band opens: DC for a low-pass design; for a high-pass design
    // 10⁷ times the cut-off, where every capacitor is as good as a short circuit.
    const Complex open = highPass ? Complex(0.0, cutoff * 1e7) : Complex(0.0);
    const double openGain = std::abs(design.transfer(open));
    constexpr int samples = 800;
    double worst = 0.0;
    for (int k = 0; k <= samples; ++k) {
        // Two decades, logarithmically spaced, from the cut-off into the pass band.
        const double ratio = std::pow(100.0, static_cast<double>(k) / samples);
        const double omega = highPass ? cutoff * ratio : cutoff / ratio;
        const double actual = std::abs(design.transfer(Complex(0.0, omega))) / openGain;
        const Complex normalised(0.0, highPass ? cutoff / omega : omega / cutoff);
        const double ideal = allPoleGain(poles, normalised);
        worst = std::max(worst, std::abs(decibels(actual) - decibels(ideal)));
    }
    return worst;
}

} // namespace quorvan::oracle
