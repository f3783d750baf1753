// A stand-in for the system behind the hooks: it answers as configured and logs every call,
// in order, as short text ("load PASSWORD.CPL", "running 1", "send", ...).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "windows/saver_host_state.h"
#include "windows/system_hook_calls.h"

struct FakeSystem {
  // Registry "Control Panel\Desktop".
  bool keyOpens = true;
  bool valueReads = true;
  std::uint32_t usePassword = 1;
  // Libraries present, by name, and whether they export the function the hooks look for.
  bool passwordLibraryPresent = true;
  bool verifierExported = true;
  bool changeLibraryPresent = true;
  bool changeFunctionExported = true;
  bool inputMethodLoaded = true;
  bool associateExported = true;
  InputContextHandle windowContext = reinterpret_cast<InputContextHandle>(0x77);
  // Tick counts handed out one per call; the last one repeats.
  std::vector<std::uint32_t> ticks = {1000};
  std::size_t nextTick = 0;
  // The window's answer to the verify request; onVerifyRequest runs first when set.
  std::intptr_t verifyAnswer = 0;
  void (*onVerifyRequest)() = nullptr;
  std::uint32_t registeredMessage = 0xC0DE;
  std::uint8_t lineStatus = 1;

  std::vector<std::string> log;
  // What the password-change entry was given.
  std::string changeProvider;
  WindowHandle changeOwner = nullptr;
  std::uint32_t changeReserved1 = 99;
  std::uint32_t changeReserved2 = 99;

  std::string joinedLog() const;
};

// The one fake, reset by each test through ResetFake().
FakeSystem& Fake();
FakeSystem& ResetFake();

// The hooks' calls, all answered by Fake().
const SystemHookCalls& FakeCalls();

// Module handles the fake hands out.
extern const ModuleHandle kPasswordModule;
extern const ModuleHandle kChangeModule;
extern const ModuleHandle kInputMethodModule;
