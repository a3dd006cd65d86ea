// SPDX-License-Identifier: BSD-2-Clause
#include "app/PanelLayouts.h"

#include "platform/ControlNames.h"

namespace sattrail {

namespace {

constexpr int kFoldedWidth = 193;
constexpr int kFullWidth = 377;  // replaced by the fit when auto-size comes back on
constexpr int kRightColumnLeft = 200;

// Both right-column choices onto the left column's places.
void MoveRightColumnLeft(Window& window) {
  window.SetLeft(control::GroupBox2, 0);
  window.SetLeft(control::GroupBox4, 0);
}

void ShowAll(Window& window) {
  window.SetVisible(control::GroupBox1, true);
  window.SetVisible(control::GroupBox2, true);
  window.SetVisible(control::GroupBox3, true);
  window.SetVisible(control::GroupBox4, true);
  window.SetLeft(control::GroupBox2, kRightColumnLeft);
  window.SetLeft(control::GroupBox4, kRightColumnLeft);
  window.SetWidth(kFullWidth);
  window.SetAutoSize(true);
}

}  // namespace

void N1Click(Window& window) {
  window.SetAutoSize(false);
  window.SetVisible(control::GroupBox3, true);
  window.SetVisible(control::GroupBox2, false);
  MoveRightColumnLeft(window);
  window.SetWidth(kFoldedWidth);
}

void N2Click(Window& window) {
  window.SetAutoSize(false);
  window.SetVisible(control::GroupBox3, false);
  window.SetVisible(control::GroupBox2, true);
  MoveRightColumnLeft(window);
  window.SetWidth(kFoldedWidth);
}

void ALL1Click(Window& window) {
  ShowAll(window);
}

void DV1Click(Window& window) {
  window.SetAutoSize(false);
  MoveRightColumnLeft(window);
  window.SetWidth(kFoldedWidth);
  window.SetVisible(control::GroupBox1, true);
  window.SetVisible(control::GroupBox4, false);
}

void N3Click(Window& window) {
  window.SetAutoSize(false);
  MoveRightColumnLeft(window);
  window.SetWidth(kFoldedWidth);
  window.SetVisible(control::GroupBox1, false);
  window.SetVisible(control::GroupBox4, true);
}

void ALL2Click(Window& window) {
  ShowAll(window);
}

void BitBtn3Click(Window& window) {
  window.SetVisible(control::GroupBox1, true);
  window.SetVisible(control::GroupBox2, true);
  window.SetVisible(control::GroupBox3, true);
  window.SetVisible(control::GroupBox4, true);
  window.SetLeft(control::GroupBox2, 184);
  window.SetLeft(control::GroupBox4, 184);
  window.SetWidth(373);
  window.SetVisible(control::BitBtn5, true);
  window.SetVisible(control::BitBtn3, false);
}

void BitBtn5Click(Window& window) {
  window.SetVisible(control::GroupBox1, true);
  window.SetVisible(control::GroupBox2, true);
  window.SetVisible(control::GroupBox3, true);
  window.SetVisible(control::GroupBox4, false);
  window.SetLeft(control::GroupBox2, 184);
  window.SetLeft(control::GroupBox4, 184);
  window.SetWidth(184);
  window.SetVisible(control::BitBtn3, true);
  window.SetVisible(control::BitBtn5, false);
}

void Button2Click(Window& window) {
  window.SetText(control::Button2, window.Text(control::Button2) == "B" ? "M" : "B");
}

void Button3Click(Window& window) {
  window.SetText(control::OutTextBox, "");
}

void BitBtn2ShowAndStop(Window& window, Timer& timer1, Timer& timer2) {
  window.SetAutoScroll(false);
  window.SetVisible(control::BitBtn1, true);
  window.SetVisible(control::BitBtn2, false);
  timer1.SetEnabled(false);
  timer2.SetEnabled(false);
}

}  // namespace sattrail
