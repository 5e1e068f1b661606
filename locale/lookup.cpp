#include "locale/names.hpp"

namespace zentaric::locale {
namespace {

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

}  // namespace zentaric::locale
