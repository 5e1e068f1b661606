// C entry point into the chart's own sidereal positions at any instant, for the Python cross-checks of the searches
// over time (a straightforward evaluation, without the searches' sampling and fits).
#include <cmath>

#include "chart/chart_analysis.hpp"
#include "ephemeris/apparent.hpp"
#include "ephemeris/ephemeris_provider.hpp"
#include "time/angles.hpp"
#include "time/delta_t.hpp"
#include "time/earth_orientation.hpp"

// The sidereal (chart) longitude in degrees of an ephemeris body (by its Body number) at a UT Julian Day under the
// ayanamsha of table row `ayanamsha`; NaN when the ephemeris fails.
extern "C" double zentaric_probe_sidereal_longitude(int body, double jd_ut, int ayanamsha) {
    using namespace zentaric;
    const AnalyticalEphemeris ephemeris;
    const Body id = static_cast<Body>(body);
    BodyPosition position{};
    if (!chart_positions(ephemeris, &id, 1, jd_ut, &position).ok()) return NAN;
    const double nutation_deg = nutation(to_terrestrial_time(jd_ut)).longitude * RAD_TO_DEG;
    return normalize_degrees(position.longitude * RAD_TO_DEG -
                             chart_ayanamsha(static_cast<Ayanamsha>(ayanamsha), jd_ut, nutation_deg));
}
