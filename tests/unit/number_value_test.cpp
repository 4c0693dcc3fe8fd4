#include <gtest/gtest.h>

#include <string>

#include "core/number_value.h"

namespace quorvenda {
namespace {

struct NumberCase {
    std::string text;
    int expected;
};

class NumberValueTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberValueTest, FollowsTheAtoiRule) {
    EXPECT_EQ(numberValue(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Lines, NumberValueTest,
                         ::testing::Values(NumberCase{"12", 12}, NumberCase{" 12", 12}, NumberCase{"12 ", 12},
                                           NumberCase{"+12", 12}, NumberCase{"012", 12}, NumberCase{"12月", 12},
                                           NumberCase{"-3", -3}, NumberCase{"", 0}, NumberCase{"abc", 0},
                                           NumberCase{"１２", 0}, NumberCase{"  ", 0},
                                           // white space of the C locale, but not the full-width space
                                           NumberCase{"\t\v\f\r\n7", 7}, NumberCase{"　7", 0},
                                           // one sign only, and nothing between sign and digits
                                           NumberCase{"+-1", 0}, NumberCase{"- 1", 0}, NumberCase{"--1", 0},
                                           NumberCase{"1.5", 1}, NumberCase{"-0", 0},
                                           NumberCase{std::string("4\0"
                                                                  "2",
                                                                  3),
                                                      4},
                                           // a byte-order mark is not white space
                                           NumberCase{"\xEF\xBB\xBF"
                                                      "255",
                                                      0}));

INSTANTIATE_TEST_SUITE_P(WrapsModulo2To32, NumberValueTest,
                         ::testing::Values(NumberCase{"2147483647", 2147483647},
                                           NumberCase{"2147483648", -2147483647 - 1},
                                           NumberCase{"-2147483648", -2147483647 - 1},
                                           NumberCase{"-2147483649", 2147483647}, NumberCase{"4294967296", 0},
                                           NumberCase{"4294967297", 1}, NumberCase{"99999999999999999999", 1661992959},
                                           // 10^10000 - 1 is -1 modulo 2^32
                                           NumberCase{std::string(10000, '9'), -1}));

}  // namespace
}  // namespace quorvenda
