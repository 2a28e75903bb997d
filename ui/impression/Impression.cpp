#include "Impression.h"

#include "toolkit/Desktop.h"
#include "toolkit/printer/Printer.h"
#include "toolkit/printer/Printing.h"

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

    // The seven settings of every job, in their fixed order, with what each becomes on a
    // QPrinter.
    // Scale mode 3, pixels: positions count in the printer's device pixels.
    imprimante->setScaleMode(toolkit::ScaleMode::Pixels);
    // Orientation 1: a portrait page.
    imprimante->setOrientation(toolkit::PageOrientation::Portrait);
    // Print quality -4: the printer's high resolution.
    imprimante->setPrintQuality(toolkit::PrintQuality::High);
    // Copies 1: one copy of the document.
    imprimante->setCopies(1);
    // Colour mode 1: monochrome, colours printed as greys.
    imprimante->setColorMode(toolkit::ColorMode::Monochrome);
    // Draw style 0: solid lines.
    imprimante->setDrawStyle(toolkit::DrawStyle::Solid);
    // Fore colour 0: black text.
    imprimante->setForeColor(QColor(Qt::black));

    imprimante->paintPicture(image, 0.0F, 0.0F);
    imprimante->printLine(QString(RetoursAvantRapport, QChar(u'\r')));
    imprimante->printLine(resultat);
    if (!imprimante->endDoc()) {
        bureau.showMessage(parent, QString::fromUtf8(MessageImpressionImpossible),
                           toolkit::MessageIcon::None);
    }
}

} // namespace quorvan
