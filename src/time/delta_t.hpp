// Delta T = TT − UT (Espenak & Meeus polynomials, tabulated values 1620–2150).
#pragma once

namespace zentaric {

// Delta T in seconds at a UT Julian Day.
double delta_t(double jd_ut) noexcept;

// TT Julian Day of a UT Julian Day: jd_ut + ΔT / 86400.
double to_terrestrial_time(double jd_ut) noexcept;

}  // namespace zentaric
