// The host's cooperation with system services around the saver window: the screen-saver
// password and running state, the input method, the autoplay query and the mains power state.
// The password, running-state and autoplay hooks belong to the 9x platform; the input-method
// and power hooks work everywhere. The decisions are in the portable hook units; these carry
// them out with the system's calls on the process's host state.
#pragma once

#include <windows.h>

#include "windows/saver_host_state.h"

// Tells the system whether a saver with a password runs (9x platform only).
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

// (The restore on window destruction needs no system call: RestoreInputMethod of the portable
// hooks.)

// Both kinds of window: registers the autoplay query message the saver answers.
void RegisterAutoplayMessage(SaverHostState& host);

// Full screen only: records the mains power state before the window opens.
void RecordACLineStatus(SaverHostState& host);

// A power-status event: records the mains power state; true when it changed.
bool ACLineStatusChanged(SaverHostState& host);
