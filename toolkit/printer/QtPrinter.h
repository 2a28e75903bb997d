#pragma once

#include "Printer.h"
#include "Printing.h"

#include <QColor>
#include <QImage>
#include <QPageSize>
#include <QPrinterInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace quorvan::toolkit {

// The lines that one print line puts on the page, in order: `text` cut at every CR LF, lone
// CR and lone LF. The print position moves down once per line returned.
[[nodiscard]] QStringList printedLines(const QString& text);

// A printer object over QPrinter. It keeps the settings and the page content until endDoc(),
// and only then opens the job, paints it and closes it, so a job that fails half-way is
// aborted before the printing system sees any of it.
class QtPrinter final : public Printer {
public:
    // A job on a printer of the system.
    explicit QtPrinter(QPrinterInfo printer);
    // A job written to a PDF file instead of a printer, on pages of `page` (Qt's default
    // when it is not valid).
    [[nodiscard]] static std::unique_ptr<QtPrinter> toPdfFile(const QString& fileName,
                                                              const QPageSize& page = {});
    // A job for a CUPS destination: written to PDF on its pages, then handed to CUPS, which
    // says whether it takes it; the copies are CUPS's to make.
    [[nodiscard]] static std::unique_ptr<QtPrinter> toCups(std::string destination,
                                                           const QPageSize& page);

    void setScaleMode(ScaleMode mode) override;
    void setOrientation(PageOrientation orientation) override;
    void setPrintQuality(PrintQuality quality) override;
    void setCopies(std::int16_t copies) override;
    void setColorMode(ColorMode mode) override;
    void setDrawStyle(DrawStyle style) override;
    void setForeColor(QColor colour) override;
    void paintPicture(const QImage& picture, float x, float y) override;
    void printLine(const QString& text) override;
    [[nodiscard]] bool endDoc() override;

private:
    QtPrinter() = default;

    struct Picture {
        QImage image;
        float x;
        float y;
    };
    using Operation = std::variant<Picture, QString>;

    QPrinterInfo printer_;
    QString pdfFileName_; // set for a PDF job, and for a CUPS job its PDF file
    QPageSize pdfPage_;
    std::string cupsDestination_;               // set for a CUPS job
    std::unique_ptr<QTemporaryDir> cupsFolder_; // where a CUPS job's PDF is written
    PageOrientation orientation_ = PageOrientation::Portrait;
    PrintQuality quality_ = PrintQuality::High;
    std::int16_t copies_ = 1;
    ColorMode colorMode_ = ColorMode::Color;
    QColor foreColor_ = Qt::black;
    std::vector<Operation> operations_;
    bool ended_ = false;
};

// The system's default printer: through CUPS where the program is built with it and a CUPS
// server has a default destination, so that a job CUPS refuses is known; otherwise through
// QPrinterInfo. No printer when there is no default one.
class QtPrinting final : public Printing {
public:
    [[nodiscard]] std::unique_ptr<Printer> defaultPrinter() override;
};

} // namespace quorvan::toolkit
