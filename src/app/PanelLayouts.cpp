// SPDX-License-Identifier: BSD-2-Clause
#include "app/PanelLayouts.h"

#include "form/FormCreate.h"
#include "platform/ControlNames.h"

namespace sattrail {

namespace {

constexpr int kFoldedWidth = 193;
constexpr int kFullWidth = 377;               // replaced by the fit when auto-size comes back on
constexpr int kHiddenButtonsRightLeft = 184;  // where the hidden bitmap buttons put it

// Both right-column choices onto the left column's places.
void MoveRightColumnLeft(Window& window) {
  window.SetLeft(control::GroupBox2, 0);
  window.SetLeft(control::GroupBox4, 0);
}

// The two columns side by side, the right one at rightLeft: the upper panels and the signal
// panel shown, the information panel as asked.
void ShowColumns(Window& window, bool information, int rightLeft) {
  window.SetVisible(control::GroupBox1, true);
  window.SetVisible(control::GroupBox2, true);
  window.SetVisible(control::GroupBox3, true);
  window.SetVisible(control::GroupBox4, information);
  window.SetLeft(control::GroupBox2, rightLeft);
  window.SetLeft(control::GroupBox4, rightLeft);
}

}  // namespace

void FoldToUpperPanel(Window& window, UpperPanel panel) {
  window.SetAutoSize(false);
  window.SetVisible(control::GroupBox3, panel == UpperPanel::Sky);
  window.SetVisible(control::GroupBox2, panel == UpperPanel::Nmea);
  MoveRightColumnLeft(window);
  window.SetWidth(kFoldedWidth);
}

void FoldToLowerPanel(Window& window, LowerPanel panel) {
  window.SetAutoSize(false);
  MoveRightColumnLeft(window);
  window.SetWidth(kFoldedWidth);
  window.SetVisible(control::GroupBox1, panel == LowerPanel::Signal);
  window.SetVisible(control::GroupBox4, panel == LowerPanel::Information);
}

void ShowAllPanels(Window& window) {
  ShowColumns(window, true, kRightColumnLeft);
  window.SetWidth(kFullWidth);
  window.SetAutoSize(true);
}

void BitBtn3Click(Window& window) {
  ShowColumns(window, true, kHiddenButtonsRightLeft);
  window.SetWidth(373);
  window.SetVisible(control::BitBtn5, true);
  window.SetVisible(control::BitBtn3, false);
}

void BitBtn5Click(Window& window) {
  ShowColumns(window, false, kHiddenButtonsRightLeft);
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
