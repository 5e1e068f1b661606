#include "vedic/nakshatra.hpp"

#include <algorithm>
#include <array>

#include "time/angles.hpp"
#include "vedic/index.hpp"

namespace zentaric {
namespace {

// Lords of nakshatras 0, 1, 2, ... repeat every nine: Ketu, Venus, Sun, Moon, Mars, Rahu, Jupiter, Saturn, Mercury.
constexpr std::array<DashaLord, DASHA_LORD_COUNT> NAKSHATRA_LORD_CYCLE{
    DashaLord::Ketu, DashaLord::Venus, DashaLord::Sun,     DashaLord::Moon,   DashaLord::Mars,
    DashaLord::Rahu, DashaLord::Jupiter, DashaLord::Saturn, DashaLord::Mercury};

struct NakshatraNames {
    std::string_view display;
    std::string_view enumeration;
};

constexpr std::array<NakshatraNames, NAKSHATRA_COUNT> NAKSHATRA_NAMES{{
    {"Ashwini", "Ashwini"},
    {"Bharani", "Bharani"},
    {"Krittika", "Krittika"},
    {"Rohini", "Rohini"},
    {"Mrigashira", "Mrigashira"},
    {"Ardra", "Ardra"},
    {"Punarvasu", "Punarvasu"},
    {"Pushya", "Pushya"},
    {"Ashlesha", "Ashlesha"},
    {"Magha", "Magha"},
    {"Purva Phalguni", "PurvaPhalguni"},
    {"Uttara Phalguni", "UttaraPhalguni"},
    {"Hasta", "Hasta"},
    {"Chitra", "Chitra"},
    {"Swati", "Swati"},
    {"Vishakha", "Vishakha"},
    {"Anuradha", "Anuradha"},
    {"Jyeshtha", "Jyeshtha"},
    {"Moola", "Moola"},
    {"Purva Ashadha", "PurvaAshadha"},
    {"Uttara Ashadha", "UttaraAshadha"},
    {"Shravana", "Shravana"},
    {"Dhanishta", "Dhanishta"},
    {"Shatabhisha", "Shatabhisha"},
    {"Purva Bhadrapada", "PurvaBhadrapada"},
    {"Uttara Bhadrapada", "UttaraBhadrapada"},
    {"Revati", "Revati"},
}};

constexpr double PADA_BOUNDARY_SHIFT = 1e-9;  // degrees: a longitude on an inner pada boundary joins the earlier pada

std::uint8_t clamp_nakshatra(std::uint8_t nakshatra) noexcept {
    return std::min<std::uint8_t>(nakshatra, NAKSHATRA_COUNT - 1);
}

}  // namespace

std::uint8_t nakshatra_of(double longitude) noexcept {
    const double l = normalize_degrees(longitude);
    return std::min<std::uint8_t>(truncate_to_u8(l / NAKSHATRA_SPAN), NAKSHATRA_COUNT - 1);
}

std::uint8_t pada_of(double longitude) noexcept {
    // Measured from the start of the nakshatra that holds the longitude, so that both agree at every boundary.
    const double l = normalize_degrees(longitude);
    const double into_nakshatra = l - static_cast<double>(nakshatra_of(l)) * NAKSHATRA_SPAN;
    const double r = std::max(into_nakshatra - PADA_BOUNDARY_SHIFT, 0.0);
    return static_cast<std::uint8_t>(std::min<unsigned>(truncate_to_u8(r / PADA_SPAN), 3u) + 1u);
}

DashaLord nakshatra_lord(std::uint8_t nakshatra) noexcept {
    return NAKSHATRA_LORD_CYCLE[clamp_nakshatra(nakshatra) % DASHA_LORD_COUNT];
}

std::string_view nakshatra_display_name(std::uint8_t nakshatra) noexcept {
    return NAKSHATRA_NAMES[clamp_nakshatra(nakshatra)].display;
}

std::string_view nakshatra_enum_name(std::uint8_t nakshatra) noexcept {
    return NAKSHATRA_NAMES[clamp_nakshatra(nakshatra)].enumeration;
}

}  // namespace zentaric
