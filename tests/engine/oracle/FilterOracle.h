#pragma once

// Reference computations for checking filter designs without trusting the coefficient table:
// the pole positions of each family worked out from their definitions, the relations between
// poles and normalised component values of the multiple-feedback stages, and a small nodal
// solver that evaluates a concrete circuit with ideal op-amps.

#include <array>
#include <cmath>
#include <complex>
#include <vector>

namespace quorvan::oracle {

using Complex = std::complex<double>;

// Component values by component number, slots 1..7 used (the same layout as the engine's).
using Components = std::array<double, 8>;

inline constexpr double Pi = 3.14159265358979323846;

// Family numbers as the engine numbers them.
inline constexpr int Bessel = 0;
inline constexpr int Butterworth = 1;
inline constexpr int FirstChebyshev = 2;
inline constexpr int LastFamily = 5;
inline constexpr int MinOrder = 2;
inline constexpr int MaxOrder = 7;

const char* familyName(int family);

// Peak-to-peak pass-band ripple of a Chebyshev family in dB.
double chebyshevRippleDb(int family);

// Roots of a polynomial given by its coefficients, constant term first.
std::vector<Complex> polynomialRoots(const std::vector<double>& coefficients);

// Reverse Bessel polynomial of the given order, constant term first: group delay 1 s at DC.
std::vector<double> besselPolynomial(int order);

// Left-half-plane poles of the normalised low-pass prototype: Bessel with 1 s group delay,
// Butterworth at 1 rad/s, Chebyshev with its ripple band ending at 1 rad/s.
std::vector<Complex> prototypePoles(int family, int order);

// |H(s)| / |H(0)| of an all-pole low-pass prototype.
double allPoleGain(const std::vector<Complex>& poles, Complex s);

struct PolePair {
    double naturalFrequency; // rad/s
    double quality;
};

// The poles grouped as the stages realise them: complex pairs, and the real pole of an odd
// order.
struct PoleGroups {
    std::vector<PolePair> pairs; // by rising quality factor
    double realPole = 0.0;       // magnitude of the real pole, 0 for even orders
};

PoleGroups groupPoles(const std::vector<Complex>& poles);

// Normalised values (a, b) of a two-component stage realising a pole pair: a = 3Q/ω0 shunt,
// b = 1/(3Q·ω0) feedback.
std::array<double, 2> stageValues(PolePair pair);

// Every positive (C1, C2, C3) whose three-component section realises the real pole together
// with the given pole pair. Sorted by rising C3.
std::vector<std::array<double, 3>> sectionSolutions(double realPole, PolePair pair);

// The row that the relations give for a family and order, by component number.
Components expectedRow(int family, int order);

// Transfer functions of the normalised low-pass stages (all resistors 1 Ω).
Complex stageTransfer(double a, double b, Complex s);
Complex sectionTransfer(double c1, double c2, double c3, Complex s);

// Product of the stages of a row of normalised values.
Complex rowTransfer(const Components& row, int order, Complex s);

// Linear network of resistors, capacitors and ideal op-amps (non-inverting input grounded),
// solved by modified nodal analysis. Node 0 is ground.
class Network {
public:
    int addNode() { return ++nodeCount_; }
    void addResistor(int a, int b, double ohms);
    void addCapacitor(int a, int b, double farads);
    void addOpAmp(int inverting, int output);

    // Voltage at `output` for 1 V applied at `input`, at the complex frequency s (rad/s).
    Complex transfer(int input, int output, Complex s) const;

private:
    struct Element {
        int a;
        int b;
        double value;
        bool capacitor;
    };
    struct OpAmp {
        int inverting;
        int output;
    };
    int nodeCount_ = 0;
    std::vector<Element> elements_;
    std::vector<OpAmp> opAmps_;
};

// A complete design as drawn, with its input and output nodes.
struct Design {
    Network network;
    int input = 0;
    int output = 0;

    Complex transfer(Complex s) const { return network.transfer(input, output, s); }
};

// Low-pass design: every resistor `ohms`, capacitors C1..Cn in farads.
Design lowPassDesign(int order, const Components& capacitors, double ohms);

// High-pass design: every capacitor `farads`, resistors R1..Rn in ohms.
Design highPassDesign(int order, const Components& resistors, double farads);

inline double decibels(double ratio) {
    return 20.0 * std::log10(ratio);
}

// Largest difference in dB between the response of a row of normalised values and its
// family's ideal response, both relative to their gain at DC, for ω from 0 to 1 rad/s.
double rowDeviationDb(int family, int order, const Components& row);

enum class FilterType { LowPass, HighPass };

// Largest difference in dB between a design's response and its family's prototype moved to
// the cut-off ωc (s → s/ωc for a low-pass design, s → ωc/s for a high-pass one), both relative
// to their gain at the open end of the pass band (DC, or very high frequencies), over the pass
// band: ωc/100 to ωc, or ωc to 100·ωc.
double designDeviationDb(int family, int order, const Design& design, double cutoff,
                         FilterType type);

} // namespace quorvan::oracle
