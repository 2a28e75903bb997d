#include "ImageList1.h"

#include "DessinSchema.h"
#include "circuit/Circuit.h"

namespace quorvan {

toolkit::ImageList chargerImageList1() {
    toolkit::ImageList images;
    for (const TypeFiltre type : {TypeFiltre::PasseBas, TypeFiltre::PasseHaut}) {
        for (int ordre = OrdreMin; ordre <= OrdreMax; ++ordre) {
            // Each picture is drawn the first time it is shown.
            images.add(toolkit::ImageList::Drawing([type, ordre] {
                return schematics::imageSchema(circuit::composerCircuit(type, ordre));
            }));
        }
    }
    return images;
}

} // namespace quorvan
