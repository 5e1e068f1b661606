// Each function: parse its names, compute, build the result object (the arguments come bound and converted).
#include "python/functions.hpp"

#include <algorithm>
#include <iterator>
#include <limits>
#include <string>
#include <string_view>

#include "chart/special_lagnas.hpp"
#include "common/fixed_decimal.hpp"
#include "common/result.hpp"
#include "chart/natal_record.hpp"
#include "format/chart_json.hpp"
#include "chart/chart_dasha.hpp"
#include "format/dasha_json.hpp"
#include "houses/house_cusps.hpp"
#include "locale/names.hpp"
#include "python/arguments.hpp"
#include "python/objects.hpp"
#include "python/panchanga_objects.hpp"
#include "panchanga/panchanga.hpp"
#include "sidereal/ayanamsha.hpp"
#include "time/angles.hpp"
#include "time/calendar.hpp"
#include "vedic/dasha.hpp"
#include "vedic/nakshatra.hpp"
#include "vedic/drishti.hpp"
#include "vedic/graha.hpp"
#include "vedic/index.hpp"
#include "transits/gochara.hpp"
#include "transits/calendar.hpp"
#include "transits/saturn_phases.hpp"
#include "vedic/ashtakavarga.hpp"
#include "vedic/jaimini.hpp"
#include "vedic/varga.hpp"
#include "vedic/vedic_dignity.hpp"

