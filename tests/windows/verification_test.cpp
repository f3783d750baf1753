// The password check of a close request: when the verifier is asked, what a refusal and an
// acceptance leave behind, and the refusal time after each verification.
#include <gtest/gtest.h>

#include "fake_system_calls.h"
#include "windows/system_hooks_password.h"

namespace {

const WindowHandle kWindow = reinterpret_cast<WindowHandle>(0x600D);

int QW_SYSTEM_CALL anyVerifier(WindowHandle) { return 0; }

SaverHostState guarded() {
  SaverHostState host;
  host.is9xPlatform = true;
  host.passwordLibrary = kPasswordModule;
  host.verifyPassword = anyVerifier;
  return host;
}

bool verify(SaverHostState& host) { return VerifySaverPassword(FakeCalls(), host, kWindow); }

struct TooSoonCase {
  std::uint32_t lastVerifyTick;
  std::uint32_t now;
  bool tooSoon;
};

class RefusalTimeTest : public testing::TestWithParam<TooSoonCase> {};

TEST_P(RefusalTimeTest, CountsWrappingMillisecondsFromTheEndOfTheLastVerification) {
  const TooSoonCase& c = GetParam();
  EXPECT_EQ(VerifyIsTooSoon(c.lastVerifyTick, c.now), c.tooSoon)
      << std::hex << c.lastVerifyTick << " -> " << c.now;
}

INSTANTIATE_TEST_SUITE_P(
    Ticks, RefusalTimeTest,
    testing::Values(TooSoonCase{1000, 1000, true}, TooSoonCase{1000, 1100, true},
                    TooSoonCase{1000, 1199, true}, TooSoonCase{1000, 1200, false},
                    // The tick count wrapped in between: 0x60 = 96 ms and 0xD0 = 208 ms later.
                    TooSoonCase{0xFFFFFFF0u, 0x50, true}, TooSoonCase{0xFFFFFFF0u, 0xC0, false},
                    // Never verified: no refusal at any tick, including those just after.
                    TooSoonCase{kNeverVerified, 0xFFFFFFFFu, false},
                    TooSoonCase{kNeverVerified, 0, false},
                    TooSoonCase{kNeverVerified, 100, false}));

TEST(EndTick, AVerificationEndingAtTheNeverTickStillStartsARefusalTime) {
  EXPECT_EQ(VerificationEndTick(1234), 1234u);
  EXPECT_EQ(VerificationEndTick(0), 0u);
  EXPECT_EQ(VerificationEndTick(kNeverVerified), 0xFFFFFFFEu);
  EXPECT_TRUE(VerifyIsTooSoon(VerificationEndTick(kNeverVerified), 100));
}

TEST(Verify, ARefusalKeepsTheSaverAndHidesTheCursorAgain) {
  FakeSystem& fake = ResetFake();
  fake.ticks = {5000, 5750};
  fake.verifyAnswer = 0;
  SaverHostState host = guarded();
  EXPECT_FALSE(verify(host));
  EXPECT_EQ(fake.joinedLog(), "tick, drop timer, drop timer, send, hide cursor, tick");
  EXPECT_FALSE(host.isClosing);
  EXPECT_FALSE(host.isVerifying);
  EXPECT_EQ(host.lastVerifyTick, 5750u);  // the end of the verification, not its start
}

TEST(Verify, AnAcceptanceLetsTheSaverClose) {
  FakeSystem& fake = ResetFake();
  fake.ticks = {5000, 5020};
  fake.verifyAnswer = 2;  // any non-zero answer
  SaverHostState host = guarded();
  EXPECT_TRUE(verify(host));
  EXPECT_EQ(fake.joinedLog(), "tick, drop timer, drop timer, send, tick");
  EXPECT_TRUE(host.isClosing);
  EXPECT_FALSE(host.isVerifying);
  EXPECT_EQ(host.lastVerifyTick, 5020u);
}

TEST(Verify, WithoutAVerifierTheFirstRequestCloses) {
  ResetFake();
  SaverHostState host;
  host.is9xPlatform = true;
  EXPECT_TRUE(verify(host));
  EXPECT_TRUE(host.isClosing);
  EXPECT_EQ(Fake().joinedLog(), "");
  EXPECT_EQ(host.lastVerifyTick, kNeverVerified);
}

TEST(Verify, ARequestWhileClosingIsRefusedWithoutAsking) {
  ResetFake();
  SaverHostState host = guarded();
  host.isClosing = true;
  EXPECT_FALSE(verify(host));
  SaverHostState unguarded;
  unguarded.isClosing = true;
  EXPECT_FALSE(verify(unguarded));
  EXPECT_EQ(Fake().joinedLog(), "");
}

// A close request dispatched while the verifier runs (its dialog pumps messages) is refused
// without a second verification.
SaverHostState* hostBeingVerified = nullptr;
bool nestedAnswer = true;
bool verifyingDuringRequest = false;

TEST(Verify, ARequestDuringAVerificationIsRefusedWithoutAsking) {
  FakeSystem& fake = ResetFake();
  fake.verifyAnswer = 1;
  fake.onVerifyRequest = [] {
    verifyingDuringRequest = hostBeingVerified->isVerifying;
    nestedAnswer = VerifySaverPassword(FakeCalls(), *hostBeingVerified, kWindow);
  };
  SaverHostState host = guarded();
  hostBeingVerified = &host;
  EXPECT_TRUE(verify(host));
  EXPECT_TRUE(verifyingDuringRequest);
  EXPECT_FALSE(nestedAnswer);
  EXPECT_EQ(fake.joinedLog(), "tick, drop timer, drop timer, send, tick");
}

// The sequence a user sees: refused at 10000, a key 100 ms later is refused without asking,
// one 300 ms later asks again.
TEST(Verify, WithinTheRefusalTimeTheVerifierIsNotAskedAgain) {
  FakeSystem& fake = ResetFake();
  fake.verifyAnswer = 0;
  fake.ticks = {9990, 10000, 10100, 10300, 10310};
  SaverHostState host = guarded();
  EXPECT_FALSE(verify(host));
  ASSERT_EQ(host.lastVerifyTick, 10000u);
  fake.log.clear();

  EXPECT_FALSE(verify(host));
  EXPECT_EQ(fake.joinedLog(), "tick");
  EXPECT_EQ(host.lastVerifyTick, 10000u);  // a refusal without asking does not move it
  fake.log.clear();

  fake.verifyAnswer = 1;
  EXPECT_TRUE(verify(host));
  EXPECT_EQ(fake.joinedLog(), "tick, drop timer, drop timer, send, tick");
  EXPECT_EQ(host.lastVerifyTick, 10310u);
}

TEST(Verify, TheRefusalTimeHoldsAcrossAWrapOfTheTickCount) {
  FakeSystem& fake = ResetFake();
  fake.verifyAnswer = 0;
  fake.ticks = {0xFFFFFFF0u, 0xFFFFFFFFu, 0x60, 0x100};
  SaverHostState host = guarded();
  EXPECT_FALSE(verify(host));  // ends on the tick that also means "never"
  fake.log.clear();
  EXPECT_FALSE(verify(host));  // 97 ms later
  EXPECT_EQ(fake.joinedLog(), "tick");
  fake.log.clear();
  EXPECT_FALSE(verify(host));  // 257 ms later: asked again
  EXPECT_EQ(fake.joinedLog(), "tick, drop timer, drop timer, send, hide cursor, tick");
}

}  // namespace
