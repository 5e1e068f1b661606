// Parashara's conditions for the conditional nakshatra dashas (BPHS ch. 46), read from the chart's signs.
#include "vedic/dasha_periods.hpp"

#include <cmath>

#include "vedic/varga.hpp"

namespace zentaric {
namespace {

std::uint8_t house_from(std::uint8_t from_sign, std::uint8_t sign) noexcept {
    return static_cast<std::uint8_t>((sign + 12 - from_sign) % 12 + 1);
}

// Parashara's hora: the first half of an odd sign and the second half of an even sign belong to the Sun.
bool in_sun_hora(double longitude) noexcept {
    const double normalized = normalize_degrees(longitude);
    const bool odd_sign = sign_index_of(normalized) % 2 == 0;
    return odd_sign == (std::fmod(normalized, 30.0) < 15.0);
}

}  // namespace

bool dasha_applicable(DashaSystem system, const GrahaPositions& positions) noexcept {
    const std::uint8_t lagna = positions.lagna_sign();
    const auto sign_of = [&](Graha graha) { return positions.sign(graha); };
    const auto longitude_of = [&](Graha graha) { return positions.longitude[static_cast<std::size_t>(graha)]; };
    const Graha lagna_lord = SIGN_LORDS[lagna];
    const bool shukla = normalize_degrees(longitude_of(Graha::Moon) - longitude_of(Graha::Sun)) < 180.0;
    // The Sun's centre above the horizon: its longitude in the half of the ecliptic that has risen (no refraction).
    const bool daytime = [&] {
        const double behind_lagna = normalize_degrees(positions.lagna - longitude_of(Graha::Sun));
        return behind_lagna > 0.0 && behind_lagna < 180.0;
    }();
    switch (dasha_system_row(system).condition) {
        case DashaCondition::Always:
            return true;
        case DashaCondition::RahuFromLagnaLord: {
            const std::uint8_t house = house_from(sign_of(lagna_lord), sign_of(Graha::Rahu));
            const bool kendra_or_trikona = house == 1 || house == 4 || house == 7 || house == 10 || house == 5 ||
                                           house == 9;
            return kendra_or_trikona && sign_of(Graha::Rahu) != lagna;
        }
        case DashaCondition::HoraAndPaksha:
            return in_sun_hora(positions.lagna) == shukla;
        case DashaCondition::VenusNavamshaLagna: {
            const std::uint8_t navamsha = varga_sign(Varga::Navamsha, positions.lagna);
            return navamsha == 1 || navamsha == 6;
        }
        case DashaCondition::CancerDwadashamshaLagna:
            return varga_sign(Varga::Dwadashamsha, positions.lagna) == 3;
        case DashaCondition::VargottamaLagna:
            return varga_sign(Varga::Navamsha, positions.lagna) == lagna;
        case DashaCondition::TenthLordInTenth: {
            const auto tenth = static_cast<std::uint8_t>((lagna + 9) % 12);
            return sign_of(SIGN_LORDS[tenth]) == tenth;
        }
        case DashaCondition::LagnaSeventhExchange: {
            const auto seventh = static_cast<std::uint8_t>((lagna + 6) % 12);
            return sign_of(lagna_lord) == seventh || sign_of(SIGN_LORDS[seventh]) == lagna;
        }
        case DashaCondition::SunInLagna:
            return sign_of(Graha::Sun) == lagna;
        case DashaCondition::HoraAndDaytime:
            return in_sun_hora(positions.lagna) == daytime;
    }
    return false;
}

}  // namespace zentaric
