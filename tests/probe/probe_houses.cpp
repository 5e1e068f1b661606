// C entry point into the house computations for the Python cross-checks (ctypes).
#include "houses/house_cusps.hpp"

extern "C" {

// system is the HouseSystem index (0 Placidus .. 9 Sripathi); returns 0, or -1 for an index out of range.
int zentaric_probe_house_cusps(int system, double ramc, double lat, double obl, double out_cusps[12],
                               double* asc, double* mc, int* polar_fallback) {
    if (system < 0 || system > static_cast<int>(zentaric::HouseSystem::Sripathi)) return -1;
    const zentaric::HouseCusps houses =
        zentaric::house_cusps(static_cast<zentaric::HouseSystem>(system), ramc, lat, obl);
    for (int k = 0; k < 12; ++k) out_cusps[k] = houses.cusps[k];
    *asc = houses.asc;
    *mc = houses.mc;
    *polar_fallback = houses.polar_fallback ? 1 : 0;
    return 0;
}

}  // extern "C"
