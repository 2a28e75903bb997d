#pragma once

#include <QRect>

#include <span>
#include <string_view>

class QWidget;

namespace quorvan::toolkit {

// A window as it is designed: everything in twips (1/1440 inch), the client area's corner
// measured from the screen's top-left corner.
struct FormDesign {
    std::string_view caption;
    int clientLeft = 0;
    int clientTop = 0;
    int clientWidth = 0;
    int clientHeight = 0;
};

enum class ControlKind { Label, TextBox, CommandButton, PictureBox };

// One control of a window design; `tabIndex` orders the keyboard focus among the controls
// that take it (labels do not).
struct ControlDesign {
    std::string_view name;
    ControlKind kind;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    std::string_view text;
};

// The client area of `design` in pixels at `dotsPerInch`, on the screen.
[[nodiscard]] QRect clientGeometry(const FormDesign& design, double dotsPerInch);

// Creates the controls as children of `client`, named after their design (objectName), at
// their geometry, with their design-time text, chained in tab order. The label kinds are
// toolkit::Label, the text box toolkit::TextBox, and so on.
void buildControls(QWidget* client, std::span<const ControlDesign> controls, double dotsPerInch);

// The logical dots per inch of the screen `widget` is on (96 on a standard desktop).
[[nodiscard]] double logicalDpi(const QWidget* widget);

} // namespace quorvan::toolkit
