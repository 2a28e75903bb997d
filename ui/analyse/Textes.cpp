#include "Textes.h"

#include "engine/Familles.h"
#include "report/EcritureSI.h"
#include "toolkit/Utf8.h"

#include <QLocale>

#include <cmath>

namespace quorvan {

QString texteSI(double valeur, std::string_view unite, int chiffres) {
    return QString::fromStdString(
        ecrireSI(valeur, unite, QLocale().decimalPoint().toStdString(), chiffres));
}

QString texteFrequence(double hz) {
    if (!std::isfinite(hz)) {
        return QStringLiteral("hors du balayage");
    }
    return texteSI(hz, "Hz", 3);
}

QString texteDecimales(double valeur, int decimales, const QString& unite) {
    // A value that rounds to zero is written "0,00", not "-0,00".
    if (std::fabs(valeur) < 0.5 * std::pow(10.0, -decimales)) {
        valeur = 0;
    }
    return QLocale().toString(valeur, 'f', decimales) + u' ' + unite;
}

QString texteConception(const Conception& conception) {
    // The frequency as typed, to the digits a user types.
    return toolkit::fromUtf8(famille(conception.famille).libelle) + QStringLiteral(", ") +
           toolkit::fromUtf8(libelleType(conception.type)).toLower() +
           QStringLiteral(", ordre %1, ").arg(conception.ordre) +
           texteSI(conception.frequence, "Hz", 6);
}

} // namespace quorvan
