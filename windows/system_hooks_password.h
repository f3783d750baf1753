// The 9x platform's screen-saver password: the system's running state, the password verifier
// that decides whether a full-screen saver may close, and the password-change mode. Off the 9x
// platform the running state is left alone and no verifier is ever loaded.
#pragma once

#include <cstdint>

#include "windows/saver_host_state.h"
#include "windows/system_hook_calls.h"

// A close request less than this many milliseconds after the end of a verification is refused
// without asking again.
constexpr std::uint32_t kVerifyRefusalMs = 200;

// 9x platform only: tells the system whether a saver with a password runs.
void SetSaverRunning(const SystemHookCalls& calls, const SaverHostState& host, bool running);

// 9x platform only: loads "PASSWORD.CPL" and its "VerifyScreenSavePwd" when the user's desktop
// settings ask for a password, and then tells the system that a saver runs. A verifier loaded
// before is released first.
void LoadPasswordVerifier(const SystemHookCalls& calls, SaverHostState& host);

// 9x platform only: releases the password library, if loaded; when its verifier had been found,
// the system is told that the saver no longer runs.
void UnloadPasswordVerifier(const SystemHookCalls& calls, SaverHostState& host);

// True when now falls within the refusal time after the verification that ended at
// lastVerifyTick (tick counts wrap; kNeverVerified means none has ended).
bool VerifyIsTooSoon(std::uint32_t lastVerifyTick, std::uint32_t now);

// The lastVerifyTick to record for a verification that ended at now. A verification ending at
// the one tick that means "never" is recorded one millisecond earlier, so that its refusal
// time still applies.
std::uint32_t VerificationEndTick(std::uint32_t now);

// A close request of a full-screen saver on the 9x platform: true when the saver may close.
// Refused while a verification runs or the saver already closes, and within the refusal time
// after the last verification; with no verifier the saver may close at once. Otherwise the
// verify request is sent to the window, whose answer decides.
bool VerifySaverPassword(const SystemHookCalls& calls, SaverHostState& host, WindowHandle window);

// The password-change mode: hands the owner window to the system's password-change dialog for
// screen savers, when the password-change library provides one.
void ChangeSaverPassword(const SystemHookCalls& calls, WindowHandle owner);
