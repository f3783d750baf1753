// The page's address: what a query gives the page, the query it writes, where it starts from.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "web/page_address.h"

namespace {

PageAddress Read(const std::string& query) { return readPageAddress(query.data(), query.size()); }

// The six numbers read, in stored order (color glow wires speed length symmetry); "-": absent.
std::string Numbers(const PageAddress& address) {
  std::string text;
  for (const StoredNumber& value : address.reading.values) {
    text += value.present ? std::to_string(value.number) + " " : "- ";
  }
  return text;
}

}  // namespace

TEST(PageAddress, ReadsWritesAndChoosesWhereThePageStarts) {
  // Names in any case; bad, overlong and out-of-range values take their defaults; a later pair
  // wins; pairs without a name or '=' and others' pairs are left alone.
  EXPECT_EQ("4 1 30 70 20 1 ", Numbers(Read("color=RuBy&glow=1&wires=30&speed=70&length=20&"
                                            "symmetry=1&utm=1&wires&=3")));
  EXPECT_EQ("6 2 50 50 50 0 ", Numbers(Read("color=purple&glow=9&wires=-1&speed=x&length=" +
                                            std::string(40, '1') + "&symmetry=2")));
  EXPECT_EQ("- - 9 - - - ", Numbers(Read("wires=3&wires=9&seed=4")));
  // The longest value read is 32 characters; one more gives the default.
  EXPECT_EQ("- - 30 50 - - ", Numbers(Read("wires=" + std::string(30, '0') +
                                           "30&speed=" + std::string(31, '0') + "40")));
  EXPECT_FALSE(Read("utm=1&wires&seed=1").namesSettings);

  // A seed is any 32-bit number, a still at most a minute; others are not given.
  const PageAddress fixed = Read("seed=4294967295&still=60000");
  EXPECT_TRUE(fixed.seedGiven && fixed.stillGiven && fixed.seed == 4294967295u &&
              fixed.stillMs == 60000u);
  const PageAddress bad = Read("seed=4294967296&still=60001&seed=+1");
  EXPECT_FALSE(bad.seedGiven || bad.stillGiven || Read("still=1e3").stillGiven);
  // A number beyond 32 bits is not given, never wrapped into range.
  EXPECT_FALSE(Read("seed=1&seed=4294967296").seedGiven || Read("still=4294967297").stillGiven ||
               Read("still=18446744073709551617").stillGiven);

  const StoredSettings stored{{2, 3, 0, 100, 7, 1}};
  // Others' pairs follow the page's, as given and in their order.
  const std::string query =
      pageAddressQuery(stored, Read("utm_source=mail&seed=3&still=10&&wires&color=1&x=%41"));
  EXPECT_EQ(
      "color=amber&glow=3&wires=0&speed=100&length=7&symmetry=1&seed=3&still=10&"
      "utm_source=mail&wires&x=%41",
      query);
  const StoredSettings back = settingsToStored(pageStartSettings(Read(query), Read("")));
  EXPECT_EQ(0, std::memcmp(&stored, &back, sizeof stored));

  // The address's settings, else the remembered ones, else the defaults.
  const PageAddress remembered = Read("color=lapis");
  EXPECT_EQ(ColorScheme::Lapis, pageStartSettings(Read("seed=1"), remembered).color);
  EXPECT_EQ(ColorScheme::Cycle, pageStartSettings(Read("wires=1"), remembered).color);
  EXPECT_EQ(GlowMode::HighQuality, pageStartSettings(Read(""), Read("")).glow);
}
