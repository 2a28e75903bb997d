#pragma once

#include "Printer.h"
#include "Printing.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace quorvan::toolkit {

// A printing system for tests: remembers every job and every call made on its printer
// objects, in order, and prints nothing. It can play a system without a printer, or one
// whose jobs fail.
class RecordingPrinting final : public Printing {
public:
    struct Call {
        enum class Kind {
            ScaleMode,
            Orientation,
            PrintQuality,
            Copies,
            ColorMode,
            DrawStyle,
            ForeColor,
            PaintPicture,
            PrintLine,
            EndDoc,
        };
        Kind kind = Kind::EndDoc;
        int value = 0;  // the settings' values, as their enums number them
        QColor colour;  // ForeColor
        QImage picture; // PaintPicture
        float x = 0.0F; // PaintPicture
        float y = 0.0F; // PaintPicture
        QString text;   // PrintLine
    };

    struct Job {
        std::vector<Call> calls;
        bool handedOver = false; // endDoc() succeeded: the document reached the printer
    };

    void setPrinterAvailable(bool available) { available_ = available; }
    void setJobsFail(bool fail) { jobsFail_ = fail; }

    // A printer object that records into a new job; nullptr when set to have no printer.
    // The printer object must not outlive this.
    [[nodiscard]] std::unique_ptr<Printer> defaultPrinter() override;

    // Every job for which a printer object was handed out, in order.
    [[nodiscard]] const std::vector<Job>& jobs() const { return jobs_; }

private:
    friend class RecordingPrinter;

    bool available_ = true;
    bool jobsFail_ = false;
    std::vector<Job> jobs_;
};

} // namespace quorvan::toolkit
