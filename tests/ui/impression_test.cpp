// The Print command through a recording printer, and from the real main window through the
// real CUPS server and cups-pdf queue of scripts/cups-test.sh.

#include "tests/support/Processus.h"
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
using Kind = RecordingPrinting::Call::Kind;

const QImage& image() {
    static const QImage image = chargerImageList1().picture(9);
    return image;
}
const QString Rapport = QStringLiteral("Filtre de Bessel\r\n\r\ntype : Passe-bas\r\n");

// The box around the ink of the first page of `pdf` down to `bas`, in points.
QRect encre(const QString& pdf, int bas = 1000) {
    const QTemporaryDir dossier;
    const QString png = dossier.filePath(QStringLiteral("page"));
    (void)test::lancer(QStringLiteral("pdftoppm"), {"-png", "-r", "72", "-singlefile", pdf, png});
    const QImage page(png + QStringLiteral(".png"));
    QRect r;
    for (int y = 0; y < std::min(bas, page.height()); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            r |= qGray(page.pixel(x, y)) < 240 ? QRect(x, y, 1, 1) : QRect();
        }
    }
    return r;
}

TEST(Impression, SetsUpTheJobThenPrintsThePictureAndTheReportFromLine27) {
    RecordingPrinting printing;
    RecordingDesktop bureau;
    imprimerResultat(printing, bureau, nullptr, image(), Rapport);
    ASSERT_EQ(printing.jobs().size(), 1U);
    const auto& appels = printing.jobs()[0].calls;
    EXPECT_TRUE(printing.jobs()[0].handedOver && bureau.events().empty());
    // clang-format off
    const std::vector<std::pair<Kind, int>> attendus = {
        {Kind::ScaleMode, 3}, {Kind::Orientation, 1}, {Kind::PrintQuality, -4}, {Kind::Copies, 1},
        {Kind::ColorMode, 1}, {Kind::DrawStyle, 0},   {Kind::ForeColor, 0},     {Kind::PaintPicture, 0},
        {Kind::PrintLine, 0}, {Kind::PrintLine, 0},   {Kind::EndDoc, 0},
    };
    // clang-format on
    std::vector<std::pair<Kind, int>> vus;
    for (const auto& appel : appels) {
        vus.emplace_back(appel.kind, appel.value);
    }
    ASSERT_EQ(vus, attendus);
    EXPECT_EQ(appels[6].colour, QColor(Qt::black));
    EXPECT_TRUE(appels[7].picture == image() && appels[7].x == 0 && appels[7].y == 0);
    EXPECT_EQ(toolkit::printedLines(appels[8].text).size(), 26); // the report goes 26 lines down
    EXPECT_EQ(appels[9].text, Rapport);
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
