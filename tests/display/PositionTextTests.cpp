// SPDX-License-Identifier: BSD-2-Clause
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "display/PositionText.h"
#include "display/RmcDisplay.h"
#include "fakes/TestWindow.h"
#include "platform/ControlNames.h"

namespace sattrail {
namespace {

// The degree sign is written as the two bytes the logic holds.
#define DEG "\xA2\x58"

TEST(FormatLatLon, DegreesMinutesAndSecondsOfTheStoredFloat) {
  const struct {
    float stored;  // as the parser narrowed the field
    const char* text;
  } cases[] = {
      {2446.1234f, "24" DEG "46'7.4"},  // stored as 2446.123291015625
      {12130.5f, "121" DEG "30'30.0"},
      {0.0f, "0" DEG "0'0.0"},
      {4916.45f, "49" DEG "16'27.0"},  // stored as 4916.4501953125
      {3723.2475f, "37" DEG "23'14.9"},
      {5.5f, "0" DEG "5'30.0"},
      {4807.038f, "48" DEG "7'2.3"},
      // Seconds that round to 60.0 carry into the minutes, and a 60th minute into the degree.
      {2446.9995f, "24" DEG "47'0.0"},  // stored as 2446.99951171875
      {2459.9995f, "25" DEG "0'0.0"},
      {2446.99f, "24" DEG "46'59.4"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatLatLon(static_cast<double>(c.stored)), c.text);
  }
}

TEST(FormatLatLon, SurvivesValuesNoSentenceShouldCarry) {
  // Anything a stored float can hold yields a text and no undefined conversion.
  for (double angle : {1e30, -1e30, 3.4e38, -5.5}) {
    SCOPED_TRACE(angle);
    EXPECT_FALSE(FormatLatLon(angle).empty());
  }
}

struct LocalTimeCase {
  std::int32_t utc;
  float longitude;
  const char* hemisphere;
  std::int32_t zoneBefore;
  const char* text;
  std::int32_t carry;
  std::int32_t zoneAfter;
};

TEST(FormatLocalTime, NauticalZoneAndTheMidnightCarry) {
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  const LocalTimeCase cases[] = {
      {123519, 12130.5f, "E", 0, "20:35:19", 0, 8},
      {223000, 12130.5f, "E", 0, "06:30:00", 1, 8},
      {30000, 7500.0f, "W", 0, "22:00:00", -1, -5},
      {120000, 730.0f, "W", 3, "11:00:00", 0, -1},   // 7.5 degrees rounds to zone 1
      {120000, 1459.99f, "E", 3, "13:00:00", 0, 1},  // 14.9998 degrees is nearest zone 1
      {120000, 1500.0f, "E", 0, "13:00:00", 0, 1},
      {120000, 18000.0f, "E", 0, "00:00:00", 1, 12},
      {120000, 18000.0f, "W", 0, "00:00:00", 0, -12},
      {5, 0.0f, "0", 0, "00:00:05", 0, 0},
      // The whole hours nearest to degrees / 15: Zurich, New York, Taipei, and the edges.
      {120000, 853.5f, "E", 0, "13:00:00", 0, 1},
      {120000, 729.9f, "E", 3, "12:00:00", 0, 0},
      {120000, 730.0f, "E", 0, "13:00:00", 0, 1},
      {120000, 7400.0f, "W", 0, "07:00:00", 0, -5},
      {120000, 12130.0f, "E", 0, "20:00:00", 0, 8},
      {120000, 17959.0f, "W", 0, "00:00:00", 0, -12},
      // At most 12 hours whatever a malformed sentence carries: 720 degrees, a value beyond the
      // float range, a huge negative one, not a number.
      {120000, 72000.0f, "E", 0, "00:00:00", 1, 12},
      {120000, kInfinity, "E", 0, "00:00:00", 1, 12},
      {120000, -1e30f, "E", 5, "00:00:00", 0, -12},
      {120000, kNaN, "W", 5, "12:00:00", 0, 0},
      // A hemisphere that is neither "E" nor "W" keeps the last zone.
      {123519, 0.0f, "0", 8, "20:35:19", 0, 8},
      {123519, 12130.5f, "", -2, "10:35:19", 0, -2},
      // Minutes and seconds pass through unchecked.
      {126075, 0.0f, "E", 0, "12:60:75", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.longitude << ' ' << c.hemisphere);
    CoMPort state;
    state.TimeZoneHours = c.zoneBefore;
    state.DayCarry = 7;
    EXPECT_EQ(FormatLocalTime(state, c.utc, c.longitude, c.hemisphere), c.text);
    EXPECT_EQ(state.DayCarry, c.carry);
    EXPECT_EQ(state.TimeZoneHours, c.zoneAfter);
  }
}

TEST(FormatDate, DayMonthAndYearRollWithTheCarry) {
  const struct {
    std::int32_t date;
    std::int32_t carry;
    const char* text;
  } cases[] = {
      {230394, 0, "2094/03/23"},
      {81226, 0, "2026/12/08"},
      {311204, 1, "2005/01/01"},
      {10105, -1, "2004/12/31"},
      {280204, 1, "2004/02/29"},  // leap year
      {290204, 1, "2004/03/01"},
      {280205, 1, "2005/03/01"},
      {280200, 1, "2000/02/29"},  // 2000 is a leap year
      {10300, -1, "2000/02/29"},
      {10305, -1, "2005/02/28"},
      {300405, 1, "2005/05/01"},
      {10505, -1, "2005/04/30"},
      {150605, 1, "2005/06/16"},
      {150605, -1, "2005/06/14"},
      // A date that is no date only moves its day.
      {321204, 1, "2004/12/33"},
      {11304, -1, "2004/13/00"},
      {0, 0, "2000/00/00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CoMPort state;
    state.DayCarry = c.carry;
    EXPECT_EQ(FormatDate(state, c.date), c.text);
  }
}

TEST(FormatSpeed, FifteenSignificantDigitsOfTheFloat) {
  const struct {
    float kmh;
    const char* text;
  } cases[] = {
      {19.4459991455078125f, "19.4459991455078"},  // 10.5 knots
      {1.852f, "1.85199999809265"},                // 1 knot
      {18.52f, "18.5200004577637"},
      {0.926f, "0.925999999046326"},
      {0.0f, "0"},
      {100.0f, "100"},
      {1e16f, "1.00000002725642e+16"},
      {0.00005f, "4.99999987368938e-05"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatSpeed(c.kmh), c.text);
  }
}

TEST(ShowRmcValues, WritesTheFiveBoxesInOrder) {
  CoMPort state;
  state.Latitude = 2446.1234f;
  state.LatHemisphere = "N";
  state.Longitude = 12130.5f;
  state.LonHemisphere = "E";
  state.SpeedKmh = 19.4459991455078125f;
  state.UtcTime = 123519.0f;
  state.UtcDate = 230394;
  testing::TestWindow window;
  std::vector<std::string> order;
  window.onSetText = [&order](std::string_view control, std::string_view) {
    order.emplace_back(control);
  };
  ShowRmcValues(state, window);
  EXPECT_EQ(order, (std::vector<std::string>{"Edit8", "Edit9", "EdSpeed", "EdTime", "EdDate"}));
  EXPECT_EQ(window.Text(control::Edit8), "N24" DEG "46'7.4");
  EXPECT_EQ(window.Text(control::Edit9), "E121" DEG "30'30.0");
  EXPECT_EQ(window.Text(control::EdSpeed), "19.4459991455078");
  EXPECT_EQ(window.Text(control::EdTime), "20:35:19");
  EXPECT_EQ(window.Text(control::EdDate), "2094/03/23");
  EXPECT_EQ(state.TimeZoneHours, 8);
}

TEST(ShowRmcValues, DateTakesTheCarryOfTheSameSentence) {
  CoMPort state;
  state.LatHemisphere = "0";
  state.Longitude = 12130.5f;
  state.LonHemisphere = "E";
  state.UtcTime = 223000.99f;  // the fraction is dropped
  state.UtcDate = 311204;
  testing::TestWindow window;
  ShowRmcValues(state, window);
  EXPECT_EQ(window.Text(control::Edit8), "00" DEG "0'0.0");
  EXPECT_EQ(window.Text(control::EdTime), "06:30:00");
  EXPECT_EQ(window.Text(control::EdDate), "2005/01/01");
  EXPECT_EQ(state.DayCarry, 1);
}

}  // namespace
}  // namespace sattrail
