#pragma once

#include "Familles.h"
#include "Module1.h"

#include <string>

namespace quorvan {

// A design as the Calculate command reports it: the circuit it needs and the value of every
// component, unrounded.
struct Conception {
    int famille = 0; // NumFiltre
    TypeFiltre type = TypeFiltre::PasseBas;
    int ordre = OrdreMin;
    double frequence = 0.0;        // the cut-off as typed, in hertz
    double valeurCommune = 0.0;    // the common resistor in ohms or capacitor in farads
    TableauComposants numerotes{}; // the capacitors in farads or resistors in ohms, by number
};

// A numbered component as the diagram and the report name it: "C1".."C7" in a low-pass
// design, "R1".."R7" in a high-pass one.
[[nodiscard]] inline std::string nomComposant(TypeFiltre type, int numero) {
    return (type == TypeFiltre::PasseBas ? "C" : "R") + std::to_string(numero);
}

} // namespace quorvan
