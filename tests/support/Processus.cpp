#include "Processus.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

namespace quorvan::test {

Sortie lancer(const QString& programme, const QStringList& arguments,
              const QStringList& environnement) {
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const QString& v : environnement) {
        variables.insert(v.section(u'=', 0, 0), v.section(u'=', 1));
    }
    QProcess processus;
    processus.setProcessEnvironment(variables);
    processus.setStandardInputFile(QProcess::nullDevice());
    processus.start(programme, arguments);
    Sortie sortie;
    if (!processus.waitForFinished(60000)) {
        processus.kill();
        processus.waitForFinished();
        return sortie;
    }
    sortie.out = processus.readAllStandardOutput().toStdString();
    sortie.err = processus.readAllStandardError().toStdString();
    if (processus.exitStatus() == QProcess::NormalExit) {
        sortie.code = processus.exitCode();
    }
    return sortie;
}

std::string lireFichier(const QString& chemin) {
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        return {};
    }
    return fichier.readAll().toStdString();
}

} // namespace quorvan::test
