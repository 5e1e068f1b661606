// Essential dignities: domicile, exaltation, detriment and fall of the planets in the signs.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zentaric {

enum class Dignity : std::uint8_t { Domicile, Exaltation, Detriment, Fall, Peregrine };

// Traditional: the seven visible planets rule the twelve signs; Modern: Uranus, Neptune and Pluto take
// Aquarius, Pisces and Scorpio.
enum class Rulership : std::uint8_t { Traditional, Modern };

// The planets of the rulership and exaltation tables (the lunar nodes are not among them).
enum class Planet : std::uint8_t { Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto };

// "Domicile", "Exaltation", "Detriment", "Fall", "Peregrine".
std::string_view dignity_name(Dignity dignity) noexcept;

// "Traditional", "Modern".
std::string_view rulership_name(Rulership scheme) noexcept;

// Dignity of a planet in sign 0..11 (Aries..Pisces; larger values are taken modulo 12). Where two rules
// hold the first of domicile, exaltation, detriment, fall wins.
Dignity dignity_of(Planet planet, std::uint8_t sign, Rulership scheme) noexcept;

// The planet of an English body name, matched case-insensitively ("SATURN", "Saturn"); nothing otherwise.
std::optional<Planet> planet_from_name(std::string_view utf8);

// Dignity text of a chart body at a sidereal longitude in degrees; bodies that are not planets (the nodes)
// are "Peregrine".
std::string_view chart_body_dignity(std::string_view name, double sidereal_longitude, Rulership scheme);

}  // namespace zentaric
