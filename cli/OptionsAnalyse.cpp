#include "OptionsAnalyse.h"

#include "Texte.h"

#include <QCommandLineParser>

#include <algorithm>
#include <array>
#include <string_view>

namespace quorvan::cli {

namespace {

const QCommandLineOption OptionOptimiser(QStringLiteral("optimiser"), {});
const QCommandLineOption OptionSerieR(QStringLiteral("serie-r"), {}, QStringLiteral("SERIE"));
const QCommandLineOption OptionSerieC(QStringLiteral("serie-c"), {}, QStringLiteral("SERIE"));
const QCommandLineOption OptionEssais(QStringLiteral("essais"), {}, QStringLiteral("N"));
const QCommandLineOption OptionToleranceR(QStringLiteral("tolerance-r"), {}, QStringLiteral("PCT"));
const QCommandLineOption OptionToleranceC(QStringLiteral("tolerance-c"), {}, QStringLiteral("PCT"));
const QCommandLineOption OptionLoi(QStringLiteral("loi"), {}, QStringLiteral("LOI"));
const QCommandLineOption OptionGraine(QStringLiteral("graine"), {}, QStringLiteral("S"));
const QCommandLineOption OptionGabaritCoupure(QStringLiteral("gabarit-coupure"), {},
                                              QStringLiteral("PCT"));
const QCommandLineOption OptionGabaritOndulation(QStringLiteral("gabarit-ondulation"), {},
                                                 QStringLiteral("DB"));
const QCommandLineOption OptionGbw(QStringLiteral("gbw"), {}, QStringLiteral("HZ"));
const QCommandLineOption OptionGainBoucleOuverte(QStringLiteral("gain-boucle-ouverte"), {},
                                                 QStringLiteral("DB"));

// The series each kind of part is sold in: resistors from E12 up, capacitors up to E24.
constexpr std::array<std::string_view, 4> SeriesResistances = {"E12", "E24", "E48", "E96"};
constexpr std::array<std::string_view, 3> SeriesCondensateurs = {"E6", "E12", "E24"};
constexpr std::string_view SerieRParDefaut = "E96";
constexpr std::string_view SerieCParDefaut = "E12";

// The largest seed a JSON number carries exactly to any reader: 2^53 − 1.
constexpr std::uint64_t GraineMax = (std::uint64_t{1} << 53) - 1;

template <std::size_t N>
std::string nomsDesSeries(const std::array<std::string_view, N>& noms) {
    return enumeration(noms, [](std::string_view nom) { return nom; });
}

// Reads the options of one request, throwing the first refusal.
class Lecture {
public:
    explicit Lecture(const QCommandLineParser& analyseur)
        : analyseur_(analyseur) {}

    [[nodiscard]] bool donnee(const QCommandLineOption& option) const {
        return analyseur_.isSet(option);
    }

    // A finite number that `admis` takes.
    template <typename Admis>
    [[nodiscard]] double reel(const QCommandLineOption& option, Admis admis,
                              std::string_view attendu) const {
        const QString texte = analyseur_.value(option);
        bool lu = false;
        const double valeur = texte.toDouble(&lu);
        if (!lu || !std::isfinite(valeur) || !admis(valeur)) {
            throw valeurRefusee(option, texte, attendu);
        }
        return valeur;
    }

    [[nodiscard]] std::uint64_t entier(const QCommandLineOption& option, std::uint64_t min,
                                       std::uint64_t max) const {
        const QString texte = analyseur_.value(option);
        bool lu = false;
        const qulonglong valeur = texte.trimmed().toULongLong(&lu);
        if (!lu || valeur < min || valeur > max || texte.trimmed().startsWith(u'+')) {
            throw valeurRefusee(option, texte,
                                "un entier de " + std::to_string(min) + " \u00E0 " +
                                    std::to_string(max));
        }
        return valeur;
    }

