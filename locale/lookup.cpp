#include <string>

#include "common/name_match.hpp"
#include "locale/names.hpp"

namespace zentaric::locale {
namespace {

struct Spelling {
    std::string_view key;
    Language language;
};

constexpr std::array<Spelling, 14> ACCEPTED_SPELLINGS{{
    {"en", Language::En}, {"english", Language::En},  {"hi", Language::Hi}, {"hindi", Language::Hi},
    {"sa", Language::Sa}, {"sanskrit", Language::Sa}, {"ta", Language::Ta}, {"tamil", Language::Ta},
    {"te", Language::Te}, {"telugu", Language::Te},   {"kn", Language::Kn}, {"kannada", Language::Kn},
    {"bn", Language::Bn}, {"bengali", Language::Bn},
}};

template <std::size_t N>
std::optional<std::string_view> cell(const std::array<NameRow, N>& rows, std::uint64_t index, Language language) {
    if (index >= N) return std::nullopt;
    return rows[static_cast<std::size_t>(index)][static_cast<std::size_t>(language) % LANGUAGE_COUNT];
}

}  // namespace

std::size_t row_count(NameTable table) noexcept {
    switch (table) {
        case NameTable::Planets: return PLANET_ROWS.size();
        case NameTable::Signs: return SIGN_ROWS.size();
        case NameTable::Nakshatras: return NAKSHATRA_ROWS.size();
    }
    return 0;
}

std::optional<std::string_view> localized_name(NameTable table, std::uint64_t index, Language language) noexcept {
    switch (table) {
        case NameTable::Planets: return cell(PLANET_ROWS, index, language);
        case NameTable::Signs: return cell(SIGN_ROWS, index, language);
        case NameTable::Nakshatras: return cell(NAKSHATRA_ROWS, index, language);
    }
    return std::nullopt;
}

Result<Language> parse_language(std::string_view name) {
    if (const auto key = zentaric::ascii_lowercase_key(name)) {
        for (const Spelling& spelling : ACCEPTED_SPELLINGS) {
            if (spelling.key == *key) return spelling.language;
        }
    }
    return value_error("Unknown language: " + std::string(name));
}

}  // namespace zentaric::locale