namespace zentaric::python {
namespace {

// The name of row `index` (argument a[0]) in `language` (a[1]), or the IndexError naming the accepted rows.
PyObject* localized_name(const char* function, locale::NameTable table, const Argument* a) {
    const Result<locale::Language> language = locale::parse_language(a[1].text);
    if (!language) return raise_error(language.error());
    const auto name = locale::localized_name(table, a[0].index, language.value());
    if (name) return new_text(*name);
    const auto index = static_cast<unsigned long long>(a[0].index);
    return raise_exception(PyExc_IndexError, PyUnicode_FromFormat("index %llu is out of range: %s() accepts 0 to %zu",
                                                                  index, function, locale::row_count(table) - 1));
}

GrahaLongitudes graha_longitudes(const Argument& argument) {
    GrahaLongitudes longitudes{};
    std::copy(std::begin(argument.longitudes), std::end(argument.longitudes), longitudes.begin());
    return longitudes;
}

// The signs of a set, in zodiacal order from `from`.
PyObject* new_sign_list(SignSet signs, unsigned from) {
    std::uint8_t listed[12];
    std::size_t count = 0;
    for (unsigned k = 0; k < 12; ++k)
        if (signs & (1u << ((from + k) % 12))) listed[count++] = static_cast<std::uint8_t>((from + k) % 12);
    return new_list(count, [&](std::size_t i) { return PyLong_FromLong(listed[i]); });
}

}  // namespace

PyObject* compute_dasha(const Argument* a) {
    const auto levels = clamp_dasha_levels(static_cast<unsigned>(a[2].integer));
    return new_text(compute_dasha_json(levels, a[0].number, a[1].number));
}

PyObject* get_nakshatra(const Argument* a) {
    return new_nakshatra_dict(nakshatra_of(a[0].number), pada_of(a[0].number));
}

PyObject* compute_varga(const Argument* a) {
    const Result<Varga> varga = parse_varga(a[1].text);
    if (!varga) return raise_error(varga.error());
    return PyLong_FromLong(varga_sign(varga.value(), a[0].number));
}

PyObject* compute_houses(const Argument* a) {
    const Result<HouseSystem> system = parse_house_system(a[3].text);
    if (!system) return raise_error(system.error());
    return new_houses_dict(house_cusps(system.value(), a[0].number, a[1].number, a[2].number));
}

PyObject* tropical_to_sidereal(const Argument* a) {
    const Result<Ayanamsha> system = parse_ayanamsha(a[1].text);
    if (!system) return raise_error(system.error());
    return PyFloat_FromDouble(to_sidereal(system.value(), a[0].number, a[2].number));
}

PyObject* get_ayanamsha(const Argument* a) {
    const Result<Ayanamsha> system = parse_ayanamsha(a[0].text);
    if (!system) return raise_error(system.error());
    return PyFloat_FromDouble(ayanamsha_degrees(system.value(), a[1].number));
}

PyObject* calendar_to_jd(const Argument* a) {
    return PyFloat_FromDouble(zentaric::calendar_to_jd(static_cast<std::int32_t>(a[0].integer),
                                                       static_cast<std::uint32_t>(a[1].integer), a[2].number));
}

PyObject* planet_name(const Argument* a) { return localized_name(PLANET_NAME.name, locale::NameTable::Planets, a); }
PyObject* sign_name(const Argument* a) { return localized_name(SIGN_NAME.name, locale::NameTable::Signs, a); }
PyObject* nakshatra_name_i18n(const Argument* a) {
    return localized_name(NAKSHATRA_NAME_I18N.name, locale::NameTable::Nakshatras, a);
}

PyObject* panchanga_name(const Argument* a) {
    const Result<locale::PanchangaNames> names = locale::parse_panchanga_names(a[0].text);
    if (!names) return raise_error(names.error());
    const auto& row = locale::PANCHANGA_NAMES_TABLE[static_cast<std::size_t>(names.value())];
    return localized_name(PANCHANGA_NAME.name, row.table, a + 1);
}

PyObject* compute_panchanga(const Argument* a) {
    const Result<moments::HorizonConvention> convention = moments::parse_sunrise_convention(a[8].text);
    if (!convention) return raise_error(convention.error());
    const Result<Ayanamsha> system = parse_ayanamsha(a[9].text);
    if (!system) return raise_error(system.error());
    const PanchangaRequest request{static_cast<std::int32_t>(a[0].integer), static_cast<std::uint32_t>(a[1].integer),
                                   static_cast<std::uint32_t>(a[2].integer), static_cast<std::uint32_t>(a[3].integer),
                                   {a[4].number, a[5].number, a[6].number}, a[7].number, convention.value(),
                                   system.value()};
    const Result<PanchangaRange> range = zentaric::compute_panchanga(request);
    if (!range) return raise_error(range.error());
    return new_panchanga_result(range.value());
}

PyObject* compute_natal_chart(const Argument* a) {
    const Result<std::string> chart = natal_chart_json(
        static_cast<std::int32_t>(a[0].integer), static_cast<std::uint32_t>(a[1].integer),
        static_cast<std::uint32_t>(a[2].integer), static_cast<std::uint32_t>(a[3].integer),
        static_cast<std::uint32_t>(a[4].integer), a[5].number, a[6].number, a[7].text, a[8].text);
    if (!chart) return raise_error(chart.error());
    return new_text(chart.value());
}

PyObject* compute_dasha_periods(const Argument* a) {
    // 0.0 (the default) and non-finite values ask for the whole tree
    const double focus = a[11].number == 0.0 ? std::numeric_limits<double>::quiet_NaN() : a[11].number;
    const Result<DashaPeriods> periods = birth_dasha_periods(
        static_cast<std::int32_t>(a[0].integer), static_cast<std::uint32_t>(a[1].integer),
        static_cast<std::uint32_t>(a[2].integer), static_cast<std::uint32_t>(a[3].integer),
        static_cast<std::uint32_t>(a[4].integer), a[5].number, a[6].number, a[7].text,
        clamp_dasha_levels(static_cast<unsigned>(a[8].integer)), a[9].text, a[10].text, focus, a[12].text);
    if (!periods) return raise_error(periods.error());
    return new_dasha_periods_dict(periods.value());
}

namespace {

PyObject* new_sign_counts(const SignCounts& counts) {
    return new_list(12, [&](std::size_t sign) { return PyLong_FromLong(counts[sign]); });
}

PyObject* new_counts_by_planet(const std::array<SignCounts, ASHTAKAVARGA_PLANETS>& rows) {
    return new_list(ASHTAKAVARGA_PLANETS, [&](std::size_t planet) { return new_sign_counts(rows[planet]); });
}

PyObject* new_pindas(const std::array<std::uint16_t, ASHTAKAVARGA_PLANETS>& pindas) {
    return new_list(ASHTAKAVARGA_PLANETS, [&](std::size_t planet) { return PyLong_FromLong(pindas[planet]); });
}

// {planet: {contributor: [signs]}}, Sun..Saturn each from Sun..Saturn and "Lagna".
PyObject* new_prastara(const Ashtakavarga& av) {
    PyObject* result = PyDict_New();
    for (std::size_t planet = 0; result != nullptr && planet < ASHTAKAVARGA_PLANETS; ++planet) {
        PyObject* row = PyDict_New();
        bool ok = row != nullptr;
        for (std::size_t contributor = 0; ok && contributor < ASHTAKAVARGA_CONTRIBUTORS; ++contributor) {
            const std::uint16_t signs = av.prastara[planet][contributor];
            const std::string_view name =
                contributor < PLANET_GRAHA_COUNT ? graha_name(static_cast<Graha>(contributor)) : "Lagna";
            ok = set_owned(row, name.data(), new_sign_list(signs, 0));
        }
        if (!ok || !set_owned(result, graha_name(static_cast<Graha>(planet)).data(), Py_NewRef(row))) Py_CLEAR(result);
        Py_XDECREF(row);
    }
    return result;
}

}  // namespace

PyObject* ashtakavarga(const Argument* a) {
    const auto grahas = graha_signs(graha_longitudes(a[0]));
    std::array<std::uint8_t, ASHTAKAVARGA_CONTRIBUTORS> signs{};
    for (std::size_t planet = 0; planet < ASHTAKAVARGA_PLANETS; ++planet) signs[planet] = grahas[planet];
    signs[ASHTAKAVARGA_PLANETS] = sign_index_of(normalize_degrees(a[1].number));
    const Ashtakavarga av = zentaric::ashtakavarga(signs);
    PyObject* result = PyDict_New();
    const bool ok = result != nullptr && set_owned(result, "bhinna", new_counts_by_planet(av.bhinna)) &&
                    set_owned(result, "sarva", new_sign_counts(av.sarva)) &&
                    set_owned(result, "trikona", new_counts_by_planet(av.trikona)) &&
                    set_owned(result, "reduced", new_counts_by_planet(av.reduced)) &&
                    set_owned(result, "prastara", new_prastara(av)) &&
                    set_owned(result, "rashi_pinda", new_pindas(av.rashi_pinda)) &&
                    set_owned(result, "graha_pinda", new_pindas(av.graha_pinda)) &&
                    set_owned(result, "shodhya_pinda", new_pindas(av.shodhya_pinda));
    if (!ok) Py_CLEAR(result);
    return result;
}

namespace {

// The natal record of the arguments compute_natal_record and compute_natal_numbers begin with (the UTC minute, the
// place, the ayanamsha and the house system), Rahu the mean node unless `node` names the true one, `second` seconds
// past the minute.
Result<NatalRecord> record_of(const Argument* a, const Result<LunarNode>& node, double second = 0.0) {
    return natal_record(static_cast<std::int32_t>(a[0].integer), static_cast<std::uint32_t>(a[1].integer),
                        static_cast<std::uint32_t>(a[2].integer), static_cast<std::uint32_t>(a[3].integer),
                        static_cast<std::uint32_t>(a[4].integer), a[5].number, a[6].number, a[7].text, a[8].text,
                        node ? node.value() : LunarNode::Mean, second);
}

}  // namespace

PyObject* compute_natal_record(const Argument* a) {
    const double second = a[11].number;
    if (!(second >= 0.0 && second < 60.0))  // NaN too
        return raise_error(value_error("second " + fixed_decimal(second) +
                                       " is outside the accepted range 0 to 60 (seconds past the minute)"));
    const Result<locale::Language> language = locale::parse_language(a[9].text);
    const Result<LunarNode> node = parse_lunar_node(a[10].text);
    const Result<NatalRecord> record = record_of(a, node, second);
    if (!record) return raise_error(record.error());
    if (!language) return raise_error(language.error());
    if (!node) return raise_error(node.error());
    return new_natal_record(record.value(), language.value());
}

PyObject* compute_natal_numbers(const Argument* a) {
    const Result<LunarNode> node = parse_lunar_node(a[9].text);
    const Result<NatalRecord> record = record_of(a, node);
    if (!record) return raise_error(record.error());
    if (!node) return raise_error(node.error());
    return new_natal_numbers(record.value());
}

}  // namespace zentaric::python

