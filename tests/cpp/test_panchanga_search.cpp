// The panchanga's one sampled search over a range against the moments layer's own search on the full positions.
#include <gtest/gtest.h>

#include <cmath>

#include "moments/events.hpp"
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

}  // namespace
}  // namespace zentaric
