#include "Variante.h"

#include "analysis/EcartIdeal.h"

namespace quorvan {

Variante analyserVariante(QString nom, circuit::Montage montage,
                          const analyse::ReponseIdeale& ideale) {
    const analyse::Reseau reseau(montage);
    Variante v{analyse::analyser(montage), std::move(nom), std::move(montage), {}, 0.0};
    v.trace = analyse::affinerPics(reseau, v.points);
    v.ecartIdealDb = analyse::ecartMaximalDb(analyse::fonctionCircuit(v.montage), ideale,
                                             analyse::bandeComparaison(ideale));
    return v;
}

} // namespace quorvan
