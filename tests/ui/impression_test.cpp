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

// The box around the ink of `image` (what is neither white nor transparent), leaving out the
// points `hors` says.
QRect encre(const QImage& image, const std::function<bool(QPointF)>& hors = {}) {
    QRect r;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const bool dehors = hors && hors(QPointF(x + 0.5, y + 0.5));
            r |= qAlpha(p) > 0 && qGray(p) < 240 && !dehors ? QRect(x, y, 1, 1) : QRect();
        }
    }
    return r;
}

// A printing system whose printer objects `imprimante` makes.
class Impression final : public toolkit::Printing {
public:
    explicit Impression(std::function<std::unique_ptr<toolkit::Printer>()> imprimante)
        : imprimante_(std::move(imprimante)) {}
    std::unique_ptr<toolkit::Printer> defaultPrinter() override { return imprimante_(); }

private:
    std::function<std::unique_ptr<toolkit::Printer>()> imprimante_;
};

// The words of the first page as pdftotext reads them back, and the box around them in points.
std::pair<QStringList, QRectF> mots(const QString& pdf) {
    const QString html = QString::fromStdString(
        test::lancer(QStringLiteral("pdftotext"), {"-bbox", "-l", "1", pdf, "-"}).out);
    static const QRegularExpression mot(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re"));
    std::pair<QStringList, QRectF> lus;
    for (auto it = mot.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        lus.first << m.captured(5);
        lus.second |= QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
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
        Impression impression(
            [&pdf] { return toolkit::QtPrinter::toPdfFile(pdf, QPageSize(QPageSize::A4)); });
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
        const auto [texte, rapport] = mots(pdf);
        EXPECT_EQ(texte.join(u' ').toStdString(), form.Resultat().simplified().toStdString());

        // The diagram is the ink that is no word; its own ink, at its resolution, starts from
        // the report's left margin.
        const QImage page = premierePage(pdf);
        EXPECT_LT(page.width(), page.height()) << "portrait";
        const QImage gris = page.convertToFormat(QImage::Format_Grayscale8);
        EXPECT_TRUE(gris.convertToFormat(page.format()) == page) << "a monochrome job";
        const QRect schema =
            encre(page, [&](QPointF p) { return rapport.adjusted(-1, -1, 1, 1).contains(p); });
        const QImage& image = form.findChild<toolkit::PictureBox*>("Picture1")->picture();
        const double points = 72.0 / (image.dotsPerMeterX() * 0.0254);
        const QRect dessin = encre(image);
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
        // The queue deleted once the job is made, as if it had gone meanwhile.
        Impression impression([&c] {
            std::unique_ptr<toolkit::Printer> imprimante = toolkit::QtPrinting().defaultPrinter();
            if (c.supprimee) {
                EXPECT_EQ(test::lancer(QStringLiteral("lpadmin"), {"-x", c.file}).code, 0);
            }
            return imprimante;
        });
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
        EXPECT_GT(encre(premierePage(pdf).copy(0, 0, 1000, 200)).width(), 300);
        EXPECT_GT(encre(premierePage(pdf)).bottom(), 300);
        QFile::remove(pdf);
    }
}

} // namespace
} // namespace quorvan
