// The module's strength function: shadbala and bhava bala of a chart as dictionaries.
#include <algorithm>
#include <array>
#include <iterator>

#include "chart/strength.hpp"
#include "chart/varsha.hpp"
#include "python/functions.hpp"
#include "python/objects.hpp"

namespace zentaric::python {
namespace {

// The result's keys in their order: a planet's parts, a house's, the top level's, then the graha names.
constexpr std::size_t PART_COUNT = 26, BHAVA_COUNT = 5, TOP_COUNT = 5;
constexpr std::array<const char*, PART_COUNT + BHAVA_COUNT + TOP_COUNT> KEY_TEXTS{
    "uchcha", "saptavargaja", "ojayugma", "kendra", "drekkana", "sthana", "dig", "nathonnata", "paksha", "tribhaga",
    "abda", "masa", "vara", "hora", "ayana", "yuddha", "kala", "cheshta", "naisargika", "drik", "total", "rupas",
    "required", "ratio", "ishta", "kashta",
    "lord", "lord_strength", "dig", "drishti", "total",
    "planets", "bhavas", "sunrise", "sunset", "next_sunrise"};

// Interned on first use, under the interpreter lock (the module refuses sub-interpreters), and kept: a result has
// some 250 keys, whose strings would otherwise be made each call.
std::array<PyObject*, KEY_TEXTS.size()> keys{};
std::array<PyObject*, PLANET_GRAHA_COUNT> planet_names{};

bool make_keys() {
    if (planet_names.back() != nullptr) return true;
    for (std::size_t k = 0; k < keys.size(); ++k)
        if (keys[k] == nullptr && (keys[k] = PyUnicode_InternFromString(KEY_TEXTS[k])) == nullptr) return false;
    for (std::size_t p = 0; p < planet_names.size(); ++p)
        if (planet_names[p] == nullptr &&
            (planet_names[p] = PyUnicode_InternFromString(graha_name(static_cast<Graha>(p)).data())) == nullptr)
            return false;
    return true;
}

// Sets dict[keys[first + i]] = values[i] for i < count; false with an exception set.
bool set_floats(PyObject* dict, std::size_t first, const double* values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        PyObject* value = PyFloat_FromDouble(values[i]);
        const bool set = value != nullptr && PyDict_SetItem(dict, keys[first + i], value) == 0;
        Py_XDECREF(value);
        if (!set) return false;
    }
    return true;
}

PyObject* new_shadbala_dict(const Shadbala& bala) {
    const ShadbalaParts& p = bala.parts;
    const std::array<double, PART_COUNT> values{
        p.uchcha, p.saptavargaja, p.ojayugma, p.kendra, p.drekkana, p.sthana(), p.dig, p.nathonnata, p.paksha,
        p.tribhaga, p.abda, p.masa, p.vara, p.hora, p.ayana, p.yuddha, p.kala(), p.cheshta, p.naisargika, p.drik,
        bala.total, bala.rupas, bala.required, bala.ratio, bala.ishta, bala.kashta};
    PyObject* dict = PyDict_New();
    if (dict != nullptr && !set_floats(dict, 0, values.data(), values.size())) Py_CLEAR(dict);
    return dict;
}

PyObject* new_bhava_dict(const BhavaBala& bhava) {
    const std::array<double, BHAVA_COUNT - 1> values{bhava.lord_strength, bhava.dig, bhava.drishti, bhava.total};
    PyObject* dict = PyDict_New();
    if (dict != nullptr &&
        (PyDict_SetItem(dict, keys[PART_COUNT], planet_names[static_cast<std::size_t>(bhava.lord)]) != 0 ||
         !set_floats(dict, PART_COUNT + 1, values.data(), values.size())))
        Py_CLEAR(dict);
    return dict;
}

// Sets dict[keys[key]] = value, taking the reference to value (a null value fails); false with an exception set.
bool set_owned_key(PyObject* dict, std::size_t key, PyObject* value) {
    const bool set = value != nullptr && PyDict_SetItem(dict, keys[key], value) == 0;
    Py_XDECREF(value);
    return set;
}

}  // namespace

namespace {

// The chart of the arguments longitudes, lagna, mc, ayanamsha_value, jd, latitude, longitude.
ChartPlaces chart_places(const Argument* a) {
    ChartPlaces chart{};
    std::copy(std::begin(a[0].longitudes), std::end(a[0].longitudes), chart.sidereal.begin());
    chart.lagna = a[1].number;
    chart.mc = a[2].number;
    chart.ayanamsha = a[3].number;
    chart.jd_ut = a[4].number;
    chart.latitude = a[5].number;
    chart.longitude = a[6].number;
    return chart;
}

}  // namespace

PyObject* varsha_lords(const Argument* a) {
    for (std::size_t k : {std::size_t{7}, std::size_t{8}})
        if (a[k].index > 11)
            return raise_exception(PyExc_IndexError,
                                   PyUnicode_FromFormat("%s %llu is out of range: varsha_lords() accepts 0 to 11",
                                                        VARSHA_LORDS.parameters[k].name,
                                                        static_cast<unsigned long long>(a[k].index)));
    const Result<VarshaLords> found = chart_varsha_lords(chart_places(a), static_cast<std::uint8_t>(a[7].index),
                                                         static_cast<std::uint8_t>(a[8].index));
    if (!found) return raise_error(found.error());
    const VarshaLords& lords = found.value();
    PyObject* offices = new_list(ADHIKARI_COUNT, [&](std::size_t k) {
        const std::string_view office = ADHIKARI_TABLE[k].name;
        const std::string_view graha = graha_name(lords.adhikaris[k]);
        return Py_BuildValue("(s#s#dN)", office.data(), static_cast<Py_ssize_t>(office.size()), graha.data(),
                             static_cast<Py_ssize_t>(graha.size()), lords.strength[k],
                             PyBool_FromLong(lords.aspects_lagna[k]));
    });
    if (offices == nullptr) return nullptr;
    const std::string_view lord = graha_name(lords.year_lord);
    return Py_BuildValue("(s#NN)", lord.data(), static_cast<Py_ssize_t>(lord.size()), offices,
                         PyBool_FromLong(lords.by_day));
}

PyObject* shadbala(const Argument* a) {
    const Result<ChartStrength> strength = chart_strength(chart_places(a), a[7].text);
    if (!strength) return raise_error(strength.error());
    if (!make_keys()) return nullptr;
    const ChartStrength& s = strength.value();
    PyObject* planets = PyDict_New();
    for (std::size_t planet = 0; planets != nullptr && planet < PLANET_GRAHA_COUNT; ++planet) {
        PyObject* parts = new_shadbala_dict(s.shadbala[planet]);
        if (parts == nullptr || PyDict_SetItem(planets, planet_names[planet], parts) != 0) Py_CLEAR(planets);
        Py_XDECREF(parts);
    }
    constexpr std::size_t TOP = PART_COUNT + BHAVA_COUNT;
    const std::array<double, 3> times{s.inputs.sunrise, s.inputs.sunset, s.inputs.next_sunrise};
    PyObject* result = planets != nullptr ? PyDict_New() : nullptr;
    const bool ok = result != nullptr && set_owned_key(result, TOP, Py_NewRef(planets)) &&
                    set_owned_key(result, TOP + 1,
                                  new_list(12, [&](std::size_t h) { return new_bhava_dict(s.bhava_bala[h]); })) &&
                    set_floats(result, TOP + 2, times.data(), times.size());
    Py_XDECREF(planets);
    if (!ok) Py_CLEAR(result);
    return result;
}

}  // namespace zentaric::python
