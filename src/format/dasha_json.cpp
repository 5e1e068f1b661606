// The dasha document, written while the walk over the periods (vedic/dasha_walk.hpp) generates them, or
// replayed from a tree.
#include "format/dasha_json.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstring>
#include <string_view>

#include "common/json.hpp"
#include "vedic/dasha_walk.hpp"

namespace zentaric {
namespace {

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
    std::array<PeriodOpening, DASHA_LORD_COUNT * DASHA_MAX_LEVELS> openings{};
    for (std::size_t lord = 0; lord < DASHA_LORD_COUNT; ++lord) {
        for (std::size_t level = 1; level <= DASHA_MAX_LEVELS; ++level) {
            PeriodOpening& opening = openings[lord * DASHA_MAX_LEVELS + (level - 1)];
            std::size_t length = 0;
            for (std::string_view piece : {std::string_view("{\"lord\":\""), DASHA_LORD_NAMES[lord],
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

    void open(std::uint8_t position, std::uint8_t level, double start_jd, double end_jd, double duration_days) {
        const auto lord = static_cast<DashaLord>(position);
        // closings pending (one per level of a dasha; more only in a deeper hand-made tree, which goes out first)
        // + comma + opening + three numbers + fixed keys
        constexpr std::size_t CLOSES_IN_PERIOD = DASHA_MAX_LEVELS + 1;
        char period[2 * CLOSES_IN_PERIOD + 1 + 48 + 3 * JSON_NUMBER_MAX_CHARS + 64];
        if (pending_closes_ > CLOSES_IN_PERIOD) finish();
        char* write = period;
        for (; pending_closes_ > 0; --pending_closes_) write = copy_text(write, "]}");
        if (follows_sibling_) *write++ = ',';

        if (level >= 1 && level <= DASHA_MAX_LEVELS) {
            const PeriodOpening& opening = PERIOD_OPENINGS[dasha_walk::lord_index(lord) * DASHA_MAX_LEVELS + (level - 1)];
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
    sink.open(static_cast<std::uint8_t>(period.lord), period.level, period.start_jd, period.end_jd, period.duration_days);
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
    PeriodWalker<JsonSink> walker(sink, vimshottari_cycle(), max_level, birth_jd);
    walker.maha_dashas(static_cast<std::uint8_t>(start.first_lord), start.balance);
    sink.finish();
    append_dasha_tail(out);
    return out;
}

}  // namespace zentaric
