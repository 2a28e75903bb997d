#pragma once

class QImage;
class QString;
class QWidget;

namespace quorvan {

namespace toolkit {
class Desktop;
class Printing;
} // namespace toolkit

// The Print command: the picture shown, then `resultat` from line 27, as one document on the
// default printer.
void imprimerResultat(toolkit::Printing& impression, toolkit::Desktop& bureau, QWidget* parent,
                      const QImage& image, const QString& resultat);

} // namespace quorvan
