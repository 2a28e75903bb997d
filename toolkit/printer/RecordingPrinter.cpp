#include "RecordingPrinter.h"

#include <utility>

namespace quorvan::toolkit {

using Kind = RecordingPrinting::Call::Kind;

class RecordingPrinter final : public Printer {
public:
    RecordingPrinter(RecordingPrinting& owner, std::size_t job)
        : owner_(owner)
        , job_(job) {}

    void setScaleMode(ScaleMode mode) override { setting(Kind::ScaleMode, mode); }
    void setOrientation(PageOrientation orientation) override {
        setting(Kind::Orientation, orientation);
    }
    void setPrintQuality(PrintQuality quality) override { setting(Kind::PrintQuality, quality); }
    void setCopies(std::int16_t copies) override { setting(Kind::Copies, copies); }
    void setColorMode(ColorMode mode) override { setting(Kind::ColorMode, mode); }
    void setDrawStyle(DrawStyle style) override { setting(Kind::DrawStyle, style); }
    void setForeColor(QColor colour) override {
        RecordingPrinting::Call call;
        call.kind = Kind::ForeColor;
        call.colour = colour;
        record(std::move(call));
    }

    void paintPicture(const QImage& picture, float x, float y) override {
        RecordingPrinting::Call call;
        call.kind = Kind::PaintPicture;
        call.picture = picture;
        call.x = x;
        call.y = y;
        record(std::move(call));
    }

    void printLine(const QString& text) override {
        RecordingPrinting::Call call;
        call.kind = Kind::PrintLine;
        call.text = text;
        record(std::move(call));
    }

    bool endDoc() override {
        RecordingPrinting::Call call;
        call.kind = Kind::EndDoc;
        record(std::move(call));
        if (ended_) {
            return false; // one document per printer object
        }
        ended_ = true;
        RecordingPrinting::Job& job = owner_.jobs_.at(job_);
        job.handedOver = !owner_.jobsFail_;
        return job.handedOver;
    }

private:
    template <typename Enum>
    void setting(Kind kind, Enum value) {
        RecordingPrinting::Call call;
        call.kind = kind;
        call.value = static_cast<int>(value);
        record(std::move(call));
    }

    void record(RecordingPrinting::Call call) {
        owner_.jobs_.at(job_).calls.push_back(std::move(call));
    }

    RecordingPrinting& owner_;
    std::size_t job_;
    bool ended_ = false;
};

std::unique_ptr<Printer> RecordingPrinting::defaultPrinter() {
    if (!available_) {
        return nullptr;
    }
    jobs_.emplace_back();
    return std::make_unique<RecordingPrinter>(*this, jobs_.size() - 1);
}

} // namespace quorvan::toolkit
