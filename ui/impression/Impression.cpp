#include "Impression.h"

namespace quorvan {

void imprimerResultat(toolkit::Printing&, toolkit::Desktop&, QWidget*, const QImage&,
                      const QString&) {}

} // namespace quorvan
