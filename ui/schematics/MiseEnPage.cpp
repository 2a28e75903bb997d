#include "MiseEnPage.h"

#include <QFont>
#include <QFontMetrics>
#include <QStringList>

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>

namespace quorvan::schematics {
namespace {

using circuit::Element;
using circuit::Nature;
using circuit::Place;

// Horizontal room, in pixels, before any slack is shared out.
constexpr int LongueurResistance = 44; // a series resistor, its leads and some wire
constexpr int LongueurCondensateur = 36;
constexpr int FilEntree = 14;   // the bare input lead
constexpr int FilSortie = 16;   // the bare output lead
constexpr int EcartMoins = 20;  // inverting-input node to the op-amp; "+" comes down halfway
constexpr int CoteAmpli = 40;   // the triangle is as wide as it is high
constexpr int EcartSortie = 12; // op-amp tip to the vertical the feedback comes down on

// Symbol sizes: half lengths along the element and half widths across it.
constexpr int DemiCorpsResistance = 12;
constexpr int DemiLargeurResistance = 4;
constexpr int DemiEcartArmatures = 3;
constexpr int DemiArmature = 8;
constexpr int Patte = 4; // the red lead on each side of a resistor
constexpr int PatteCondensateur = 6;

constexpr int EspaceEtiquette = 3; // between a symbol and its label
constexpr int CentreShunt = (hauteur::Signal + hauteur::Masse) / 2;
constexpr int PiedMasse = 208; // where the ground stub ends in its bar
constexpr int DemiBarreMasse = 6;

// The extent of each diagram, by order 2..7.
constexpr std::array<Etendue, 6> EtenduesPasseBas = {
    {{191, 405}, {161, 463}, {93, 502}, {83, 561}, {15, 620}, {44, 600}}};
constexpr std::array<Etendue, 6> EtenduesPasseHaut = {
    {{210, 385}, {191, 424}, {132, 493}, {132, 522}, {73, 561}, {54, 590}}};

int longueurNaturelle(Nature nature) {
    return nature == Nature::Resistance ? LongueurResistance : LongueurCondensateur;
}

QFont police(int pixels) {
    QFont f;
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixels);
    // The labels are plain ASCII, which any sans-serif font has: no fallback fonts to sort
    // through, a search that would otherwise hold up the first window.
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    return f;
}

// Ink rectangle and baseline origin of a text whose ink is centred on `x` with its top at
// `haut`, or, when `aGauche` is set, starts at `x` and is centred on `haut` vertically.
struct TexteTrace {
    QRect encre;
    QPoint origine;
};

TexteTrace placerTexte(const QFontMetrics& metrique, const QString& texte, int x, int y,
                       bool aGauche) {
    const QRect encre = metrique.tightBoundingRect(texte); // relative to the baseline origin
    const int gauche = aGauche ? x : x - encre.width() / 2;
    const int haut = aGauche ? y - encre.height() / 2 : y;
    const QPoint origine(gauche - encre.left(), haut - encre.top());
    return {encre.translated(origine), origine};
}

class Metteur {
public:
    explicit Metteur(const circuit::Circuit& circuit)
        : circuit_(circuit)
        , etiquettes_(policeEtiquettes())
        , masse_(policeMasse()) {}

