#pragma once

#include "analysis/Reponse.h"
#include "circuit/Montage.h"
#include "engine/Conception.h"

#include <functional>

namespace quorvan::test {

// The design "Calcul" gives for a family, order, type and typed frequency.
[[nodiscard]] Conception concevoir(int famille, int ordre, TypeFiltre type, const char* frequence);

// Every family, order and type at 1 kHz, where each has a design.
void pourChaqueConception(const std::function<void(const Conception&)>& faire);

// A circuit with every part drawn one by one over three decades, far from a design's equal
// values, so that a part standing in the wrong place of a formula shows.
[[nodiscard]] circuit::Montage montageQuelconque(TypeFiltre type, int ordre, unsigned graine);

// The analysis window's reading of a circuit by nodal analysis (caracteriser), on its sweep
// with the pass band's open end as the first point: five decades past the sweep, where the gain
// is that of DC (or of infinite frequency) to 1e-11 dB.
[[nodiscard]] analyse::Caracteristiques caracteriserNodal(const circuit::Montage& montage);

} // namespace quorvan::test
