#include "LecturePdf.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextDocumentFragment>

#include <stdexcept>

namespace quorvan::test {
namespace {

QString sortie(const QString& programme, const QStringList& arguments) {
    QProcess processus;
    processus.start(programme, arguments);
    if (!processus.waitForFinished(60000) || processus.exitStatus() != QProcess::NormalExit ||
        processus.exitCode() != 0) {
        throw std::runtime_error((programme + " " + arguments.join(u' ') +
                                  " failed: " + QString::fromUtf8(processus.readAllStandardError()))
                                     .toStdString());
    }
    return QString::fromUtf8(processus.readAllStandardOutput());
}

} // namespace

QString outilsPdfManquants() {
    QStringList manquants;
    for (const char* outil : {"pdfinfo", "pdftotext", "pdftoppm"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(outil)).isEmpty()) {
            manquants << QString::fromLatin1(outil);
        }
    }
    return manquants.isEmpty()
               ? QString()
               : manquants.join(QStringLiteral(", ")) +
                     QStringLiteral(" not found: install poppler-utils (scripts/install-deps.sh)");
}

int nombreDePages(const QString& pdf) {
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s*(\\d+)"),
                                          QRegularExpression::MultilineOption);
    return pages.match(sortie(QStringLiteral("pdfinfo"), {pdf})).captured(1).toInt();
}

QString texteMisEnPage(const QString& pdf) {
    return sortie(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                                QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
}

std::vector<Mot> mots(const QString& pdf, int page) {
    const QString html =
        sortie(QStringLiteral("pdftotext"),
               {QStringLiteral("-bbox"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                QString::number(page), pdf, QStringLiteral("-")});
    static const QRegularExpression mot(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    std::vector<Mot> resultat;
    for (auto it = mot.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        resultat.push_back({QTextDocumentFragment::fromHtml(m.captured(5)).toPlainText(),
                            m.captured(1).toDouble(), m.captured(2).toDouble(),
                            m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    return resultat;
}

QImage rendu(const QString& pdf, int dpi, int page) {
    QTemporaryDir dossier;
    const QString base = dossier.filePath(QStringLiteral("page"));
    (void)sortie(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
                  QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                  QString::number(page), QStringLiteral("-singlefile"), pdf, base});
    return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QRect encre(const QImage& image, int seuil) {
    QRect r;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < seuil) {
                r = r.united(QRect(x, y, 1, 1));
            }
        }
    }
    return r;
}

} // namespace quorvan::test
