// Stored settings: whatever the store holds for each of the six values (absent, or data of any
// type and length), loading gives a valid record within its ranges, storing that record and
// loading it again gives it back, and storing any record, valid or not, puts only numbers
// within the limits in the store.
//
// Input: one byte whose low bit tells whether the store opens; then, per value, a byte whose low
// bit tells whether it is present and a length byte followed by that many data bytes (as many
// as remain). Whatever is left afterwards is read as a raw record to store.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "settings/settings_store.h"
#include "settings/stored_settings.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

struct Input {
  const std::uint8_t* data;
  std::size_t size;
  std::uint8_t byte() {
    if (size == 0) return 0;
    --size;
    return *data++;
  }
};

struct StoredValue {
  bool present;
  std::vector<std::uint8_t> data;
};

struct FakeStore {
  bool opens;
  StoredValue values[StoredSettingCount];
  std::uint32_t written[StoredSettingCount];
  int writes;
};

FakeStore* store;

int indexOf(const char* name) {
  for (int i = 0; i < StoredSettingCount; ++i) {
    if (std::strcmp(name, kStoredSettings[i].name) == 0) return i;
  }
  QW_FUZZ_CHECK(!"a value name outside the six");
  return 0;
}

bool openStore(void*) { return store->opens; }

// As the registry does: data that does not fit the caller's buffer is not copied.
bool readValue(void*, const char* name, unsigned char* data, std::uint32_t* size) {
  const StoredValue& value = store->values[indexOf(name)];
  if (!value.present) return false;
  const std::uint32_t length = static_cast<std::uint32_t>(value.data.size());
  if (length > *size) {
    *size = length;
    return false;
  }
  if (length) std::memcpy(data, value.data.data(), length);
  *size = length;
  return true;
}

void writeValue(void*, const char* name, std::uint32_t number) {
  store->written[indexOf(name)] = number;
  ++store->writes;
}

void closeStore(void*) {}

const SettingsStore kStore = {nullptr, openStore, readValue, openStore, writeValue, closeStore};

bool isWholePercent(float fraction) {
  if (!(fraction >= 0.0f && fraction <= 1.0f)) return false;
  return settingsFractionFromPercent(settingsPercentFromFraction(fraction)) == fraction;
}

void checkRecord(const Settings& s) {
  QW_FUZZ_CHECK(isWholePercent(s.quantity) && isWholePercent(s.size) && isWholePercent(s.speed));
  QW_FUZZ_CHECK(s.glow <= GlowMode::WiresOnly && s.color <= ColorScheme::Cycle && s.symmetry <= 1);
}

bool sameRecord(const Settings& a, const Settings& b) {
  return a.quantity == b.quantity && a.size == b.size && a.speed == b.speed && a.glow == b.glow &&
         a.color == b.color && a.symmetry == b.symmetry;
}

void checkStored(const std::uint32_t* numbers) {
  for (int i = 0; i < StoredSettingCount; ++i) {
    QW_FUZZ_CHECK(numbers[i] <= kStoredSettings[i].maximum);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input{data, size};
  FakeStore fake{};
  store = &fake;
  fake.opens = input.byte() & 1;
  for (StoredValue& value : fake.values) {
    value.present = input.byte() & 1;
    std::size_t length = input.byte();
    if (length > input.size) length = input.size;
    value.data.assign(input.data, input.data + length);
    input.data += length;
    input.size -= length;
    // The conversion itself, given the data at its own length, never reads beyond it.
    const StoredNumber number =
        settingsStoredNumberFromData(value.data.data(), static_cast<std::uint32_t>(length));
    QW_FUZZ_CHECK(number.present == (length <= kStoredSettingDataSize));
  }

  const Settings loaded = loadSettingsFromStore(kStore);
  checkRecord(loaded);
  if (!fake.opens) QW_FUZZ_CHECK(sameRecord(loaded, settingsDefaults()));

  // Saving what was loaded writes all six numbers within limits; loading them back gives the
  // same record.
  fake.opens = true;
  saveSettingsToStore(kStore, loaded);
  QW_FUZZ_CHECK(fake.writes == StoredSettingCount);
  checkStored(fake.written);
  for (int i = 0; i < StoredSettingCount; ++i) {
    fake.values[i].present = true;
    fake.values[i].data.assign(reinterpret_cast<const std::uint8_t*>(&fake.written[i]),
                               reinterpret_cast<const std::uint8_t*>(&fake.written[i]) + 4);
  }
  QW_FUZZ_CHECK(sameRecord(loaded, loadSettingsFromStore(kStore)));

  // Any record at all, NaN and infinite fractions included, stores only numbers within limits.
  Settings raw{};
  std::uint8_t bytes[15] = {};
  for (std::uint8_t& b : bytes) b = input.byte();
  std::memcpy(&raw.quantity, bytes, 4);
  std::memcpy(&raw.size, bytes + 4, 4);
  std::memcpy(&raw.speed, bytes + 8, 4);
  raw.glow = static_cast<GlowMode>(bytes[12]);
  raw.color = static_cast<ColorScheme>(bytes[13]);
  raw.symmetry = bytes[14];
  const StoredSettings stored = settingsToStored(raw);
  checkStored(stored.values);
  return 0;
}
