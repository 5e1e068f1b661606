// The module's strength function: shadbala and bhava bala of a birth as dictionaries.
#include <utility>

#include "chart/strength.hpp"
#include "python/functions.hpp"
#include "python/objects.hpp"

namespace zentaric::python {
namespace {

PyObject* new_float_dict(std::initializer_list<std::pair<const char*, double>> items) {
    PyObject* dict = PyDict_New();
    for (const auto& [key, value] : items)
        if (dict != nullptr && !set_owned(dict, key, PyFloat_FromDouble(value))) Py_CLEAR(dict);
    return dict;
}

PyObject* new_shadbala_dict(const Shadbala& bala) {
    const ShadbalaParts& p = bala.parts;
    return new_float_dict({{"uchcha", p.uchcha}, {"saptavargaja", p.saptavargaja}, {"ojayugma", p.ojayugma},
                           {"kendra", p.kendra}, {"drekkana", p.drekkana}, {"sthana", p.sthana()}, {"dig", p.dig},
                           {"nathonnata", p.nathonnata}, {"paksha", p.paksha}, {"tribhaga", p.tribhaga},
                           {"abda", p.abda}, {"masa", p.masa}, {"vara", p.vara}, {"hora", p.hora},
                           {"ayana", p.ayana}, {"yuddha", p.yuddha}, {"kala", p.kala()}, {"cheshta", p.cheshta},
                           {"naisargika", p.naisargika}, {"drik", p.drik}, {"total", bala.total},
                           {"rupas", bala.rupas}, {"required", bala.required}, {"ratio", bala.ratio},
                           {"ishta", bala.ishta}, {"kashta", bala.kashta}});
}

PyObject* new_bhava_dict(const BhavaBala& bhava) {
    PyObject* dict = new_float_dict({{"lord_strength", bhava.lord_strength}, {"dig", bhava.dig},
                                     {"drishti", bhava.drishti}, {"total", bhava.total}});
    PyObject* lord = dict != nullptr ? new_text(graha_name(bhava.lord)) : nullptr;
    if (lord == nullptr || PyDict_SetItemString(dict, "lord", lord) != 0) Py_CLEAR(dict);
    Py_XDECREF(lord);
    return dict;
}

}  // namespace

PyObject* shadbala(const Argument* a) {
    const Result<ChartStrength> strength = chart_strength(
        static_cast<std::int32_t>(a[0].integer), static_cast<std::uint32_t>(a[1].integer),
        static_cast<std::uint32_t>(a[2].integer), static_cast<std::uint32_t>(a[3].integer),
        static_cast<std::uint32_t>(a[4].integer), a[5].number, a[6].number, a[7].text, a[8].text);
    if (!strength) return raise_error(strength.error());
    const ChartStrength& s = strength.value();
    PyObject* planets = PyDict_New();
    for (std::size_t planet = 0; planets != nullptr && planet < PLANET_GRAHA_COUNT; ++planet)
        if (!set_owned(planets, graha_name(static_cast<Graha>(planet)).data(), new_shadbala_dict(s.shadbala[planet])))
            Py_CLEAR(planets);
    PyObject* result = planets != nullptr ? PyDict_New() : nullptr;
    const bool ok = result != nullptr && set_owned(result, "planets", Py_NewRef(planets)) &&
                    set_owned(result, "bhavas", new_list(12, [&](std::size_t h) { return new_bhava_dict(s.bhava_bala[h]); })) &&
                    set_owned(result, "sunrise", PyFloat_FromDouble(s.inputs.sunrise)) &&
                    set_owned(result, "sunset", PyFloat_FromDouble(s.inputs.sunset)) &&
                    set_owned(result, "next_sunrise", PyFloat_FromDouble(s.inputs.next_sunrise));
    Py_XDECREF(planets);
    if (!ok) Py_CLEAR(result);
    return result;
}

}  // namespace zentaric::python
