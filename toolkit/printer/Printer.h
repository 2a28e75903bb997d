#pragma once

#include <QColor>

#include <cstdint>

class QImage;
class QString;

namespace quorvan::toolkit {

// The settings a print job starts with, numbered as the print command sets them; beside the
// program's own choice, each lists the alternatives Qt can print.
enum class ScaleMode : std::int16_t {
    Pixels = 3, // positions are in the printer's own device pixels
};
enum class PageOrientation : std::int16_t {
    Portrait = 1,
    Landscape = 2,
};
enum class PrintQuality : std::int16_t {
    High = -4, // the printer's highest resolution
    Draft = -1,
};
enum class ColorMode : std::int16_t {
    Monochrome = 1,
    Color = 2,
};
enum class DrawStyle : std::int16_t {
    Solid = 0, // lines drawn by the job are solid
};

// The printer object of one print job: settings, then drawing and text in page order, then
// endDoc(). The job goes to the printing system whole at endDoc() or not at all: dropping the
// object before endDoc() discards it.
class Printer {
public:
    virtual ~Printer() = default;

    virtual void setScaleMode(ScaleMode mode) = 0;
    virtual void setOrientation(PageOrientation orientation) = 0;
    virtual void setPrintQuality(PrintQuality quality) = 0;
    virtual void setCopies(std::int16_t copies) = 0;
    virtual void setColorMode(ColorMode mode) = 0;
    virtual void setDrawStyle(DrawStyle style) = 0;
    // The colour of text and lines.
    virtual void setForeColor(QColor colour) = 0;

    // Draws `picture` with its top-left corner at (x, y), in the scale mode's units, at the
    // picture's own physical size (its pixels at its own resolution).
    virtual void paintPicture(const QImage& picture, float x, float y) = 0;

    // Prints `text` from the start of the current line, then moves to the start of the next
    // one. CR LF, a lone CR and a lone LF each start a new line within the text. Starts a new
    // page when the page is full.
    virtual void printLine(const QString& text) = 0;

    // Ends the document and hands it to the printing system. False when the job could not be
    // printed; then nothing of it has been handed over. A printer object prints one document.
    [[nodiscard]] virtual bool endDoc() = 0;
};

} // namespace quorvan::toolkit
