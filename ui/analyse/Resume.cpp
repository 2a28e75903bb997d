#include "Resume.h"

#include "Textes.h"

namespace quorvan {

QString texteResume(const Resume& resume) {
    const QString dB = QStringLiteral("dB");
    QString texte =
        QStringLiteral("Gain dans la bande passante : %1 (fr\u00E9quence tap\u00E9e : "
                       "%2).")
            .arg(texteDecimales(resume.gainDb, 2, dB), texteSI(resume.frequence, "Hz", 6));
    for (const Resume::Circuit& c : resume.circuits) {
        texte += QStringLiteral("\n%1 : le gain tombe de 3 dB \u00E0 %2, ondulation %3, "
                                "\u00E9cart maximal \u00E0 la r\u00E9ponse id\u00E9ale %4.")
                     .arg(c.nom, texteFrequence(c.caracteristiques.coupure3dB),
                          texteDecimales(c.caracteristiques.ondulationDb, 2, dB),
                          texteDecimales(c.ecartIdealDb, 2, dB));
    }
    if (!resume.optimisation.isEmpty()) {
        texte += QStringLiteral("\nValeurs optimis\u00E9es : ") + resume.optimisation;
    }
    return texte + QStringLiteral("\nLe gain \u00D7 bande minimal de chaque ampli op est une "
                                  "r\u00E8gle pratique : 100 \u00D7 gain \u00D7 f0 \u00D7 Q.");
}

} // namespace quorvan
