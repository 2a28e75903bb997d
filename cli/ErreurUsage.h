#pragma once

#include <QCommandLineOption>
#include <QString>

#include <string>
#include <string_view>

namespace quorvan::cli {

// A command line that asks for nothing the program can do, and why, in French.
struct ErreurUsage {
    std::string message;
};

// The option as typed: "--ordre".
[[nodiscard]] std::string nomOption(const QCommandLineOption& option);

// "valeur invalide pour --ordre : "8" (attendu : un ordre de 2 à 7)".
[[nodiscard]] ErreurUsage valeurRefusee(const QCommandLineOption& option, const QString& valeur,
                                        std::string_view attendu);

} // namespace quorvan::cli
