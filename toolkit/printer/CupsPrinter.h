#pragma once

#include "Printer.h"
#include "QtPrinter.h"

#include <QPageSize>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <string>

namespace quorvan::toolkit {

// The default destination of the CUPS server the program talks to; none when there is no
// server or it has no default.
[[nodiscard]] std::optional<std::string> destinationCupsParDefaut();

// A printer object for a CUPS destination. The page is laid out as on any printer and written
// to PDF, then handed to CUPS, which says whether it takes the job: a queue that refuses jobs,
// a printer gone since it was chosen or a submission cut short ends the job and endDoc()
// reports it, with nothing left queued.
class CupsPrinter final : public Printer {
public:
    CupsPrinter(std::string destination, const QPageSize& page);

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
    std::string destination_;
    QTemporaryDir dossier_;
    std::unique_ptr<QtPrinter> pdf_;
    std::int16_t copies_ = 1;
};

} // namespace quorvan::toolkit
