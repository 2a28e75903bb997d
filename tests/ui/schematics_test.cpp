// The twelve diagrams: the layout read as a schematic, the pictures read pixel by pixel
// against that layout.

#include "circuit/Circuit.h"
#include "ui/schematics/DessinSchema.h"
#include "ui/schematics/ImageList1.h"
#include "ui/schematics/MiseEnPage.h"

#include <QtGui>

#include <gtest/gtest.h>

#include <numeric>
#include <set>

namespace quorvan::schematics {
namespace {

struct Schema {
    TypeFiltre type;
    int ordre;
    MiseEnPage page;
    QImage image; // from ImageList1
};

const std::vector<Schema>& schemas() {
    static const std::vector<Schema> liste = [] {
        const toolkit::ImageList images = chargerImageList1();
        std::vector<Schema> s;
        for (const TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
            for (int ordre = OrdreMin; ordre <= OrdreMax; ++ordre) {
                s.push_back({type, ordre, mettreEnPage(circuit::composerCircuit(type, ordre)),
                             images.picture(static_cast<int>(s.size()) + 1)});
            }
        }
        return s;
    }();
    return liste;
}
QRect boite(const QLine& f) {
    return {QPoint(std::min(f.x1(), f.x2()), std::min(f.y1(), f.y2())),
            QPoint(std::max(f.x1(), f.x2()), std::max(f.y1(), f.y2()))};
}
bool bout(QPoint p, const QLine& f) {
    return p == f.p1() || p == f.p2();
}

TEST(Schemas, EachNumberLabelsOneComponentInItsBlock) {
    for (const Schema& s : schemas()) {
        // Low-pass circuits number their capacitors, high-pass ones their resistors.
        const QString commun = s.type == TypeFiltre::PasseBas ? "R" : "C";
        std::map<int, int> x; // the centre of each number's symbol
        for (const SymboleTrace& sym : s.page.symboles) {
            EXPECT_TRUE(sym.etiquette == commun ||
                        sym.etiquette.startsWith(commun == "R" ? 'C' : 'R'));
            EXPECT_TRUE(sym.etiquette == commun ||
                        x.emplace(sym.etiquette.mid(1).toInt(), sym.corps.center().x()).second);
        }
        EXPECT_TRUE(x.size() == static_cast<std::size_t>(s.ordre) && x.rbegin()->first == s.ordre);
        // Two numbers per block from the input, but an odd order's three-component block
        // comes last and takes 1 to 3; inside a block the numbers go left to right.
        const int blocs = static_cast<int>(s.page.amplis.size());
        const auto bloc = [&](int k) {
            return s.ordre % 2 == 0 ? (k - 1) / 2 : k <= 3 ? blocs - 1 : (k - 4) / 2;
        };
        EXPECT_EQ(blocs, s.ordre / 2);
        for (const auto& [k, centre] : x) {
            const auto a =
                std::count_if(s.page.amplis.begin(), s.page.amplis.end(),
                              [centre](const AmpliTrace& a) { return a.sortie.x() < centre; });
            EXPECT_EQ(a, bloc(k)) << s.ordre << " " << k;
            EXPECT_TRUE(k == 1 || bloc(k - 1) != bloc(k) || x[k - 1] < centre)
                << s.ordre << " " << k;
        }
    }
}

// Wires are straight and join where the end of one lies on another: end to end, or with a
// dot where the end lands on a wire; they never cross. Each node of the circuit is one net
// of wires, its own, with its leads and pins on it; the drawing spans its extent.
TEST(Schemas, WiresConnectWhatTheCircuitConnectsAndJoinOnlyAtDots) {
    for (const Schema& s : schemas()) {
        SCOPED_TRACE(s.ordre * (s.type == TypeFiltre::PasseBas ? 1 : -1));
        const std::vector<QLine>& fils = s.page.fils;
        const auto point = [&s](QPoint p) {
            return std::count(s.page.jonctions.begin(), s.page.jonctions.end(), p) > 0;
        };
        const auto branches = [&fils](QPoint p) { // wires ending at p, and twice those through it
            return std::accumulate(fils.begin(), fils.end(), 0, [p](int n, const QLine& f) {
                return n + (bout(p, f) ? 1 : boite(f).contains(p) ? 2 : 0);
            });
        };
        std::vector<std::size_t> net(fils.size());
        std::iota(net.begin(), net.end(), 0U);
        QRect span;
        for (std::size_t i = 0; i < fils.size(); ++i) {
            EXPECT_TRUE((fils[i].dx() == 0) != (fils[i].dy() == 0));
            EXPECT_TRUE(branches(fils[i].p1()) < 3 || point(fils[i].p1()))
                << fils[i].x1() << "," << fils[i].y1();
            EXPECT_TRUE(branches(fils[i].p2()) < 3 || point(fils[i].p2()))
                << fils[i].x2() << "," << fils[i].y2();
            span |= boite(fils[i]);
            for (std::size_t j = 0; j < i; ++j) {
                const QRect commun = boite(fils[i]) & boite(fils[j]);
                if (!commun.isEmpty()) { // one point, the end of one of them
                    EXPECT_TRUE(commun.size() == QSize(1, 1) && (bout(commun.topLeft(), fils[i]) ||
                                                                 bout(commun.topLeft(), fils[j])));
                    const auto [petit, grand] = std::minmax(net[i], net[j]);
                    std::replace(net.begin(), net.end(), grand, petit);
                }
            }
        }
        for (const QPoint& p : s.page.jonctions) {
            EXPECT_GE(branches(p), 2) << "a dot off the wires";
        }
        EXPECT_TRUE(span.left() == etendue(s.type, s.ordre).gauche &&
                    span.right() == etendue(s.type, s.ordre).droite);
        std::map<std::string, std::set<long>> parNoeud;
        const auto relier = [&](QPoint p, const std::string& noeud) {
            const auto f = std::find_if(fils.begin(), fils.end(),
                                        [p](const QLine& l) { return boite(l).contains(p); });
            parNoeud[noeud].insert(f == fils.end() ? -1L
                                                   : static_cast<long>(net[f - fils.begin()]));
        };
        for (const SymboleTrace& sym : s.page.symboles) {
            relier(sym.bornes[0], sym.noeuds[0]);
            relier(sym.bornes[1], sym.noeuds[1]);
        }
        for (const AmpliTrace& a : s.page.amplis) {
            relier(a.moins, a.noeudMoins);
            relier(a.plus, a.noeudPlus);
            relier(a.sortie, a.noeudSortie);
        }
        for (const MasseTrace& m : s.page.masses) {
            relier(m.jonction, s.page.noeudMasse);
        }
        relier(s.page.entree, s.page.noeudEntree);
        relier(s.page.sortie, s.page.noeudSortie);
        std::set<long> vus;
        for (const auto& [noeud, nets] : parNoeud) {
            EXPECT_TRUE(nets.size() == 1 && *nets.begin() != -1 && vus.insert(*nets.begin()).second)
                << noeud;
        }
        EXPECT_EQ(vus, std::set<long>(net.begin(), net.end())) << "a wire of no node";
    }
}

TEST(Schemas, PicturesShowTheLayoutInFiveColoursOverTransparentWhite) {
    enum { Bleu, Gris, Rouge, Magenta, Blanc };
    const QList<QRgb> palette = {qRgb(0, 0, 255), qRgb(198, 198, 198), qRgb(255, 0, 0),
                                 qRgb(255, 0, 255), qRgba(255, 255, 255, 0)};
    for (const Schema& s : schemas()) {
        SCOPED_TRACE(s.ordre * (s.type == TypeFiltre::PasseBas ? 1 : -1));
        const QImage& image = s.image;
        ASSERT_EQ(image, imageSchema(circuit::composerCircuit(s.type, s.ordre)));
        ASSERT_TRUE(image.size() == QSize(645, 235) && image.format() == QImage::Format_Indexed8);
        EXPECT_EQ(image.colorTable(), palette + QList<QRgb>(251, qRgb(255, 255, 255)));
        EXPECT_EQ(image.dotsPerMeterX(), 3780) << "96 dpi: printed at its size on screen";
        const auto compte = [&image](const QRect& r, int indice) {
            int n = 0;
            for (int y = r.top(); y <= r.bottom(); ++y) {
                for (int x = r.left(); x <= r.right(); ++x) {
                    n += image.pixelIndex(x, y) == indice;
                }
            }
            return n;
        };
        // The blue frame, one pixel wide, and no blue outside it; a 5 × 5 magenta
        // dot at each junction and no magenta elsewhere; labels in red.
        const int anneau = compte(Cadre, Bleu) - compte(Cadre.adjusted(1, 1, -1, -1), Bleu);
        EXPECT_TRUE(anneau == 2 * (Cadre.width() + Cadre.height()) - 4 &&
                    compte(image.rect(), Bleu) == compte(Cadre, Bleu));
        int cinq = 0;
        for (const int indice : {Bleu, Gris, Rouge, Magenta, Blanc}) {
            cinq += compte(image.rect(), indice);
        }
        EXPECT_EQ(cinq, 645 * 235) << "only the five colours";
        EXPECT_EQ(compte(image.rect(), Magenta), 25 * static_cast<int>(s.page.jonctions.size()));
        for (const QPoint& j : s.page.jonctions) {
            EXPECT_EQ(
                compte(QRect(j - QPoint(DemiPoint, DemiPoint), j + QPoint(DemiPoint, DemiPoint)),
                       Magenta),
                25);
        }
        for (const SymboleTrace& sym : s.page.symboles) {
            // A red label; a resistor's red outline or a capacitor's two red plates, empty
            // inside; red leads from the body out to its ends.
            EXPECT_GE(compte(sym.cadreEtiquette, Rouge), 8) << sym.etiquette.toStdString();
            const QRect& c = sym.corps;
            const int bord = compte(c, Rouge) - compte(c.adjusted(1, 1, -1, -1), Rouge);
            EXPECT_TRUE(compte(c.adjusted(1, 1, -1, -1), Rouge) == 0 &&
                        bord == (sym.nature == circuit::Nature::Resistance
                                     ? 2 * (c.width() + c.height()) - 4
                                     : 2 * (sym.vertical ? c.width() : c.height())));
        }
        // Grey wires between their ends, where no dot covers them.
        for (const QLine& f : s.page.fils) {
            const QRect r =
                boite(f).adjusted(f.dx() != 0, f.dy() != 0, -(f.dx() != 0), -(f.dy() != 0));
            EXPECT_EQ(compte(r, Gris) + compte(r, Magenta), r.width() * r.height());
        }
        for (const AmpliTrace& a : s.page.amplis) {
            // Inside the triangle by each input a red sign: "-" a dash alone, "+" the same
            // dash crossed by a bar as long.
            const auto rouge = [&](QPoint pin, int dy, int hauteur) {
                return compte(QRect(pin + QPoint(1, dy), QSize(15, hauteur)), Rouge);
            };
            EXPECT_GE(rouge(a.moins, 0, 1), 3);
            EXPECT_EQ(rouge(a.moins, -4, 9), rouge(a.moins, 0, 1));
            EXPECT_EQ(rouge(a.plus, 0, 1), rouge(a.moins, 0, 1));
            EXPECT_EQ(rouge(a.plus, -4, 9), 2 * rouge(a.plus, 0, 1) - 1);
            EXPECT_EQ(rouge(a.plus, -1, 1), 1);
        }
        // Under each "+", a red stem from the ground rail's dot down to a wider red bar, and
        // "GND" below it.
        for (const MasseTrace& m : s.page.masses) {
            const QPoint sous = m.jonction + QPoint(0, DemiPoint + 1);
            const int pied = m.barre.y1();
            EXPECT_EQ(compte(QRect(sous, QPoint(sous.x(), pied)), Rouge), pied - sous.y() + 1);
            EXPECT_EQ(compte(QRect(sous.x() - 3, pied - 1, 7, 1), Rouge), 1);
            EXPECT_EQ(compte(QRect(sous.x() - 3, pied, 7, 1), Rouge), 7);
            EXPECT_GE(compte(m.cadreTexte, Rouge), 12);
            EXPECT_GT(m.cadreTexte.top(), pied);
        }
    }
}

} // namespace
} // namespace quorvan::schematics
