#include "Impression.h"

#include "Desktop.h"
#include "Printer.h"
#include "Printing.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <memory>

namespace quorvan {

namespace {

// Carriage returns that move the report below the picture: with the line break that ends
// their print line, the report starts on line 27 of the printable area.
constexpr int RetoursAvantRapport = 25;

} // namespace

void imprimerResultat(toolkit::Printing& impression, toolkit::Desktop& bureau, QWidget* parent,
                      const QImage& image, const QString& resultat) {
    const std::unique_ptr<toolkit::Printer> imprimante = impression.defaultPrinter();
    if (!imprimante) {
        bureau.showMessage(parent, QString::fromUtf8(MessageAucuneImprimante),
                           toolkit::MessageIcon::None);
        return;
    }

    // The seven settings of every job, in their fixed order.
    imprimante->setScaleMode(toolkit::ScaleMode::Pixels);           // 3: positions in pixels
    imprimante->setOrientation(toolkit::PageOrientation::Portrait); // 1: portrait
    imprimante->setPrintQuality(toolkit::PrintQuality::High);       // -4: highest resolution
    imprimante->setCopies(1);                                       // 1: one copy
    imprimante->setColorMode(toolkit::ColorMode::Monochrome);       // 1: monochrome
    imprimante->setDrawStyle(toolkit::DrawStyle::Solid);            // 0: solid lines
    imprimante->setForeColor(QColor(Qt::black));                    // 0: black text

    imprimante->paintPicture(image, 0.0F, 0.0F);
    imprimante->printLine(QString(RetoursAvantRapport, QChar(u'\r')));
    imprimante->printLine(resultat);
    if (!imprimante->endDoc()) {
        bureau.showMessage(parent, QString::fromUtf8(MessageImpressionImpossible),
                           toolkit::MessageIcon::None);
    }
}

} // namespace quorvan
