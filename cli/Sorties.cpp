#include "Sorties.h"

#include "Json.h"
#include "Texte.h"
#include "analysis/CsvReponse.h"
#include "analysis/Etages.h"
#include "analysis/Nomenclature.h"
#include "analysis/Reponse.h"
#include "analysis/ValeursNormalisees.h"
#include "netlist/NetlistSpice.h"
#include "report/EcritureNombres.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cmath>

namespace quorvan::cli {

namespace {

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
    for (const analyse::Ecart& e : analyse::ecarts(calculee, normalisee)) {
        texte += e.nom + " = " + formatComposant(calculee.type, e.normalisee, separateur) +
                 " (\u00E9cart " + formatTroisDecimales(e.pourcent, separateur) + " %)\n";
    }
    return texte;
}

std::string netlistSpice(const Production& production) {
    return spice::ecrireNetlist(production.montage, production.ampli);
}

std::string reponseCsv(const Production& production) {
    const circuit::Montage& m = production.montage;
    const std::vector<analyse::PointReponse> points =
        analyse::balayerAutour(analyse::Reseau(m, production.ampli), m.frequence);
    const analyse::CourbeCsv courbe{"", points};
    return analyse::reponseCsv({&courbe, 1}, production.decimal);
}

std::string nomenclaturePieces(const Production& production) {
    return analyse::nomenclatureCsv(analyse::nomenclature(
        production.montage, production.series.resistances, production.series.condensateurs));
}

QJsonObject conceptionJson(const IssueCalcul& issue, const Conception& normalisee,
                           const std::optional<analyse::Serie>& serie) {
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
    o[QStringLiteral("gain_db")] = QJsonValue();
    o[QStringLiteral("ondulation_db")] = QJsonValue();
    if (realisable) {
        o[QStringLiteral("commun")] =
            QJsonObject{{QStringLiteral("nom"), c.type == TypeFiltre::PasseBas ? "R" : "C"},
                        {QStringLiteral("valeur"), valeurPiece(c.valeurCommune)}};
        for (const analyse::Ecart& e : analyse::ecarts(c, normalisee)) {
            QJsonObject composant{{QStringLiteral("nom"), qtexte(e.nom)},
                                  {QStringLiteral("valeur"), e.calculee}};
            if (serie) {
                composant[QStringLiteral("normalisee")] = valeurPiece(e.normalisee);
                composant[QStringLiteral("ecart_pct")] = e.pourcent;
            }
            composants.append(composant);
        }
        for (const analyse::Etage& e : analyse::etages(normalisee)) {
            QJsonArray noms;
            for (const std::string& n : e.composants) {
                noms.append(qtexte(n));
            }
            etages.append(QJsonObject{
                {QStringLiteral("composants"), noms},
                {QStringLiteral("f0_hz"), e.f0},
                {QStringLiteral("q"), e.q},
                {QStringLiteral("gbw_min_hz"), e.gbwMinimum()},
                {QStringLiteral("gain_db"), e.gainDb()},
                {QStringLiteral("gain_max_db"), e.gainMaxDb()},
                {QStringLiteral("pole_reel_hz"), e.poleReel ? json(*e.poleReel) : QJsonValue()},
            });
        }
        const analyse::Caracteristiques car = analyse::analyser(normalisee).caracteristiques;
        o[QStringLiteral("coupure_3db_hz")] = json(car.coupure3dB);
        o[QStringLiteral("gain_db")] = json(car.gainDb);
        o[QStringLiteral("ondulation_db")] = json(car.ondulationDb);
    }
    o[QStringLiteral("composants")] = composants;
    o[QStringLiteral("etages")] = etages;
    return o;
}

} // namespace quorvan::cli
