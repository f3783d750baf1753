// Loading and releasing the password verifier, the system's running state, and the
// password-change mode, judged by the calls they make in order.
#include <gtest/gtest.h>

#include "fake_system_calls.h"
#include "windows/system_hooks_password.h"

namespace {

SaverHostState on9x() {
  SaverHostState host;
  host.is9xPlatform = true;
  return host;
}

struct LoadCase {
  const char* name;
  void (*arrange)(FakeSystem&);
  bool loaded;
  const char* calls;
};

class LoadVerifierTest : public testing::TestWithParam<LoadCase> {};

TEST_P(LoadVerifierTest, LoadsOnlyAFoundVerifierAndMarksTheSaverRunningWithIt) {
  const LoadCase& c = GetParam();
  c.arrange(ResetFake());
  SaverHostState host = on9x();
  LoadPasswordVerifier(FakeCalls(), host);
  EXPECT_EQ(Fake().joinedLog(), c.calls);
  EXPECT_EQ(VerifierLoaded(host), c.loaded);
  EXPECT_EQ(host.passwordLibrary, c.loaded ? kPasswordModule : nullptr);
}

const char kRead[] = "open, read ScreenSaveUsePassword, close";

INSTANTIATE_TEST_SUITE_P(
    DesktopSettingsAndLibrary, LoadVerifierTest,
    testing::Values(
        LoadCase{"Required", [](FakeSystem&) {}, true,
                 "open, read ScreenSaveUsePassword, close, load PASSWORD.CPL, "
                 "find VerifyScreenSavePwd, running 1"},
        LoadCase{"AnyNonZeroValue", [](FakeSystem& f) { f.usePassword = 0x100; }, true,
                 "open, read ScreenSaveUsePassword, close, load PASSWORD.CPL, "
                 "find VerifyScreenSavePwd, running 1"},
        LoadCase{"NoDesktopKey", [](FakeSystem& f) { f.keyOpens = false; }, false, "open"},
        LoadCase{"NoValue", [](FakeSystem& f) { f.valueReads = false; }, false, kRead},
        LoadCase{"ValueZero", [](FakeSystem& f) { f.usePassword = 0; }, false, kRead},
        LoadCase{"NoLibrary", [](FakeSystem& f) { f.passwordLibraryPresent = false; }, false,
                 "open, read ScreenSaveUsePassword, close, load PASSWORD.CPL"},
        LoadCase{"LibraryWithoutVerifier", [](FakeSystem& f) { f.verifierExported = false; }, false,
                 "open, read ScreenSaveUsePassword, close, load PASSWORD.CPL, "
                 "find VerifyScreenSavePwd, free PASSWORD.CPL"}),
    [](const testing::TestParamInfo<LoadCase>& info) { return info.param.name; });

TEST(LoadVerifier, OffThe9xPlatformNothingIsAskedOrLoaded) {
  ResetFake();
  SaverHostState host;
  LoadPasswordVerifier(FakeCalls(), host);
  UnloadPasswordVerifier(FakeCalls(), host);
  SetSaverRunning(FakeCalls(), host, true);
  SetSaverRunning(FakeCalls(), host, false);
  EXPECT_EQ(Fake().joinedLog(), "");
  EXPECT_FALSE(VerifierLoaded(host));
}

TEST(LoadVerifier, ALoadedVerifierIsReleasedBeforeLoadingAgain) {
  ResetFake();
  SaverHostState host = on9x();
  LoadPasswordVerifier(FakeCalls(), host);
  Fake().log.clear();
  Fake().usePassword = 0;  // the user has turned the password off meanwhile
  LoadPasswordVerifier(FakeCalls(), host);
  EXPECT_EQ(Fake().joinedLog(), std::string("free PASSWORD.CPL, running 0, ") + kRead);
  EXPECT_FALSE(VerifierLoaded(host));
  EXPECT_EQ(host.passwordLibrary, nullptr);
}

TEST(UnloadVerifier, ReleasesTheLibraryAndTheRunningStateOnce) {
  ResetFake();
  SaverHostState host = on9x();
  LoadPasswordVerifier(FakeCalls(), host);
  Fake().log.clear();
  UnloadPasswordVerifier(FakeCalls(), host);
  UnloadPasswordVerifier(FakeCalls(), host);  // after the loop, with nothing left to release
  EXPECT_EQ(Fake().joinedLog(), "free PASSWORD.CPL, running 0");
  EXPECT_FALSE(VerifierLoaded(host));
  EXPECT_EQ(host.passwordLibrary, nullptr);
}

struct ChangeCase {
  const char* name;
  void (*arrange)(FakeSystem&);
  const char* calls;
};

class ChangePasswordTest : public testing::TestWithParam<ChangeCase> {};

TEST_P(ChangePasswordTest, CallsTheEntryWhenPresentAndAlwaysReleasesTheLibrary) {
  const ChangeCase& c = GetParam();
  c.arrange(ResetFake());
  const WindowHandle owner = reinterpret_cast<WindowHandle>(0x5150);
  ChangeSaverPassword(FakeCalls(), owner);
  EXPECT_EQ(Fake().joinedLog(), c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Library, ChangePasswordTest,
    testing::Values(ChangeCase{"Present", [](FakeSystem&) {},
                               "load MPR.DLL, find PwdChangePasswordA, change, free MPR.DLL"},
                    ChangeCase{"NoEntry", [](FakeSystem& f) { f.changeFunctionExported = false; },
                               "load MPR.DLL, find PwdChangePasswordA, free MPR.DLL"},
                    ChangeCase{"NoLibrary", [](FakeSystem& f) { f.changeLibraryPresent = false; },
                               "load MPR.DLL"}),
    [](const testing::TestParamInfo<ChangeCase>& info) { return info.param.name; });

TEST(ChangePassword, TheEntryGetsTheSaverProviderAndTheOwner) {
  ResetFake();
  const WindowHandle owner = reinterpret_cast<WindowHandle>(0x5150);
  ChangeSaverPassword(FakeCalls(), owner);
  EXPECT_EQ(Fake().changeProvider, "SCRSAVE");
  EXPECT_EQ(Fake().changeOwner, owner);
  EXPECT_EQ(Fake().changeReserved1, 0u);
  EXPECT_EQ(Fake().changeReserved2, 0u);
}

}  // namespace
