// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/guard/GuardRules.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tavrola;
using namespace std::chrono_literals;
using Ms = GuardRules::Ms;

namespace {

// Crashes the child `count` times, `gap` apart, each right after its restart; returns the delays.
std::vector<Ms> crashLoop(GuardRules& rules, Ms& now, int count, Ms gap) {
    std::vector<Ms> delays;
    for (int i = 0; i < count; ++i) {
        now += gap;
        const GuardRules::Next next = rules.ended(now, {true, 11});
        EXPECT_TRUE(next.restart);
        EXPECT_EQ(next.reason, "crashed (11)");
        delays.push_back(next.delay);
        now += next.delay;
        rules.started(now);
    }
    return delays;
}

} // namespace

TEST(GuardRules, RestartsAtOnceThenBacksOffAfterFiveWithinTwoMinutesAndNeverGivesUp) {
    GuardRules rules;
    Ms now{0};
    rules.started(now);
    const std::vector<Ms> delays = crashLoop(rules, now, 12, 2s);
    const std::vector<Ms> expected = {1s, 1s, 1s, 1s, 1s, 60s, 1s, 1s, 1s, 1s, 60s, 1s};
    EXPECT_EQ(delays, expected);
    // Crashes spread wider than the window never wait.
    for (Ms d : crashLoop(rules, now, 8, 40s))
        EXPECT_EQ(d, 1s);
}

TEST(GuardRules, HangIsSilenceSinceTheLastHeartbeatOrTheStart) {
    GuardRules rules;
    rules.started(100s);
    EXPECT_FALSE(rules.checkHung(129s));
    rules.heartbeat(129s);
    EXPECT_FALSE(rules.checkHung(158s));
    EXPECT_TRUE(rules.checkHung(159s));
    EXPECT_FALSE(rules.checkHung(160s)) << "told once, while the kill is under way";
    // The kill ends it with a signal; the log says it hung.
    GuardRules::Next next = rules.ended(160s, {true, 9});
    EXPECT_TRUE(next.restart);
    EXPECT_EQ(next.reason, "hung: no heartbeat for 30 s");
    rules.started(161s);
    EXPECT_FALSE(rules.checkHung(190s)) << "a new child has its own 30 s";
    EXPECT_FALSE(rules.ended(200s, {}).restart) << "Keluar or the daily shutdown ends the guard too";
    EXPECT_FALSE(rules.checkHung(300s)) << "nothing runs";
    next = rules.ended(300s, {false, 1});
    EXPECT_TRUE(next.restart);
    EXPECT_EQ(next.reason, "ended with status 1");
}
