// The moments layer against the straightforward evaluation: every event and rise found by sampling, fitting and
// polishing lies within a millisecond of a bisection on the chart's own positions, evaluated instant by instant.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "ephemeris/apparent.hpp"
#include "moments/events.hpp"
#include "moments/rise_set.hpp"
#include "moments/track.hpp"
#include "time/angles.hpp"
#include "time/delta_t.hpp"
#include "time/earth_orientation.hpp"

namespace zentaric::moments {
namespace {

const AnalyticalEphemeris EPHEMERIS;
constexpr double MILLISECOND_DAYS = 1e-3 / 86400.0;

// The chart's sidereal longitude through the per-body pipeline: apparent longitude less ayanamsha and Δψ.
double chart_longitude(Body body, double jd_ut) {
    const double apparent = apparent_position(EPHEMERIS, body, jd_ut).value().longitude * RAD_TO_DEG;
    return apparent - ayanamsha_degrees(Ayanamsha::Lahiri, jd_ut) -
           nutation(to_terrestrial_time(jd_ut)).longitude * RAD_TO_DEG;
}

// The zero of f between a and b (f(a), f(b) of opposite signs) by bisection, to 1e-9 day or so.
double bisect(const std::function<double(double)>& f, double a, double b) {
    const bool rising = f(b) > f(a);
    for (int pass = 0; pass < 40; ++pass) {
        const double m = 0.5 * (a + b);
        ((f(m) < 0.0) == rising ? a : b) = m;
    }
    return 0.5 * (a + b);
}

TEST(FastPositions, AgreeWithThePerBodyPipeline) {
    const Body bodies[] = {Body::Sun, Body::Moon, Body::Mercury, Body::Venus, Body::Mars, Body::Jupiter,
                           Body::Saturn, Body::MeanNode, Body::TrueNode};
    for (double jd : {2415020.3, 2451545.0, 2460000.5, 2488069.7}) {
        ApparentPosition fast[9];
        ASSERT_TRUE(fast_apparent_positions(bodies, 9, jd, fast).ok());
        for (int i = 0; i < 9; ++i) {
            const ApparentPosition slow = apparent_position(EPHEMERIS, bodies[i], jd).value();
            EXPECT_NEAR(std::remainder(fast[i].longitude - slow.longitude, TWO_PI) * RAD_TO_DEG, 0.0, 1e-9) << i;
            EXPECT_NEAR((fast[i].latitude - slow.latitude) * RAD_TO_DEG, 0.0, 1e-9) << i;
            EXPECT_NEAR(fast[i].distance / slow.distance, 1.0, 1e-6) << i;
        }
    }
}

struct LevelCase {
    EventKind kind;
    MomentBody body;
    double start, days;
    int events;  // at least (the parts follow one another, so none is missed between the first and the last)
};

class EventsAgainstBisection : public ::testing::TestWithParam<LevelCase> {};

TEST_P(EventsAgainstBisection, EachEventIsTheRootOfTheChartsLongitude) {
    const LevelCase c = GetParam();
    const EventKindRow& row = event_kind_row(c.kind);
    const auto events = find_events(c.kind, c.body, Ayanamsha::Lahiri, c.start, c.start + c.days);
    ASSERT_TRUE(events.ok()) << events.error().message;
    ASSERT_GE(events.value().size(), static_cast<std::size_t>(c.events));
    const double span = 360.0 / row.divisions;
    std::function<double(double)> angle = [&](double jd) {
        if (c.kind == EventKind::Tithi || c.kind == EventKind::Karana)
            return chart_longitude(Body::Moon, jd) - chart_longitude(Body::Sun, jd);
        if (c.kind == EventKind::Yoga) return chart_longitude(Body::Moon, jd) + chart_longitude(Body::Sun, jd);
        return chart_longitude(moment_body_row(c.body).body, jd) + moment_body_row(c.body).offset_degrees;
    };
    int previous_after = -1;
    for (const Event& e : events.value()) {
        if (previous_after >= 0) {
            EXPECT_EQ(e.before, previous_after);
        }
        previous_after = e.after;
        // The boundary between the parts left and entered, and the function's distance from it.
        const int forward = (e.after - e.before + row.divisions) % row.divisions == 1;
        const double boundary = ((forward ? e.after : e.before) - row.first_number) * span;
        auto distance = [&](double jd) { return std::remainder(angle(jd) - boundary, 360.0); };
        const double root = bisect(distance, e.jd_ut - 0.01, e.jd_ut + 0.01);
        EXPECT_NEAR(e.jd_ut, root, MILLISECOND_DAYS) << e.jd_ut;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EventsAgainstBisection,
    ::testing::Values(LevelCase{EventKind::Nakshatra, MomentBody::Moon, 2451545.0, 30.0, 29},
                      LevelCase{EventKind::Tithi, MomentBody::Moon, 2415020.0, 30.0, 30},
                      LevelCase{EventKind::Yoga, MomentBody::Moon, 2488000.0, 30.0, 32},  // 2100: Delta T's steps
                      LevelCase{EventKind::Karana, MomentBody::Moon, 2460000.0, 10.0, 19},
                      LevelCase{EventKind::Sign, MomentBody::Sun, 2451545.0, 365.0, 12},
                      LevelCase{EventKind::Nakshatra, MomentBody::Ketu, 2451545.0, 1000.0, 4},
                      // Mercury's retrograde loops cross sign boundaries back and forth.
                      LevelCase{EventKind::Sign, MomentBody::Mercury, 2451545.0, 730.0, 25}));

TEST(Stations, AreWhereTheChartsSpeedChangesSign) {
    const auto events = find_events(EventKind::Station, MomentBody::Mercury, Ayanamsha::Lahiri, 2451545.0, 2451910.0);
    ASSERT_TRUE(events.ok());
    ASSERT_EQ(events.value().size(), 6u);  // Mercury turns three times each way in 2000
    auto speed = [](double jd) {
        return chart_longitude(Body::Mercury, jd + 1e-3) - chart_longitude(Body::Mercury, jd - 1e-3);
    };
    for (const Event& e : events.value()) {
        EXPECT_EQ(e.after, -e.before);
        EXPECT_EQ(speed(e.jd_ut + 0.1) > 0.0, e.after == DIRECT);
        EXPECT_NEAR(e.jd_ut, bisect(speed, e.jd_ut - 0.05, e.jd_ut + 0.05), 1e-5);  // a flat root: within 1 s
    }
}

TEST(Crossings, IncludeTheRetrogradePasses) {
    // Saturn passes 36° (6° of sidereal Taurus) three times in 2000-2001: direct, retrograde, direct.
    const auto times = find_longitude_crossings(MomentBody::Saturn, 36.0, Ayanamsha::Lahiri, 2451545.0, 2452275.0);
    ASSERT_TRUE(times.ok());
    ASSERT_EQ(times.value().size(), 3u);
    for (double t : times.value())
        EXPECT_NEAR(std::remainder(chart_longitude(Body::Saturn, t) - 36.0, 360.0), 0.0, 1e-7);
}

struct TrackCase {
    MomentBody body;
    double start, days;
};

class TrackAgainstBisection : public ::testing::TestWithParam<TrackCase> {};

// Every root found on a track's cut-series samples, polished on the full series, is the root of the chart's own
// longitude (ingresses and passages within 1 ms) or speed (stations: a flat root, where the per-body pipeline's
// speed, a difference of positions 0.01 day apart, wavers by 1e-9°/day: within 0.2 s, 0.11 s measured), and the track
// finds what sampling the full series finds (the search find_events and find_longitude_crossings make of a planet
// without its track), each root within 1 ms of it (0.08 ms measured).
TEST_P(TrackAgainstBisection, EachRootIsTheChartsAndNoneIsMissed) {
    const TrackCase c = GetParam();
    const double end = c.start + c.days;
    const auto track = Track::sample(c.body, Ayanamsha::Lahiri, c.start, end);
    ASSERT_TRUE(track.ok()) << track.error().message;
    const Body body = moment_body_row(c.body).body;
    const double offset = moment_body_row(c.body).offset_degrees;
    auto distance_from = [&](double level) {
        return [=](double jd) { return std::remainder(chart_longitude(body, jd) + offset - level, 360.0); };
    };
    const bool planet = c.body != MomentBody::Ketu;
    const auto signs = track.value().events(EventKind::Sign);
    const auto searched = find_events(EventKind::Sign, c.body, Ayanamsha::Lahiri, c.start, end,
                                      SlowPlanetSearch::FullSeries);
    const auto found = find_events(EventKind::Sign, c.body, Ayanamsha::Lahiri, c.start, end);
    ASSERT_TRUE(signs.ok() && searched.ok() && found.ok());
    ASSERT_EQ(signs.value().size(), searched.value().size());
    ASSERT_EQ(found.value().size(), searched.value().size());
    for (std::size_t i = 0; i < signs.value().size(); ++i) {
        const Event& e = signs.value()[i];
        EXPECT_EQ(e.after, searched.value()[i].after);
        EXPECT_NEAR(e.jd_ut, searched.value()[i].jd_ut, MILLISECOND_DAYS);
        if (planet) {
            EXPECT_EQ(found.value()[i].jd_ut, e.jd_ut);  // find_events reads the planet's track
        }
        const int boundary = (e.after - e.before + 12) % 12 == 1 ? e.after : e.before;
        EXPECT_NEAR(e.jd_ut, bisect(distance_from(boundary * 30.0), e.jd_ut - 0.01, e.jd_ut + 0.01), MILLISECOND_DAYS);
    }
    for (double longitude : {17.25, 250.5}) {
        const auto passages = track.value().crossings(longitude);
        const auto times = find_longitude_crossings(c.body, longitude, Ayanamsha::Lahiri, c.start, end,
                                                    SlowPlanetSearch::FullSeries);
        ASSERT_TRUE(passages.ok() && times.ok());
        ASSERT_EQ(passages.value().size(), times.value().size());
        for (std::size_t i = 0; i < times.value().size(); ++i) {
            const Crossing& p = passages.value()[i];
            EXPECT_NEAR(p.jd_ut, bisect(distance_from(longitude), p.jd_ut - 0.01, p.jd_ut + 0.01), MILLISECOND_DAYS);
            EXPECT_NEAR(p.jd_ut, times.value()[i], MILLISECOND_DAYS);
            EXPECT_EQ(distance_from(longitude)(p.jd_ut + 0.01) > 0.0, p.direction > 0);
        }
    }
    if (moment_body_row(c.body).speed.step_days == 0.0) return;
    const auto stations = track.value().events(EventKind::Station);
    const auto station_search = find_events(EventKind::Station, c.body, Ayanamsha::Lahiri, c.start, end);
    ASSERT_TRUE(stations.ok() && station_search.ok());
    ASSERT_EQ(stations.value().size(), station_search.value().size());
    auto speed = [&](double jd) {
        return chart_longitude(body, jd + SPEED_HALF_STEP_DAYS) - chart_longitude(body, jd - SPEED_HALF_STEP_DAYS);
    };
    for (const Event& e : stations.value())
        EXPECT_NEAR(e.jd_ut, bisect(speed, e.jd_ut - 0.05, e.jd_ut + 0.05), 0.2 / 86400.0) << e.jd_ut;
}

INSTANTIATE_TEST_SUITE_P(
    SlowBodies, TrackAgainstBisection,
    ::testing::Values(TrackCase{MomentBody::Jupiter, 2447931.5, 7300.0},
                      TrackCase{MomentBody::Saturn, 2415020.0, 7300.0},
                      TrackCase{MomentBody::Saturn, 1757583.0, 3650.0},  // the year 100: the series' powers of t
                      TrackCase{MomentBody::Uranus, 2456000.5, 3650.0},  // passes 17.25° thrice
                      TrackCase{MomentBody::Neptune, 2444000.5, 3650.0},  // passes 250.5° thrice
                      TrackCase{MomentBody::Ketu, 2451545.0, 7300.0}));

// A level half an arcsecond inside or outside a turn: the cut samples cannot tell the two apart, the full series can.
TEST(Track, SettlesALevelGrazedAtAStation) {
    const double start = 2451545.0, end = start + 3650.0;
    const auto track = Track::sample(MomentBody::Saturn, Ayanamsha::Lahiri, start, end);
    ASSERT_TRUE(track.ok());
    const auto stations = track.value().events(EventKind::Station);
    ASSERT_TRUE(stations.ok());
    ASSERT_GE(stations.value().size(), 18u);
    for (const Event& e : stations.value()) {
        const double turn = track.value().longitude_at(e.jd_ut).value();
        const double inward = e.after == RETROGRADE ? -1.0 : 1.0;  // towards the side the body reaches
        for (const double arcseconds : {0.5, -0.5}) {
            const double level = turn + inward * arcseconds / 3600.0;
            const auto passages = track.value().crossings(level);
            const auto searched = find_longitude_crossings(MomentBody::Saturn, level, Ayanamsha::Lahiri, start, end,
                                                           SlowPlanetSearch::FullSeries);
            ASSERT_TRUE(passages.ok() && searched.ok());
            int near = 0;
            for (const Crossing& p : passages.value()) near += std::fabs(p.jd_ut - e.jd_ut) < 10.0;
            EXPECT_EQ(near, arcseconds > 0.0 ? 2 : 0) << e.jd_ut;
            ASSERT_EQ(passages.value().size(), searched.value().size()) << e.jd_ut;
            for (std::size_t k = 0; k < searched.value().size(); ++k)
                EXPECT_NEAR(passages.value()[k].jd_ut, searched.value()[k], 1e-4) << e.jd_ut;  // a grazing root
        }
    }
}

struct RiseCase {
    MomentBody body;
    HorizonConvention convention;
    Observer place;
    double start = 2460310.5;  // 2024-01-01 0h UT
};

class RiseSetAgainstBisection : public ::testing::TestWithParam<RiseCase> {};

TEST_P(RiseSetAgainstBisection, EachRiseAndSetIsTheRootOfTheAltitude) {
    const RiseCase c = GetParam();
    const auto found = find_rise_set(c.body, c.place, c.convention, c.start, c.start + 5.0);
    ASSERT_TRUE(found.ok()) << found.error().message;
    int rises = 0;
    std::function<double(double)> altitude = [&](double jd) {
        return altitude_above_horizon(c.body, c.place, c.convention, jd).value();
    };
    for (const HorizonEvent& e : found.value().events) {
        if (e.kind == HorizonEventKind::Transit) continue;
        rises += e.kind == HorizonEventKind::Rise;
        EXPECT_EQ(altitude(e.jd_ut + 0.002) > 0.0, e.kind == HorizonEventKind::Rise);
        EXPECT_NEAR(e.jd_ut, bisect(altitude, e.jd_ut - 0.002, e.jd_ut + 0.002), MILLISECOND_DAYS);
    }
    EXPECT_GE(rises, 4);
}

INSTANTIATE_TEST_SUITE_P(
    Conventions, RiseSetAgainstBisection,
    ::testing::Values(RiseCase{MomentBody::Sun, HorizonConvention::Hindu, {28.6139, 77.2090, 0.0}},
                      RiseCase{MomentBody::Sun, HorizonConvention::Civil, {-33.87, 151.21, 50.0}},
                      RiseCase{MomentBody::Sun, HorizonConvention::AstronomicalTwilight, {51.5, -0.13, 0.0}},
                      RiseCase{MomentBody::Moon, HorizonConvention::Civil, {60.17, 24.94, 0.0}},
                      RiseCase{MomentBody::Moon, HorizonConvention::Hindu, {-45.0, -70.0, 0.0}},
                      // Delta T moves by a step each month, faster late in the ephemeris: the places are read in TT.
                      RiseCase{MomentBody::Moon, HorizonConvention::Civil, {64.1, -21.9, 0.0}, 2488067.5}));

TEST(RiseSet, PolarNightAndPolarDayHaveNoRiseNorSet) {
    const Observer tromso{69.65, 18.96, 0.0};
    const auto december = find_rise_set(MomentBody::Sun, tromso, HorizonConvention::Civil, 2460664.5, 2460665.5);
    const auto june = find_rise_set(MomentBody::Sun, tromso, HorizonConvention::Civil, 2460482.5, 2460483.5);
    ASSERT_TRUE(december.ok() && june.ok());
    for (const auto* day : {&december.value(), &june.value()}) {
        ASSERT_EQ(day->events.size(), 1u);
        EXPECT_EQ(day->events[0].kind, HorizonEventKind::Transit);
    }
    EXPECT_FALSE(december.value().above_at_start);
    EXPECT_TRUE(june.value().above_at_start);
}

// Within four months of the ephemeris's ends a planet's track would sample beyond them: the full series is searched.
TEST(Moments, SearchAPlanetNearTheEphemerisEndsOnItsFullSeries) {
    for (const double start : {earliest_search_day() + 10.0, latest_search_day() - 100.0}) {
        auto search = [&](SlowPlanetSearch how) {
            return find_events(EventKind::Nakshatra, MomentBody::Jupiter, Ayanamsha::Lahiri, start, start + 85.0, how);
        };
        const auto found = search(SlowPlanetSearch::Track), searched = search(SlowPlanetSearch::FullSeries);
        ASSERT_TRUE(found.ok()) << found.error().message;
        ASSERT_TRUE(searched.ok() && found.value().size() == 1u && searched.value().size() == 1u);
        EXPECT_EQ(found.value()[0].jd_ut, searched.value()[0].jd_ut);
    }
}

TEST(Moments, RefuseWhatTheyCannotCompute) {
    EXPECT_FALSE(find_events(EventKind::Station, MomentBody::Sun, Ayanamsha::Lahiri, 2451545.0, 2451546.0).ok());
    EXPECT_FALSE(find_events(EventKind::Tithi, MomentBody::Mars, Ayanamsha::Lahiri, 2451545.0, 2451546.0).ok());
    EXPECT_FALSE(find_events(EventKind::Sign, MomentBody::Moon, Ayanamsha::Lahiri, 990000.0, 2451546.0).ok());
    EXPECT_FALSE(find_rise_set(MomentBody::Rahu, {0.0, 0.0, 0.0}, HorizonConvention::Hindu, 2451545.0, 2451546.0).ok());
    EXPECT_FALSE(find_rise_set(MomentBody::Moon, {0.0, 0.0, 0.0}, HorizonConvention::CivilTwilight, 2451545.0,
                               2451546.0).ok());
    EXPECT_FALSE(find_rise_set(MomentBody::Sun, {91.0, 0.0, 0.0}, HorizonConvention::Hindu, 2451545.0, 2451546.0).ok());
}

}  // namespace
}  // namespace zentaric::moments
