#pragma once

class QImage;
class QString;
class QWidget;

namespace quorvan {

namespace toolkit {
class Desktop;
class Printing;
} // namespace toolkit

// Shown when the system has no default printer.
inline constexpr const char* MessageAucuneImprimante = "Aucune imprimante n'est disponible.";
// Shown when the printing system did not accept the job; nothing of it was printed.
inline constexpr const char* MessageImpressionImpossible =
    "L'impression n'a pas pu \u00EAtre effectu\u00E9e.";

// The Print command: `image` at the top-left corner of the page, then `resultat` from line 27,
// as one document on the default printer. Without a printer, or when the job fails, it shows
// the matching message in a box instead and prints nothing; it changes nothing either way.
void imprimerResultat(toolkit::Printing& impression, toolkit::Desktop& bureau, QWidget* parent,
                      const QImage& image, const QString& resultat);

} // namespace quorvan
