#pragma once

#include "ErreurUsage.h"
#include "analysis/AmpliOpReel.h"
#include "analysis/MonteCarlo.h"
#include "analysis/Optimisation.h"

#include <QList>

#include <cmath>
#include <optional>
#include <variant>

class QCommandLineParser;

namespace quorvan::cli {

// What the command line asks of the design beyond its values: parts of the standard series,
// trials within the parts' tolerances, op-amps of a finite gain-bandwidth.
struct DemandeAnalyse {
    std::optional<analyse::SeriesPieces> optimisation; // --optimiser, with its series
    std::optional<analyse::ReglagesMonteCarlo> monteCarlo;
    std::optional<double> gbw; // Hz; unset: ideal op-amps
    double gainBoucleOuverteDb = 100.0;

    [[nodiscard]] double gainBoucleOuverte() const {
        return std::pow(10.0, gainBoucleOuverteDb / 20.0);
    }
    [[nodiscard]] std::optional<analyse::AmpliOpReel> ampli() const {
        return gbw ? std::optional(analyse::AmpliOpReel{*gbw, gainBoucleOuverte()}) : std::nullopt;
    }
};

// The options DemandeAnalyse is read from, for the parser to know them.
[[nodiscard]] const QList<QCommandLineOption>& optionsAnalyse();

// Reads them once the parser has parsed the command line; `serie` tells whether --serie is
// given, which --optimiser replaces.
[[nodiscard]] std::variant<DemandeAnalyse, ErreurUsage>
lireDemandeAnalyse(const QCommandLineParser& analyseur, bool serie);

// A series as every option that takes one reads it: its name in any letter case ("e24").
[[nodiscard]] std::optional<analyse::Serie> lireSerie(const QString& nom);

// The series --optimiser chooses from unless told: E96 resistors, E12 capacitors.
[[nodiscard]] analyse::SeriesPieces seriesParDefaut();

// The lines --help gives these options.
[[nodiscard]] std::string aideAnalyse();

} // namespace quorvan::cli
