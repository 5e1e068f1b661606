// Vimshottari dasha periods and their JSON text.
//
// One walk over the periods (PeriodWalker) serves both consumers: the tree builder and the JSON writer, so the
// rule that divides and cuts the periods exists once.
#include "vedic/dasha.hpp"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

#include "chart/json.hpp"
#include "time/angles.hpp"

namespace zentaric {
namespace {

std::size_t lord_index(DashaLord lord) noexcept { return static_cast<std::size_t>(lord) % DASHA_LORD_COUNT; }

// Days of a sub-period: the lord's share (years / 120) of the parent's days, multiplied first, then divided.
double sub_period_days(double parent_duration_days, DashaLord lord) noexcept {
    return (parent_duration_days * DASHA_YEARS[lord_index(lord)]) / DASHA_CYCLE_YEARS;
}

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
            const double duration = sub_period_days(parent_duration, lord);
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
            const double duration = sub_period_days(parent_full_duration, lord);
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
            const double full_days = DASHA_DAYS[lord_index(lord)];
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

struct DashaStart {
    std::uint8_t nakshatra;
    DashaLord first_lord;
    double balance;
};

// Nakshatra of the Moon, its lord, and the fraction of that lord's period still to run.
DashaStart dasha_start(double moon_longitude) noexcept {
    const double longitude = normalize_degrees(moon_longitude);
    const std::uint8_t nakshatra = nakshatra_of(longitude);
    const double balance = 1.0 - (longitude - static_cast<double>(nakshatra) * NAKSHATRA_SPAN) / NAKSHATRA_SPAN;
    return DashaStart{nakshatra, nakshatra_lord(nakshatra), balance};
}

// Builds the tree: each period is appended to the sub-periods of the innermost period still open.
class TreeSink {
public:
    explicit TreeSink(std::vector<DashaPeriod>& top_level) noexcept : top_level_(top_level) {}

    void open(DashaLord lord, std::uint8_t level, double start_jd, double end_jd, double duration_days) {
        std::vector<DashaPeriod>& siblings = open_count_ == 0 ? top_level_ : open_[open_count_ - 1]->sub_periods;
        if (siblings.empty()) siblings.reserve(DASHA_LORD_COUNT);
        siblings.push_back(DashaPeriod{lord, level, start_jd, end_jd, duration_days, {}});
        open_[open_count_++] = &siblings.back();
    }
    void close() noexcept { --open_count_; }

private:
    std::vector<DashaPeriod>& top_level_;
    std::array<DashaPeriod*, DASHA_MAX_LEVELS + 1> open_{};  // a walk opens at most levels 0..5 at once
    std::size_t open_count_ = 0;
};

// A number already in the output: its bits and where its text lies.
struct WrittenNumber {
    std::uint64_t bits = 0;
    std::size_t position = 0;
    std::size_t length = 0;  // 0: nothing written yet

