// The layout of the twelve diagrams as a schematic should be: the wiring on the canvas is
// the circuit's, wires are straight and join only at a dot, and nothing is drawn over
// anything else.

#include "Circuit.h"
#include "MiseEnPage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace quorvan::schematics {
namespace {

struct Cas {
    int image;
    TypeFiltre type;
    int ordre;
    int gauche; // horizontal extent, from the table of pictures
    int droite;
};

const std::vector<Cas> Table = {
    {1, TypeFiltre::PasseBas, 2, 191, 405},  {2, TypeFiltre::PasseBas, 3, 161, 463},
    {3, TypeFiltre::PasseBas, 4, 93, 502},   {4, TypeFiltre::PasseBas, 5, 83, 561},
    {5, TypeFiltre::PasseBas, 6, 15, 620},   {6, TypeFiltre::PasseBas, 7, 44, 600},
    {7, TypeFiltre::PasseHaut, 2, 210, 385}, {8, TypeFiltre::PasseHaut, 3, 191, 424},
    {9, TypeFiltre::PasseHaut, 4, 132, 493}, {10, TypeFiltre::PasseHaut, 5, 132, 522},
    {11, TypeFiltre::PasseHaut, 6, 73, 561}, {12, TypeFiltre::PasseHaut, 7, 54, 590},
};

// The pixels a wire covers, whichever way it was drawn.
QRect rectangle(const QLine& f) {
    return {QPoint(std::min(f.x1(), f.x2()), std::min(f.y1(), f.y2())),
            QPoint(std::max(f.x1(), f.x2()), std::max(f.y1(), f.y2()))};
}
bool surLeFil(QPoint p, const QLine& f) {
    return rectangle(f).contains(p);
}
bool extremite(QPoint p, const QLine& f) {
    return p == f.p1() || p == f.p2();
}

// Wires join where the end of one lies on another; wires that only cross do not.
class Reseaux {
public:
    explicit Reseaux(const std::vector<QLine>& fils)
        : fils_(fils)
        , parent_(fils.size()) {
        std::iota(parent_.begin(), parent_.end(), 0U);
        for (std::size_t i = 0; i < fils.size(); ++i) {
            for (std::size_t j = 0; j < fils.size(); ++j) {
                if (surLeFil(fils[i].p1(), fils[j]) || surLeFil(fils[i].p2(), fils[j])) {
                    parent_[racine(i)] = racine(j);
                }
            }
        }
    }
    // The net that a point lies on, or -1.
    long reseau(QPoint p) {
        for (std::size_t i = 0; i < fils_.size(); ++i) {
            if (surLeFil(p, fils_[i])) {
                return static_cast<long>(racine(i));
            }
        }
        return -1;
    }

private:
    std::size_t racine(std::size_t i) {
        while (parent_[i] != i) {
            i = parent_[i] = parent_[parent_[i]];
        }
        return i;
    }
    std::vector<QLine> fils_;
    std::vector<std::size_t> parent_;
};

// The leads of each element and the pins of each op-amp lie on the nets of their nodes, one
// net per node, and the drawing spans the picture's extent.
TEST(MiseEnPage, WiringIsTheCircuitsAndSpansThePicture) {
    for (const Cas& c : Table) {
        SCOPED_TRACE("picture " + std::to_string(c.image));
        const MiseEnPage p = mettreEnPage(circuit::composerCircuit(c.type, c.ordre));
        Reseaux reseaux(p.fils);
        std::map<std::string, std::set<long>> parNoeud;
        const auto relier = [&](QPoint point, const std::string& noeud) {
            parNoeud[noeud].insert(reseaux.reseau(point));
        };
        for (const SymboleTrace& s : p.symboles) {
            relier(s.bornes[0], s.noeuds[0]);
            relier(s.bornes[1], s.noeuds[1]);
        }
        for (const AmpliTrace& a : p.amplis) {
            relier(a.moins, a.noeudMoins);
            relier(a.plus, a.noeudPlus);
            relier(a.sortie, a.noeudSortie);
        }
        for (const MasseTrace& m : p.masses) {
            relier(m.jonction, p.noeudMasse);
        }
        relier(p.entree, p.noeudEntree);
        relier(p.sortie, p.noeudSortie);
        std::set<long> vus;
        for (const auto& [noeud, nets] : parNoeud) {
            EXPECT_EQ(nets.size(), 1U) << noeud;
            EXPECT_FALSE(nets.count(-1)) << noeud << " is not on a wire";
            EXPECT_TRUE(vus.insert(*nets.begin()).second) << noeud << " shares another's wires";
        }
        int gauche = LargeurImage;
        int droite = 0;
        for (const QLine& f : p.fils) {
            EXPECT_TRUE(vus.count(reseaux.reseau(f.p1()))) << "a wire of no node";
            gauche = std::min({gauche, f.x1(), f.x2()});
            droite = std::max({droite, f.x1(), f.x2()});
        }
        EXPECT_EQ(gauche, c.gauche);
        EXPECT_EQ(droite, c.droite);
    }
}

// Wires are horizontal or vertical and meet end to end, or the end of one on another with a
// dot there; they never cross or overlap. Every dot sits on such a meeting.
TEST(MiseEnPage, WiresAreStraightAndJoinOnlyAtDots) {
    for (const Cas& c : Table) {
        SCOPED_TRACE("picture " + std::to_string(c.image));
        const MiseEnPage p = mettreEnPage(circuit::composerCircuit(c.type, c.ordre));
        std::map<std::pair<int, int>, int> branches; // wires starting, ending or passing there
        for (const QLine& f : p.fils) {
            EXPECT_TRUE((f.dx() == 0) != (f.dy() == 0));
            ++branches[{f.x1(), f.y1()}];
            ++branches[{f.x2(), f.y2()}];
        }
        for (const QLine& f : p.fils) {
            for (auto& [point, n] : branches) {
                const QPoint q(point.first, point.second);
                n += surLeFil(q, f) && !extremite(q, f) ? 2 : 0;
            }
        }
        std::set<std::pair<int, int>> points;
        for (const QPoint& j : p.jonctions) {
            points.emplace(j.x(), j.y());
            EXPECT_GE((branches[{j.x(), j.y()}]), 2) << "a dot off the wires";
        }
        for (const auto& [point, n] : branches) {
            EXPECT_TRUE(n < 3 || points.count(point))
                << "no dot at " << point.first << "," << point.second;
        }
        for (std::size_t i = 0; i < p.fils.size(); ++i) {
            for (std::size_t j = i + 1; j < p.fils.size(); ++j) {
                const QRect commun = rectangle(p.fils[i]).intersected(rectangle(p.fils[j]));
                if (commun.isEmpty()) {
                    continue;
                }
                // One point in common, the end of one of the two wires.
                const QPoint q = commun.topLeft();
                EXPECT_EQ(commun.size(), QSize(1, 1)) << "overlapping wires";
                EXPECT_TRUE(extremite(q, p.fils[i]) || extremite(q, p.fils[j]))
                    << "wires cross at " << q.x() << "," << q.y();
            }
        }
    }
}

// Symbols, op-amps, labels and ground symbols each have their own room inside the frame,
// with a pixel to spare, and no wire runs through them; each label sits by its own symbol.
TEST(MiseEnPage, NothingIsDrawnOverAnythingElse) {
    for (const Cas& c : Table) {
        SCOPED_TRACE("picture " + std::to_string(c.image));
        const MiseEnPage p = mettreEnPage(circuit::composerCircuit(c.type, c.ordre));
        std::vector<std::pair<std::string, QRect>> pieces;
        for (const SymboleTrace& s : p.symboles) {
            const std::string nom = s.etiquette.toStdString();
            pieces.emplace_back("symbol " + nom, s.corps);
            pieces.emplace_back("label " + nom, s.cadreEtiquette);
            EXPECT_FALSE(s.cadreEtiquette.isEmpty()) << nom;
            EXPECT_TRUE(s.cadreEtiquette.adjusted(-5, -5, 5, 5).intersects(s.corps)) << nom;
        }
        for (const AmpliTrace& a : p.amplis) {
            // Its pins are on wires: the inside is its own.
            pieces.emplace_back(
                "op-amp", QRect(a.sommets[0], a.sommets[1] + QPoint(40, 0)).adjusted(1, 1, -1, -1));
        }
        for (const MasseTrace& m : p.masses) {
            pieces.emplace_back("GND", m.cadreTexte);
            pieces.emplace_back("ground symbol", rectangle(m.tige).united(rectangle(m.barre)));
        }
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const auto& [nom, r] = pieces[i];
            EXPECT_TRUE(Cadre.adjusted(1, 1, -1, -1).contains(r)) << nom;
            for (std::size_t j = i + 1; j < pieces.size(); ++j) {
                EXPECT_FALSE(r.adjusted(-1, -1, 1, 1).intersects(pieces[j].second))
                    << nom << " touches " << pieces[j].first;
            }
            for (const QLine& f : p.fils) {
                EXPECT_FALSE(rectangle(f).intersects(r))
                    << "a wire through " << nom << " from " << f.x1() << "," << f.y1();
            }
        }
    }
}

} // namespace
} // namespace quorvan::schematics
