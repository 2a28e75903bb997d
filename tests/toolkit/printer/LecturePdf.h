#pragma once

// Reading printed PDF files back with poppler's command-line tools, for the printing tests.

#include <QImage>
#include <QString>

#include <vector>

namespace quorvan::test {

// An empty text when pdfinfo, pdftotext and pdftoppm are all found; otherwise what is missing.
[[nodiscard]] QString outilsPdfManquants();

[[nodiscard]] int nombreDePages(const QString& pdf);

// The text as `pdftotext -layout` gives it: one line of text per printed line, blank lines
// between them squeezed.
[[nodiscard]] QString texteMisEnPage(const QString& pdf);

// The words of page `page` (from 1) with their boxes in points from the top-left corner of
// the page, in reading order.
struct Mot {
    QString texte;
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
};
[[nodiscard]] std::vector<Mot> mots(const QString& pdf, int page = 1);

// Page `page` rendered at `dpi` dots per inch; at 72 one pixel is one point.
[[nodiscard]] QImage rendu(const QString& pdf, int dpi, int page = 1);

// The smallest rectangle around the pixels of `image` darker than `seuil` (0..255 grey),
// or an empty rectangle.
[[nodiscard]] QRect encre(const QImage& image, int seuil = 240);

} // namespace quorvan::test
