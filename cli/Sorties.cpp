#include "Sorties.h"

#include "analysis/Etages.h"
#include "analysis/Reponse.h"
#include "report/EcritureNombres.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <charconv>
#include <cmath>

namespace quorvan::cli {

namespace {

bool passeBas(const Conception& c) {
    return c.type == TypeFiltre::PasseBas;
}

std::string nomComposant(const Conception& c, int numero) {
    return (passeBas(c) ? "C" : "R") + std::to_string(numero);
}

double ecartPourcent(double normalisee, double calculee) {
    return (normalisee - calculee) / calculee * 100;
}

// Ten significant digits, a period, no locale.
std::string nombre(double valeur) {
    std::array<char, 32> texte{};
    const auto fin = std::to_chars(texte.data(), texte.data() + texte.size(), valeur,
                                   std::chars_format::general, 10)
                         .ptr;
    return {texte.data(), fin};
}

QJsonValue json(double valeur) {
    return std::isfinite(valeur) ? QJsonValue(valeur) : QJsonValue();
}

QString qtexte(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString nomIssue(const IssueCalcul& issue) {
    if (!issue.etat) {
        return QStringLiteral("frequence-absente");
    }
    switch (*issue.etat) {
    case EtatCalcul::Realisable:
        return QStringLiteral("realisable");
    case EtatCalcul::FrequenceTropBasse:
        return QStringLiteral("frequence-trop-basse");
    case EtatCalcul::FrequenceTropGrande:
        break;
    }
    return QStringLiteral("frequence-trop-grande");
}

} // namespace

std::string texteValeursNormalisees(const Conception& calculee, const Conception& normalisee,
                                    const analyse::Serie& serie, std::string_view separateur) {
    std::string texte = "Valeurs normalis\u00E9es " + std::string(serie.nom) + " :\n";
    for (int i = 1; i <= calculee.ordre; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const double v = normalisee.numerotes[k];
        texte +=
            nomComposant(calculee, i) + " = " +
            (passeBas(calculee) ? FormatCapacite(v, separateur) : formatOhmsArrondis(v) + " Ohms") +
            " (\u00E9cart " +
            formatTroisDecimales(ecartPourcent(v, calculee.numerotes[k]), separateur) + " %)\n";
    }
    return texte;
}

std::string reponseCsv(const Conception& conception) {
    std::string csv = "frequence_hz;gain_db;phase_deg;retard_s\n";
    const analyse::Reseau reseau(conception);
    for (const analyse::PointReponse& p : analyse::balayerAutour(reseau, conception.frequence)) {
        csv += nombre(p.frequence) + ";" + nombre(p.gainDb) + ";" + nombre(p.phaseDeg) + ";" +
               nombre(p.retard) + "\n";
    }
    return csv;
}

std::string conceptionJson(const IssueCalcul& issue, const std::optional<analyse::Serie>& serie) {
    const Conception& c = issue.conception;
    QJsonObject o;
    o[QStringLiteral("filtre")] = qtexte(famille(c.famille).nomCommande);
    o[QStringLiteral("ordre")] = c.ordre;
    o[QStringLiteral("type")] = qtexte(nomCommandeType(c.type));
    o[QStringLiteral("frequence_hz")] = issue.etat ? json(c.frequence) : QJsonValue();
    o[QStringLiteral("issue")] = nomIssue(issue);
    o[QStringLiteral("message")] = QString::fromStdString(issue.message);
    o[QStringLiteral("serie")] = serie ? qtexte(serie->nom) : QJsonValue();
    const bool realisable = issue.contenu == ContenuResultat::Rapport;
    QJsonArray composants;
    QJsonArray etages;
    o[QStringLiteral("commun")] = QJsonValue();
    o[QStringLiteral("coupure_3db_hz")] = QJsonValue();
    o[QStringLiteral("ondulation_db")] = QJsonValue();
    if (realisable) {
        const Conception analysee = serie ? analyse::normaliser(c, *serie) : c;
        o[QStringLiteral("commun")] = QJsonObject{{QStringLiteral("nom"), passeBas(c) ? "R" : "C"},
                                                  {QStringLiteral("valeur"), c.valeurCommune}};
        for (int i = 1; i <= c.ordre; ++i) {
            const auto k = static_cast<std::size_t>(i);
            QJsonObject composant{{QStringLiteral("nom"), qtexte(nomComposant(c, i))},
                                  {QStringLiteral("valeur"), c.numerotes[k]}};
            if (serie) {
                composant[QStringLiteral("normalisee")] = analysee.numerotes[k];
                composant[QStringLiteral("ecart_pct")] =
                    ecartPourcent(analysee.numerotes[k], c.numerotes[k]);
            }
            composants.append(composant);
        }
        for (const analyse::Etage& e : analyse::etages(analysee)) {
            QJsonArray noms;
            for (const std::string& n : e.composants) {
                noms.append(qtexte(n));
            }
            etages.append(QJsonObject{
                {QStringLiteral("composants"), noms},
                {QStringLiteral("f0_hz"), e.f0},
                {QStringLiteral("q"), e.q},
                {QStringLiteral("gbw_min_hz"), e.gbwMinimum()},
                {QStringLiteral("pole_reel_hz"), e.poleReel ? json(*e.poleReel) : QJsonValue()},
            });
        }
        const analyse::Reseau reseau(analysee);
        const analyse::Caracteristiques car =
            analyse::caracteriser(reseau, c.type, analyse::balayerAutour(reseau, c.frequence));
        o[QStringLiteral("coupure_3db_hz")] = json(car.coupure3dB);
        o[QStringLiteral("ondulation_db")] = json(car.ondulationDb);
    }
    o[QStringLiteral("composants")] = composants;
    o[QStringLiteral("etages")] = etages;
    return QJsonDocument(o).toJson(QJsonDocument::Indented).toStdString();
}

} // namespace quorvan::cli