    MiseEnPage mettre() {
        page_.noeudEntree = circuit_.entree;
        page_.noeudSortie = circuit_.sortie;
        page_.noeudMasse = circuit_.masse;

        const Etendue cible = etendue(circuit_.type, circuit_.ordre);
        partagerLaPlace(cible);

        int x = gauche_;
        page_.entree = QPoint(x, hauteur::Signal);
        QPoint depart = page_.entree;
        x += FilEntree;
        std::size_t serie = 0;
        for (std::size_t b = 0; b < circuit_.blocs.size(); ++b) {
            const circuit::Bloc& bloc = circuit_.blocs[b];
            std::map<std::string, int> noeuds; // x of each node on the signal line
            noeuds[bloc.elements.front().noeudA] = depart.x();
            for (const Element& e : bloc.elements) {
                if (e.place == Place::Serie) {
                    const int longueur = longueurs_.at(serie++);
                    const SymboleTrace& s =
                        symbole(e, QPoint(x + longueur / 2, hauteur::Signal), false);
                    fil(depart, s.bornes[0]);
                    x += longueur;
                    fil(s.bornes[1], QPoint(x, hauteur::Signal));
                    depart = QPoint(x, hauteur::Signal);
                    noeuds[e.noeudB] = x;
                } else if (e.place == Place::Shunt) {
                    const int xn = noeuds.at(e.noeudA);
                    const SymboleTrace& s = symbole(e, QPoint(xn, CentreShunt), true);
                    fil(QPoint(xn, hauteur::Signal), s.bornes[0]);
                    fil(s.bornes[1], QPoint(xn, hauteur::Masse));
                    jonction(QPoint(xn, hauteur::Signal));
                    jonction(QPoint(xn, hauteur::Masse));
                }
            }

            const int xMoins = noeuds.at(bloc.ampli.moins);
            const int xAmpli = xMoins + EcartMoins;
            const int xVertical = xAmpli + CoteAmpli + EcartSortie;
            for (const Element& e : bloc.elements) {
                if (e.place == Place::ContreReactionExterne) {
                    contreReaction(e, noeuds.at(e.noeudA), xVertical,
                                   hauteur::ContreReactionExterne);
                } else if (e.place == Place::ContreReactionInterne) {
                    contreReaction(e, noeuds.at(e.noeudA), xVertical,
                                   hauteur::ContreReactionInterne);
                }
            }
            ampli(bloc.ampli, xMoins, xAmpli, xVertical);

            // The feedback branches come down on one vertical, which the op-amp output joins
            // at its foot and the next block leaves from on the signal line.
            fil(QPoint(xVertical, hauteur::ContreReactionExterne),
                QPoint(xVertical, hauteur::Sortie));
            jonction(QPoint(xVertical, hauteur::Sortie));
            x = xVertical;
            if (b + 1 < circuit_.blocs.size()) {
                depart = QPoint(xVertical, hauteur::Signal);
                jonction(depart);
            }
        }
        page_.sortie = QPoint(x + FilSortie, hauteur::Sortie);
        fil(QPoint(x, hauteur::Sortie), page_.sortie);
        fil(QPoint(gauche_, hauteur::Masse), QPoint(page_.sortie.x(), hauteur::Masse));
        return page_;
    }

private:
    // Shares the room beyond the natural widths out over the series slots, so that the
    // diagram spans `cible`; when it does not fit, it stays at its natural width, centred.
    void partagerLaPlace(const Etendue& cible) {
        int naturelle = FilEntree + FilSortie;
        for (const circuit::Bloc& bloc : circuit_.blocs) {
            naturelle += EcartMoins + CoteAmpli + EcartSortie;
            for (const Element& e : bloc.elements) {
                if (e.place == Place::Serie) {
                    longueurs_.push_back(longueurNaturelle(e.nature));
                    naturelle += longueurs_.back();
                }
            }
        }
        const int voulue = cible.droite - cible.gauche;
        const int reste = voulue - naturelle;
        if (reste < 0) {
            gauche_ = (cible.gauche + cible.droite - naturelle) / 2;
            return;
        }
        gauche_ = cible.gauche;
        const int n = static_cast<int>(longueurs_.size());
        for (int i = 0; i < n; ++i) {
            longueurs_[static_cast<std::size_t>(i)] += reste / n + (i < reste % n ? 1 : 0);
        }
    }

    void fil(QPoint a, QPoint b) {
        if (a != b) {
            page_.fils.emplace_back(a, b);
        }
    }

    void jonction(QPoint p) {
        if (std::find(page_.jonctions.begin(), page_.jonctions.end(), p) == page_.jonctions.end()) {
            page_.jonctions.push_back(p);
        }
    }

    // A branch from the signal-line node at `xNoeud` up to `y` and across to the vertical at
    // `xVertical`, with its element in the middle of the span.
    void contreReaction(const Element& e, int xNoeud, int xVertical, int y) {
        fil(QPoint(xNoeud, hauteur::Signal), QPoint(xNoeud, y));
        jonction(QPoint(xNoeud, hauteur::Signal));
        const SymboleTrace& s = symbole(e, QPoint((xNoeud + xVertical) / 2, y), false);
        fil(QPoint(xNoeud, y), s.bornes[0]);
        fil(s.bornes[1], QPoint(xVertical, y));
        if (y != hauteur::ContreReactionExterne) {
            jonction(QPoint(xVertical, y)); // the outer branch turns down here; others join
        }
    }