namespace zentaric::python {

PyObject* vedic_dignity(const Argument* a) {
    const Result<Varga> varga = parse_varga(a[1].text);
    if (!varga) return raise_error(varga.error());
    const GrahaLongitudes longitudes = graha_longitudes(a[0]);
    return new_list(PLANET_GRAHA_COUNT, [&](std::size_t g) {
        return new_text(vedic_dignity_name(zentaric::vedic_dignity(static_cast<Graha>(g), varga.value(), longitudes)));
    });
}

PyObject* vimshopaka_bala(const Argument* a) {
    const Result<VargaGroup> group = parse_varga_group(a[1].text);
    if (!group) return raise_error(group.error());
    const GrahaLongitudes longitudes = graha_longitudes(a[0]);
    return new_list(PLANET_GRAHA_COUNT, [&](std::size_t g) {
        return PyFloat_FromDouble(zentaric::vimshopaka_bala(static_cast<Graha>(g), group.value(), longitudes));
    });
}

PyObject* graha_drishti(const Argument* a) {
    const auto signs = graha_signs(graha_longitudes(a[0]));
    return new_list(GRAHA_COUNT, [&](std::size_t g) {
        return new_sign_list(zentaric::graha_drishti(static_cast<Graha>(g), signs[g]), signs[g]);
    });
}

PyObject* rashi_drishti(const Argument* a) {
    if (a[0].index > 11) {
        return raise_exception(PyExc_IndexError, PyUnicode_FromFormat("sign %llu is out of range: rashi_drishti() "
                                                                       "accepts 0 to 11",
                                                                       static_cast<unsigned long long>(a[0].index)));
    }
    const auto sign = static_cast<std::uint8_t>(a[0].index);
    return new_sign_list(zentaric::rashi_drishti(sign), sign);
}

PyObject* jaimini(const Argument* a) {
    if (a[2].integer != 7 && a[2].integer != 8) {
        return raise_exception(PyExc_ValueError, PyUnicode_FromFormat("karakas must be 7 or 8, not %lld",
                                                                      static_cast<long long>(a[2].integer)));
    }
    const KarakaScheme scheme = a[2].integer == 8 ? KarakaScheme::Eight : KarakaScheme::Seven;
    const GrahaLongitudes longitudes = graha_longitudes(a[0]);
    const CharaKarakas karakas = chara_karakas(longitudes, scheme);
    const auto padas = arudha_padas(longitudes, sign_index_of(normalize_degrees(a[1].number)));
    PyObject* result = PyDict_New();
    PyObject* named = PyDict_New();
    bool ok = result != nullptr && named != nullptr;
    for (std::size_t rank = 0; ok && rank < karakas.count; ++rank) {
        PyObject* graha = new_text(graha_name(karakas.graha[rank]));
        ok = graha != nullptr && PyDict_SetItemString(named, karaka_name(scheme, rank).data(), graha) == 0;
        Py_XDECREF(graha);
    }
    ok = ok && set_owned(result, "karakas", Py_NewRef(named)) &&
         set_owned(result, "karakamsha", PyLong_FromLong(karakamsha(longitudes, scheme))) &&
         set_owned(result, "arudhas", new_list(12, [&](std::size_t h) { return PyLong_FromLong(padas[h]); }));
    Py_XDECREF(named);
    if (!ok) Py_CLEAR(result);
    return result;
}

PyObject* special_lagnas(const Argument* a) {
    const Result<BirthLagnas> found = birth_lagnas(a[0].number, a[1].number, a[2].number, a[3].text, a[4].text);
    if (!found) return raise_error(found.error());
    const BirthLagnas& day = found.value();
    PyObject* result = PyDict_New();
    const bool ok = result != nullptr && set_owned(result, "sunrise", PyFloat_FromDouble(day.sunrise)) &&
                    set_owned(result, "sunset", PyFloat_FromDouble(day.sunset)) &&
                    set_owned(result, "next_sunrise", PyFloat_FromDouble(day.next_sunrise)) &&
                    set_owned(result, "weekday", PyLong_FromLong(day.weekday)) &&
                    set_owned(result, "night", PyBool_FromLong(day.night)) &&
                    set_owned(result, "bhava_lagna", PyFloat_FromDouble(day.lagnas.bhava)) &&
                    set_owned(result, "hora_lagna", PyFloat_FromDouble(day.lagnas.hora)) &&
                    set_owned(result, "ghati_lagna", PyFloat_FromDouble(day.lagnas.ghati)) &&
                    set_owned(result, "gulika", PyFloat_FromDouble(day.gulika)) &&
                    set_owned(result, "mandi", PyFloat_FromDouble(day.mandi)) &&
                    set_owned(result, "dhuma", PyFloat_FromDouble(day.sun_upagrahas.dhuma)) &&
                    set_owned(result, "vyatipata", PyFloat_FromDouble(day.sun_upagrahas.vyatipata)) &&
                    set_owned(result, "parivesha", PyFloat_FromDouble(day.sun_upagrahas.parivesha)) &&
                    set_owned(result, "indrachapa", PyFloat_FromDouble(day.sun_upagrahas.indrachapa)) &&
                    set_owned(result, "upaketu", PyFloat_FromDouble(day.sun_upagrahas.upaketu));
    if (!ok) Py_XDECREF(result);
    return ok ? result : nullptr;
}

}  // namespace zentaric::python

