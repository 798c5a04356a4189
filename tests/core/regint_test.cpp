#include "core/regint.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace {

using core::ParseRegInt;

struct IntCase {
  std::string text;
  std::optional<std::int32_t> want;
};

class RegIntTable : public testing::TestWithParam<IntCase> {};

TEST_P(RegIntTable, ParsesOrRejects) {
  const IntCase& c = GetParam();
  EXPECT_EQ(ParseRegInt(c.text), c.want) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Forms, RegIntTable,
    testing::Values(
        // decimal, sign and the 32-bit bounds
        IntCase{"7", 7}, IntCase{"007", 7}, IntCase{"+5", 5}, IntCase{"-3", -3},
        IntCase{"2147483647", 2147483647}, IntCase{"-2147483648", INT32_MIN},
        IntCase{"2147483648", std::nullopt}, IntCase{"-2147483649", std::nullopt},
        IntCase{"99999999999999999999999", std::nullopt},
        // "0x" needs more than two characters and hex digits after it
        IntCase{"0x3", 3}, IntCase{"0X1f", 31}, IntCase{"0x", std::nullopt}, IntCase{"0X", std::nullopt},
        IntCase{"0xg", std::nullopt}, IntCase{"0x-1", std::nullopt}, IntCase{"0x$1", std::nullopt},
        IntCase{"0xFFFFFFFF", -1}, IntCase{"0x000000000010", 16}, IntCase{"0x100000000", std::nullopt},
        // "$" hex
        IntCase{"$10", 16}, IntCase{"$", std::nullopt}, IntCase{"$80000000", INT32_MIN},
        IntCase{"-$1", std::nullopt}, IntCase{"$-1", std::nullopt},
        // blanks: leading skipped, trailing and inner rejected
        IntCase{"  12", 12}, IntCase{"\t0x10", 16}, IntCase{"12 ", std::nullopt}, IntCase{"1 2", std::nullopt},
        IntCase{"- 1", std::nullopt},
        // no integer at all
        IntCase{"", std::nullopt}, IntCase{"   ", std::nullopt}, IntCase{"abc", std::nullopt},
        IntCase{"-", std::nullopt}, IntCase{"+", std::nullopt}, IntCase{"1.5", std::nullopt},
        IntCase{"1e3", std::nullopt}, IntCase{std::string("1\0" "2", 3), std::nullopt},
        IntCase{std::string("\0", 1), std::nullopt}, IntCase{"\xB2", std::nullopt}));

TEST(RegIntDefault, BadOrMissingTextGivesCallersDefault) {
  EXPECT_EQ(core::RegIntFromText("abc", 42), 42);
  EXPECT_EQ(core::RegIntFromText("0", 42), 0);
  EXPECT_EQ(core::RegIntFromValue(std::nullopt, -5), -5);
  EXPECT_EQ(core::RegIntFromValue(std::string("0x3"), 0), 3);
  EXPECT_EQ(core::RegIntFromValue(std::string(""), 9), 9);
}

}  // namespace
