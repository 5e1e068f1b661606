// Planetary relationships of Parashara (BPHS ch. 3): natural, temporal and the five-fold compound of the two.
#pragma once

#include <cstdint>
#include <string_view>

#include "vedic/graha.hpp"

namespace zentaric {

enum class Relationship : std::uint8_t { GreatFriend, Friend, Neutral, Enemy, GreatEnemy };

// "GreatFriend", "Friend", "Neutral", "Enemy", "GreatEnemy".
std::string_view relationship_name(Relationship relationship) noexcept;

// How `of` regards `towards` by nature (Friend, Neutral or Enemy; the relation is not symmetric). Defined among
// Sun..Saturn; a node on either side, or a graha towards itself, is Neutral.
Relationship natural_relationship(Graha of, Graha towards) noexcept;

// Whether a graha in `sign_towards` is a temporal friend of one in `sign_of`: the 2nd, 3rd, 4th, 10th, 11th or
// 12th sign from it (the relation is symmetric).
bool temporal_friend(std::uint8_t sign_of, std::uint8_t sign_towards) noexcept;

// The five-fold relationship: friend and temporal friend a great friend, friend and temporal enemy neutral,
// neutral a friend or an enemy as the temporal relation is, enemy and temporal friend neutral, enemy and
// temporal enemy a great enemy.
Relationship compound_relationship(Relationship natural, bool temporal_friendship) noexcept;

// The five-fold relationship of `of` towards `towards` with the temporal relation from the D1 longitudes.
Relationship compound_relationship(Graha of, Graha towards, const GrahaLongitudes& d1) noexcept;

}  // namespace zentaric
