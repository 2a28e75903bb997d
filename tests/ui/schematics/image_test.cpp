// The twelve pictures as ImageList1 holds them: format, palette, transparency, frame,
// labels in red, their order in the list, and that no two are alike.

#include "Circuit.h"
#include "DessinSchema.h"
#include "ImageList1.h"
#include "MiseEnPage.h"

#include <QImage>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quorvan::schematics {
namespace {

constexpr int Bleu = 0;
constexpr int Rouge = 2;
constexpr int Blanc = 4;

const toolkit::ImageList& images() {
    static const toolkit::ImageList liste = chargerImageList1();
    return liste;
}

TEST(ImageList1, HoldsTheTwelveCircuitsInTheirOrder) {
    ASSERT_EQ(images().count(), 12);
    // Low-pass order n is picture n - 1, high-pass order n picture n + 5.
    for (int ordre = 2; ordre <= 7; ++ordre) {
        SCOPED_TRACE("order " + std::to_string(ordre));
        EXPECT_EQ(images().picture(ordre - 1),
                  imageSchema(circuit::composerCircuit(TypeFiltre::PasseBas, ordre)));
        EXPECT_EQ(images().picture(ordre + 5),
                  imageSchema(circuit::composerCircuit(TypeFiltre::PasseHaut, ordre)));
    }
    for (int a = 1; a <= 12; ++a) {
        for (int b = a + 1; b <= 12; ++b) {
            EXPECT_NE(images().picture(a), images().picture(b)) << a << " and " << b;
        }
    }
}

TEST(ImageList1, PicturesUseTheFiveColoursOverATransparentWhite) {
    for (int n = 1; n <= 12; ++n) {
        SCOPED_TRACE("picture " + std::to_string(n));
        const QImage& image = images().picture(n);
        EXPECT_EQ(image.size(), QSize(645, 235));
        ASSERT_EQ(image.format(), QImage::Format_Indexed8);
        const QList<QRgb> table = image.colorTable();
        ASSERT_EQ(table.size(), 256);
        EXPECT_EQ(table.mid(0, 5),
                  QList<QRgb>({qRgb(0, 0, 255), qRgb(198, 198, 198), qRgb(255, 0, 0),
                               qRgb(255, 0, 255), qRgba(255, 255, 255, 0)}));
        EXPECT_EQ(table.mid(5), QList<QRgb>(251, qRgb(255, 255, 255)));

        std::set<int> utilises;
        for (int y = 0; y < image.height(); ++y) {
            utilises.insert(image.constScanLine(y), image.constScanLine(y) + image.width());
        }
        EXPECT_EQ(utilises, (std::set<int>{0, 1, 2, 3, 4}));
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
        EXPECT_EQ(image.pixelColor(320, 20).alpha(), 0);
        EXPECT_EQ(image.dotsPerMeterX(), 3780) << "96 dpi: printed at its size on screen";

        // The blue frame, one pixel wide, from (5, 5) to (640, 230).
        for (int x = 5; x <= 640; ++x) {
            for (const int y : {5, 230}) {
                ASSERT_EQ(image.pixelIndex(x, y), Bleu) << x << "," << y;
                ASSERT_EQ(image.pixelIndex(x, y + (y == 5 ? -1 : 1)), Blanc);
            }
        }
        for (int y = 5; y <= 230; ++y) {
            for (const int x : {5, 640}) {
                ASSERT_EQ(image.pixelIndex(x, y), Bleu) << x << "," << y;
                ASSERT_EQ(image.pixelIndex(x + (x == 5 ? -1 : 1), y), Blanc);
            }
        }
    }
}

// Labels and "GND" are there in red, whatever sans-serif font the system provides.
TEST(ImageList1, LabelsShowInRed) {
    int n = 0;
    for (const TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
        for (int ordre = 2; ordre <= 7; ++ordre) {
            SCOPED_TRACE("picture " + std::to_string(++n));
            const QImage& image = images().picture(n);
            const auto rouges = [&](const QRect& r) {
                int compte = 0;
                for (int y = r.top(); y <= r.bottom(); ++y) {
                    for (int x = r.left(); x <= r.right(); ++x) {
                        compte += image.pixelIndex(x, y) == Rouge ? 1 : 0;
                    }
                }
                return compte;
            };
            const MiseEnPage page = mettreEnPage(circuit::composerCircuit(type, ordre));
            for (const SymboleTrace& s : page.symboles) {
                EXPECT_GE(rouges(s.cadreEtiquette), 8) << s.etiquette.toStdString();
            }
            for (const MasseTrace& m : page.masses) {
                EXPECT_GE(rouges(m.cadreTexte), 12);
            }
        }
    }
}

} // namespace
} // namespace quorvan::schematics
