#include "common/name_match.hpp"

namespace zentaric {

std::optional<std::string> ascii_lowercase_key(std::string_view utf8) {
    std::string key;
    key.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            key.push_back(byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : static_cast<char>(byte));
            continue;
        }
        // U+212A KELVIN SIGN (E2 84 AA) lower-cases to "k"; every other non-ASCII character keeps a
        // non-ASCII character in its lower-case form (U+0130 gives "i" + U+0307), so no spelling can match.
        if (byte == 0xE2 && i + 2 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) == 0x84 &&
            static_cast<unsigned char>(utf8[i + 2]) == 0xAA) {
            key.push_back('k');
            i += 2;
            continue;
        }
        return std::nullopt;
    }
    return key;
}

std::optional<std::string> loose_key(std::string_view utf8) {
    std::optional<std::string> key = ascii_lowercase_key(utf8);
    if (!key || (!key->empty() && (key->front() == ' ' || key->back() == ' '))) return std::nullopt;
    std::erase_if(*key, [](char c) { return c == ' ' || c == '_' || c == '-'; });
    return key;
}

}  // namespace zentaric
