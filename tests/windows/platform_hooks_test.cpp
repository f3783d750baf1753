// The autoplay registration and the input-method detach and restore.
#include <gtest/gtest.h>

#include "fake_system_calls.h"
#include "windows/system_hooks.h"

namespace {

const WindowHandle kWindow = reinterpret_cast<WindowHandle>(0x600D);

TEST(Autoplay, RegisteredOnThe9xPlatformOnly) {
  ResetFake().registeredMessage = 0xC1A5;
  SaverHostState host;
  host.is9xPlatform = true;
  RegisterAutoplayMessage(FakeCalls(), host);
  EXPECT_EQ(host.autoplayMessage, 0xC1A5u);
  EXPECT_EQ(Fake().joinedLog(), "register QueryCancelAutoPlay");

  ResetFake();
  SaverHostState elsewhere;
  RegisterAutoplayMessage(FakeCalls(), elsewhere);
  EXPECT_EQ(elsewhere.autoplayMessage, 0u);
  EXPECT_EQ(Fake().joinedLog(), "");
}

TEST(InputMethod, DetachedOnCreationAndGivenBackOnDestruction) {
  FakeSystem& fake = ResetFake();
  SaverHostState host;
  DetachInputMethod(FakeCalls(), host, kWindow);
  EXPECT_EQ(fake.windowContext, nullptr);
  EXPECT_EQ(host.savedInputContext, reinterpret_cast<InputContextHandle>(0x77));
  RestoreInputMethod(host, kWindow);
  EXPECT_EQ(fake.windowContext, reinterpret_cast<InputContextHandle>(0x77));
  EXPECT_EQ(fake.joinedLog(),
            "loaded? IMM32.DLL, find ImmAssociateContext, associate 24589 0, associate 24589 119");
}

struct InputMethodCase {
  const char* name;
  void (*arrange)(FakeSystem&);
  const char* calls;
};

class InputMethodAbsentTest : public testing::TestWithParam<InputMethodCase> {};

TEST_P(InputMethodAbsentTest, NothingIsLoadedAndNothingRestored) {
  const InputMethodCase& c = GetParam();
  c.arrange(ResetFake());
  SaverHostState host;
  DetachInputMethod(FakeCalls(), host, kWindow);
  RestoreInputMethod(host, kWindow);
  EXPECT_EQ(Fake().joinedLog(), c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Library, InputMethodAbsentTest,
    testing::Values(
        InputMethodCase{"NotLoaded", [](FakeSystem& f) { f.inputMethodLoaded = false; },
                        "loaded? IMM32.DLL"},
        InputMethodCase{"NoAssociate", [](FakeSystem& f) { f.associateExported = false; },
                        "loaded? IMM32.DLL, find ImmAssociateContext"},
        // The window had no context: detaching leaves nothing to give back.
        InputMethodCase{"NoContext", [](FakeSystem& f) { f.windowContext = nullptr; },
                        "loaded? IMM32.DLL, find ImmAssociateContext, associate 24589 0"}),
    [](const testing::TestParamInfo<InputMethodCase>& info) { return info.param.name; });

}  // namespace
