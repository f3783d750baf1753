#include "settings/settings_store.h"
#include "tests/support/settings_expect.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> littleEndian(std::uint32_t number) {
  return {static_cast<unsigned char>(number), static_cast<unsigned char>(number >> 8),
          static_cast<unsigned char>(number >> 16), static_cast<unsigned char>(number >> 24)};
}

// A store in memory that logs every call, so the tests see what was opened, read and written.
struct FakeStore {
  bool exists = false;
  bool canWrite = true;
  bool open = false;
  std::map<std::string, std::vector<unsigned char>> values;
  std::vector<std::string> calls;

  static FakeStore& of(void* context) { return *static_cast<FakeStore*>(context); }

  static bool openForReading(void* context) {
    FakeStore& store = of(context);
    store.calls.push_back("openForReading");
    store.open = store.exists;
    return store.open;
  }

  // Like the registry: the size must say how much room there is, data that does not fit is
  // refused, and bytes of the buffer past the data are left as they were.
  static bool readValue(void* context, const char* name, unsigned char* data, std::uint32_t* size) {
    FakeStore& store = of(context);
    store.calls.push_back(std::string("read ") + name);
    EXPECT_TRUE(store.open);
    EXPECT_EQ(4u, *size);
    const auto found = store.values.find(name);
    if (found == store.values.end()) return false;
    *size = static_cast<std::uint32_t>(found->second.size());
    if (found->second.size() > 4) return false;
    if (!found->second.empty()) std::memcpy(data, found->second.data(), found->second.size());
    return true;
  }

  static bool openForWriting(void* context) {
    FakeStore& store = of(context);
    store.calls.push_back("openForWriting");
    if (!store.canWrite) return false;
    store.exists = true;
    store.open = true;
    return true;
  }

  static void writeValue(void* context, const char* name, std::uint32_t number) {
    FakeStore& store = of(context);
    store.calls.push_back(std::string("write ") + name);
    EXPECT_TRUE(store.open);
    store.values[name] = littleEndian(number);
  }

  static void close(void* context) {
    FakeStore& store = of(context);
    store.calls.push_back("close");
    EXPECT_TRUE(store.open);
    store.open = false;
  }

  SettingsStore ops() {
    return SettingsStore{this, openForReading, readValue, openForWriting, writeValue, close};
  }

  std::uint32_t number(const char* name) const {
    const std::vector<unsigned char>& data = values.at(name);
    EXPECT_EQ(4u, data.size()) << name;
    return data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
  }
};

using Calls = std::vector<std::string>;

TEST(SettingsStore, AbsentKeyGivesTheDefaultsAndCreatesNothing) {
  FakeStore store;
  const Settings settings = loadSettingsFromStore(store.ops());
  expectSameSettings(settingsDefaults(), settings);
  EXPECT_FALSE(store.exists);
  EXPECT_EQ(Calls{"openForReading"}, store.calls);
}

TEST(SettingsStore, ReadsTheSixValuesInOrderThenClosesOnce) {
  FakeStore store;
  store.exists = true;
  store.values["Speed"] = littleEndian(80);
  Settings expected = settingsDefaults();
  expected.speed = 0.8f;
  expectSameSettings(expected, loadSettingsFromStore(store.ops()));
  EXPECT_EQ((Calls{"openForReading", "read Color", "read Glow", "read Quantity", "read Speed",
                   "read Size", "read Symmetry", "close"}),
            store.calls);
}

TEST(SettingsStore, ShortDataDoesNotPickUpBytesOfAnEarlierValue) {
  FakeStore store;
  store.exists = true;
  store.values["Color"] = {0xFF, 0xFF, 0xFF, 0xFF};  // out of range: default 6
  store.values["Glow"] = {0x01};                     // one byte: 1, not 0xFFFFFF01
  store.values["Quantity"] = {};                     // no data: 0
  store.values["Speed"] = {0x19, 0x00};              // 25
  store.values["Size"] = {1, 0, 0, 0, 0, 0, 0, 0};   // eight bytes: default 50
  store.values["Symmetry"] = {0x01, 0x00, 0x00};     // 1
  const Settings settings = loadSettingsFromStore(store.ops());
  EXPECT_EQ(ColorScheme::Cycle, settings.color);
  EXPECT_EQ(GlowMode::LowQuality, settings.glow);
  EXPECT_EQ(0.0f, settings.quantity);
  EXPECT_EQ(0.25f, settings.speed);
  EXPECT_EQ(0.5f, settings.size);
  EXPECT_EQ(1, settings.symmetry);
}

TEST(SettingsStore, SavingCreatesTheKeyAndWritesExactlySixValuesInOrder) {
  FakeStore store;
  Settings settings{};
  settings.quantity = 0.29f;
  settings.size = 1.0f;
  settings.speed = 0.0f;
  settings.glow = GlowMode::None;
  settings.color = ColorScheme::Amethyst;
  settings.symmetry = 1;
  saveSettingsToStore(store.ops(), settings);
  EXPECT_TRUE(store.exists);
  EXPECT_EQ((Calls{"openForWriting", "write Color", "write Glow", "write Quantity", "write Speed",
                   "write Size", "write Symmetry", "close"}),
            store.calls);
  EXPECT_EQ(6u, store.values.size());
  EXPECT_EQ(3u, store.number("Color"));
  EXPECT_EQ(0u, store.number("Glow"));
  EXPECT_EQ(29u, store.number("Quantity"));
  EXPECT_EQ(0u, store.number("Speed"));
  EXPECT_EQ(100u, store.number("Size"));
  EXPECT_EQ(1u, store.number("Symmetry"));
}

TEST(SettingsStore, KeyThatCannotBeOpenedForWritingKeepsItsValues) {
  FakeStore store;
  store.exists = true;
  store.canWrite = false;
  store.values["Quantity"] = littleEndian(12);
  saveSettingsToStore(store.ops(),
                      Settings{1.0f, 1.0f, 1.0f, GlowMode::None, ColorScheme::Emerald, 1});
  EXPECT_EQ(Calls{"openForWriting"}, store.calls);
  EXPECT_EQ(1u, store.values.size());
  EXPECT_EQ(12u, store.number("Quantity"));
}

}  // namespace
