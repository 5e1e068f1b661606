// The panchanga's one sampled search over a range against the moments layer's own search on the full positions.
#include <gtest/gtest.h>

#include <cmath>

#include "moments/events.hpp"
#include "moments/rise_set.hpp"
#include "panchanga/panchanga.hpp"

namespace zentaric {
namespace {

// Every limb change of 40 days at New Delhi, 1931 and 2071, within a millisecond of the same change found by
// find_events (measured: 0.12 ms at most).
TEST(PanchangaSearch, SampledLimbsWithinAMillisecondOfTheEventSearch) {
    const moments::EventKind kinds[] = {moments::EventKind::Tithi, moments::EventKind::Nakshatra,
                                        moments::EventKind::Yoga, moments::EventKind::Karana};
    for (const std::int32_t year : {1931, 2071}) {
        const PanchangaRequest request{year, 3, 1, 40, {28.6139, 77.2090, 0.0}, 5.5,
                                       moments::HorizonConvention::Hindu, Ayanamsha::Lahiri};
        const Result<PanchangaRange> range = compute_panchanga(request);
        ASSERT_TRUE(range.ok()) << range.error().message;
        for (std::size_t limb = 0; limb < LIMB_COUNT; ++limb) {
            const auto& ours = range.value().crossings[limb];
            const auto exact = moments::find_events(kinds[limb], moments::MomentBody::Moon, Ayanamsha::Lahiri,
                                                    ours.front().jd - 0.01, ours.back().jd + 0.01);
            ASSERT_TRUE(exact.ok());
            ASSERT_EQ(exact.value().size(), ours.size()) << year << " limb " << limb;
            const int first_number = limb == 1 ? 1 : 0;  // the events number nakshatras from 0
            for (std::size_t k = 0; k < ours.size(); ++k) {
                EXPECT_NEAR(ours[k].jd, exact.value()[k].jd_ut, 1e-3 / 86400.0) << year << " limb " << limb;
                EXPECT_EQ(ours[k].after, exact.value()[k].after + first_number);
            }
        }
    }
}

// The risings and settings read from the sampled Sun and Moon against the rising search on the theories (itself
// checked against a bisection on the altitude): within a millisecond (measured: under 0.1 ms, the tolerance of the
// rising search itself).
TEST(PanchangaSearch, SampledRisingsWithinAMillisecondOfTheTheories) {
    const moments::Observer place{59.9, 10.75, 0.0};  // Oslo: the Sun's grazing rises of the year's ends
    const PanchangaRequest request{2031, 11, 20, 60, place, 1.0, moments::HorizonConvention::Hindu, Ayanamsha::Lahiri};
    const Result<PanchangaRange> range = compute_panchanga(request);
    ASSERT_TRUE(range.ok()) << range.error().message;
    const auto& days = range.value().days;
    const auto exact = [&](moments::MomentBody body, moments::HorizonConvention convention) {
        return moments::find_rise_set(body, place, convention, days.front().sunrise - 1.0, days.back().sunrise + 2.0)
            .value()
            .events;
    };
    const auto sun = exact(moments::MomentBody::Sun, moments::HorizonConvention::Hindu);
    const auto moon = exact(moments::MomentBody::Moon, moments::HorizonConvention::Civil);
    const auto nearest = [](const std::vector<moments::HorizonEvent>& events, double jd) {
        double best = 1e9;
        for (const moments::HorizonEvent& e : events) best = std::fmin(best, std::fabs(e.jd_ut - jd));
        return best;
    };
    int moon_events = 0;
    for (const PanchangaDay& day : days) {
        EXPECT_LT(nearest(sun, day.sunrise), 1e-3 / 86400.0);
        EXPECT_LT(nearest(sun, day.sunset), 1e-3 / 86400.0);
        for (const double jd : {day.moonrise, day.moonset}) {
            if (std::isnan(jd)) continue;
            EXPECT_LT(nearest(moon, jd), 1e-3 / 86400.0);
            ++moon_events;
        }
    }
    EXPECT_GT(moon_events, 100);
}

}  // namespace
}  // namespace zentaric
