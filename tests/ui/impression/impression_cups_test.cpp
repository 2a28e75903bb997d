// "Impression du résultat" pressed in the real main window, printing through a real CUPS
// server to a cups-pdf queue. scripts/cups-test.sh starts the server, makes the queue the
// default printer and names its output folder in QUORVAN_CUPS_PDF_DIR.

#include "Form1.h"
#include "LecturePdf.h"
#include "QtPrinter.h"
#include "RecordingDesktop.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvan {
namespace {

constexpr int AttenteMaxMs = 60000;

// The documents in the folder that were not there before.
QStringList nouveaux(const QDir& dossier, const QStringList& avant) {
    QStringList liste;
    for (const QString& nom : dossier.entryList({QStringLiteral("*.pdf")}, QDir::Files)) {
        if (!avant.contains(nom)) {
            liste << nom;
        }
    }
    return liste;
}

// cups-pdf writes its file while the job runs: waits until a new document has stopped
// growing, then a little longer, in case a second one were on its way.
QStringList documentsArrives(const QDir& dossier, const QStringList& avant) {
    QElapsedTimer horloge;
    horloge.start();
    qint64 tailleAvant = -1;
    while (horloge.elapsed() < AttenteMaxMs) {
        QTest::qWait(500);
        qint64 taille = 0;
        for (const QString& nom : nouveaux(dossier, avant)) {
            taille += QFileInfo(dossier.filePath(nom)).size();
        }
        if (taille > 0 && taille == tailleAvant) {
            QTest::qWait(2000);
            break;
        }
        tailleAvant = taille;
    }
    return nouveaux(dossier, avant);
}

TEST(ImpressionCups, PrintButtonSendsOneOnePageDocumentToTheDefaultPrinter) {
    const QString dossierPdf = qEnvironmentVariable("QUORVAN_CUPS_PDF_DIR");
    if (dossierPdf.isEmpty()) {
        GTEST_SKIP() << "needs the CUPS server and cups-pdf queue that scripts/cups-test.sh "
                        "sets up (QUORVAN_CUPS_PDF_DIR unset)";
    }
    const QString manquants = test::outilsPdfManquants();
    ASSERT_TRUE(manquants.isEmpty()) << manquants.toStdString();
    ASSERT_FALSE(QPrinterInfo::defaultPrinter().isNull()) << "no default printer";
    const QDir dossier(dossierPdf);
    const QStringList avant = dossier.entryList({QStringLiteral("*.pdf")}, QDir::Files);

    toolkit::RecordingDesktop bureau;
    toolkit::QtPrinting impression;
    Form1 form(bureau, impression);
    form.Form_Load();
    auto* frequence = form.findChild<QLineEdit*>(QStringLiteral("TextFreq"));
    ASSERT_NE(frequence, nullptr);
    QTest::keyClicks(frequence, QStringLiteral("1000"));
    auto* calcul = form.findChild<QPushButton*>(QStringLiteral("CmdCalcul"));
    ASSERT_NE(calcul, nullptr);
    calcul->click();
    ASSERT_FALSE(form.Resultat().isEmpty());
    const std::size_t messages = bureau.events().size();

    auto* bouton = form.findChild<QPushButton*>(QStringLiteral("CmdImprim"));
    ASSERT_NE(bouton, nullptr);
    ASSERT_EQ(bouton->text(), QStringLiteral("Impression du r\u00E9sultat"));
    bouton->click();
    EXPECT_EQ(bureau.events().size(), messages) << "printing reported a failure";

    const QStringList arrives = documentsArrives(dossier, avant);
    ASSERT_EQ(arrives.size(), 1) << arrives.join(u' ').toStdString();
    const QString pdf = dossier.filePath(arrives.front());
    EXPECT_EQ(test::nombreDePages(pdf), 1);

    // cups-pdf's fonts keep pdftotext from reading the text back; the rendered page shows
    // whether the picture and the report are there: ink in the top quarter (the diagram) and
    // below it (the report).
    const QImage page = test::rendu(pdf, 50);
    ASSERT_FALSE(page.isNull());
    const QRect haut = test::encre(page.copy(0, 0, page.width(), page.height() / 4));
    const QRect bas = test::encre(page.copy(0, page.height() / 4, page.width(), page.height() / 2));
    EXPECT_GT(haut.width(), page.width() / 2) << "the diagram is missing";
    EXPECT_FALSE(bas.isEmpty()) << "the report is missing";

    QFile::remove(pdf);
}

} // namespace
} // namespace quorvan
