// The page's address: what a query gives the page, the query the page writes, and which settings
// the page starts with.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "web/page_address.h"

namespace {

PageAddress Read(const char* query) { return readPageAddress(query, std::strlen(query)); }

std::string Numbers(const PageAddress& address) {
  std::string text;
  for (const StoredNumber& value : address.reading.values) {
    text += value.present ? std::to_string(value.number) + " " : "- ";
  }
  return text;
}

}  // namespace

TEST(PageAddress, ReadsSettingsSeedAndStillAndLeavesTheRest) {
  // Stored order: color glow wires speed length symmetry.
  EXPECT_EQ("4 1 30 70 20 1 ",
            Numbers(Read("color=RuBy&glow=1&wires=30&speed=70&length=20&symmetry=1")));
  // Bad and out-of-range values take their defaults; a later pair wins; others are left alone.
  const std::string bad = "color=purple&glow=9&wires=-1&speed=x&length=" + std::string(40, '1') +
                          "&symmetry=2&utm=1&wires&=3";
  EXPECT_EQ("6 2 50 50 50 0 ", Numbers(Read(bad.c_str())));
  EXPECT_EQ("- - 9 - - - ", Numbers(Read("wires=3&wires=9&seed=4")));
  EXPECT_FALSE(Read("utm=1&wires").namesSettings);

  const PageAddress fixed = Read("seed=4294967295&still=60000");
  EXPECT_TRUE(fixed.seedGiven && fixed.stillGiven);
  EXPECT_EQ(4294967295u, fixed.seed);
  EXPECT_EQ(60000u, fixed.stillMs);
  EXPECT_FALSE(Read("seed=4294967296&still=60001").seedGiven);
  EXPECT_FALSE(Read("seed=1&still=60001").stillGiven);
  EXPECT_FALSE(Read("seed=+1&still=1e3").seedGiven || Read("still=1e3").stillGiven);
}

TEST(PageAddress, WritesWhatItReadsAndStartsFromTheAddressThenTheMemory) {
  const PageAddress fixed = Read("seed=3&still=10");
  const StoredSettings stored{{2, 3, 0, 100, 7, 1}};
  const std::string query = pageAddressQuery(stored, fixed);
  EXPECT_EQ("color=amber&glow=3&wires=0&speed=100&length=7&symmetry=1&seed=3&still=10", query);
  const PageAddress again = Read(query.c_str());
  const Settings settings = pageStartSettings(again, Read(""));
  const StoredSettings back = settingsToStored(settings);
  EXPECT_EQ(0, std::memcmp(&stored, &back, sizeof stored));
  EXPECT_EQ(query, pageAddressQuery(settingsToStored(settings), again));

  const PageAddress remembered = Read("color=lapis");
  EXPECT_EQ(ColorScheme::Lapis, pageStartSettings(Read("seed=1"), remembered).color);
  EXPECT_EQ(ColorScheme::Cycle, pageStartSettings(Read("wires=1"), remembered).color);
  EXPECT_EQ(GlowMode::HighQuality, pageStartSettings(Read(""), Read("")).glow);
}
