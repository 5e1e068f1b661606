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
        case NameTable::Varas: return VARA_ROWS.size();
        case NameTable::Tithis: return TITHI_ROWS.size();
        case NameTable::Yogas: return YOGA_ROWS.size();
        case NameTable::Karanas: return KARANA_ROWS.size();
        case NameTable::Masas: return MASA_ROWS.size();
        case NameTable::Ritus: return RITU_ROWS.size();
    }
    return 0;
}

std::optional<std::string_view> localized_name(NameTable table, std::uint64_t index, Language language) noexcept {
    switch (table) {
        case NameTable::Planets: return cell(PLANET_ROWS, index, language);
        case NameTable::Signs: return cell(SIGN_ROWS, index, language);
        case NameTable::Nakshatras: return cell(NAKSHATRA_ROWS, index, language);
        case NameTable::Varas: return cell(VARA_ROWS, index, language);
        case NameTable::Tithis: return cell(TITHI_ROWS, index, language);
        case NameTable::Yogas: return cell(YOGA_ROWS, index, language);
        case NameTable::Karanas: return cell(KARANA_ROWS, index, language);
        case NameTable::Masas: return cell(MASA_ROWS, index, language);
        case NameTable::Ritus: return cell(RITU_ROWS, index, language);
    }
    return std::nullopt;
}

}  // namespace zentaric::locale
