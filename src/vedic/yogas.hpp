// The classical yogas (combinations) of a chart: a descriptor table of rules, each read from the grahas' signs with
// houses counted by whole signs from the lagna, and the bodies that form each yoga found.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "vedic/graha.hpp"
#include "vedic/vedic_dignity.hpp"

namespace zentaric {

// What the rules read of a chart.
struct YogaChart {
    GrahaLongitudes longitudes;                     // sidereal, Graha order
    std::array<std::uint8_t, GRAHA_COUNT> sign;     // 0..11
    std::array<std::uint8_t, GRAHA_COUNT> house;    // 1..12, whole signs from the lagna
    std::array<VedicDignity, GRAHA_COUNT> dignity;  // in the rashi (the nodes read Neutral)
    std::uint8_t lagna_sign;
};

YogaChart yoga_chart(const GrahaLongitudes& grahas, double lagna_longitude) noexcept;

// Bodies as a bit set: bit g is Graha g.
using GrahaSet = std::uint16_t;

// The instances of one yoga a chart holds (a yoga such as a raja yoga may form between several pairs).
struct YogaInstances {
    static constexpr std::size_t CAPACITY = 16;  // the most: neecha bhanga of seven debilitated grahas, two ways each
    std::array<GrahaSet, CAPACITY> bodies{};
    std::uint8_t count = 0;
    void add(GrahaSet set) noexcept {
        for (std::uint8_t i = 0; i < count; ++i)
            if (bodies[i] == set) return;
        if (count < CAPACITY) bodies[count++] = set;
    }
};

struct YogaRow {
    std::string_view name;
    std::string_view rule;    // in one line
    std::string_view source;  // where the texts differ, the reading chosen is the rule's
    void (*find)(const YogaChart& chart, YogaInstances& found) noexcept;
};
extern const std::span<const YogaRow> YOGA_TABLE;

struct YogaFound {
    std::uint8_t yoga;  // row of YOGA_TABLE
    GrahaSet bodies;
};

// Every instance of every yoga the chart holds, in table order.
struct YogaList {
    static constexpr std::size_t CAPACITY = 160;
    std::array<YogaFound, CAPACITY> items;
    std::size_t count;
};
YogaList find_yogas(const GrahaLongitudes& grahas, double lagna_longitude) noexcept;

}  // namespace zentaric
