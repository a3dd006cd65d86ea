#include "replay/RecordingWindow.h"

#include <array>
#include <stdexcept>

namespace sattrail::replay {

namespace {

struct InventoryEntry {
  std::string_view name;
  std::string_view text;  // caption or initial text as shown after start-up
  int left;
  bool visible;
};

// The controls that hold a text, a state or a position, with their look right after start-up
// (the start-up step has already emptied the memo and the boxes it clears).
constexpr std::array kInventory{
    // The panels.
    InventoryEntry{"GroupBox1", "", 0, true},
    InventoryEntry{"GroupBox2", "", 200, true},
    InventoryEntry{"GroupBox3", "", 7, true},
    InventoryEntry{"GroupBox4", "", 200, true},
    InventoryEntry{"GroupBox5", "", 199, true},
    InventoryEntry{"GroupBox6", "", 8, true},
    InventoryEntry{"GroupBox7", "", 7, true},
    // Hidden buttons of the window.
    InventoryEntry{"BitBtn1", "", 104, false},
    InventoryEntry{"BitBtn2", "", 120, false},
    InventoryEntry{"BitBtn3", "", 63, false},
    InventoryEntry{"BitBtn4", "", 37, false},
    InventoryEntry{"BitBtn5", "", 37, false},
    InventoryEntry{"Button2", "B", 15, false},
    InventoryEntry{"Button3", "Button3", 135, false},
    // Port panel.
    InventoryEntry{"Label11", "V1.4A", 154, true},
    InventoryEntry{"ComboBox2", "COM1", 56, true},
    InventoryEntry{"ComboBox1", "4800", 4, true},
    InventoryEntry{"ButOpenGps", "On", 112, true},
    // Command panel.
    InventoryEntry{"SetMsg", "Command", 104, true},
    InventoryEntry{"Button1", "Cold", 72, true},
    InventoryEntry{"Com2B", "Warm", 36, true},
    InventoryEntry{"BuHS", "Hot", 2, true},
    // Sky panel.
    InventoryEntry{"Image2", "", 43, true},
    InventoryEntry{"Label1", "N", 89, true},
    InventoryEntry{"Label17", "W", 42, true},
    InventoryEntry{"Label18", "S", 89, true},
    InventoryEntry{"Label19", "E", 133, true},
    InventoryEntry{"Shape8", "", 58, true},
    InventoryEntry{"Shape9", "", 92, true},
    InventoryEntry{"Button4", "V", 96, true},
    InventoryEntry{"EdTime", "00:00:00", 134, true},
    InventoryEntry{"EdDate", "2004/00/00", 0, true},
    // Signal panel.
    InventoryEntry{"Shape3", "", 10, true},
    InventoryEntry{"Image1", "", 14, true},
    InventoryEntry{"Shape1", "", 8, true},
    InventoryEntry{"Shape2", "", 8, true},
    InventoryEntry{"Shape7", "", 10, true},
    // NMEA panel.
    InventoryEntry{"Label20", "PDOP", 53, true},
    InventoryEntry{"Label2", "Mode", 10, true},
    InventoryEntry{"Label21", "Ver", 115, true},
    InventoryEntry{"Label22", "TTF", 156, true},
    InventoryEntry{"EdPDOP", "", 52, true},
    InventoryEntry{"Edit6", "", 7, true},
    InventoryEntry{"Ed2Dt", "0", 136, false},
    InventoryEntry{"Ed3Dt", "0", 149, true},
    InventoryEntry{"EdCommand", "@GSV 1", 8, true},
    InventoryEntry{"Send", "Send", 136, true},
    InventoryEntry{"Edit7", "", 100, true},
    InventoryEntry{"OutTextBox", "", 5, true},
    // Information panel.
    InventoryEntry{"Label3", "Time", 90, true},
    InventoryEntry{"Label4", "Latitude", 55, true},
    InventoryEntry{"Label5", "Longitude", 125, true},
    InventoryEntry{"Label6", "Height", 9, true},
    InventoryEntry{"Label7", "GGA", 52, true},
    InventoryEntry{"Label8", "GSA", 97, true},
    InventoryEntry{"Label9", "GSV", 53, true},
    InventoryEntry{"Label10", "RMC", 143, true},
    InventoryEntry{"Label14", "GLL", 145, true},
    InventoryEntry{"Label15", "VTG", 97, true},
    InventoryEntry{"Label16", "ZDA", 131, false},
    InventoryEntry{"Label23", "Speed", 4, true},
    InventoryEntry{"Edit8", "", 37, true},
    InventoryEntry{"Edit9", "", 110, true},
    InventoryEntry{"Edit10", "0", 88, true},
    InventoryEntry{"CheckBox1", "CheckBox1", 78, true},
    InventoryEntry{"CheckBox2", "CheckBox1", 123, true},
    InventoryEntry{"CheckBox3", "CheckBox1", 78, true},
    InventoryEntry{"CheckBox4", "CheckBox1", 170, true},
    InventoryEntry{"CheckBox5", "CheckBox1", 170, true},
    InventoryEntry{"CheckBox6", "CheckBox1", 122, true},
    InventoryEntry{"CheckBox7", "ZDA", 156, false},
    InventoryEntry{"Edit11", "/", 136, false},
    InventoryEntry{"EdSpeed", "", 3, true},
    InventoryEntry{"EdHeight", "0", 4, true},
};

struct PictureSize {
  std::string_view image;
  int width;
  int height;
};

constexpr std::array kPictureSizes{PictureSize{"Image1", 164, 64}, PictureSize{"Image2", 94, 98}};

[[noreturn]] void NoSuchControl(std::string_view control) {
  throw std::logic_error("the window has no control " + std::string(control));
}

}  // namespace

RecordingWindow::RecordingWindow() {
  for (const InventoryEntry& entry : kInventory) {
    Control control;
    control.text = entry.text;
    control.left = entry.left;
    control.visible = entry.visible;
    controls_.emplace(std::string(entry.name), control);
  }
}

RecordingWindow::Control& RecordingWindow::At(std::string_view control) {
  auto it = controls_.find(control);
  if (it == controls_.end()) NoSuchControl(control);
  return it->second;
}

const RecordingWindow::Control& RecordingWindow::At(std::string_view control) const {
  auto it = controls_.find(control);
  if (it == controls_.end()) NoSuchControl(control);
  return it->second;
}

std::string RecordingWindow::Text(std::string_view control) const {
  return At(control).text;
}
void RecordingWindow::SetText(std::string_view control, std::string_view text) {
  At(control).text = text;
}
bool RecordingWindow::Checked(std::string_view checkBox) const {
  return At(checkBox).checked;
}
void RecordingWindow::SetChecked(std::string_view checkBox, bool ticked) {
  At(checkBox).checked = ticked;
}
bool RecordingWindow::Visible(std::string_view control) const {
  return At(control).visible;
}
void RecordingWindow::SetVisible(std::string_view control, bool visible) {
  At(control).visible = visible;
}
int RecordingWindow::Left(std::string_view control) const {
  return At(control).left;
}
void RecordingWindow::SetLeft(std::string_view control, int left) {
  At(control).left = left;
}
int RecordingWindow::ItemIndex(std::string_view comboBox) const {
  return At(comboBox).itemIndex;
}

void RecordingWindow::DeleteFirstLine(std::string_view memo) {
  std::string& text = At(memo).text;
  const std::size_t lineFeed = text.find('\n');
  text.erase(0, lineFeed == std::string::npos ? text.size() : lineFeed + 1);
}

void RecordingWindow::Repaint(std::string_view control) {
  At(control);
}

Canvas& RecordingWindow::Surface(std::string_view image) {
  auto it = pictures_.find(image);
  if (it != pictures_.end()) return *it->second;
  for (const PictureSize& size : kPictureSizes) {
    if (size.image == image) {
      auto picture = std::make_unique<QtCanvas>(size.width, size.height);
      return *pictures_.emplace(std::string(image), std::move(picture)).first->second;
    }
  }
  NoSuchControl(image);
}

const QtCanvas& RecordingWindow::Picture(std::string_view image) {
  return static_cast<const QtCanvas&>(Surface(image));
}

}  // namespace sattrail::replay
