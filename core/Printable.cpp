#include "core/Printable.h"

std::string Printable(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F) {
            text += c;
        } else {
            text += {'\\', 'x', kHex[b >> 4], kHex[b & 0xF]};
        }
    }
    return text;
}
