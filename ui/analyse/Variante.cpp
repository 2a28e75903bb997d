#include "Variante.h"

namespace quorvan {

Variante analyserVariante(const Conception& conception) {
    Variante v{analyse::analyser(conception), conception, {}};
    v.trace = analyse::affinerPics(analyse::Reseau(conception), v.points);
    return v;
}

} // namespace quorvan
