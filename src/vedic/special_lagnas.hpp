// Special lagnas and upagrahas (BPHS ch. 3-4): rules over the Sun's longitude and the day's times, which the caller
// gathers (sunrise, sunset, the lagna at a moment); nothing here searches time.
#pragma once

#include <cstdint>

namespace zentaric {

// Bhava, Hora and Ghati lagna in sidereal degrees: the Sun's longitude at sunrise advanced 30° for every 5, 2.5 and
// 1 ghati (24 minutes) elapsed since sunrise.
struct SpecialLagnas {
    double bhava;
    double hora;
    double ghati;
};
SpecialLagnas special_lagnas(double sun_at_sunrise, double days_since_sunrise) noexcept;

// The Sun-based upagrahas in sidereal degrees: Dhuma = Sun + 133°20′, Vyatipata = 360° − Dhuma, Parivesha =
// Vyatipata + 180°, Indrachapa = 360° − Parivesha, Upaketu = Indrachapa + 16°40′.
struct SunUpagrahas {
    double dhuma;
    double vyatipata;
    double parivesha;
    double indrachapa;
    double upaketu;
};
SunUpagrahas sun_upagrahas(double sun_longitude) noexcept;

// Saturn's eighth of a day (sunrise to sunset) or night (sunset to the next sunrise) as Julian Days: the eighths
// are ruled in weekday order from the day's lord by day, from the lord of the fifth weekday from it by night (the
// eighth eighth has no lord). `weekday` 0 is Sunday; the Vedic day runs from sunrise to sunrise.
struct Portion {
    double start;
    double end;
};
Portion saturn_portion(double from_jd, double to_jd, std::uint8_t weekday, bool night) noexcept;

// The weekday (0 Sunday .. 6 Saturday) of the civil date holding a UT Julian Day at a place's local mean time
// (longitude in degrees east).
std::uint8_t weekday_at(double jd, double longitude_deg) noexcept;

}  // namespace zentaric
