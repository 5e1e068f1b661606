// C entry point into the time scales for the Python cross-check of the sidereal zodiac.
#include "time/delta_t.hpp"

extern "C" double zentaric_probe_to_terrestrial_time(double jd_ut) { return zentaric::to_terrestrial_time(jd_ut); }
