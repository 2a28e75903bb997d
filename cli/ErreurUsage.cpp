#include "ErreurUsage.h"

namespace quorvan::cli {

ErreurUsage valeurRefusee(const QCommandLineOption& option, const QString& valeur,
                          std::string_view attendu) {
    return {"valeur invalide pour --" + option.names().front().toStdString() + " : \"" +
            valeur.toStdString() + "\" (attendu : " + std::string(attendu) + ")"};
}

} // namespace quorvan::cli
