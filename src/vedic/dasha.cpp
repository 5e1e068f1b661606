// Vimshottari dasha periods: the tree, built by the one walk over the periods (vedic/dasha_walk.hpp) that the
// JSON writer also follows.
#include "vedic/dasha.hpp"

#include <algorithm>
#include <array>

#include "time/angles.hpp"
#include "vedic/dasha_walk.hpp"

namespace zentaric {
namespace {

// Builds the tree: each period is appended to the sub-periods of the innermost period still open.
class TreeSink {
public:
    explicit TreeSink(std::vector<DashaPeriod>& top_level) noexcept : top_level_(top_level) {}

    void open(std::uint8_t lord, std::uint8_t level, double start_jd, double end_jd, double duration_days) {
        std::vector<DashaPeriod>& siblings = open_count_ == 0 ? top_level_ : open_[open_count_ - 1]->sub_periods;
        if (siblings.empty()) siblings.reserve(DASHA_LORD_COUNT);
        siblings.push_back(DashaPeriod{static_cast<DashaLord>(lord), level, start_jd, end_jd, duration_days, {}});
        open_[open_count_++] = &siblings.back();
    }
    void close() noexcept { --open_count_; }

private:
    std::vector<DashaPeriod>& top_level_;
    std::array<DashaPeriod*, DASHA_MAX_LEVELS + 1> open_{};  // a walk opens at most levels 0..5 at once
    std::size_t open_count_ = 0;
};

}  // namespace

DashaStart dasha_start(double moon_longitude) noexcept {
    const double longitude = normalize_degrees(moon_longitude);
    const std::uint8_t nakshatra = nakshatra_of(longitude);
    const double balance = 1.0 - (longitude - static_cast<double>(nakshatra) * NAKSHATRA_SPAN) / NAKSHATRA_SPAN;
    return DashaStart{nakshatra, nakshatra_lord(nakshatra), balance};
}

std::uint8_t clamp_dasha_levels(unsigned levels) noexcept {
    if (levels == 0) return 1;
    return static_cast<std::uint8_t>(std::min<unsigned>(levels, DASHA_MAX_LEVELS));
}

VimshottariDasha compute_dasha_tree(std::uint8_t levels, double moon_longitude, double birth_jd) {
    const DashaStart start = dasha_start(moon_longitude);
    VimshottariDasha dasha{start.nakshatra, start.balance, {}};
    TreeSink sink(dasha.maha_dashas);
    PeriodWalker<TreeSink> walker(sink, vimshottari_cycle(), clamp_dasha_levels(levels), birth_jd);
    walker.maha_dashas(static_cast<std::uint8_t>(start.first_lord), start.balance);
    return dasha;
}

}  // namespace zentaric
