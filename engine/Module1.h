#pragma once

#include <array>
#include <cstdint>

namespace quorvan {

// The stage computation's 2π: 6.283178 exactly, 1.2 ppm below 2π. Every reported value
// is computed with it; the difference is far below any component's tolerance.
inline constexpr double DeuxPi = 6.283178;

// Component values by component number: slots 1..7 are used, slot 0 never is.
using TableauComposants = std::array<double, 8>;

// The state the design works on: the selection, written by the window's menu handlers,
// and the result arrays of the last stage computation of each type. A fresh object is the
// state at program start.
struct Module1 {
    std::int16_t NumFiltre = 0; // family 0..5
    std::int16_t NumOrdre = 0;  // order 2..7
    TableauComposants TabC{};   // capacitors in farads, last low-pass computation
    TableauComposants TabR{};   // resistors in ohms, last high-pass computation
};

struct DrapeauxPasseBas {
    bool CTropGrand = false; // some capacitor above 200 µF
    bool CTropPetit = false; // some capacitor below 1 nF
    bool CTresPetit = false; // a capacitor below 10 pF; the computation stopped there
};

struct DrapeauxPasseHaut {
    bool RTropGrand = false; // some resistor above 1 MΩ
    bool RTropPetit = false; // a resistor below 500 Ω; the computation stopped there
};

// Limits as the factor times a power of ten, rounded to a double: the designs at the limits
// depend on these exact doubles.
inline constexpr double CapaciteMax = 200 * 1e-6;
inline constexpr double CapaciteMin = 1e-9;
inline constexpr double CapacitePlancher = 10 * 1e-12;
inline constexpr double ResistanceMax = 1000000;
inline constexpr double ResistanceMin = 500;

// Low-pass: every resistor is `resistance` ohms; fills TabC(1..NumOrdre) with the capacitors.
[[nodiscard]] DrapeauxPasseBas CalculPasseBas(Module1& module, double frequence,
                                              std::int32_t resistance);

// High-pass: every capacitor is `capacite` farads; fills TabR(1..NumOrdre) with the resistors.
[[nodiscard]] DrapeauxPasseHaut CalculPasseHaut(Module1& module, double frequence, double capacite);

} // namespace quorvan
