// The Print command on paper: a diagram and reports from the Calculate command printed to a
// PDF file and read back. The report starts on line 27 under the picture.

#include "CommandeCalcul.h"
#include "ImageList1.h"
#include "Impression.h"
#include "LecturePdf.h"
#include "QtPrinter.h"
#include "RecordingDesktop.h"

#include <QPageLayout>
#include <QPrinter>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace quorvan {
namespace {

// Resultat after a press of "Calcul" with this frequency text, Butterworth order 4 high-pass.
QString resultat(const char* frequence) {
    Module1 module;
    module.NumFiltre = 1;
    module.NumOrdre = 4;
    const SelectionAffichee selection{TypeFiltre::PasseHaut, LibellesFiltre[1],
                                      libelleType(TypeFiltre::PasseHaut)};
    return QString::fromStdString(executerCalcul(module, selection, frequence, ",").Resultat);
}

QStringList lignesNonVides(const QString& texte) {
    QStringList lignes;
    for (const QString& l : texte.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        if (!l.trimmed().isEmpty()) {
            lignes << l.simplified();
        }
    }
    return lignes;
}

class ImpressionPdf : public ::testing::Test {
protected:
    void SetUp() override {
        const QString manquants = test::outilsPdfManquants();
        ASSERT_TRUE(manquants.isEmpty()) << manquants.toStdString();
        ASSERT_TRUE(dossier_.isValid());
        pdf_ = dossier_.filePath(QStringLiteral("impression.pdf"));
        QPrinter reference(QPrinter::HighResolution);
        reference.setOutputFormat(QPrinter::PdfFormat);
        zone_ = reference.pageLayout().paintRect(QPageLayout::Point);
    }

    void imprimer(const QString& texte, const QString& pdf) {
        toolkit::PdfPrinting printing(pdf);
        imprimerResultat(printing, bureau_, nullptr, images_.picture(9), texte);
        ASSERT_TRUE(bureau_.events().empty());
        ASSERT_EQ(test::nombreDePages(pdf), 1);
    }
    void imprimer(const QString& texte) { imprimer(texte, pdf_); }

    // The line height of the printer's default font, from two lines printed the same way.
    [[nodiscard]] double pas() {
        const QString sonde = dossier_.filePath(QStringLiteral("sonde.pdf"));
        imprimer(QStringLiteral("un\r\ndeux\r\n"), sonde);
        const auto m = test::mots(sonde);
        EXPECT_EQ(m.size(), 2U);
        return m.size() == 2 ? m[1].yMin - m[0].yMin : 1.0;
    }

    // The picture as printed: 645 × 235 pixels at 96 dpi is 483.75 × 176.25 points, its frame
    // 3.75 points in from its corner.
    void attendreLImageEnHaut(const QRect& encre) const {
        EXPECT_NEAR(encre.left(), zone_.left() + 3.75, 1.5);
        EXPECT_NEAR(encre.top(), zone_.top() + 3.75, 1.5);
        EXPECT_NEAR(encre.right(), zone_.left() + 480.0, 1.5);
        EXPECT_NEAR(encre.bottom(), zone_.top() + 172.5, 1.5);
    }

    // The line, from 1, of the printable area that a word's box starts on.
    [[nodiscard]] double ligne(const test::Mot& mot, double pas) const {
        return 1.0 + (mot.yMin - zone_.top()) / pas;
    }

    QTemporaryDir dossier_;
    QString pdf_;
    QRectF zone_;
    toolkit::RecordingDesktop bureau_;
    const toolkit::ImageList images_ = chargerImageList1();
};

TEST_F(ImpressionPdf, PrintsThePictureAtTheTopAndTheReportFromLine27) {
    const QString rapport = resultat("1000");
    ASSERT_TRUE(rapport.startsWith(QStringLiteral("Filtre de Butterworth\r\n")));
    imprimer(rapport);

    EXPECT_EQ(lignesNonVides(test::texteMisEnPage(pdf_)), lignesNonVides(rapport));

    const auto m = test::mots(pdf_);
    ASSERT_GE(m.size(), 5U);
    ASSERT_EQ(m[0].texte, QStringLiteral("Filtre"));
    ASSERT_EQ(m[3].texte, QStringLiteral("type")); // two lines down: an empty line between
    const double h = pas();
    EXPECT_NEAR(m[3].yMin - m[0].yMin, 2.0 * h, 0.1);
    EXPECT_NEAR(ligne(m[0], h), 27.0, 0.3);
    EXPECT_NEAR(m[0].xMin, zone_.left(), 1.0);

    // Above the report, nothing but the picture.
    const QImage page = test::rendu(pdf_, 72);
    const QImage dessus = page.copy(0, 0, page.width(), static_cast<int>(m[0].yMin) - 1);
    attendreLImageEnHaut(test::encre(dessus));
}

TEST_F(ImpressionPdf, PrintsAFailureMessageAloneUnderThePicture) {
    const QString message = resultat("100000000");
    ASSERT_TRUE(message.startsWith(QStringLiteral("Filtre irr\u00E9alisable")));
    imprimer(message);

    EXPECT_EQ(lignesNonVides(test::texteMisEnPage(pdf_)), lignesNonVides(message));
    ASSERT_EQ(lignesNonVides(message).size(), 1);
    const auto m = test::mots(pdf_);
    ASSERT_FALSE(m.empty());
    for (const test::Mot& mot : m) {
        EXPECT_DOUBLE_EQ(mot.yMin, m[0].yMin) << "everything on one line";
    }
    EXPECT_NEAR(ligne(m[0], pas()), 27.0, 0.3);
}

TEST_F(ImpressionPdf, PrintsThePictureAloneWhenThereIsNoResult) {
    const QString vide = resultat("");
    ASSERT_TRUE(vide.isEmpty());
    imprimer(vide);

    EXPECT_TRUE(test::texteMisEnPage(pdf_).trimmed().isEmpty());
    attendreLImageEnHaut(test::encre(test::rendu(pdf_, 72)));
}

} // namespace
} // namespace quorvan
