// The Print command from the real main window: its page written to PDF and read back, its
// failures through a recording printer, and a job on the real CUPS server and cups-pdf queue
// of scripts/cups-test.sh.

#include "tests/support/Processus.h"
#include "toolkit/PictureBox.h"
#include "toolkit/RecordingDesktop.h"
#include "toolkit/printer/QtPrinter.h"
#include "toolkit/printer/RecordingPrinter.h"
#include "ui/Form1.h"
#include "ui/impression/Impression.h"
#include "ui/schematics/ImageList1.h"

#include <QTest>
#include <QtPrintSupport>
#include <QtWidgets>

#include <gtest/gtest.h>

namespace quorvan {
namespace {

using toolkit::RecordingDesktop;
using toolkit::RecordingPrinting;

const QImage& image() {
    static const QImage image = chargerImageList1().picture(9);
    return image;
}
const QString Rapport = QStringLiteral("Filtre de Bessel\r\n\r\ntype : Passe-bas\r\n");

// The first page of `pdf` at 72 dpi, where a pixel is a point.
QImage premierePage(const QString& pdf) {
    const QTemporaryDir dossier;
    const QString png = dossier.filePath(QStringLiteral("page"));
    (void)test::lancer(QStringLiteral("pdftoppm"), {"-png", "-r", "72", "-singlefile", pdf, png});
    return QImage(png + QStringLiteral(".png"));
}

// The box around the ink of the first page of `pdf` down to `bas`, in points.
QRect encre(const QString& pdf, int bas = 1000) {
    const QImage page = premierePage(pdf);
    QRect r;
    for (int y = 0; y < std::min(bas, page.height()); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            r |= qGray(page.pixel(x, y)) < 240 ? QRect(x, y, 1, 1) : QRect();
        }
    }
    return r;
}

// Every job written to one PDF file, on A4 pages.
class ImpressionPdf final : public toolkit::Printing {
public:
    explicit ImpressionPdf(QString fichier)
        : fichier_(std::move(fichier)) {}
    std::unique_ptr<toolkit::Printer> defaultPrinter() override {
        return toolkit::QtPrinter::toPdfFile(fichier_, QPageSize(QPageSize::A4));
    }

private:
    QString fichier_;
};

struct Mot {
    QString texte;
    QRectF cadre; // in points, from the page's top-left corner
};

// The words of the first page as pdftotext reads them back, with their boxes.
std::vector<Mot> mots(const QString& pdf) {
    const QString html = QString::fromStdString(
        test::lancer(QStringLiteral("pdftotext"), {"-bbox", "-l", "1", pdf, "-"}).out);
    static const QRegularExpression mot(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" )re"
                       R"re(yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<Mot> lus;
    for (auto it = mot.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        lus.push_back(
            {m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                   QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return lus;
}

// The printed page of the main window's Print command, read back from PDF: the report whole,
// as text, below the diagram and apart from it, the diagram at its own size and aligned with
// the report, on one portrait page in shades of grey.
TEST(Impression, PrintsTheDiagramAndThenTheWholeReportBelowItOnOnePage) {
    const QTemporaryDir dossier;
    const QString pdf = dossier.filePath(QStringLiteral("page.pdf"));
    for (const char* choix : {"MnuO_2", "MnuType_1 MnuO_7 MnuFiltre_5"}) {
        SCOPED_TRACE(choix);
        RecordingDesktop bureau;
        ImpressionPdf impression(pdf);
        Form1 form(bureau, impression);
        form.Form_Load();
        for (const QString& nom : QString::fromLatin1(choix).split(u' ')) {
            form.findChild<QAction*>(nom)->trigger();
        }
        QTest::keyClicks(form.findChild<QLineEdit*>("TextFreq"), QStringLiteral("1000"));
        form.findChild<QPushButton*>("CmdCalcul")->click();
        bureau.clear();
        form.findChild<QPushButton*>("CmdImprim")->click();
        ASSERT_TRUE(bureau.events().empty()) << bureau.events()[0].text.toStdString();

        const QString infos =
            QString::fromStdString(test::lancer(QStringLiteral("pdfinfo"), {pdf}).out);
        EXPECT_TRUE(infos.contains(QRegularExpression(QStringLiteral("\nPages: +1\n"))));
        const std::vector<Mot> lus = mots(pdf);
        QStringList texte;
        QRectF rapport;
        for (const Mot& m : lus) {
            texte << m.texte;
            rapport |= m.cadre;
        }
        EXPECT_EQ(texte.join(u' ').toStdString(),
                  form.Resultat()
                      .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)
                      .join(u' ')
                      .toStdString());

        // The diagram is the ink that is no word.
        const QImage page = premierePage(pdf);
        ASSERT_FALSE(page.isNull());
        EXPECT_LT(page.width(), page.height()) << "portrait";
        QRect schema;
        bool gris = true;
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                const QRgb p = page.pixel(x, y);
                gris = gris && std::abs(qRed(p) - qGreen(p)) <= 2 &&
                       std::abs(qGreen(p) - qBlue(p)) <= 2;
                const bool mot = std::any_of(lus.begin(), lus.end(), [x, y](const Mot& m) {
                    return m.cadre.adjusted(-1, -1, 1, 1).contains(QPointF(x + 0.5, y + 0.5));
                });
                if (qGray(p) < 240 && !mot) {
                    schema |= QRect(x, y, 1, 1);
                }
            }
        }
        EXPECT_TRUE(gris) << "a monochrome job";
        // The diagram's own ink, at the diagram's resolution, from the report's left margin.
        const QImage& image = form.findChild<toolkit::PictureBox*>("Picture1")->picture();
        const double points = 72.0 / (image.dotsPerMeterX() * 0.0254);
        QRect dessin;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                dessin |= qAlpha(p) > 0 && qGray(p) < 240 ? QRect(x, y, 1, 1) : QRect();
            }
        }
        EXPECT_NEAR(schema.width(), dessin.width() * points, 2);
        EXPECT_NEAR(schema.height(), dessin.height() * points, 2);
        EXPECT_NEAR(schema.left(), rapport.left() + dessin.left() * points, 3);
        EXPECT_GT(rapport.top(), schema.bottom() + 1) << "the report starts below the diagram";
        EXPECT_LT(rapport.bottom(), page.height());
    }
}