    void ampli(const circuit::AmpliOp& a, int xMoins, int xAmpli, int xVertical) {
        constexpr int demi = CoteAmpli / 2;
        AmpliTrace t;
        t.sommets = {QPoint(xAmpli, hauteur::Sortie - demi), QPoint(xAmpli, hauteur::Sortie + demi),
                     QPoint(xAmpli + CoteAmpli, hauteur::Sortie)};
        t.moins = QPoint(xAmpli, hauteur::Signal);
        t.plus = QPoint(xAmpli, hauteur::Plus);
        t.sortie = t.sommets[2];
        t.noeudMoins = a.moins;
        t.noeudPlus = a.plus;
        t.noeudSortie = a.sortie;
        page_.amplis.push_back(t);

        fil(QPoint(xMoins, hauteur::Signal), t.moins);
        const int xPlus = xMoins + EcartMoins / 2;
        fil(t.plus, QPoint(xPlus, hauteur::Plus));
        fil(QPoint(xPlus, hauteur::Plus), QPoint(xPlus, hauteur::Masse));
        jonction(QPoint(xPlus, hauteur::Masse));
        fil(t.sortie, QPoint(xVertical, hauteur::Sortie));

        MasseTrace m;
        m.jonction = QPoint(xPlus, hauteur::Masse);
        m.tige = QLine(m.jonction + QPoint(0, 1), QPoint(xPlus, PiedMasse));
        m.barre = QLine(xPlus - DemiBarreMasse, PiedMasse, xPlus + DemiBarreMasse, PiedMasse);
        const TexteTrace texte =
            placerTexte(masse_, QStringLiteral("GND"), xPlus, hauteur::TexteMasse, false);
        m.cadreTexte = texte.encre;
        m.origineTexte = texte.origine;
        page_.masses.push_back(m);
    }

    const SymboleTrace& symbole(const Element& e, QPoint c, bool vertical) {
        SymboleTrace s;
        s.nature = e.nature;
        s.vertical = vertical;
        s.noeuds = {e.noeudA, e.noeudB};
        s.etiquette = QString::fromStdString(e.etiquette);
        const bool resistance = e.nature == Nature::Resistance;
        const int demiLong = resistance ? DemiCorpsResistance : DemiEcartArmatures;
        const int demiLarge = resistance ? DemiLargeurResistance : DemiArmature;
        const int patte = resistance ? Patte : PatteCondensateur;
        if (vertical) {
            s.corps = QRect(QPoint(c.x() - demiLarge, c.y() - demiLong),
                            QPoint(c.x() + demiLarge, c.y() + demiLong));
            s.bornes = {QPoint(c.x(), c.y() - demiLong - patte),
                        QPoint(c.x(), c.y() + demiLong + patte)};
        } else {
            s.corps = QRect(QPoint(c.x() - demiLong, c.y() - demiLarge),
                            QPoint(c.x() + demiLong, c.y() + demiLarge));
            s.bornes = {QPoint(c.x() - demiLong - patte, c.y()),
                        QPoint(c.x() + demiLong + patte, c.y())};
        }
        // Above a horizontal element, to the right of a vertical one.
        const TexteTrace texte =
            vertical ? placerTexte(etiquettes_, s.etiquette, s.corps.right() + 1 + EspaceEtiquette,
                                   c.y(), true)
                     : placerTexte(etiquettes_, s.etiquette, c.x(), 0, false);
        s.cadreEtiquette = texte.encre;
        s.origineEtiquette = texte.origine;
        if (!vertical) {
            // Now that its height is known, lift the label to sit just above the symbol.
            const int dy = s.corps.top() - EspaceEtiquette - 1 - s.cadreEtiquette.bottom();
            s.cadreEtiquette.translate(0, dy);
            s.origineEtiquette += QPoint(0, dy);
        }
        page_.symboles.push_back(s);
        return page_.symboles.back();
    }

    const circuit::Circuit& circuit_;
    QFontMetrics etiquettes_;
    QFontMetrics masse_;
    MiseEnPage page_;
    std::vector<int> longueurs_; // of each series slot, in signal order
    int gauche_ = 0;
};

} // namespace

QFont policeEtiquettes() {
    return police(12);
}

QFont policeMasse() {
    return police(10);
}

Etendue etendue(TypeFiltre type, int ordre) {
    if (ordre < OrdreMin || ordre > OrdreMax) {
        throw std::out_of_range("no diagram for order " + std::to_string(ordre));
    }
    const auto& table = type == TypeFiltre::PasseBas ? EtenduesPasseBas : EtenduesPasseHaut;
    return table.at(static_cast<std::size_t>(ordre - OrdreMin));
}

MiseEnPage mettreEnPage(const circuit::Circuit& circuit) {
    return Metteur(circuit).mettre();
}

} // namespace quorvan::schematics
