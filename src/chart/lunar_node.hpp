// Which lunar node a chart reads as Rahu (Ketu the point opposite): the mean node, or the node of the Moon's true
// (osculating) orbit that many schools read.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/name_match.hpp"
#include "common/result.hpp"
#include "ephemeris/ephemeris_provider.hpp"

namespace zentaric {

enum class LunarNode : std::uint8_t { Mean, True };
inline constexpr std::size_t LUNAR_NODE_COUNT = 2;

struct LunarNodeRow {
    LunarNode id;
    std::string_view name;  // the text form, as callers pass it
    Spellings spellings;    // matched case-insensitively
    Body body;              // the chart body that is Rahu
};

inline constexpr std::array<LunarNodeRow, LUNAR_NODE_COUNT> LUNAR_NODE_TABLE{{
    {LunarNode::Mean, "mean", {"mean"}, Body::MeanNode},
    {LunarNode::True, "true", {"true"}, Body::TrueNode},
}};
static_assert(well_formed(LUNAR_NODE_TABLE));

// "mean" or "true" in any case; otherwise "Unknown node: " and the name as given.
inline Result<LunarNode> parse_lunar_node(std::string_view name) {
    return parse_name(name, LUNAR_NODE_TABLE, "Unknown node: ");
}

// The chart body a node choice reads as Rahu.
constexpr Body rahu_body(LunarNode node) noexcept {
    return LUNAR_NODE_TABLE[static_cast<std::size_t>(node) % LUNAR_NODE_COUNT].body;
}

}  // namespace zentaric
