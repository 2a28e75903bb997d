#include "FontConfigAhead.h"

#ifdef QUORVAN_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace quorvan::toolkit {

FontConfigAhead::FontConfigAhead() {
#ifdef QUORVAN_FONTCONFIG
    // Safe beside Qt: fontconfig builds its configuration once, whichever thread asks first.
    lecture_ = std::jthread([] { FcInit(); });
#endif
}

} // namespace quorvan::toolkit
