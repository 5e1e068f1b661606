// The periods of every dasha system as flat records in document order (each period followed by its
// sub-periods), from the chart's grahas, the birth instant and the length of the year.
#pragma once

#include <cstdint>
#include <vector>

#include "vedic/dasha_system.hpp"
#include "vedic/graha_positions.hpp"

namespace zentaric {

// One period: 24 bytes, laid out as Python's struct format "=ddIBBxx".
struct DashaRecord {
    double start_jd;
    double end_jd;
    std::uint32_t descendants;  // records that follow inside this period (its sub-periods, theirs, ...)
    std::uint8_t position;      // the lord's position in the system's cycle; Chara: the sign 0..11
    std::uint8_t level;         // 1 for a maha dasha .. 5
    std::uint8_t reserved[2];
};
static_assert(sizeof(DashaRecord) == 24);

struct DashaPeriods {
    DashaSystem system;
    std::uint8_t star;            // the Moon's star in the row's count (Chara: the lagna sign)
    double balance;               // fraction of the first maha dasha still to run at birth (Chara: 1)
    bool applicable;              // the system's classical condition holds (always for the unconditional ones)
    double year_days;             // days of the dasha year
    std::vector<DashaRecord> records;
};

// Whether the chart meets the system's condition (BPHS ch. 46); true for Vimshottari, Yogini and Chara.
bool dasha_applicable(DashaSystem system, const GrahaPositions& positions) noexcept;

// The periods of `system` to `levels` (clamped to 1..5) with years of `year_days` days. With a finite `focus_jd`,
// only the periods containing it are divided (so the chain running then costs a few dozen records).
// Nakshatra dashas: the Moon's star gives the first lord and its balance; the first maha dasha's sub-periods are
// those of its full period, cut at birth. Chara: the maha dashas start at birth with the lagna sign.
DashaPeriods dasha_periods(DashaSystem system, const GrahaPositions& positions, double birth_jd,
                           std::uint8_t levels, double year_days, double focus_jd);

}  // namespace zentaric
