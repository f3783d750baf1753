#include "tools/trace_options.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

bool parse(const std::vector<std::string>& words, TraceOptions& options) {
  std::vector<const char*> argv;
  for (const std::string& w : words) argv.push_back(w.c_str());
  return traceParseOptions(static_cast<int>(argv.size()), argv.data(), options);
}

TEST(TraceOptions, DefaultsAndFullCommandLine) {
  TraceOptions o;
  ASSERT_TRUE(parse({"--seed", "4294967295", "--frames", "0", "--step-us", "16000"}, o));
  EXPECT_EQ(4294967295u, o.seed);
  EXPECT_EQ(0u, o.frames);
  EXPECT_EQ((std::vector<std::uint32_t>{16000}), o.stepsUs);
  EXPECT_EQ(50u, o.quantityPercent);
  EXPECT_EQ(2u, o.glow);
  EXPECT_EQ(6u, o.color);
  EXPECT_EQ(0u, o.symmetry);
  EXPECT_EQ(1024, o.width);
  EXPECT_EQ(768, o.height);

  ASSERT_TRUE(parse(
      {"--width",    "0",       "--step-us", "1000,60000000,5", "--quantity", "100",     "--size",
       "35",         "--speed", "0",         "--glow",          "3",          "--color", "0",
       "--symmetry", "1",       "--height",  "2147483647",      "--frames",   "7",       "--seed",
       "1",          "--seed",  "9"},
      o));
  EXPECT_EQ(9u, o.seed);  // the last one counts
  EXPECT_EQ((std::vector<std::uint32_t>{1000, 60000000, 5}), o.stepsUs);
  EXPECT_EQ(0, o.width);
  EXPECT_EQ(2147483647, o.height);
  const Settings s = traceSettings(o);
  EXPECT_EQ(1.0f, s.quantity);
  EXPECT_EQ(0.35f, s.size);
  EXPECT_EQ(0.0f, s.speed);
  EXPECT_EQ(GlowMode::WiresOnly, s.glow);
  EXPECT_EQ(ColorScheme::Emerald, s.color);
  EXPECT_EQ(1, s.symmetry);
}

TEST(TraceOptions, BadCommandLinesAreRefused) {
  const std::vector<std::string> base = {"--seed", "1", "--frames", "2", "--step-us", "16000"};
  const std::vector<std::vector<std::string>> extras = {{"--quantity", "101"},
                                                        {"--size", "-1"},
                                                        {"--speed", "5x"},
                                                        {"--glow", "4"},
                                                        {"--color", "7"},
                                                        {"--symmetry", "2"},
                                                        {"--width", "-1"},
                                                        {"--height", "2147483648"},
                                                        {"--seed", "4294967296"},
                                                        {"--frames", ""},
                                                        {"--step-us", "1,,2"},
                                                        {"--step-us", "1,"},
                                                        {"--step-us", ",1"},
                                                        {"--step-us", "+5"},
                                                        {"--step-us", "99999999999"},
                                                        {"--bogus", "1"},
                                                        {"--quantity"},
                                                        {"--seed=1"},
                                                        {"-s", "1"}};
  TraceOptions o;
  ASSERT_TRUE(parse(base, o));
  for (const auto& extra : extras) {
    std::vector<std::string> words = base;
    words.insert(words.end(), extra.begin(), extra.end());
    EXPECT_FALSE(parse(words, o)) << extra[0];
  }
  EXPECT_FALSE(parse({"--frames", "2", "--step-us", "16000"}, o));  // no seed
  EXPECT_FALSE(parse({"--seed", "1", "--step-us", "16000"}, o));    // no frames
  EXPECT_FALSE(parse({"--seed", "1", "--frames", "2"}, o));         // no steps
  EXPECT_FALSE(parse({}, o));
}

}  // namespace
