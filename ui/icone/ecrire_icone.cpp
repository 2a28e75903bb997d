// Writes the program's icon as PNG files for the desktop menu, at build time, from the
// same drawing the windows use.
//   ecrire_icone <dossier>   writes <dossier>/<n>x<n>/apps/quorvan.png at every icon size

#include "ui/IconeAmpli.h"

#include <QDir>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage : ecrire_icone <dossier>\n", stderr);
        return 2;
    }
    for (const int taille : quorvan::TaillesIcone) {
        const QString dossier =
            QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(taille);
        if (!QDir().mkpath(dossier) ||
            !quorvan::dessinerIconeAmpli(taille).save(dossier + QStringLiteral("/quorvan.png"))) {
            std::fprintf(stderr, "ecrire_icone : impossible d'\u00E9crire dans %s\n",
                         qPrintable(dossier));
            return 1;
        }
    }
    return 0;
}
