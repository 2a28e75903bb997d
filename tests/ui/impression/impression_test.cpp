// The Print command through a recording printer: what it asks of the printer object, in
// which order, and how it answers a missing printer or a failed job.

#include "Impression.h"
#include "RecordingDesktop.h"
#include "RecordingPrinter.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <vector>

namespace quorvan {
namespace {

using toolkit::RecordingDesktop;
using toolkit::RecordingPrinting;
using Kind = RecordingPrinting::Call::Kind;

QImage image() {
    QImage picture(645, 235, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(10, 20, qRgb(0, 0, 255));
    return picture;
}

const QString Rapport = QStringLiteral("Filtre de Bessel\r\n\r\ntype : Passe-bas\r\n");

TEST(Impression, AppliesTheSevenSettingsThenDrawsThePictureAndPrintsTheReport) {
    RecordingPrinting printing;
    RecordingDesktop bureau;
    imprimerResultat(printing, bureau, nullptr, image(), Rapport);

    ASSERT_EQ(printing.jobs().size(), 1U);
    const auto& job = printing.jobs()[0];
    EXPECT_TRUE(job.handedOver);
    EXPECT_TRUE(bureau.events().empty());

    // The settings as the classic printer object numbers them, in their fixed order.
    struct Reglage {
        Kind kind;
        int value;
    };
    const std::vector<Reglage> reglages = {
        {Kind::ScaleMode, 3}, {Kind::Orientation, 1}, {Kind::PrintQuality, -4},
        {Kind::Copies, 1},    {Kind::ColorMode, 1},   {Kind::DrawStyle, 0},
    };
    ASSERT_EQ(job.calls.size(), 11U);
    for (std::size_t i = 0; i < reglages.size(); ++i) {
        SCOPED_TRACE("setting " + std::to_string(i + 1));
        EXPECT_EQ(job.calls[i].kind, reglages[i].kind);
        EXPECT_EQ(job.calls[i].value, reglages[i].value);
    }
    EXPECT_EQ(job.calls[6].kind, Kind::ForeColor);
    EXPECT_EQ(job.calls[6].colour, QColor(0, 0, 0));

    EXPECT_EQ(job.calls[7].kind, Kind::PaintPicture);
    EXPECT_EQ(job.calls[7].picture, image());
    EXPECT_EQ(job.calls[7].x, 0.0F);
    EXPECT_EQ(job.calls[7].y, 0.0F);

    EXPECT_EQ(job.calls[8].kind, Kind::PrintLine);
    EXPECT_EQ(job.calls[8].text, QString(25, QChar(u'\r')));
    EXPECT_EQ(job.calls[9].kind, Kind::PrintLine);
    EXPECT_EQ(job.calls[9].text, Rapport);
    EXPECT_EQ(job.calls[10].kind, Kind::EndDoc);
}

// No printer, or a job the printing system refuses: one box with the reason, no icon and no
// beep, and nothing printed.
TEST(Impression, TellsTheUserWhenNothingCouldBePrinted) {
    struct Cas {
        const char* nom;
        bool imprimante;
        bool echec;
        std::size_t travaux;
        QString message;
    };
    const std::vector<Cas> table = {
        {"no printer", false, false, 0, QStringLiteral("Aucune imprimante n'est disponible.")},
        {"failed job", true, true, 1,
         QStringLiteral("L'impression n'a pas pu \u00EAtre effectu\u00E9e.")},
    };
    for (const Cas& c : table) {
        SCOPED_TRACE(c.nom);
        RecordingPrinting printing;
        printing.setPrinterAvailable(c.imprimante);
        printing.setJobsFail(c.echec);
        RecordingDesktop bureau;
        imprimerResultat(printing, bureau, nullptr, image(), Rapport);

        ASSERT_EQ(printing.jobs().size(), c.travaux);
        for (const auto& job : printing.jobs()) {
            EXPECT_FALSE(job.handedOver);
        }
        ASSERT_EQ(bureau.events().size(), 1U);
        const auto& e = bureau.events()[0];
        EXPECT_EQ(e.kind, RecordingDesktop::Event::Kind::Message);
        EXPECT_EQ(e.text, c.message);
        EXPECT_EQ(e.title, QStringLiteral("Quorvan"));
        EXPECT_EQ(e.icon, toolkit::MessageIcon::None);
    }
}

} // namespace
} // namespace quorvan
