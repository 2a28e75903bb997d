#include "JsonAnalyse.h"

#include "Json.h"
#include "Texte.h"
#include "analysis/Reponse.h"
#include "report/EcritureNombres.h"

#include <QJsonArray>

namespace quorvan::cli {

namespace {

// Each part as the netlist names and writes it, with the series it was chosen from.
QJsonArray piecesJson(const circuit::Montage& montage, const analyse::SeriesPieces& series) {
    QJsonArray pieces;
    const std::vector<circuit::Piece> liste = circuit::pieces(montage.circuit);
    for (std::size_t i = 0; i < liste.size(); ++i) {
        const bool resistance = montage.element(i).nature == circuit::Nature::Resistance;
        pieces.append(QJsonObject{
            {QStringLiteral("nom"), qtexte(liste[i].nom)},
            {QStringLiteral("valeur"), valeurPiece(montage.valeurs[i])},
            {QStringLiteral("serie"),
             qtexte(resistance ? series.resistances.nom : series.condensateurs.nom)},
            {QStringLiteral("etage"), static_cast<int>(liste[i].bloc + 1)},
        });
    }
    return pieces;
}

QJsonObject optimisationJson(const analyse::Optimisation& optimisation,
                             const analyse::SeriesPieces& series) {
    const circuit::Montage& m = *optimisation.montage;
    const analyse::Caracteristiques car = analyse::analyser(m).caracteristiques;
    return {
        {QStringLiteral("serie_r"), qtexte(series.resistances.nom)},
        {QStringLiteral("serie_c"), qtexte(series.condensateurs.nom)},
        {QStringLiteral("ecart_max_db"), json(optimisation.ecartMaxDb)},
        {QStringLiteral("ecart_max_db_arrondi"), json(optimisation.ecartMaxArrondiDb)},
        {QStringLiteral("coupure_3db_hz"), json(car.coupure3dB)},
        {QStringLiteral("ondulation_db"), json(car.ondulationDb)},
        {QStringLiteral("pieces"), piecesJson(m, series)},
    };
}

QJsonObject repartitionJson(const analyse::Repartition& r) {
    return {
        {QStringLiteral("p1"), json(r.p1)},   {QStringLiteral("p5"), json(r.p5)},
        {QStringLiteral("p50"), json(r.p50)}, {QStringLiteral("p95"), json(r.p95)},
        {QStringLiteral("p99"), json(r.p99)}, {QStringLiteral("min"), json(r.min)},
        {QStringLiteral("max"), json(r.max)},
    };
}

QJsonObject monteCarloJson(const analyse::ResultatMonteCarlo& r,
                           const analyse::ReglagesMonteCarlo& reglages) {
    QJsonArray sensibilites;
    for (const analyse::Sensibilite& s : r.sensibilites) {
        sensibilites.append(QJsonObject{
            {QStringLiteral("nom"), qtexte(s.nom)},
            {QStringLiteral("coupure_pct_par_pct"), json(s.coupurePctParPct)},
            {QStringLiteral("ondulation_db_par_pct"), json(s.ondulationDbParPct)},
            {QStringLiteral("part_variance_pct"), json(s.partVariancePct)},
        });
    }
    const analyse::Tolerances& t = reglages.tolerances;
    return {
        {QStringLiteral("essais"), static_cast<qint64>(reglages.essais)},
        {QStringLiteral("loi"), t.loi == analyse::Loi::Gauss ? "gauss" : "uniforme"},
        {QStringLiteral("tolerance_r_pct"), t.resistancesPct},
        {QStringLiteral("tolerance_c_pct"), t.condensateursPct},
        {QStringLiteral("graine"), static_cast<qint64>(reglages.graine)},
        {QStringLiteral("coupure_3db_hz"), repartitionJson(r.coupure3dB)},
        {QStringLiteral("ondulation_db"), repartitionJson(r.ondulationDb)},
        {QStringLiteral("rendement_pct"), r.rendementPct ? json(*r.rendementPct) : QJsonValue()},
        {QStringLiteral("sensibilites"), sensibilites},
        {QStringLiteral("pire_cas"),
         QJsonObject{{QStringLiteral("coupure_3db_hz_min"), json(r.pireCas.coupureMin)},
                     {QStringLiteral("coupure_3db_hz_max"), json(r.pireCas.coupureMax)}}},
    };
}

} // namespace

void ajouterAnalyses(QJsonObject& o, const Analyses& analyses, const DemandeAnalyse& demande) {
    if (demande.optimisation) {
        const bool optimise = analyses.optimisation && analyses.optimisation->montage;
        o[QStringLiteral("optimisation")] =
            optimise ? optimisationJson(*analyses.optimisation, *demande.optimisation)
                     : QJsonValue();
        if (!optimise) {
            o[QStringLiteral("optimisation_message")] =
                analyses.optimisation ? QString::fromStdString(analyses.optimisation->message)
                                      : QStringLiteral("Aucun filtre n'est calcul\u00E9 : rien "
                                                       "\u00E0 optimiser.");
        }
    }
    if (demande.monteCarlo) {
        o[QStringLiteral("monte_carlo")] =
            analyses.monteCarlo ? monteCarloJson(*analyses.monteCarlo, *demande.monteCarlo)
                                : QJsonValue();
    }
    if (demande.gbw) {
        o[QStringLiteral("ampli_op")] =
            QJsonObject{{QStringLiteral("gbw_hz"), *demande.gbw},
                        {QStringLiteral("gain_boucle_ouverte_db"), demande.gainBoucleOuverteDb}};
    }
    o[QStringLiteral("gbw_necessaire_hz")] =
        analyses.gbwNecessaire ? json(*analyses.gbwNecessaire) : QJsonValue();
}

} // namespace quorvan::cli