    bool holds(double value) const noexcept { return length != 0 && bits == std::bit_cast<std::uint64_t>(value); }
};

// The fixed opening of a period object up to its start time: {"lord":"Jupiter","level":3,"start_jd":
struct PeriodOpening {
    char text[48];
    std::uint8_t length;
};

constexpr std::array<PeriodOpening, DASHA_LORD_COUNT * DASHA_MAX_LEVELS> make_period_openings() {
    constexpr std::array<std::string_view, DASHA_LORD_COUNT> lord_names{"Sun",    "Moon",    "Mars", "Rahu", "Jupiter",
                                                                        "Saturn", "Mercury", "Ketu", "Venus"};
    std::array<PeriodOpening, DASHA_LORD_COUNT * DASHA_MAX_LEVELS> openings{};
    for (std::size_t lord = 0; lord < DASHA_LORD_COUNT; ++lord) {
        for (std::size_t level = 1; level <= DASHA_MAX_LEVELS; ++level) {
            PeriodOpening& opening = openings[lord * DASHA_MAX_LEVELS + (level - 1)];
            std::size_t length = 0;
            for (std::string_view piece : {std::string_view("{\"lord\":\""), lord_names[lord],
                                           std::string_view("\",\"level\":")})
                for (char c : piece) opening.text[length++] = c;
            opening.text[length++] = static_cast<char>('0' + level);
            for (char c : std::string_view(",\"start_jd\":")) opening.text[length++] = c;
            opening.length = static_cast<std::uint8_t>(length);
        }
    }
    return openings;
}

constexpr std::array<PeriodOpening, DASHA_LORD_COUNT * DASHA_MAX_LEVELS> PERIOD_OPENINGS = make_period_openings();

char* copy_text(char* out, std::string_view text) noexcept {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// Writes each period object as it is generated: members in the order lord, level, start_jd, end_jd,
// duration_days, sub_periods. A period starts where its previous sibling ended, or where its parent started, so the
// text of its start is normally already at hand. Each period's text is assembled on the stack and appended at once;
// the closing "]}" of finished periods are appended with the next period or by finish().
class JsonSink {
public:
    explicit JsonSink(std::string& out) noexcept : out_(out) {}

    void open(DashaLord lord, std::uint8_t level, double start_jd, double end_jd, double duration_days) {
        // closings pending (one per level of a dasha; more only in a deeper hand-made tree, which goes out first)
        // + comma + opening + three numbers + fixed keys
        constexpr std::size_t CLOSES_IN_PERIOD = DASHA_MAX_LEVELS + 1;
        char period[2 * CLOSES_IN_PERIOD + 1 + 48 + 3 * JSON_NUMBER_MAX_CHARS + 64];
        if (pending_closes_ > CLOSES_IN_PERIOD) finish();
        char* write = period;
        for (; pending_closes_ > 0; --pending_closes_) write = copy_text(write, "]}");
        if (follows_sibling_) *write++ = ',';

        if (level >= 1 && level <= DASHA_MAX_LEVELS) {
            const PeriodOpening& opening = PERIOD_OPENINGS[lord_index(lord) * DASHA_MAX_LEVELS + (level - 1)];
            std::memcpy(write, opening.text, sizeof opening.text);  // fixed-size copies are the fast ones
            write += opening.length;
        } else {
            write = copy_text(write, "{\"lord\":\"");
            write = copy_text(write, dasha_lord_name(lord));
            write = copy_text(write, "\",\"level\":");
            write = std::to_chars(write, write + 3, level).ptr;
            write = copy_text(write, ",\"start_jd\":");
        }

        // Numbers are remembered by depth (the levels deeper than a dasha's share the last slot); a remembered
        // text is reused only for the very same bits, so a slot shared or overwritten is never wrong.
        const std::size_t depth = std::min(open_count_, LAST_REMEMBERED_DEPTH);
        const WrittenNumber* earlier = nullptr;
        if (follows_sibling_ && ends_[depth].holds(start_jd)) {
            earlier = &ends_[depth];
        } else if (!follows_sibling_ && depth > 0 && starts_[depth - 1].holds(start_jd)) {
            earlier = &starts_[depth - 1];
        }
        const std::size_t base = out_.size();  // where period[0] will lie in the output
        WrittenNumber& start = starts_[depth];
        if (earlier != nullptr) {
            // Texts are at most 24 characters and always followed by at least 16 more in the output, so a
            // fixed 32-character copy (the fast kind) stays inside it.
            std::memcpy(write, out_.data() + earlier->position, 32);
            start = WrittenNumber{earlier->bits, base + static_cast<std::size_t>(write - period), earlier->length};
            write += earlier->length;
        } else {
            start = write_number(write, start_jd, base + static_cast<std::size_t>(write - period));
            write += start.length;
        }
        write = copy_text(write, ",\"end_jd\":");
        ends_[depth] = write_number(write, end_jd, base + static_cast<std::size_t>(write - period));
        write += ends_[depth].length;
        write = copy_text(write, ",\"duration_days\":");
        write = write_json_number(write, duration_days);
        write = copy_text(write, ",\"sub_periods\":[");
        out_.append(period, static_cast<std::size_t>(write - period));

        ++open_count_;
        follows_sibling_ = false;
    }

    void close() noexcept {
        --open_count_;
        ++pending_closes_;
        follows_sibling_ = true;
    }

    void finish() {
        for (; pending_closes_ > 0; --pending_closes_) out_.append("]}");
    }

private:
    static WrittenNumber write_number(char* at, double value, std::size_t position) noexcept {
        return WrittenNumber{std::bit_cast<std::uint64_t>(value), position,
                             static_cast<std::size_t>(write_json_number(at, value) - at)};
    }

    static constexpr std::size_t LAST_REMEMBERED_DEPTH = DASHA_MAX_LEVELS;

    std::string& out_;
    std::array<WrittenNumber, LAST_REMEMBERED_DEPTH + 1> starts_{};  // by depth: the open period's start
    std::array<WrittenNumber, LAST_REMEMBERED_DEPTH + 1> ends_{};    // by depth: the last end written there
    std::size_t open_count_ = 0;
    std::size_t pending_closes_ = 0;
    bool follows_sibling_ = false;
};

void append_dasha_head(std::string& out, std::uint8_t moon_nakshatra, double initial_balance) {
    out.append("{\"moon_nakshatra\":");
    append_json_string(out, nakshatra_enum_name(moon_nakshatra));
    out.append(",\"initial_balance\":");
    append_json_number(out, initial_balance);
    out.append(",\"maha_dashas\":[");
}

void append_dasha_tail(std::string& out) { out.append("]}"); }

void replay_period(JsonSink& sink, const DashaPeriod& period) {
    sink.open(period.lord, period.level, period.start_jd, period.end_jd, period.duration_days);
    for (const DashaPeriod& sub_period : period.sub_periods) replay_period(sink, sub_period);
    sink.close();
}

std::size_t period_count(const std::vector<DashaPeriod>& periods) noexcept {
    std::size_t count = periods.size();
    for (const DashaPeriod& period : periods) count += period_count(period.sub_periods);
    return count;
}

// Output size to reserve: the most a period can take (comma 1, {"lord":"Mercury","level":5,"start_jd": 39, three
// numbers of at most 24, the other keys 43, its "]}" 2), so the text never moves while it is written. Pages of the
// reservation that the text does not reach (about 14 % for ordinary Julian Days) are never touched.
constexpr std::size_t BYTES_PER_PERIOD = 1 + 39 + 3 * 24 + 43 + 2;
constexpr std::size_t BYTES_OF_HEAD_AND_TAIL = 128;

std::size_t full_tree_period_count(std::uint8_t levels) noexcept {
    std::size_t count = 0;
    std::size_t at_level = DASHA_LORD_COUNT;
    for (std::uint8_t level = 1; level <= levels; ++level, at_level *= DASHA_LORD_COUNT) count += at_level;
    return count;
}

}  // namespace

std::uint8_t clamp_dasha_levels(unsigned levels) noexcept {
    if (levels == 0) return 1;
    return static_cast<std::uint8_t>(std::min<unsigned>(levels, DASHA_MAX_LEVELS));
}

VimshottariDasha compute_dasha_tree(std::uint8_t levels, double moon_longitude, double birth_jd) {
    const DashaStart start = dasha_start(moon_longitude);
    VimshottariDasha dasha{start.nakshatra, start.balance, {}};
    TreeSink sink(dasha.maha_dashas);
    PeriodWalker<TreeSink> walker(sink, clamp_dasha_levels(levels), birth_jd);
    walker.maha_dashas(start.first_lord, start.balance);
    return dasha;
}

std::vector<DashaPeriod> build_sub_periods(DashaLord parent_lord, std::uint8_t level, std::uint8_t max_level,
                                           double parent_start_jd, double parent_duration_days) {
    std::vector<DashaPeriod> sub_periods;
    TreeSink sink(sub_periods);
    PeriodWalker<TreeSink> walker(sink, std::min(max_level, DASHA_MAX_LEVELS), 0.0);
    walker.sub_periods(parent_lord, level, parent_start_jd, parent_duration_days);
    return sub_periods;
}

std::string dasha_json(const VimshottariDasha& dasha) {
    std::string out;
    out.reserve(period_count(dasha.maha_dashas) * BYTES_PER_PERIOD + BYTES_OF_HEAD_AND_TAIL);
    append_dasha_head(out, dasha.moon_nakshatra, dasha.initial_balance);
    JsonSink sink(out);
    for (const DashaPeriod& maha_dasha : dasha.maha_dashas) replay_period(sink, maha_dasha);
    sink.finish();
    append_dasha_tail(out);
    return out;
}

std::string compute_dasha_json(std::uint8_t levels, double moon_longitude, double birth_jd) {
    const std::uint8_t max_level = clamp_dasha_levels(levels);
    const DashaStart start = dasha_start(moon_longitude);
    std::string out;
    out.reserve(full_tree_period_count(max_level) * BYTES_PER_PERIOD + BYTES_OF_HEAD_AND_TAIL);
    append_dasha_head(out, start.nakshatra, start.balance);
    JsonSink sink(out);
    PeriodWalker<JsonSink> walker(sink, max_level, birth_jd);
    walker.maha_dashas(start.first_lord, start.balance);
    sink.finish();
    append_dasha_tail(out);
    return out;
}

}  // namespace zentaric
