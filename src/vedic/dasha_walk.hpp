// The walk over the periods of a nakshatra dasha in document order, shared by the Vimshottari tree builder
// (vedic/dasha.cpp), the JSON writer of the format layer and the period records of every nakshatra dasha
// (vedic/dasha_periods.cpp), so that the rule that divides and cuts the periods exists once.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "vedic/dasha.hpp"
#include "vedic/dasha_system.hpp"

namespace zentaric {

namespace dasha_walk {

inline std::size_t lord_index(DashaLord lord) noexcept { return static_cast<std::size_t>(lord) % DASHA_LORD_COUNT; }

}  // namespace dasha_walk

// The cycle a walk divides: the lords' years by position in the cycle, their sum, the days of a year and the number
// of maha dashas (a whole number of cycles).
struct DashaCycle {
    std::uint8_t lord_count;
    std::array<double, MAX_DASHA_LORDS> years;
    double cycle_years;
    double year_days;
    unsigned maha_count;

    // A row's cycle with a year of `year_days` days (Vimshottari's positions are DashaLord's values).
    static DashaCycle of(const DashaSystemRow& row, double year_days) noexcept {
        return DashaCycle{row.lord_count, row.years, row.cycle_years, year_days,
                          static_cast<unsigned>(row.lord_count) * row.cycles};
    }

    std::uint8_t next(std::uint8_t position, unsigned steps) const noexcept {
        return static_cast<std::uint8_t>((position + steps) % lord_count);
    }
    // Days of a maha dasha: years × days of a year (exact doubles for Vimshottari's years and 365.25).
    double days(std::uint8_t position) const noexcept { return years[position] * year_days; }
    // Days of a sub-period: the lord's share (years / cycle years) of the parent's days, multiplied first, then
    // divided.
    double sub_period_days(double parent_duration_days, std::uint8_t position) const noexcept {
        return (parent_duration_days * years[position]) / cycle_years;
    }
};

// Generates the periods in document order and hands each to a sink:
//   sink.open(position, level, start_jd, end_jd, duration_days) before the period's sub-periods (position: the
//   lord's place in the cycle), sink.close() after them.
// With a finite `focus` Julian Day only the periods containing it are divided (the chain running at that moment,
// with the siblings of each of its periods).
// Times are computed from `origin` (the birth Julian Day, or 0 when it is not finite); with a non-finite birth every
// time is handed on as t + birth, that is non-finite, while the durations and the cut stay those of a finite birth.
template <class Sink>
class PeriodWalker {
public:
    PeriodWalker(Sink& sink, const DashaCycle& cycle, std::uint8_t max_level, double birth_jd,
                 double focus = std::numeric_limits<double>::quiet_NaN()) noexcept
        : sink_(sink),
          cycle_(cycle),
          max_level_(max_level),
          focused_(std::isfinite(focus) && std::isfinite(birth_jd)),
          focus_(focus),
          birth_finite_(std::isfinite(birth_jd)),
          birth_jd_(birth_jd),
          origin_(birth_finite_ ? birth_jd : 0.0) {}

    // A period as the cycle divides it, with all its sub-periods.
    void whole_period(std::uint8_t lord, std::uint8_t level, double start, double duration) {
        const double end = start + duration;
        sink_.open(lord, level, time(start), time(end), duration);
        if (level < max_level_ && divided(start, end)) sub_periods(lord, level + 1, start, duration);
        sink_.close();
    }

    // The sub-periods of a period, one per lord of the cycle from its own; each starts where the previous one
    // ended.
    void sub_periods(std::uint8_t parent_lord, std::uint8_t level, double start, double parent_duration) {
        for (unsigned step = 0; step < cycle_.lord_count; ++step) {
            const std::uint8_t lord = cycle_.next(parent_lord, step);
            const double duration = cycle_.sub_period_days(parent_duration, lord);
            whole_period(lord, level, start, duration);
            start = start + duration;
        }
    }

    // The sub-periods of a period in progress at birth, divided over its full length from its notional start and
    // cut at birth: those ended at or before birth are left out, the one in progress starts at birth (its end
    // unchanged) and is divided the same way, the later ones are whole. The last one is always kept, so that a
    // period whose remainder is below the resolution of the Julian Day still has its final sub-period.
    void sub_periods_running_at_birth(std::uint8_t parent_lord, std::uint8_t level, double notional_start,
                                      double parent_full_duration) {
        const double birth = origin_;
        double start = notional_start;
        for (unsigned step = 0; step < cycle_.lord_count; ++step) {
            const std::uint8_t lord = cycle_.next(parent_lord, step);
            const double duration = cycle_.sub_period_days(parent_full_duration, lord);
            const double end = start + duration;
            const bool last = (step + 1 == cycle_.lord_count);
            if (start >= birth) {
                whole_period(lord, level, start, duration);
            } else if (end > birth || last) {
                const double cut_end = std::max(end, birth);
                sink_.open(lord, level, time(birth), time(cut_end), cut_end - birth);
                if (level < max_level_ && divided(birth, cut_end))
                    sub_periods_running_at_birth(lord, level + 1, start, duration);
                sink_.close();
            }
            start = end;
        }
    }

    // The maha dashas from birth, the cycle's lords in turn: the first lasts balance × its days (and its
    // sub-periods are those of the full period still to run), the others their full days.
    void maha_dashas(std::uint8_t first_lord, double balance) {
        const double birth = origin_;
        double start = birth;
        for (unsigned step = 0; step < cycle_.maha_count; ++step) {
            const std::uint8_t lord = cycle_.next(first_lord, step);
            const double full_days = cycle_.days(lord);
            const double duration = step == 0 ? balance * full_days : full_days;
            if (step == 0 && balance < 1.0) {
                const double end = start + duration;
                sink_.open(lord, 1, time(start), time(end), duration);
                if (max_level_ > 1 && divided(start, end)) {
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
    // Whether a period [start, end) is divided: always, or when it holds the focus.
    bool divided(double start, double end) const noexcept { return !focused_ || (start <= focus_ && focus_ < end); }

    Sink& sink_;
    const DashaCycle& cycle_;
    std::uint8_t max_level_;
    bool focused_;
    double focus_;
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

// Vimshottari's cycle with the year of 365.25 days.
inline const DashaCycle& vimshottari_cycle() noexcept {
    static constexpr DashaCycle cycle{DASHA_LORD_COUNT, DASHA_SYSTEM_TABLE[0].years, DASHA_CYCLE_YEARS, 365.25,
                                      DASHA_LORD_COUNT};
    return cycle;
}

}  // namespace zentaric
