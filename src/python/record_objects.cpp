// The natal record as Python objects: dictionaries with interned keys whose members are those of the package's
// chart objects, and every name as a str made once per name and language.
#include "python/objects.hpp"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <utility>

#include "chart/natal_record.hpp"
#include "houses/house_system.hpp"
#include "sidereal/ayanamsha.hpp"
#include "vedic/index.hpp"
#include "vedic/nakshatra.hpp"
#include "vedic/vedic_dignity.hpp"

namespace zentaric::python {
namespace {

using locale::Language;
using locale::LANGUAGE_COUNT;

enum Key : std::size_t {
    JulianDay, AyanamshaValue, AyanamshaKey, HouseSystemKey, Bodies, LagnaKey, Houses, Aspects,
    Longitude, SignKey, SignIndex, Degree, NakshatraKey, NakshatraIndex, Pada, SignLabel, NakshatraLabel,
    Name, Label, Latitude, Speed, Distance, Retrograde, House, DignityKey, VedicDignityKey,
    System, PolarFallback, CuspsTropical, CuspsSidereal, AscTropical, McTropical, McSidereal,
    Body1, Body2, Type, Orb, Strength, Applying, KeyCount
};
constexpr std::array<const char*, KeyCount> KEY_TEXTS{
    "julian_day", "ayanamsha_value", "ayanamsha", "house_system", "bodies", "lagna", "houses", "aspects",
    "longitude", "sign", "sign_index", "degree", "nakshatra", "nakshatra_index", "pada", "sign_label",
    "nakshatra_label",
    "name", "label", "latitude", "speed", "distance", "retrograde", "house", "dignity", "vedic_dignity",
    "system", "polar_fallback", "cusps_tropical", "cusps_sidereal", "asc_tropical", "mc_tropical", "mc_sidereal",
    "body1", "body2", "type", "orb", "strength", "applying"};

// Made on first use, under the interpreter lock (the module refuses sub-interpreters), and kept.
std::array<PyObject*, KeyCount> keys{};

bool make_keys() {
    if (keys[0] != nullptr) return true;
    std::array<PyObject*, KeyCount> made{};
    for (std::size_t k = 0; k < KeyCount; ++k) {
        made[k] = PyUnicode_InternFromString(KEY_TEXTS[k]);
        if (made[k] == nullptr) {
            for (PyObject* key : made) Py_XDECREF(key);
            return false;
        }
    }
    keys = made;
    return true;
}

// A new reference to the str of `text`, made into `slot` the first time.
PyObject* kept_text(PyObject*& slot, std::string_view text) {
    if (slot == nullptr) {
        slot = new_text(text);
        if (slot == nullptr) return nullptr;
        PyUnicode_InternInPlace(&slot);
    }
    return Py_NewRef(slot);
}

struct Names {
    std::array<PyObject*, 9> grahas;
    std::array<PyObject*, 12> signs;
    std::array<PyObject*, NAKSHATRA_COUNT> nakshatras;
    std::array<PyObject*, 5> dignities;
    std::array<PyObject*, 9> vedic_dignities;
    std::array<PyObject*, 11> aspect_kinds;
    std::array<PyObject*, HOUSE_SYSTEM_TABLE.size()> house_systems;
    std::array<PyObject*, AYANAMSHA_TABLE.size()> ayanamshas;
    std::array<std::array<PyObject*, 9>, LANGUAGE_COUNT> graha_labels;
    std::array<std::array<PyObject*, 12>, LANGUAGE_COUNT> sign_labels;
    std::array<std::array<PyObject*, NAKSHATRA_COUNT>, LANGUAGE_COUNT> nakshatra_labels;
};
Names record_names{};

PyObject* label(std::array<std::array<PyObject*, 9>, LANGUAGE_COUNT>& slots, locale::NameTable table,
                std::size_t row, std::size_t graha, Language language) {
    const auto column = static_cast<std::size_t>(language);
    return kept_text(slots[column][graha], locale::localized_name(table, row, language).value_or("?"));
}
template <std::size_t N>
PyObject* label(std::array<std::array<PyObject*, N>, LANGUAGE_COUNT>& slots, locale::NameTable table,
                std::size_t row, Language language) {
    const auto column = static_cast<std::size_t>(language);
    return kept_text(slots[column][row], locale::localized_name(table, row, language).value_or("?"));
}

// A dictionary of (key, new reference) pairs; every value is consumed, also on failure. The values are made
// before the call, so a failed one (MemoryError) leaves its exception set while the others are made and released.
PyObject* new_dict(std::initializer_list<std::pair<Key, PyObject*>> members) {
    PyObject* dict = _PyDict_NewPresized(static_cast<Py_ssize_t>(members.size()));
    bool ok = dict != nullptr;
    for (const auto& [key, value] : members) {
        ok = ok && value != nullptr && PyDict_SetItem(dict, keys[key], value) == 0;
        Py_XDECREF(value);
    }
    if (!ok) {
        Py_XDECREF(dict);
        return nullptr;
    }
    return dict;
}

// A tuple of `count` items made by `make(index)` (new references or null).
template <class Make>
PyObject* new_tuple(std::size_t count, Make make) {
    PyObject* tuple = PyTuple_New(static_cast<Py_ssize_t>(count));
    for (std::size_t k = 0; tuple != nullptr && k < count; ++k) {
        PyObject* item = make(k);
        if (item == nullptr) {
            Py_DECREF(tuple);
            return nullptr;
        }
        PyTuple_SET_ITEM(tuple, static_cast<Py_ssize_t>(k), item);  // steals `item`
    }
    return tuple;
}

PyObject* new_float_tuple(const std::array<double, 12>& values) {
    return new_tuple(values.size(), [&](std::size_t k) { return PyFloat_FromDouble(values[k]); });
}

// The zodiac members of a place followed by `more`.
PyObject* new_place(const ZodiacPlace& place, Language language, std::initializer_list<std::pair<Key, PyObject*>> more) {
    const std::size_t sign = place.sign_index, nakshatra = place.nakshatra;
    const double degree = place.longitude - 30.0 * static_cast<double>(sign);
    std::array<std::pair<Key, PyObject*>, 18> members{{
        {Longitude, PyFloat_FromDouble(place.longitude)},
        {SignKey, kept_text(record_names.signs[sign], SIGN_NAMES[sign])},
        {SignIndex, PyLong_FromSize_t(sign)},
        {Degree, PyFloat_FromDouble(degree)},
        {NakshatraKey, kept_text(record_names.nakshatras[nakshatra], nakshatra_display_name(place.nakshatra))},
        {NakshatraIndex, PyLong_FromSize_t(nakshatra)},
        {Pada, PyLong_FromLong(place.pada)},
        {SignLabel, label(record_names.sign_labels, locale::NameTable::Signs, sign, language)},
        {NakshatraLabel, label(record_names.nakshatra_labels, locale::NameTable::Nakshatras, nakshatra, language)},
    }};
    std::size_t count = 9;
    for (const auto& member : more) members[count++] = member;
    PyObject* dict = _PyDict_NewPresized(static_cast<Py_ssize_t>(count));
    bool ok = dict != nullptr;
    for (std::size_t k = 0; k < count; ++k) {
        ok = ok && members[k].second != nullptr && PyDict_SetItem(dict, keys[members[k].first], members[k].second) == 0;
        Py_XDECREF(members[k].second);
    }
    if (!ok) {
        Py_XDECREF(dict);
        return nullptr;
    }
    return dict;
}

PyObject* new_graha(std::size_t graha, const GrahaRecord& record, Language language) {
    return new_place(record.place, language, {
        {Name, kept_text(record_names.grahas[graha], graha_name(CHART_GRAHAS[graha]))},
        // the localised planet table is in Graha order
        {Label, label(record_names.graha_labels, locale::NameTable::Planets,
                      static_cast<std::size_t>(CHART_GRAHAS[graha]), graha, language)},
        {Latitude, PyFloat_FromDouble(record.latitude)},
        {Speed, PyFloat_FromDouble(record.speed)},
        {Distance, PyFloat_FromDouble(record.distance)},
        {Retrograde, PyBool_FromLong(record.retrograde)},
        {House, PyLong_FromLong(record.house)},
        {DignityKey, kept_text(record_names.dignities[static_cast<std::size_t>(record.dignity) % 5],
                               dignity_name(record.dignity))},
        {VedicDignityKey,
         record.vedic_dignity ? kept_text(record_names.vedic_dignities[static_cast<std::size_t>(*record.vedic_dignity) % 9],
                                          vedic_dignity_name(*record.vedic_dignity))
                              : Py_NewRef(Py_None)},
    });
}

PyObject* new_aspect(const Aspect& aspect) {
    const auto kind = static_cast<std::size_t>(aspect.kind) % record_names.aspect_kinds.size();
    const std::size_t first = aspect.body1 % GRAHA_COUNT, second = aspect.body2 % GRAHA_COUNT;
    return new_dict({{Body1, kept_text(record_names.grahas[first], graha_name(CHART_GRAHAS[first]))},
                     {Body2, kept_text(record_names.grahas[second], graha_name(CHART_GRAHAS[second]))},
                     {Type, kept_text(record_names.aspect_kinds[kind], aspect_kind_name(aspect.kind))},
                     {Orb, PyFloat_FromDouble(aspect.orb)},
                     {Strength, PyFloat_FromDouble(aspect.strength)},
                     {Applying, PyBool_FromLong(aspect.applying)}});
}

// The numbers of a place: longitude, sign_index, degree, nakshatra_index, pada.
double* put_place(double* out, const ZodiacPlace& place) {
    const double sign = place.sign_index;
    *out++ = place.longitude;
    *out++ = sign;
    *out++ = place.longitude - 30.0 * sign;
    *out++ = place.nakshatra;
    *out++ = place.pada;
    return out;
}

}  // namespace

PyObject* new_natal_numbers(const NatalRecord& record) {
    std::array<double, NATAL_NUMBER_COUNT> numbers{};
    double* out = numbers.data();
    *out++ = record.julian_day;
    *out++ = record.ayanamsha_value;
    for (const GrahaRecord& graha : record.grahas) {
        out = put_place(out, graha.place);
        *out++ = graha.house;
        *out++ = static_cast<double>(static_cast<unsigned>(graha.dignity));
        *out++ = graha.retrograde ? 1.0 : 0.0;
        *out++ = graha.speed;
        *out++ = graha.latitude;
        *out++ = graha.distance;
    }
    out = put_place(out, record.lagna);
    for (double cusp : record.sidereal_cusps) *out++ = cusp;
    for (double cusp : record.houses.cusps) *out++ = cusp;
    *out++ = record.houses.asc;
    *out++ = record.mc_sidereal;
    *out++ = record.houses.mc;
    *out++ = record.houses.polar_fallback ? 1.0 : 0.0;
    return PyBytes_FromStringAndSize(reinterpret_cast<const char*>(numbers.data()),
                                     static_cast<Py_ssize_t>(sizeof numbers));
}

PyObject* new_natal_record(const NatalRecord& record, Language language) {
    if (!make_keys()) return nullptr;
    const HouseCusps& houses = record.houses;
    const auto system = static_cast<std::size_t>(record.house_system) % record_names.house_systems.size();
    const auto fallback_system = static_cast<std::size_t>(houses.system) % record_names.house_systems.size();
    const auto zodiac = static_cast<std::size_t>(record.ayanamsha) % record_names.ayanamshas.size();
    return new_dict({
        {AyanamshaKey, kept_text(record_names.ayanamshas[zodiac], ayanamsha_name(record.ayanamsha))},
        {HouseSystemKey, kept_text(record_names.house_systems[system], house_system_name(record.house_system))},
        {AyanamshaValue, PyFloat_FromDouble(record.ayanamsha_value)},
        {JulianDay, PyFloat_FromDouble(record.julian_day)},
        {Bodies, new_tuple(record.grahas.size(),
                           [&](std::size_t k) { return new_graha(k, record.grahas[k], language); })},
        {LagnaKey, new_place(record.lagna, language, {})},
        {Houses, new_dict({{System, kept_text(record_names.house_systems[fallback_system], house_system_name(houses.system))},
                           {PolarFallback, PyBool_FromLong(houses.polar_fallback)},
                           {CuspsTropical, new_float_tuple(houses.cusps)},
                           {CuspsSidereal, new_float_tuple(record.sidereal_cusps)},
                           {AscTropical, PyFloat_FromDouble(houses.asc)},
                           {McTropical, PyFloat_FromDouble(houses.mc)},
                           {McSidereal, PyFloat_FromDouble(record.mc_sidereal)}})},
        {Aspects, new_tuple(record.aspects.size(), [&](std::size_t k) { return new_aspect(record.aspects[k]); })},
    });
}

}  // namespace zentaric::python
