// The walk over the Vimshottari periods in document order, shared by the tree builder (vedic/dasha.cpp) and
// the JSON writer of the format layer, so that the rule that divides and cuts the periods exists once.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "vedic/dasha.hpp"

namespace zentaric {

namespace dasha_walk {

inline std::size_t lord_index(DashaLord lord) noexcept { return static_cast<std::size_t>(lord) % DASHA_LORD_COUNT; }

// Days of a sub-period: the lord's share (years / 120) of the parent's days, multiplied first, then divided.
inline double sub_period_days(double parent_duration_days, DashaLord lord) noexcept {
    return (parent_duration_days * DASHA_YEARS[lord_index(lord)]) / DASHA_CYCLE_YEARS;
}

}  // namespace dasha_walk

// Generates the periods in document order and hands each to a sink:
//   sink.open(lord, level, start_jd, end_jd, duration_days) before the period's sub-periods,
//   sink.close() after them.
// Times are computed from `origin` (the birth Julian Day, or 0 when it is not finite); with a non-finite birth every
// time is handed on as t + birth, that is non-finite, while the durations and the cut stay those of a finite birth.
template <class Sink>
class PeriodWalker {
public:
    PeriodWalker(Sink& sink, std::uint8_t max_level, double birth_jd) noexcept
        : sink_(sink),
          max_level_(max_level),
          birth_finite_(std::isfinite(birth_jd)),
          birth_jd_(birth_jd),
          origin_(birth_finite_ ? birth_jd : 0.0) {}

    // A period as the cycle divides it, with all its sub-periods.
    void whole_period(DashaLord lord, std::uint8_t level, double start, double duration) {
        const double end = start + duration;
        sink_.open(lord, level, time(start), time(end), duration);
        if (level < max_level_) sub_periods(lord, level + 1, start, duration);
        sink_.close();
    }

    // The nine sub-periods of a period; each starts where the previous one ended.
    void sub_periods(DashaLord parent_lord, std::uint8_t level, double start, double parent_duration) {
        for (unsigned step = 0; step < DASHA_LORD_COUNT; ++step) {
            const DashaLord lord = next_lord(parent_lord, step);
            const double duration = dasha_walk::sub_period_days(parent_duration, lord);
            whole_period(lord, level, start, duration);
            start = start + duration;
        }
    }

    // The sub-periods of a period in progress at birth, divided over its full length from its notional start and
    // cut at birth: those ended at or before birth are left out, the one in progress starts at birth (its end
    // unchanged) and is divided the same way, the later ones are whole. The last one is always kept, so that a
    // period whose remainder is below the resolution of the Julian Day still has its final sub-period.
    void sub_periods_running_at_birth(DashaLord parent_lord, std::uint8_t level, double notional_start,
                                      double parent_full_duration) {
        const double birth = origin_;
        double start = notional_start;
        for (unsigned step = 0; step < DASHA_LORD_COUNT; ++step) {
            const DashaLord lord = next_lord(parent_lord, step);
            const double duration = dasha_walk::sub_period_days(parent_full_duration, lord);
            const double end = start + duration;
            const bool last = (step + 1 == DASHA_LORD_COUNT);
            if (start >= birth) {
                whole_period(lord, level, start, duration);
            } else if (end > birth || last) {
                const double cut_end = std::max(end, birth);
                sink_.open(lord, level, time(birth), time(cut_end), cut_end - birth);
                if (level < max_level_) sub_periods_running_at_birth(lord, level + 1, start, duration);
                sink_.close();
            }
            start = end;
        }
    }

    // The nine maha dashas from birth: the first lasts balance × its days (and its sub-periods are those of the
    // full period still to run), the others their full days.
    void maha_dashas(DashaLord first_lord, double balance) {
        const double birth = origin_;
        double start = birth;
        for (unsigned step = 0; step < DASHA_LORD_COUNT; ++step) {
            const DashaLord lord = next_lord(first_lord, step);
            const double full_days = DASHA_DAYS[dasha_walk::lord_index(lord)];
            const double duration = step == 0 ? balance * full_days : full_days;
            if (step == 0 && balance < 1.0) {
                const double end = start + duration;
                sink_.open(lord, 1, time(start), time(end), duration);
                if (max_level_ > 1) {
                    const double notional_start = birth - (1.0 - balance) * full_days;
                    sub_periods_running_at_birth(lord, 2, notional_start, full_days);
                }
                sink_.close();
            } else {
                whole_period(lord, 1, start, duration);
            }
            start = start + duration;
        }
    }

private:
    double time(double t) const noexcept { return birth_finite_ ? t : t + birth_jd_; }

    Sink& sink_;
    std::uint8_t max_level_;
    bool birth_finite_;
    double birth_jd_;
    double origin_;
};

// Nakshatra of the Moon, its lord, and the fraction of that lord's period still to run.
struct DashaStart {
    std::uint8_t nakshatra;
    DashaLord first_lord;
    double balance;
};

DashaStart dasha_start(double moon_longitude) noexcept;

}  // namespace zentaric
