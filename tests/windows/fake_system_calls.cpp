#include "fake_system_calls.h"

#include <cstring>

const ModuleHandle kPasswordModule = reinterpret_cast<ModuleHandle>(0x1000);
const ModuleHandle kChangeModule = reinterpret_cast<ModuleHandle>(0x2000);
const ModuleHandle kInputMethodModule = reinterpret_cast<ModuleHandle>(0x3000);

namespace {

const RegistryKey kDesktopKey = reinterpret_cast<RegistryKey>(0x4000);

FakeSystem fake;

std::string handleText(const void* handle) {
  return std::to_string(reinterpret_cast<std::uintptr_t>(handle));
}

int QW_SYSTEM_CALL fakeVerify(WindowHandle) { return 1; }

std::uint32_t QW_SYSTEM_CALL fakeChangePassword(const char* provider, WindowHandle owner,
                                                std::uint32_t reserved1, std::uint32_t reserved2) {
  fake.log.push_back("change");
  fake.changeProvider = provider;
  fake.changeOwner = owner;
  fake.changeReserved1 = reserved1;
  fake.changeReserved2 = reserved2;
  return 0;
}

InputContextHandle QW_SYSTEM_CALL fakeAssociate(WindowHandle window, InputContextHandle context) {
  fake.log.push_back("associate " + handleText(window) + " " + handleText(context));
  const InputContextHandle previous = fake.windowContext;
  fake.windowContext = context;
  return previous;
}

bool openDesktopKey(RegistryKey* key) {
  fake.log.push_back("open");
  if (!fake.keyOpens) return false;
  *key = kDesktopKey;
  return true;
}

bool readKeyNumber(RegistryKey key, const char* name, std::uint32_t* value) {
  fake.log.push_back(std::string("read ") + name + (key == kDesktopKey ? "" : " (wrong key)"));
  if (!fake.valueReads) return false;
  *value = fake.usePassword;
  return true;
}

void closeKey(RegistryKey key) { fake.log.push_back(key == kDesktopKey ? "close" : "close ?"); }

ModuleHandle loadLibrary(const char* name) {
  fake.log.push_back(std::string("load ") + name);
  if (!std::strcmp(name, "PASSWORD.CPL") && fake.passwordLibraryPresent) return kPasswordModule;
  if (!std::strcmp(name, "MPR.DLL") && fake.changeLibraryPresent) return kChangeModule;
  return nullptr;
}

ModuleHandle findLoadedLibrary(const char* name) {
  fake.log.push_back(std::string("loaded? ") + name);
  if (!std::strcmp(name, "IMM32.DLL") && fake.inputMethodLoaded) return kInputMethodModule;
  return nullptr;
}

void* findFunction(ModuleHandle library, const char* name) {
  fake.log.push_back(std::string("find ") + name);
  if (library == kPasswordModule && !std::strcmp(name, "VerifyScreenSavePwd") &&
      fake.verifierExported) {
    return reinterpret_cast<void*>(&fakeVerify);
  }
  if (library == kChangeModule && !std::strcmp(name, "PwdChangePasswordA") &&
      fake.changeFunctionExported) {
    return reinterpret_cast<void*>(&fakeChangePassword);
  }
  if (library == kInputMethodModule && !std::strcmp(name, "ImmAssociateContext") &&
      fake.associateExported) {
    return reinterpret_cast<void*>(&fakeAssociate);
  }
  return nullptr;
}

void freeLibrary(ModuleHandle library) {
  fake.log.push_back(library == kPasswordModule ? "free PASSWORD.CPL"
                     : library == kChangeModule ? "free MPR.DLL"
                                                : "free ?");
}

void setScreenSaverRunning(bool running) {
  fake.log.push_back(running ? "running 1" : "running 0");
}

std::uint32_t tickCount() {
  const std::uint32_t tick = fake.ticks[fake.nextTick];
  if (fake.nextTick + 1 < fake.ticks.size()) ++fake.nextTick;
  fake.log.push_back("tick");
  return tick;
}

void removeTimerMessage(WindowHandle) { fake.log.push_back("drop timer"); }

std::intptr_t sendVerifyRequest(WindowHandle) {
  fake.log.push_back("send");
  if (fake.onVerifyRequest) fake.onVerifyRequest();
  return fake.verifyAnswer;
}

void hideCursor() { fake.log.push_back("hide cursor"); }

std::uint32_t registerMessage(const char* name) {
  fake.log.push_back(std::string("register ") + name);
  return fake.registeredMessage;
}

std::uint8_t readACLineStatus() {
  fake.log.push_back("line status");
  return fake.lineStatus;
}

const SystemHookCalls kFakeCalls = {
    openDesktopKey,    readKeyNumber,      closeKey,          loadLibrary,
    findLoadedLibrary, findFunction,       freeLibrary,       setScreenSaverRunning,
    tickCount,         removeTimerMessage, sendVerifyRequest, hideCursor,
    registerMessage,   readACLineStatus,
};

}  // namespace

std::string FakeSystem::joinedLog() const {
  std::string text;
  for (const std::string& entry : log) {
    if (!text.empty()) text += ", ";
    text += entry;
  }
  return text;
}

FakeSystem& Fake() { return fake; }

FakeSystem& ResetFake() {
  fake = FakeSystem();
  return fake;
}

const SystemHookCalls& FakeCalls() { return kFakeCalls; }
