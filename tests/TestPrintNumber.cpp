#include "window/controls/PrintNumber.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace zentavo {
namespace {

constexpr int32_t Max = std::numeric_limits<int32_t>::max();
constexpr int32_t Min = std::numeric_limits<int32_t>::min();

TEST(ParsePrintNumber, DecimalRangeEndsAndOneBeyond)
{
    EXPECT_EQ(ParsePrintNumber("2147483647"), Max);
    EXPECT_EQ(ParsePrintNumber("-2147483648"), Min);
    EXPECT_EQ(ParsePrintNumber("2147483648"), std::nullopt);
    EXPECT_EQ(ParsePrintNumber("-2147483649"), std::nullopt);
    EXPECT_EQ(ParsePrintNumber("99999999999999999999"), std::nullopt);
    EXPECT_EQ(ParsePrintNumber("00000000000000000007"), 7);
}

TEST(ParsePrintNumber, SignsApplyToDecimalOnly)
{
    EXPECT_EQ(ParsePrintNumber("-3"), -3);
    EXPECT_EQ(ParsePrintNumber("+12"), 12);
    EXPECT_EQ(ParsePrintNumber("-0"), 0);
    EXPECT_EQ(ParsePrintNumber("-"), std::nullopt);
    EXPECT_EQ(ParsePrintNumber("+-1"), std::nullopt);
    EXPECT_EQ(ParsePrintNumber("-$10"), std::nullopt);
    EXPECT_EQ(ParsePrintNumber("+0x10"), std::nullopt);
    EXPECT_EQ(ParsePrintNumber("$-10"), std::nullopt);
}

TEST(ParsePrintNumber, HexPrefixesAndThirtyTwoBitPatterns)
{
    EXPECT_EQ(ParsePrintNumber("$10"), 16);
    EXPECT_EQ(ParsePrintNumber("x1f"), 31);
    EXPECT_EQ(ParsePrintNumber("X1F"), 31);
    EXPECT_EQ(ParsePrintNumber("0xAbC"), 0xABC);
    EXPECT_EQ(ParsePrintNumber("0X10"), 16);
    EXPECT_EQ(ParsePrintNumber("$7FFFFFFF"), Max);
    EXPECT_EQ(ParsePrintNumber("$80000000"), Min);
    EXPECT_EQ(ParsePrintNumber("$FFFFFFFF"), -1);
    EXPECT_EQ(ParsePrintNumber("$00000000FFFFFFFF"), -1);
    EXPECT_EQ(ParsePrintNumber("$100000000"), std::nullopt);
    EXPECT_EQ(ParsePrintNumber("$"), std::nullopt);
    EXPECT_EQ(ParsePrintNumber("0x"), std::nullopt);
    EXPECT_EQ(ParsePrintNumber("$G"), std::nullopt);
    EXPECT_EQ(ParsePrintNumber("0x0x1"), std::nullopt);
    EXPECT_EQ(ParsePrintNumber("1F"), std::nullopt);
}

TEST(ParsePrintNumber, BlanksOnlyBeforeAndOnlySpaces)
{
    EXPECT_EQ(ParsePrintNumber(" 7"), 7);
    EXPECT_EQ(ParsePrintNumber("   $10"), 16);
    EXPECT_EQ(ParsePrintNumber("7 "), std::nullopt);
    EXPECT_EQ(ParsePrintNumber("- 7"), std::nullopt);
    EXPECT_EQ(ParsePrintNumber("\t7"), std::nullopt);
    EXPECT_EQ(ParsePrintNumber("7\n"), std::nullopt);
    EXPECT_EQ(ParsePrintNumber(""), std::nullopt);
    EXPECT_EQ(ParsePrintNumber("   "), std::nullopt);
}

TEST(ParsePrintNumber, RejectsLettersEmbeddedNulAndNonAscii)
{
    EXPECT_EQ(ParsePrintNumber("abc"), std::nullopt);
    EXPECT_EQ(ParsePrintNumber("1e3"), std::nullopt);
    EXPECT_EQ(ParsePrintNumber(std::string_view("1\0" "2", 3)), std::nullopt);
    EXPECT_EQ(ParsePrintNumber("\xEF\xBC\x97"), std::nullopt);    // full-width 7
    EXPECT_EQ(ParsePrintNumber("\xE3\x80\x80" "7"), std::nullopt);  // ideographic space
}

TEST(PrintNumberAdvance, FormatsPlainDecimalAndStopsAtTheLargestValue)
{
    EXPECT_EQ(FormatPrintNumber(-2), "-2");
    EXPECT_EQ(FormatPrintNumber(Min), "-2147483648");
    EXPECT_EQ(NextPrintNumber(-1), 0);
    EXPECT_EQ(NextPrintNumber(Max - 1), Max);
    EXPECT_EQ(NextPrintNumber(Max), Max);
}

}  // namespace
}  // namespace zentavo
