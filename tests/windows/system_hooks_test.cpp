#include "windows/system_hooks.h"

#include <gtest/gtest.h>

namespace {

struct PowerCase {
  std::uint32_t message;
  std::uintptr_t event;
  std::intptr_t lParam;
  PowerRule rule;
};

class PowerRuleTest : public testing::TestWithParam<PowerCase> {};

TEST_P(PowerRuleTest, Decides) {
  const PowerCase& c = GetParam();
  EXPECT_EQ(DecidePowerRule(c.message, c.event, c.lParam), c.rule)
      << c.message << " event " << c.event << " lParam " << c.lParam;
}

constexpr PowerRule Close = PowerRule::PostClose;
constexpr PowerRule Ignore = PowerRule::Ignore;

INSTANTIATE_TEST_SUITE_P(
    Events, PowerRuleTest,
    testing::Values(PowerCase{WM_POWER, PWR_CRITICALRESUME, 0, Close},
                    PowerCase{WM_POWER, 1, 0, Ignore}, PowerCase{WM_POWER, 2, 0, Ignore},
                    PowerCase{WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0, Close},
                    PowerCase{WM_POWERBROADCAST, PBT_APMQUERYSTANDBY, 0, Close},
                    PowerCase{WM_POWERBROADCAST, PBT_APMQUERYSUSPENDFAILED, 0, Close},
                    PowerCase{WM_POWERBROADCAST, PBT_APMQUERYSTANDBYFAILED, 0, Close},
                    PowerCase{WM_POWERBROADCAST, PBT_APMSUSPEND, 0, Close},
                    PowerCase{WM_POWERBROADCAST, PBT_APMSTANDBY, 0, Close},
                    PowerCase{WM_POWERBROADCAST, PBT_APMRESUMECRITICAL, 0, Close},
                    PowerCase{WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0, Close},
                    PowerCase{WM_POWERBROADCAST, PBT_APMRESUMESTANDBY, 0, Close},
                    PowerCase{WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0, Close},
                    PowerCase{WM_POWERBROADCAST, PBT_APMRESUMECRITICAL, 1, Ignore},
                    PowerCase{WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 3, Ignore},
                    PowerCase{WM_POWERBROADCAST, PBT_APMRESUMESTANDBY, 1, Ignore},
                    PowerCase{WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 1, Ignore},
                    PowerCase{WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 2, Close},
                    PowerCase{WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0,
                              PowerRule::CheckLineStatus},
                    PowerCase{WM_POWERBROADCAST, PBT_APMBATTERYLOW, 0, Close},
                    PowerCase{WM_POWERBROADCAST, PBT_APMOEMEVENT, 0, Close},
                    PowerCase{WM_POWERBROADCAST, 12, 0, Close},
                    PowerCase{WM_POWERBROADCAST, 17, 0, Close},
                    PowerCase{WM_POWERBROADCAST, 0x13, 0, Close},
                    PowerCase{WM_KEYDOWN, PBT_APMSUSPEND, 0, Ignore}));

TEST(LineStatus, OnlyAChangeCounts) {
  SaverHostState host;
  EXPECT_FALSE(RecordLineStatus(host, 255));  // unknown before and now
  EXPECT_TRUE(RecordLineStatus(host, 1));     // plugged in
  EXPECT_EQ(host.lastACLineStatus, 1);
  EXPECT_FALSE(RecordLineStatus(host, 1));
  EXPECT_TRUE(RecordLineStatus(host, 0));  // unplugged
  EXPECT_TRUE(RecordLineStatus(host, 255));
}

}  // namespace
