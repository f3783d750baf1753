#include "wayland/idle_start.h"

#include <gtest/gtest.h>

namespace {

IdleStartArguments Parse(std::initializer_list<const char*> words) {
  const char* argv[8] = {"quellwire-idle"};
  int argc = 1;
  for (const char* word : words) argv[argc++] = word;
  return parseIdleStartArguments(argc, argv);
}

TEST(IdleStart, TheTimeoutComesFirstAndTheRestGoesToTheSaver) {
  const IdleStartArguments none = Parse({}), told = Parse({"-timeout", "86400", "-fps"});
  EXPECT_TRUE(none.ok && !none.help && none.idleSeconds == kDefaultIdleSeconds);
  EXPECT_TRUE(none.firstSaverArgument == 1 && told.ok && told.firstSaverArgument == 3);
  EXPECT_EQ(told.idleSeconds, 86400u);
  EXPECT_EQ(Parse({"-fps", "-timeout", "9"}).idleSeconds, kDefaultIdleSeconds);  // quellwire's
  for (const char* bad : {"0", "86401", "12x", "-5", "", "4294967297"}) {
    EXPECT_FALSE(Parse({"-timeout", bad}).ok) << bad;
  }
  EXPECT_FALSE(Parse({"-timeout"}).ok);
  EXPECT_TRUE(Parse({"--help", "-timeout", "x"}).help);
}

// The idle watch starts one saver at a time; its end, by input or a locker, waits for the next
// idle period; failures in a row give up; ending the program ends a running saver first.
TEST(IdleStart, OneSaverPerIdlePeriodUntilAskedToEnd) {
  IdleStartState state{};
  EXPECT_EQ(idleStartWatchFired(state, 0), IdleStartAction::Nothing);  // before the watch
  state.idleWatch = 7;
  EXPECT_EQ(idleStartWatchFired(state, 8), IdleStartAction::Nothing);  // another client's
  EXPECT_EQ(idleStartWatchFired(state, 7), IdleStartAction::StartSaver);
  EXPECT_EQ(idleStartWatchFired(state, 7), IdleStartAction::Nothing);  // one runs
  for (const int failure : {1, 0, 128 + 9}) {  // a success starts the count again
    for (std::uint32_t run = 1; run < kSaverFailuresToGiveUp; ++run) {
      EXPECT_EQ(idleStartSaverEnded(state, failure), IdleStartAction::Nothing);
      EXPECT_EQ(idleStartWatchFired(state, 7), IdleStartAction::StartSaver);
    }
  }
  EXPECT_EQ(idleStartSaverEnded(state, 127), IdleStartAction::End);
  EXPECT_EQ(state.endStatus, 1);
  EXPECT_EQ(idleStartWatchFired(state, 7), IdleStartAction::Nothing);

  IdleStartState running{7, true, false, 0, 0}, idle{7, false, false, 0, 0};
  EXPECT_EQ(idleStartEnd(running, 0), IdleStartAction::StopSaver);
  EXPECT_EQ(idleStartWatchFired(running, 7), IdleStartAction::Nothing);
  EXPECT_EQ(idleStartEnd(running, 1), IdleStartAction::StopSaver);  // the first status holds
  EXPECT_EQ(idleStartSaverEnded(running, 128 + 15), IdleStartAction::End);
  EXPECT_EQ(running.endStatus, 0);
  EXPECT_EQ(idleStartEnd(idle, 0), IdleStartAction::End);
}

}  // namespace
