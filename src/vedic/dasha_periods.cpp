// Period records of the nakshatra dashas (the shared walk of vedic/dasha_walk.hpp over the row's cycle) and of
// Chara dasha (twelve equal parts at every level).
#include "vedic/dasha_periods.hpp"

#include <array>
#include <cmath>

#include "vedic/chara_dasha.hpp"
#include "vedic/dasha.hpp"
#include "vedic/dasha_walk.hpp"

namespace zentaric {
namespace {

// Appends each period as a record and fills in its count of descendants when it closes.
class RecordSink {
public:
    explicit RecordSink(std::vector<DashaRecord>& records) noexcept : records_(records) {}

    void open(std::uint8_t position, std::uint8_t level, double start_jd, double end_jd, double) {
        open_[open_count_++] = static_cast<std::uint32_t>(records_.size());
        records_.push_back(DashaRecord{start_jd, end_jd, 0, position, level, {0, 0}});
    }
    void close() noexcept {
        const std::uint32_t index = open_[--open_count_];
        records_[index].descendants = static_cast<std::uint32_t>(records_.size()) - index - 1;
    }

private:
    std::vector<DashaRecord>& records_;
    std::array<std::uint32_t, DASHA_MAX_LEVELS + 1> open_{};
    std::size_t open_count_ = 0;
};

// Records to reserve for a whole tree: maha_count × (1 + n + n² + ...) to the depth.
std::size_t record_count(std::size_t maha_count, std::size_t lord_count, std::uint8_t levels) noexcept {
    std::size_t count = 0, at_level = maha_count;
    for (std::uint8_t level = 1; level <= levels; ++level, at_level *= lord_count) count += at_level;
    return count;
}

class CharaWalker {
public:
    CharaWalker(std::vector<DashaRecord>& records, std::uint8_t max_level, double focus) noexcept
        : sink_(records), max_level_(max_level), focused_(std::isfinite(focus)), focus_(focus) {}

    void period(std::uint8_t sign, std::uint8_t level, double start, double duration) {
        const double end = start + duration;
        sink_.open(sign, level, start, end, duration);
        if (level < max_level_ && (!focused_ || (start <= focus_ && focus_ < end))) {
            const double part = duration / 12.0;
            for (unsigned k = 0; k < 12; ++k) {
                period(chara_antardasha_sign(sign, k), static_cast<std::uint8_t>(level + 1), start, part);
                start = start + part;
            }
        }
        sink_.close();
    }

private:
    RecordSink sink_;
    std::uint8_t max_level_;
    bool focused_;
    double focus_;
};

}  // namespace

DashaPeriods dasha_periods(DashaSystem system, const GrahaPositions& positions, double birth_jd,
                           std::uint8_t levels, double year_days, double focus_jd) {
    const std::uint8_t max_level = clamp_dasha_levels(levels);
    const DashaSystemRow& row = dasha_system_row(system);
    DashaPeriods result{system, 0, 1.0, dasha_applicable(system, positions), year_days, {}};
    if (system == DashaSystem::Chara) {
        const CharaMahaDashas mahas = chara_maha_dashas(positions);
        result.star = positions.lagna_sign();
        if (!std::isfinite(focus_jd)) result.records.reserve(record_count(mahas.count, 12, max_level));
        CharaWalker walker(result.records, max_level, focus_jd);
        double start = birth_jd;
        for (std::uint8_t k = 0; k < mahas.count; ++k) {
            const double duration = mahas.periods[k].years * year_days;
            walker.period(mahas.periods[k].sign, 1, start, duration);
            start = start + duration;
        }
        return result;
    }
    const NakshatraDashaStart start = nakshatra_dasha_start(row, positions.longitude[static_cast<std::size_t>(Graha::Moon)]);
    result.star = start.star;
    result.balance = start.balance;
    const DashaCycle cycle = DashaCycle::of(row, year_days);
    if (!std::isfinite(focus_jd)) result.records.reserve(record_count(cycle.maha_count, cycle.lord_count, max_level));
    RecordSink sink(result.records);
    PeriodWalker<RecordSink> walker(sink, cycle, max_level, birth_jd, focus_jd);
    walker.maha_dashas(start.position, start.balance);
    return result;
}

}  // namespace zentaric