    template <std::size_t N>
    [[nodiscard]] analyse::Serie serie(const QCommandLineOption& option,
                                       const std::array<std::string_view, N>& admises,
                                       std::string_view parDefaut) const {
        const QString texte = donnee(option) ? analyseur_.value(option) : qtexte(parDefaut);
        const std::optional<analyse::Serie> s = lireSerie(texte);
        if (!s || std::find(admises.begin(), admises.end(), s->nom) == admises.end()) {
            throw valeurRefusee(option, texte, nomsDesSeries(admises));
        }
        return *s;
    }

    // Refuses `option` when `sans` is not given too.
    void exiger(const QCommandLineOption& option, bool donneeAussi,
                const QCommandLineOption& sans) const {
        if (donnee(option) && !donneeAussi) {
            throw ErreurUsage{"l'option " + nomOption(option) + " n'a de sens qu'avec " +
                              nomOption(sans)};
        }
    }

    [[nodiscard]] const QCommandLineParser& analyseur() const { return analyseur_; }

private:
    const QCommandLineParser& analyseur_;
};

bool positif(double v) {
    return v > 0.0;
}
bool pourcentageTolerance(double v) {
    return v >= 0.0 && v < 100.0;
}

analyse::ReglagesMonteCarlo lireMonteCarlo(const Lecture& l) {
    analyse::ReglagesMonteCarlo r;
    r.essais = l.entier(OptionEssais, 1, analyse::EssaisMax);
    const std::string_view tolerance = "un pourcentage d'au moins 0 et de moins de 100";
    if (l.donnee(OptionToleranceR)) {
        r.tolerances.resistancesPct = l.reel(OptionToleranceR, pourcentageTolerance, tolerance);
    }
    if (l.donnee(OptionToleranceC)) {
        r.tolerances.condensateursPct = l.reel(OptionToleranceC, pourcentageTolerance, tolerance);
    }
    if (l.donnee(OptionLoi)) {
        const QString loi = l.analyseur().value(OptionLoi);
        if (loi != QStringLiteral("uniforme") && loi != QStringLiteral("gauss")) {
            throw valeurRefusee(OptionLoi, loi, "uniforme ou gauss");
        }
        r.tolerances.loi =
            loi == QStringLiteral("gauss") ? analyse::Loi::Gauss : analyse::Loi::Uniforme;
    }
    if (l.donnee(OptionGraine)) {
        r.graine = l.entier(OptionGraine, 0, GraineMax);
    }
    if (l.donnee(OptionGabaritCoupure)) {
        r.limites.ecartCoupurePct =
            l.reel(OptionGabaritCoupure, positif, "un pourcentage plus grand que 0");
    }
    if (l.donnee(OptionGabaritOndulation)) {
        r.limites.ondulationMaxDb = l.reel(
            OptionGabaritOndulation, [](double v) { return v >= 0.0; }, "des dB positifs ou nuls");
    }
    return r;
}

DemandeAnalyse lire(const Lecture& l, bool serie) {
    DemandeAnalyse demande;
    const bool optimiser = l.donnee(OptionOptimiser);
    if (optimiser && serie) {
        throw ErreurUsage{"les options --serie et --optimiser s'excluent : --optimiser choisit "
                          "lui-m\u00EAme chaque valeur dans les s\u00E9ries de --serie-r et "
                          "--serie-c"};
    }
    l.exiger(OptionSerieR, optimiser, OptionOptimiser);
    l.exiger(OptionSerieC, optimiser, OptionOptimiser);
    const bool essais = l.donnee(OptionEssais);
    for (const QCommandLineOption* o :
         {&OptionToleranceR, &OptionToleranceC, &OptionLoi, &OptionGraine, &OptionGabaritCoupure,
          &OptionGabaritOndulation}) {
        l.exiger(*o, essais, OptionEssais);
    }
    if (optimiser) {
        demande.optimisation =
            analyse::SeriesPieces{l.serie(OptionSerieR, SeriesResistances, SerieRParDefaut),
                                  l.serie(OptionSerieC, SeriesCondensateurs, SerieCParDefaut)};
    }
    if (essais) {
        demande.monteCarlo = lireMonteCarlo(l);
    }
    if (l.donnee(OptionGbw)) {
        demande.gbw = l.reel(OptionGbw, positif, "une fr\u00E9quence en hertz plus grande que 0");
    }
    if (l.donnee(OptionGainBoucleOuverte)) {
        demande.gainBoucleOuverteDb = l.reel(
            OptionGainBoucleOuverte, [](double v) { return v > 0.0 && v <= 200.0; },
            "des dB plus grands que 0, 200 au plus");
    }
    return demande;
}

} // namespace

const QList<QCommandLineOption>& optionsAnalyse() {
    static const QList<QCommandLineOption> options = {OptionOptimiser,
                                                      OptionSerieR,
                                                      OptionSerieC,
                                                      OptionEssais,
                                                      OptionToleranceR,
                                                      OptionToleranceC,
                                                      OptionLoi,
                                                      OptionGraine,
                                                      OptionGabaritCoupure,
                                                      OptionGabaritOndulation,
                                                      OptionGbw,
                                                      OptionGainBoucleOuverte};
    return options;
}

std::variant<DemandeAnalyse, ErreurUsage> lireDemandeAnalyse(const QCommandLineParser& analyseur,
                                                             bool serie) {
    try {
        return lire(Lecture(analyseur), serie);
    } catch (const ErreurUsage& erreur) {
        return erreur;
    }
}

std::optional<analyse::Serie> lireSerie(const QString& nom) {
    for (const analyse::Serie& s : analyse::Series) {
        if (nom.compare(qtexte(s.nom), Qt::CaseInsensitive) == 0) {
            return s;
        }
    }
    return std::nullopt;
}

analyse::SeriesPieces seriesParDefaut() {
    return {*analyse::serieNommee(SerieRParDefaut), *analyse::serieNommee(SerieCParDefaut)};
}

std::string aideAnalyse() {
    return "  --optimiser   remplace chaque composant, les communs compris, par une valeur\n"
           "                normalis\u00E9e choisie pour la r\u00E9ponse la plus proche de "
           "celle\n"
           "                de la famille ; les fichiers \u00E9crits l'utilisent\n"
           "  --serie-r SERIE  s\u00E9rie des r\u00E9sistances : " +
           nomsDesSeries(SeriesResistances) + " (d\u00E9faut " + std::string(SerieRParDefaut) +
           ")\n"
           "  --serie-c SERIE  s\u00E9rie des condensateurs : " +
           nomsDesSeries(SeriesCondensateurs) + " (d\u00E9faut " + std::string(SerieCParDefaut) +
           ")\n"
           "  --essais N    tirages de Monte-Carlo, de 1 \u00E0 " +
           std::to_string(analyse::EssaisMax) +
           ", chaque composant dans sa\n"
           "                tol\u00E9rance ; un r\u00E9sum\u00E9 suit le texte\n"
           "  --tolerance-r PCT, --tolerance-c PCT  tol\u00E9rances en % (d\u00E9faut 1 et 5)\n"
           "  --loi LOI     uniforme (d\u00E9faut) ou gauss (\u03C3 = tol\u00E9rance / 3)\n"
           "  --graine S    graine des tirages, de 0 \u00E0 " +
           std::to_string(GraineMax) +
           " (d\u00E9faut 1) :\n"
           "                la m\u00EAme graine donne les m\u00EAmes r\u00E9sultats\n"
           "  --gabarit-coupure PCT, --gabarit-ondulation DB  limites du rendement : la\n"
           "                coupure \u00E0 \u00B1PCT % de la nominale, l'ondulation DB au "
           "plus\n"
           "  --gbw HZ      amplis op \u00E0 un p\u00F4le de ce produit gain-bande : la "
           "r\u00E9ponse\n"
           "                et la netlist les utilisent\n"
           "  --gain-boucle-ouverte DB  leur gain en boucle ouverte (d\u00E9faut 100 dB)\n";
}

} // namespace quorvan::cli
