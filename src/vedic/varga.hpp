// Divisional charts (vargas): the sign of a longitude when each sign is divided into N parts.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/result.hpp"

namespace zentaric {

enum class Varga : std::uint8_t { Rashi, Navamsha, Dashamsha, Dwadashamsha, Shashtiamsha };

// "rashi"/"d1"/"d-1", "navamsha"/"d9"/"d-9", "dashamsha"/"d10"/"d-10", "dwadashamsha"/"d12"/"d-12",
// "shashtiamsha"/"d60"/"d-60", in any case.
Result<Varga> parse_varga(std::string_view name);

// Sign index 0..11 of a longitude in degrees in the given varga.
std::uint8_t varga_sign(Varga varga, double longitude) noexcept;

}  // namespace zentaric
