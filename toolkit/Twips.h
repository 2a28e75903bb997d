#pragma once

#include <QRect>

#include <cmath>

namespace quorvan::toolkit {

// Window designs are measured in twips, 1/1440 inch: 15 twips make a pixel at 96 dpi.
inline int twipsToPixels(int twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / 1440.0));
}

inline QRect twipsToPixels(int left, int top, int width, int height, double dotsPerInch) {
    return {twipsToPixels(left, dotsPerInch), twipsToPixels(top, dotsPerInch),
            twipsToPixels(width, dotsPerInch), twipsToPixels(height, dotsPerInch)};
}

} // namespace quorvan::toolkit
