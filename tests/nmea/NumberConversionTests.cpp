// SPDX-License-Identifier: BSD-2-Clause
#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>
#include <locale>
#include <string>

#include "numbers/NumberConversion.h"

namespace sattrail {
namespace {

TEST(StrToInt, ConvertsSignedDecimalText) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"0", 0},
      {"3", 3},
      {"+5", 5},
      {"-12", -12},
      {"081226", 81226},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(StrToInt(c.text), c.value);
  }
}

TEST(StrToInt, RefusesTextThatIsNotAnIntegerWithTheFieldInTheMessage) {
  for (const char* text :
       {"", "3D", " 5", "5 ", "0x1F", "1.0", "+", "-", "0-5", "+-1", "2147483648", "1e3"}) {
    SCOPED_TRACE(text);
    try {
      StrToInt(text);
      ADD_FAILURE() << "no error";
    } catch (const ConversionError& error) {
      EXPECT_EQ(error.what(), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
}

TEST(StrToFloat, ConvertsNmeaNumbers) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"0", 0.0},  {"545.4", 545.4}, {"-34.2", -34.2},  {"+1.5", 1.5},          {".5", 0.5},
      {"5.", 5.0}, {"1e3", 1000.0},  {"1.5E-2", 0.015}, {"4807.038", 4807.038}, {"000.0", 0.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(StrToFloat(c.text), c.value);
  }
}

TEST(StrToFloat, RefusesTextThatIsNotANumberWithTheFieldInTheMessage) {
  for (const char* text : {"", "1,5", "abc", "inf", "nan", "1e", ".", "-", "1.2.3", " 1", "1 ",
                           "0x1p3", "1e999", "--1", "12A"}) {
    SCOPED_TRACE(text);
    try {
      StrToFloat(text);
      ADD_FAILURE() << "no error";
    } catch (const ConversionError& error) {
      EXPECT_EQ(error.what(), "'" + std::string(text) + "' is not a valid floating point value");
    }
  }
}

// A desktop locale with a decimal comma must not change how sentences read.
TEST(StrToFloat, IgnoresTheDesktopDecimalComma) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous != nullptr ? previous : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "no de_DE locale installed";
  }
  EXPECT_EQ(StrToFloat("545.4"), 545.4);
  EXPECT_THROW(StrToFloat("545,4"), ConversionError);
  EXPECT_EQ(FormatFixed(1.5, 2, 2), "1.50");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

// The same with a C++ global locale of decimal commas, which streams would pick up.
TEST(StrToFloat, IgnoresAGlobalLocaleWithDecimalCommas) {
  struct CommaDecimals : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
  };
  const std::locale previous =
      std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));
  const double value = StrToFloat("4807.038");
  const bool commaRefused = [] {
    try {
      StrToFloat("4807,038");
    } catch (const ConversionError&) {
      return true;
    }
    return false;
  }();
  const std::int32_t fallback = StrToIntDef("1.234", -1);  // not a grouped thousand either
  const std::string written = FormatFixed(4807.038, 3);
  std::locale::global(previous);
  EXPECT_EQ(value, 4807.038);
  EXPECT_TRUE(commaRefused);
  EXPECT_EQ(fallback, -1);
  EXPECT_EQ(written, "4807.038");
}

// "%<width>.<decimals>f" of the C library: the binary value rounded to the nearest, an exact
// half to the even digit; blanks on the left up to the width.
TEST(FormatFixed, WritesWhatPrintfWritesInTheCLocale) {
  const struct {
    double value;
    int decimals, width;
    const char* text;
  } cases[] = {
      {1.5, 2, 2, "1.50"},
      {static_cast<double>(1.64f), 2, 2, "1.64"},    // 1.6399999856948853
      {static_cast<double>(545.4f), 1, 0, "545.4"},  // 545.400024...
      {0.0, 2, 2, "0.00"},
      {0.125, 2, 0, "0.12"},  // an exact half: to even
      {0.375, 2, 0, "0.38"},
      {2.675, 2, 0, "2.67"},  // 2.67499999999999982...
      {59.95, 1, 2, "60.0"},  // 59.95000000000000284...
      {2.5, 0, 0, "2"},
      {5.0, 2, 6, "  5.00"},
      {-12.345, 1, 6, " -12.3"},
      {-0.04, 1, 0, "-0.0"},
      {0.5, 6, 0, "0.500000"},
      {1e20, 1, 0, "100000000000000000000.0"},
      {std::numeric_limits<double>::infinity(), 1, 5, "  inf"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatFixed(c.value, c.decimals, c.width), c.text);
  }
}

TEST(StrToIntDef, GivesTheFallbackForAnythingButAnInteger) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"0", 0},   {"007", 7}, {"040", 40}, {"0-5", 99},
      {"0X", 99}, {"", 99},   {"-3", -3},  {"099999999999", 99},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(StrToIntDef(c.text, 99), c.value);
  }
}

}  // namespace
}  // namespace sattrail
