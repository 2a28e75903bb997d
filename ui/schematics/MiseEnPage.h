#pragma once

#include "circuit/Circuit.h"

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <string>
#include <vector>

class QFont;

namespace quorvan::schematics {

// The canvas of every diagram, in pixels.
inline constexpr int LargeurImage = 645;
inline constexpr int HauteurImage = 235;

// Heights from the top edge, shared by every diagram.
namespace hauteur {
inline constexpr int ContreReactionExterne = 44;
inline constexpr int ContreReactionInterne = 83;
inline constexpr int Signal = 122;     // also the inverting input
inline constexpr int Sortie = 132;     // op-amp outputs and the output lead
inline constexpr int Plus = 142;       // non-inverting input
inline constexpr int Masse = 201;      // the ground rail
inline constexpr int TexteMasse = 213; // top of "GND"
} // namespace hauteur

// The frame rectangle, corners included.
inline constexpr QRect Cadre{QPoint(5, 5), QPoint(640, 230)};

// A resistor or capacitor placed on the canvas.
struct SymboleTrace {
    circuit::Nature nature = circuit::Nature::Resistance;
    bool vertical = false;
    QRect corps;                       // the symbol without its leads
    std::array<QPoint, 2> bornes;      // outer ends of the leads: left/top, then right/bottom
    std::array<std::string, 2> noeuds; // the nodes the leads belong to, in the same order
    QString etiquette;
    QRect cadreEtiquette;    // the label's ink
    QPoint origineEtiquette; // its baseline origin
};

struct AmpliTrace {
    std::array<QPoint, 3> sommets; // top-left, bottom-left, tip
    QPoint moins;                  // pins on the outline
    QPoint plus;
    QPoint sortie;
    std::string noeudMoins;
    std::string noeudPlus;
    std::string noeudSortie;
};

// The ground symbol under an op-amp's "+" connection.
struct MasseTrace {
    QPoint jonction;  // where it hangs from the ground rail
    QLine tige;       // the stub, from just below the junction
    QLine barre;      // the bar at its foot
    QRect cadreTexte; // the ink of "GND"
    QPoint origineTexte;
};

// Everything a diagram shows, placed on the 645 × 235 canvas. Wires are straight,
// horizontal or vertical, and meet other wires only at their ends or at a junction dot.
struct MiseEnPage {
    std::vector<QLine> fils;
    std::vector<SymboleTrace> symboles;
    std::vector<AmpliTrace> amplis;
    std::vector<QPoint> jonctions; // centres of the dots
    std::vector<MasseTrace> masses;
    QPoint entree; // open end of the input lead
    QPoint sortie; // open end of the output lead
    std::string noeudEntree;
    std::string noeudSortie;
    std::string noeudMasse;
};

// Half the side of a junction dot: a dot covers its centre ± this many pixels.
inline constexpr int DemiPoint = 2;

// The fonts of the labels and of "GND". Families that Debian ships are listed first; the
// last resort is whatever sans-serif font the system has. No antialiasing, so the text keeps
// to the picture's five colours.
[[nodiscard]] QFont policeEtiquettes();
[[nodiscard]] QFont policeMasse();

// The horizontal extent (first and last pixel) that the diagram of a type and order spans,
// fixed per type and order so that the screen and the printout place it the same way.
struct Etendue {
    int gauche;
    int droite;
};
[[nodiscard]] Etendue etendue(TypeFiltre type, int ordre);

// Lays out a circuit block after block from left to right. Needs a QGuiApplication for the
// label metrics.
[[nodiscard]] MiseEnPage mettreEnPage(const circuit::Circuit& circuit);

} // namespace quorvan::schematics
