#include "ErreurUsage.h"

namespace quorvan::cli {

std::string nomOption(const QCommandLineOption& option) {
    return "--" + option.names().front().toStdString();
}

ErreurUsage valeurRefusee(const QCommandLineOption& option, const QString& valeur,
                          std::string_view attendu) {
    return {"valeur invalide pour " + nomOption(option) + " : \"" + valeur.toStdString() +
            "\" (attendu : " + std::string(attendu) + ")"};
}

} // namespace quorvan::cli
