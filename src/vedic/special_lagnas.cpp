#include "vedic/special_lagnas.hpp"

#include <cmath>

#include "time/angles.hpp"

namespace zentaric {
namespace {

constexpr double GHATIS_PER_DAY = 60.0;  // a ghati is 24 minutes
constexpr double DHUMA_OFFSET = 133.0 + 20.0 / 60.0;
constexpr double UPAKETU_OFFSET = 16.0 + 40.0 / 60.0;
constexpr unsigned SATURN_WEEKDAY = 6;

}  // namespace

SpecialLagnas special_lagnas(double sun_at_sunrise, double days_since_sunrise) noexcept {
    const double ghatis = days_since_sunrise * GHATIS_PER_DAY;
    return {normalize_degrees(sun_at_sunrise + 30.0 * ghatis / 5.0),
            normalize_degrees(sun_at_sunrise + 30.0 * ghatis / 2.5),
            normalize_degrees(sun_at_sunrise + 30.0 * ghatis)};
}

SunUpagrahas sun_upagrahas(double sun_longitude) noexcept {
    const double dhuma = normalize_degrees(sun_longitude + DHUMA_OFFSET);
    const double vyatipata = normalize_degrees(360.0 - dhuma);
    const double parivesha = normalize_degrees(vyatipata + 180.0);
    const double indrachapa = normalize_degrees(360.0 - parivesha);
    return {dhuma, vyatipata, parivesha, indrachapa, normalize_degrees(indrachapa + UPAKETU_OFFSET)};
}

Portion saturn_portion(double from_jd, double to_jd, std::uint8_t weekday, bool night) noexcept {
    const unsigned first_lord = night ? (weekday % 7 + 4) % 7 : weekday % 7;  // the fifth weekday counts itself
    const unsigned index = (SATURN_WEEKDAY + 7 - first_lord) % 7;
    const double eighth = (to_jd - from_jd) / 8.0;
    return {from_jd + index * eighth, from_jd + (index + 1) * eighth};
}

std::uint8_t weekday_at(double jd, double longitude_deg) noexcept {
    // JD 0.5 (a civil midnight at Greenwich) began a Monday.
    const double local = jd + 0.5 + longitude_deg / 360.0;
    if (!std::isfinite(local) || std::fabs(local) > 1e15) return 0;
    const double days = std::floor(local);
    return static_cast<std::uint8_t>(static_cast<long long>(std::fmod(days + 1.0, 7.0) + 7.0) % 7);
}

}  // namespace zentaric
