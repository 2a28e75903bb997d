// Any bytes read as RTF give a document whose text a view can show: only Unicode scalar
// values, no control characters but the tab, font sizes and tab stops within bounds.

#include "toolkit/richtext/rtf/RtfReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace rtf = quorvan::toolkit::rtf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view texte(reinterpret_cast<const char*>(data), size);
    const rtf::Document document = rtf::read(texte);
    for (const rtf::Paragraph& paragraphe : document.paragraphs) {
        if (paragraphe.format.tabStops.size() > 64) {
            std::abort();
        }
        for (const rtf::Run& segment : paragraphe.runs) {
            if (segment.text.empty() || segment.format.halfPoints < 2 ||
                segment.format.halfPoints > 3276) {
                std::abort();
            }
            for (const char32_t c : segment.text) {
                const bool controle = c < 0x20 && c != U'\t';
                const bool demiSubstitut = c >= 0xD800 && c <= 0xDFFF;
                if (controle || demiSubstitut || c > 0x10FFFF) {
                    std::abort();
                }
            }
        }
    }
    return 0;
}
