// The host's cooperation with system services around the saver window: the screen-saver
// password and running state, the input method, the autoplay query and the mains power state.
// The password, running-state and autoplay hooks belong to the 9x platform; the input-method
// and power hooks work everywhere.
#pragma once

#include <windows.h>

#include <cstdint>

#include "host/saver_host_state.h"

// Tells the system whether a saver with a password runs.
void SetSaverRunning(bool running);

// Before a full-screen window exists: loads the password verifier when a password is required.
void LoadPasswordVerifier();

// After the message loop: releases the password verifier, if one was loaded.
void UnloadPasswordVerifier();

// Asked on each close request of a full-screen saver on the 9x platform; true lets it close.
bool VerifySaverPassword(HWND window);

// The password-change mode.
void ChangeSaverPassword(HWND owner);

// On window creation: detaches the window from the input method, if one is loaded.
void DetachInputMethod(SaverHostState& host, HWND window);

// On window destruction: gives the window back the input-method context it had.
void RestoreInputMethod(SaverHostState& host, HWND window);

// Both kinds of window: registers the autoplay query message the saver answers.
void RegisterAutoplayMessage(SaverHostState& host);

// The mains power state now: 0 offline, 1 online, 255 unknown or unreadable.
std::uint8_t ReadACLineStatus();

// Full screen only: records the mains power state before the window opens.
void RecordACLineStatus(SaverHostState& host);
