#include "chart/vedic_day.hpp"

namespace zentaric {

Result<VedicDay> vedic_day(double jd_ut, double latitude, double longitude, moments::HorizonConvention convention) {
    const Result<moments::HorizonEvents> found = moments::find_rise_set(
        moments::MomentBody::Sun, moments::Observer{latitude, longitude, 0.0}, convention, jd_ut - 1.5, jd_ut + 1.5);
    if (!found) return found.error();
    VedicDay day{NAN, NAN, NAN};
    for (const moments::HorizonEvent& event : found.value().events)
        if (event.kind == moments::HorizonEventKind::Rise && event.jd_ut <= jd_ut) day.sunrise = event.jd_ut;
    for (const moments::HorizonEvent& event : found.value().events) {
        if (!(event.jd_ut > day.sunrise)) continue;
        if (event.kind == moments::HorizonEventKind::Set && std::isnan(day.sunset)) day.sunset = event.jd_ut;
        if (event.kind == moments::HorizonEventKind::Rise && !std::isnan(day.sunset) && std::isnan(day.next_sunrise))
            day.next_sunrise = event.jd_ut;
    }
    return day;
}

}  // namespace zentaric
