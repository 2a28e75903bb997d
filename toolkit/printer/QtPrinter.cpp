#include "QtPrinter.h"

#ifdef QUORVAN_CUPS
#include "Cups.h"
#endif

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QRectF>
#include <QRegularExpression>

#include <utility>

namespace quorvan::toolkit {
namespace {

constexpr double MetresPerInch = 0.0254;

// The resolution a picture was made for; pictures that do not say are screen pictures.
double pictureDpi(int dotsPerMeter) {
    return dotsPerMeter > 0 ? dotsPerMeter * MetresPerInch : 96.0;
}

// Lays out the recorded content on an open painter, page after page. False when a new page
// could not be started.
class PageWriter {
public:
    PageWriter(QPrinter& printer, QPainter& painter)
        : printer_(printer)
        , painter_(painter)
        , lineSpacing_(QFontMetricsF(painter.font(), &printer).lineSpacing())
        , ascent_(QFontMetricsF(painter.font(), &printer).ascent())
        , pageHeight_(printer.height()) {}

    void picture(const QImage& image, float x, float y) {
        if (image.isNull()) {
            return;
        }
        const double width =
            image.width() * printer_.logicalDpiX() / pictureDpi(image.dotsPerMeterX());
        const double height =
            image.height() * printer_.logicalDpiY() / pictureDpi(image.dotsPerMeterY());
        painter_.drawImage(QRectF(x, y, width, height), image);
    }

    [[nodiscard]] bool line(const QString& text) {
        for (const QString& piece : printedLines(text)) {
            if (top_ + lineSpacing_ > pageHeight_ && top_ > 0) {
                if (!printer_.newPage()) {
                    return false;
                }
                top_ = 0;
            }
            painter_.drawText(QPointF(0, top_ + ascent_), piece);
            top_ += lineSpacing_;
        }
        return true;
    }

private:
    QPrinter& printer_;
    QPainter& painter_;
    double lineSpacing_;
    double ascent_;
    double pageHeight_;
    double top_ = 0; // of the current print line
};

} // namespace

QStringList printedLines(const QString& text) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return text.split(lineBreak);
}

QtPrinter::QtPrinter(QPrinterInfo printer)
    : printer_(std::move(printer)) {}

std::unique_ptr<QtPrinter> QtPrinter::toPdfFile(const QString& fileName, const QPageSize& page) {
    std::unique_ptr<QtPrinter> printer(new QtPrinter);
    printer->pdfFileName_ = fileName;
    printer->pdfPage_ = page;
    return printer;
}

std::unique_ptr<QtPrinter> QtPrinter::toCups(std::string destination, const QPageSize& page) {
    std::unique_ptr<QtPrinter> printer(new QtPrinter);
    printer->cupsFolder_ = std::make_unique<QTemporaryDir>();
    printer->pdfFileName_ = printer->cupsFolder_->filePath(QStringLiteral("quorvan.pdf"));
    printer->pdfPage_ = page;
    printer->cupsDestination_ = std::move(destination);
    return printer;
}

void QtPrinter::setScaleMode(ScaleMode /*mode*/) {
    // Pixels is the only scale mode: positions are handed to the painter unchanged, and a
    // painter on a QPrinter counts in device pixels.
}

void QtPrinter::setOrientation(PageOrientation orientation) {
    orientation_ = orientation;
}

void QtPrinter::setPrintQuality(PrintQuality quality) {
    quality_ = quality;
}

void QtPrinter::setCopies(std::int16_t copies) {
    copies_ = copies;
}

void QtPrinter::setColorMode(ColorMode mode) {
    colorMode_ = mode;
}

void QtPrinter::setDrawStyle(DrawStyle /*style*/) {
    // Solid is the only style, and the pen a painter starts with is solid.
}

void QtPrinter::setForeColor(QColor colour) {
    foreColor_ = colour;
}

void QtPrinter::paintPicture(const QImage& picture, float x, float y) {
    operations_.emplace_back(Picture{picture, x, y});
}

void QtPrinter::printLine(const QString& text) {
    operations_.emplace_back(text);
}

bool QtPrinter::endDoc() {
    if (ended_) {
        return false;
    }
    ended_ = true;

    // High quality asks for the printer's own resolution; anything less prints at the
    // screen's.
    const QPrinter::PrinterMode mode =
        quality_ == PrintQuality::High ? QPrinter::HighResolution : QPrinter::ScreenResolution;
    std::unique_ptr<QPrinter> printer = pdfFileName_.isEmpty()
                                            ? std::make_unique<QPrinter>(printer_, mode)
                                            : std::make_unique<QPrinter>(mode);
    if (!pdfFileName_.isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfFileName_);
        if (pdfPage_.isValid()) {
            printer->setPageSize(pdfPage_);
        }
    }
    printer->setDocName(QStringLiteral("Quorvan"));
    printer->setPageOrientation(orientation_ == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                           : QPageLayout::Portrait);
    const bool cups = !cupsDestination_.empty();
    printer->setCopyCount(cups ? 1 : copies_);
    printer->setColorMode(colorMode_ == ColorMode::Monochrome ? QPrinter::GrayScale
                                                              : QPrinter::Color);
    if (!printer->isValid()) {
        return false;
    }

    QPainter painter;
    if (!painter.begin(printer.get())) {
        return false;
    }
    painter.setPen(QPen(foreColor_, 0, Qt::SolidLine));
    // The pictures are pixel drawings: enlarge them without blurring.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);

    PageWriter writer(*printer, painter);
    bool laidOut = true;
    for (const Operation& operation : operations_) {
        if (const auto* picture = std::get_if<Picture>(&operation)) {
            writer.picture(picture->image, picture->x, picture->y);
        } else if (!writer.line(std::get<QString>(operation))) {
            laidOut = false;
            break;
        }
    }
    if (!laidOut) {
        // Qt's PDF-based engines send the job when the painter ends and cannot withdraw it;
        // abort() is the most QPrinter offers, for the engines that honour it.
        printer->abort();
        painter.end();
        return false;
    }
    const bool written = painter.end() && printer->printerState() != QPrinter::Error &&
                         printer->printerState() != QPrinter::Aborted;
#ifdef QUORVAN_CUPS
    return written && (!cups || soumettreACups(cupsDestination_, pdfFileName_, copies_));
#else
    return written;
#endif
}

std::unique_ptr<Printer> QtPrinting::defaultPrinter() {
#ifdef QUORVAN_CUPS
    if (const std::optional<std::string> destination = destinationCupsParDefaut()) {
        return QtPrinter::toCups(
            *destination,
            QPrinterInfo::printerInfo(QString::fromStdString(*destination)).defaultPageSize());
    }
#endif
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return nullptr;
    }
    return std::make_unique<QtPrinter>(std::move(info));
}

} // namespace quorvan::toolkit
