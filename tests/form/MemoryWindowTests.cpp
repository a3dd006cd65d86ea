// SPDX-License-Identifier: BSD-2-Clause
// The in-memory window: only the inventory's controls, pictures of their controls' sizes and
// the memo's line deletion.
#include <gtest/gtest.h>

#include <stdexcept>

#include "fakes/TestWindow.h"
#include "platform/ControlNames.h"

namespace sattrail::testing {
namespace {

TEST(MemoryWindowTest, RefusesControlsItDoesNotHave) {
  TestWindow window;
  EXPECT_THROW(window.Text("Edit99"), std::logic_error);
  EXPECT_THROW(window.SetText("EdTme", "x"), std::logic_error);
  EXPECT_THROW(window.SetChecked("CheckBox8", true), std::logic_error);
  EXPECT_THROW(window.Surface("Image3"), std::logic_error);
  EXPECT_THROW(window.Surface(control::EdTime), std::logic_error);
}

TEST(MemoryWindowTest, PicturesHaveTheirControlsSizes) {
  TestWindow window;
  EXPECT_EQ(window.Surface(control::Image1).Width(), 164);
  EXPECT_EQ(window.Surface(control::Image1).Height(), 64);
  EXPECT_EQ(window.Surface(control::Image2).Width(), 94);
  EXPECT_EQ(window.Surface(control::Image2).Height(), 98);
  EXPECT_EQ(&window.Surface(control::Image2), &window.Surface(control::Image2)) << "created once";
}

TEST(MemoryWindowTest, MemoLosesItsFirstLineWithItsLineEnd) {
  TestWindow window;
  window.SetText(control::OutTextBox, "$GPGGA\r\n$GPRMC\r\n");
  window.DeleteFirstLine(control::OutTextBox);
  EXPECT_EQ(window.Text(control::OutTextBox), "$GPRMC\r\n");
  window.SetText(control::OutTextBox, "no line end");
  window.DeleteFirstLine(control::OutTextBox);
  EXPECT_EQ(window.Text(control::OutTextBox), "");
}

}  // namespace
}  // namespace sattrail::testing
