// The moments of the sky: events, longitude crossings, rising and setting. The searches run without the
// interpreter lock (they read nothing of Python's); the lists are built after.
#include <string_view>
#include <vector>

#include "moments/events.hpp"
#include "moments/rise_set.hpp"
#include "python/functions.hpp"
#include "python/objects.hpp"

namespace zentaric::python {
namespace {

constexpr std::string_view HORIZON_EVENT_NAMES[3] = {"rise", "set", "transit"};

}  // namespace

PyObject* find_events(const Argument* a) {
    const Result<moments::EventKind> kind = moments::parse_event_kind(a[2].text);
    if (!kind) return raise_error(kind.error());
    const Result<moments::MomentBody> body = moments::parse_moment_body(a[3].text);
    if (!body) return raise_error(body.error());
    const Result<Ayanamsha> ayanamsha = parse_ayanamsha(a[4].text);
    if (!ayanamsha) return raise_error(ayanamsha.error());
    Result<std::vector<moments::Event>> events = value_error("");
    Py_BEGIN_ALLOW_THREADS
    events = moments::find_events(kind.value(), body.value(), ayanamsha.value(), a[0].number, a[1].number);
    Py_END_ALLOW_THREADS
    if (!events) return raise_error(events.error());
    const std::vector<moments::Event>& found = events.value();
    return new_list(found.size(), [&](std::size_t i) {
        return Py_BuildValue("(dii)", found[i].jd_ut, found[i].before, found[i].after);
    });
}

PyObject* find_crossings(const Argument* a) {
    const Result<moments::MomentBody> body = moments::parse_moment_body(a[0].text);
    if (!body) return raise_error(body.error());
    const Result<Ayanamsha> ayanamsha = parse_ayanamsha(a[4].text);
    if (!ayanamsha) return raise_error(ayanamsha.error());
    Result<std::vector<double>> times = value_error("");
    Py_BEGIN_ALLOW_THREADS
    times = moments::find_longitude_crossings(body.value(), a[1].number, ayanamsha.value(), a[2].number, a[3].number);
    Py_END_ALLOW_THREADS
    if (!times) return raise_error(times.error());
    const std::vector<double>& found = times.value();
    return new_list(found.size(), [&](std::size_t i) { return PyFloat_FromDouble(found[i]); });
}

PyObject* rise_set_times(const Argument* a) {
    const Result<moments::MomentBody> body = moments::parse_moment_body(a[5].text);
    if (!body) return raise_error(body.error());
    const Result<moments::HorizonConvention> convention = moments::parse_horizon_convention(a[6].text);
    if (!convention) return raise_error(convention.error());
    const moments::Observer place{a[2].number, a[3].number, a[4].number};
    Result<moments::HorizonEvents> events = value_error("");
    Py_BEGIN_ALLOW_THREADS
    events = moments::find_rise_set(body.value(), place, convention.value(), a[0].number, a[1].number);
    Py_END_ALLOW_THREADS
    if (!events) return raise_error(events.error());
    const std::vector<moments::HorizonEvent>& found = events.value().events;
    PyObject* list = new_list(found.size(), [&](std::size_t i) {
        const std::string_view name = HORIZON_EVENT_NAMES[static_cast<std::size_t>(found[i].kind)];
        return Py_BuildValue("(ds#)", found[i].jd_ut, name.data(), static_cast<Py_ssize_t>(name.size()));
    });
    if (list == nullptr) return nullptr;
    return Py_BuildValue("(NO)", list, events.value().above_at_start ? Py_True : Py_False);
}

}  // namespace zentaric::python