TEST(Impression, SaysWhyAndHandsNothingOverWithoutAPrinterOrWhenTheJobFails) {
    // clang-format off
    const struct { bool imprimante; std::size_t travaux; const char* message; } cas[] = {
        {false, 0, "Aucune imprimante n'est disponible."},
        {true,  1, "L'impression n'a pas pu \u00EAtre effectu\u00E9e."},
    };
    // clang-format on
    for (const auto& c : cas) {
        RecordingPrinting printing;
        printing.setPrinterAvailable(c.imprimante);
        printing.setJobsFail(true);
        RecordingDesktop bureau;
        imprimerResultat(printing, bureau, nullptr, image(), Rapport);
        ASSERT_EQ(printing.jobs().size(), c.travaux);
        EXPECT_TRUE(c.travaux == 0 || !printing.jobs()[0].handedOver);
        ASSERT_EQ(bureau.events().size(), 1U);
        EXPECT_EQ(bureau.events()[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(bureau.events()[0].icon, toolkit::MessageIcon::None);
    }
}

// Prints on the default queue, deleting it first, as if it had gone while the job was made.
class QueueQuiDisparait final : public toolkit::Printing {
public:
    explicit QueueQuiDisparait(QString file)
        : file_(std::move(file)) {}
    std::unique_ptr<toolkit::Printer> defaultPrinter() override {
        std::unique_ptr<toolkit::Printer> imprimante = toolkit::QtPrinting().defaultPrinter();
        if (!file_.isEmpty()) {
            EXPECT_EQ(test::lancer(QStringLiteral("lpadmin"), {"-x", file_}).code, 0);
        }
        return imprimante;
    }

private:
    QString file_;
};

// The Print button on the real CUPS server of scripts/cups-test.sh: an accepting queue gets
// one one-page document; a queue that refuses jobs and one deleted on the way give the
// message, and leave no document and no job behind.
TEST(ImpressionCups, PrintButtonOnARealCupsServer) {
    if (qEnvironmentVariableIsEmpty("QUORVAN_CUPS_PDF_DIR")) {
        GTEST_SKIP() << "needs the CUPS server and queues of scripts/cups-test.sh";
    }
    const QDir dossier(qEnvironmentVariable("QUORVAN_CUPS_PDF_DIR"));
    struct Cas {
        const char* file;
        bool supprimee;
        bool imprime;
    };
    for (const Cas& c : {Cas{"QuorvanPDF", false, true}, Cas{"QuorvanRefus", false, false},
                         Cas{"QuorvanEphemere", true, false}}) {
        SCOPED_TRACE(c.file);
        ASSERT_EQ(test::lancer(QStringLiteral("lpoptions"), {"-d", c.file}).code, 0);
        const QStringList avant = dossier.entryList({QStringLiteral("*.pdf")}, QDir::Files);
        RecordingDesktop bureau;
        QueueQuiDisparait impression(c.supprimee ? QString::fromLatin1(c.file) : QString());
        Form1 form(bureau, impression);
        form.Form_Load();
        QTest::keyClicks(form.findChild<QLineEdit*>("TextFreq"), QStringLiteral("1000"));
        form.findChild<QPushButton*>("CmdCalcul")->click();
        bureau.clear();
        form.findChild<QPushButton*>("CmdImprim")->click();
        // cups-pdf writes the file while the job runs: wait for it, then for it to be whole.
        QStringList arrives;
        for (int s = 0; s < (c.imprime ? 60 : 3) && arrives.isEmpty(); ++s) {
            QTest::qWait(1000);
            arrives = dossier.entryList({QStringLiteral("*.pdf")}, QDir::Files);
            arrives.removeIf([&avant](const QString& nom) { return avant.contains(nom); });
        }
        if (!c.imprime) {
            ASSERT_EQ(bureau.events().size(), 1U);
            EXPECT_EQ(bureau.events()[0].text, "L'impression n'a pas pu \u00EAtre effectu\u00E9e.");
            EXPECT_TRUE(arrives.isEmpty());
            EXPECT_EQ(test::lancer(QStringLiteral("lpstat"), {"-o"}).out, "") << "a job left";
            continue;
        }
        EXPECT_TRUE(bureau.events().empty()) << "printing reported a failure";
        QTest::qWait(3000);
        ASSERT_EQ(arrives.size(), 1) << arrives.join(u' ').toStdString();
        const QString pdf = dossier.filePath(arrives[0]);
        EXPECT_TRUE(QString::fromStdString(test::lancer("pdfinfo", {pdf}).out)
                        .contains(QRegularExpression("\nPages: +1\n")));
        // cups-pdf's fonts keep pdftotext from reading the text: the diagram's ink at the top,
        // the report's far below it.
        EXPECT_GT(encre(pdf, 200).width(), 300);
        EXPECT_GT(encre(pdf).bottom(), 300);
        QFile::remove(pdf);
    }
}

} // namespace
} // namespace quorvan