namespace zentaric::python {
namespace {

// The sign argument `name` of `function`, or null with IndexError set.
bool sign_argument(const char* function, const char* name, const Argument& argument, std::uint8_t& sign) {
    if (argument.index > 11) {
        raise_exception(PyExc_IndexError, PyUnicode_FromFormat("%s %llu is out of range: %s() accepts 0 to 11", name,
                                                               static_cast<unsigned long long>(argument.index), function));
        return false;
    }
    sign = static_cast<std::uint8_t>(argument.index);
    return true;
}

}  // namespace

PyObject* gochara(const Argument* a) {
    std::uint8_t moon = 0, lagna = 0;
    if (!sign_argument(GOCHARA.name, "moon_sign", a[1], moon) || !sign_argument(GOCHARA.name, "lagna_sign", a[2], lagna))
        return nullptr;
    const auto readings = zentaric::gochara(graha_longitudes(a[0]), moon, lagna);
    return new_list(GRAHA_COUNT, [&](std::size_t g) -> PyObject* {
        const GocharaReading& r = readings[g];
        PyObject* vedha = r.vedha_by ? new_text(graha_name(*r.vedha_by)) : Py_NewRef(Py_None);
        if (vedha == nullptr) return nullptr;
        return Py_BuildValue("(iiNN)", r.house_from_moon, r.house_from_lagna, PyBool_FromLong(r.favourable), vedha);
    });
}

namespace {

PyObject* phase_list(const std::vector<SaturnPhaseSpan>& found) {
    return new_list(found.size(), [&](std::size_t k) {
        const SaturnPhaseSpan& span = found[k];
        const std::string_view name = SATURN_PHASE_TABLE[static_cast<std::size_t>(span.phase)].name;
        return Py_BuildValue("(s#ddNN)", name.data(), static_cast<Py_ssize_t>(name.size()), span.start, span.end,
                             PyBool_FromLong(span.open_start), PyBool_FromLong(span.open_end));
    });
}

}  // namespace

PyObject* saturn_phases(const Argument* a) {
    std::uint8_t moon = 0;
    if (!sign_argument(SATURN_PHASES.name, "moon_sign", a[0], moon)) return nullptr;
    const Result<Ayanamsha> ayanamsha = parse_ayanamsha(a[3].text);
    if (!ayanamsha) return raise_error(ayanamsha.error());
    Result<std::vector<SaturnPhaseSpan>> spans = value_error("");
    Py_BEGIN_ALLOW_THREADS
    spans = zentaric::saturn_phases(moon, ayanamsha.value(), a[1].number, a[2].number);
    Py_END_ALLOW_THREADS
    if (!spans) return raise_error(spans.error());
    return phase_list(spans.value());
}

PyObject* transit_calendar(const Argument* a) {
    const Result<Ayanamsha> ayanamsha = parse_ayanamsha(a[4].text);
    if (!ayanamsha) return raise_error(ayanamsha.error());
    Result<TransitCalendar> calendar = value_error("");
    Py_BEGIN_ALLOW_THREADS
    calendar = zentaric::transit_calendar(a[0].number, a[1].number, ayanamsha.value(), a[2].number, a[3].number);
    Py_END_ALLOW_THREADS
    if (!calendar) return raise_error(calendar.error());
    const std::vector<CalendarEvent>& found = calendar.value().events;
    PyObject* events = new_list(found.size(), [&](std::size_t k) {
        const CalendarEvent& e = found[k];
        const std::string_view kind = CALENDAR_EVENT_KIND_TABLE[static_cast<std::size_t>(e.kind)].name;
        const std::string_view body = moments::moment_body_row(e.body).name;
        return Py_BuildValue("(ds#s#ii)", e.jd_ut, kind.data(), static_cast<Py_ssize_t>(kind.size()), body.data(),
                             static_cast<Py_ssize_t>(body.size()), e.before, e.after);
    });
    if (events == nullptr) return nullptr;
    PyObject* phases = phase_list(calendar.value().phases);
    if (phases == nullptr) {
        Py_DECREF(events);
        return nullptr;
    }
    return Py_BuildValue("(NN)", events, phases);
}

}  // namespace zentaric::python
