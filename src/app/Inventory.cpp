// SPDX-License-Identifier: BSD-2-Clause
#include "app/Inventory.h"

#include <array>

namespace sattrail {

namespace {

using K = ControlKind;
using C = Colour;
using M = PopupMenu;

// 57600 and 115200 are where many current receivers and USB adapters start out.
constexpr std::array<std::string_view, 7> kSpeeds = {"4800",  "9600",  "14400", "19200",
                                                     "38400", "57600", "115200"};

constexpr std::array<std::string_view, 30> kPorts = {
    "COM1",  "COM2",  "COM3",  "COM4",  "COM5",  "COM6",  "COM7",  "COM8",  "COM9",  "COM10",
    "COM11", "COM12", "COM13", "COM14", "COM15", "COM16", "COM17", "COM18", "COM19", "COM20",
    "COM21", "COM22", "COM23", "COM24", "COM25", "COM26", "COM27", "COM28", "COM29", "COM30"};

// "CD " ends in a blank.
constexpr std::array<std::string_view, 9> kCommands = {
    "CB 1 4800",  "CD ", "CLR", "GS 99.0 99.0 99.0 99.0", "GSV 1", "NC 10111000",
    "PM N24E121", "SR",  "WLK"};

// clang-format off
constexpr std::array kInventory = {
    // The window's direct children, bottom first. GroupBox2 is designed at 199; FormCreate
    // moves it to 200.
    ControlSpec{.name = "GroupBox3", .kind = K::GroupBox, .parent = "", .left = 7, .top = 23, .width = 185, .height = 137, .colour = C::MoneyGreen},
    ControlSpec{.name = "GroupBox1", .kind = K::GroupBox, .parent = "", .left = 0, .top = 159, .width = 192, .height = 80},
    ControlSpec{.name = "GroupBox4", .kind = K::GroupBox, .parent = "", .left = 200, .top = 158, .width = 187, .height = 81, .colour = C::Silver, .menu = M::DbAndCheck},
    ControlSpec{.name = "GroupBox2", .kind = K::GroupBox, .parent = "", .left = 199, .top = 22, .width = 185, .height = 137, .colour = C::SkyBlue},
    ControlSpec{.name = "GroupBox5", .kind = K::GroupBox, .parent = "", .left = 199, .top = 1, .width = 185, .height = 27},
    ControlSpec{.name = "BitBtn3", .kind = K::BitButton, .parent = "", .left = 63, .top = 174, .width = 25, .height = 20, .visible = false, .handler = "BitBtn3Click"},
    ControlSpec{.name = "BitBtn4", .kind = K::BitButton, .parent = "", .left = 37, .top = 204, .width = 27, .height = 19, .visible = false},
    ControlSpec{.name = "BitBtn5", .kind = K::BitButton, .parent = "", .left = 37, .top = 183, .width = 25, .height = 19, .visible = false, .handler = "BitBtn5Click"},
    ControlSpec{.name = "Button2", .kind = K::Button, .parent = "", .left = 15, .top = 183, .width = 22, .height = 20, .text = "B", .visible = false, .handler = "Button2Click"},
    ControlSpec{.name = "Button3", .kind = K::Button, .parent = "", .left = 135, .top = 174, .width = 17, .height = 25, .text = "Button3", .visible = false, .handler = "Button3Click"},
    ControlSpec{.name = "GroupBox7", .kind = K::GroupBox, .parent = "", .left = 7, .top = 0, .width = 185, .height = 31},

    // Port panel.
    ControlSpec{.name = "Label11", .kind = K::Label, .parent = "GroupBox7", .left = 154, .top = 12, .width = 31, .height = 14, .text = "V1.4A", .fontFace = "Arial"},
    ControlSpec{.name = "BitBtn2", .kind = K::BitButton, .parent = "GroupBox7", .left = 120, .top = 8, .width = 24, .height = 20, .visible = false, .handler = "BitBtn2Click"},
    ControlSpec{.name = "BitBtn1", .kind = K::BitButton, .parent = "GroupBox7", .left = 104, .top = 8, .width = 21, .height = 21, .visible = false},
    ControlSpec{.name = "ComboBox2", .kind = K::ComboBox, .parent = "GroupBox7", .left = 56, .top = 8, .width = 57, .height = 21, .text = "COM1", .colour = C::SystemWindow, .items = kPorts},
    ControlSpec{.name = "ComboBox1", .kind = K::ComboBox, .parent = "GroupBox7", .left = 4, .top = 8, .width = 53, .height = 21, .text = "4800", .colour = C::SystemWindow, .items = kSpeeds},
    ControlSpec{.name = "ButOpenGps", .kind = K::Button, .parent = "GroupBox7", .left = 112, .top = 8, .width = 40, .height = 20, .text = "On", .handler = "ButOpenGpsClick"},

    // Command panel.
    ControlSpec{.name = "SetMsg", .kind = K::ComboBox, .parent = "GroupBox5", .left = 104, .top = 8, .width = 81, .height = 21, .text = "Command", .colour = C::SystemWindow, .handler = "SetMsgChange", .items = kCommands},
    ControlSpec{.name = "Button1", .kind = K::Button, .parent = "GroupBox5", .left = 72, .top = 8, .width = 33, .height = 16, .text = "Cold", .handler = "Button1Click"},
    ControlSpec{.name = "Com2B", .kind = K::Button, .parent = "GroupBox5", .left = 36, .top = 8, .width = 33, .height = 16, .text = "Warm", .handler = "Com2BClick"},
    ControlSpec{.name = "BuHS", .kind = K::Button, .parent = "GroupBox5", .left = 2, .top = 8, .width = 30, .height = 17, .text = "Hot", .handler = "BuHSClick"},

    // Sky panel.
    ControlSpec{.name = "Image2", .kind = K::Image, .parent = "GroupBox3", .left = 43, .top = 10, .width = 94, .height = 98, .menu = M::PopupMenu1, .transparent = true},
    ControlSpec{.name = "Label1", .kind = K::Label, .parent = "GroupBox3", .left = 89, .top = 7, .width = 8, .height = 13, .text = "N"},
    ControlSpec{.name = "Label17", .kind = K::Label, .parent = "GroupBox3", .left = 42, .top = 54, .width = 11, .height = 13, .text = "W"},
    ControlSpec{.name = "Label18", .kind = K::Label, .parent = "GroupBox3", .left = 89, .top = 98, .width = 7, .height = 13, .text = "S"},
    ControlSpec{.name = "Label19", .kind = K::Label, .parent = "GroupBox3", .left = 133, .top = 55, .width = 7, .height = 13, .text = "E"},
    ControlSpec{.name = "Shape8", .kind = K::Shape, .parent = "GroupBox3", .left = 58, .top = 61, .width = 70, .height = 1, .colour = C::White},
    ControlSpec{.name = "Shape9", .kind = K::Shape, .parent = "GroupBox3", .left = 92, .top = 22, .width = 1, .height = 75, .colour = C::White},
    ControlSpec{.name = "Button4", .kind = K::Button, .parent = "GroupBox3", .left = 96, .top = 184, .width = 27, .height = 17, .text = "V"},
    ControlSpec{.name = "EdTime", .kind = K::Edit, .parent = "GroupBox3", .left = 134, .top = 117, .width = 52, .height = 21, .text = "00:00:00", .colour = C::SystemWindow},
    ControlSpec{.name = "EdDate", .kind = K::Edit, .parent = "GroupBox3", .left = 0, .top = 115, .width = 65, .height = 21, .text = "2004/00/00", .colour = C::SystemWindow},

    // Signal panel.
    ControlSpec{.name = "Shape3", .kind = K::Shape, .parent = "GroupBox1", .left = 10, .top = 5, .width = 172, .height = 71, .colour = C::MoneyGreen},
    ControlSpec{.name = "Image1", .kind = K::Image, .parent = "GroupBox1", .left = 14, .top = 8, .width = 164, .height = 64, .menu = M::DbAndCheck},
    ControlSpec{.name = "Shape2", .kind = K::Shape, .parent = "GroupBox1", .left = 8, .top = 94, .width = 41, .height = 1, .colour = C::White},
    ControlSpec{.name = "", .kind = K::Shape, .parent = "GroupBox1", .left = 17, .top = 73, .width = 0, .height = 38, .colour = C::White},
    ControlSpec{.name = "Shape1", .kind = K::Shape, .parent = "GroupBox1", .left = 8, .top = 96, .width = 1, .height = 10, .colour = C::White},
    ControlSpec{.name = "Shape7", .kind = K::Shape, .parent = "GroupBox1", .left = 10, .top = 54, .width = 164, .height = 2, .colour = C::Lime},

    // NMEA panel.
    ControlSpec{.name = "Label20", .kind = K::Label, .parent = "GroupBox2", .left = 53, .top = 99, .width = 30, .height = 13, .text = "PDOP"},
    ControlSpec{.name = "Label2", .kind = K::Label, .parent = "GroupBox2", .left = 10, .top = 99, .width = 27, .height = 13, .text = "Mode", .menu = M::DbAndCheck},
    ControlSpec{.name = "Label21", .kind = K::Label, .parent = "GroupBox2", .left = 115, .top = 99, .width = 16, .height = 13, .text = "Ver"},
    ControlSpec{.name = "Label22", .kind = K::Label, .parent = "GroupBox2", .left = 156, .top = 100, .width = 20, .height = 13, .text = "TTF"},
    ControlSpec{.name = "EdPDOP", .kind = K::Edit, .parent = "GroupBox2", .left = 52, .top = 112, .width = 45, .height = 21, .colour = C::SystemWindow},
    ControlSpec{.name = "Edit6", .kind = K::Edit, .parent = "GroupBox2", .left = 7, .top = 112, .width = 42, .height = 21, .colour = C::SystemWindow, .readOnly = true, .menu = M::DbAndCheck, .fontPixels = 8},
    ControlSpec{.name = "Ed2Dt", .kind = K::Edit, .parent = "GroupBox2", .left = 136, .top = 40, .width = 29, .height = 21, .text = "0", .colour = C::SystemWindow, .visible = false},
    ControlSpec{.name = "Ed3Dt", .kind = K::Edit, .parent = "GroupBox2", .left = 149, .top = 112, .width = 31, .height = 21, .text = "0", .colour = C::SystemWindow},
    ControlSpec{.name = "EdCommand", .kind = K::Edit, .parent = "GroupBox2", .left = 8, .top = 72, .width = 121, .height = 21, .text = "@GSV 1", .colour = C::SystemWindow, .handler = "EdCommandEnter"},
    ControlSpec{.name = "Send", .kind = K::Button, .parent = "GroupBox2", .left = 136, .top = 72, .width = 43, .height = 23, .text = "Send", .handler = "SendClick"},
    ControlSpec{.name = "Edit7", .kind = K::Edit, .parent = "GroupBox2", .left = 100, .top = 112, .width = 49, .height = 21, .colour = C::SystemWindow, .menu = M::DbAndCheck},
    ControlSpec{.name = "GroupBox6", .kind = K::GroupBox, .parent = "GroupBox2", .left = 8, .top = 8, .width = 172, .height = 57},
    ControlSpec{.name = "OutTextBox", .kind = K::Memo, .parent = "GroupBox6", .left = 5, .top = 11, .width = 162, .height = 41, .colour = C::SystemWindow, .menu = M::PopupMenu1},

    // Information panel.
    ControlSpec{.name = "Label3", .kind = K::Label, .parent = "GroupBox4", .left = 90, .top = 95, .width = 23, .height = 13, .text = "Time", .menu = M::DbAndCheck},
    ControlSpec{.name = "Label4", .kind = K::Label, .parent = "GroupBox4", .left = 55, .top = 7, .width = 38, .height = 13, .text = "Latitude", .menu = M::DbAndCheck},
    ControlSpec{.name = "Label5", .kind = K::Label, .parent = "GroupBox4", .left = 125, .top = 7, .width = 47, .height = 13, .text = "Longitude", .menu = M::DbAndCheck},
    ControlSpec{.name = "Label6", .kind = K::Label, .parent = "GroupBox4", .left = 9, .top = 42, .width = 31, .height = 13, .text = "Height", .menu = M::DbAndCheck},
    ControlSpec{.name = "Label7", .kind = K::Label, .parent = "GroupBox4", .left = 52, .top = 43, .width = 23, .height = 13, .text = "GGA", .menu = M::DbAndCheck},
    ControlSpec{.name = "Label8", .kind = K::Label, .parent = "GroupBox4", .left = 97, .top = 43, .width = 22, .height = 13, .text = "GSA", .menu = M::DbAndCheck},
    ControlSpec{.name = "Label9", .kind = K::Label, .parent = "GroupBox4", .left = 53, .top = 67, .width = 22, .height = 13, .text = "GSV", .menu = M::DbAndCheck},
    ControlSpec{.name = "Label10", .kind = K::Label, .parent = "GroupBox4", .left = 143, .top = 42, .width = 24, .height = 13, .text = "RMC", .menu = M::DbAndCheck},
    ControlSpec{.name = "Label14", .kind = K::Label, .parent = "GroupBox4", .left = 145, .top = 66, .width = 20, .height = 13, .text = "GLL", .menu = M::DbAndCheck},
    ControlSpec{.name = "Label15", .kind = K::Label, .parent = "GroupBox4", .left = 97, .top = 66, .width = 22, .height = 13, .text = "VTG", .menu = M::DbAndCheck},
    ControlSpec{.name = "Label16", .kind = K::Label, .parent = "GroupBox4", .left = 131, .top = 92, .width = 22, .height = 13, .text = "ZDA", .visible = false, .menu = M::DbAndCheck},
    ControlSpec{.name = "Label23", .kind = K::Label, .parent = "GroupBox4", .left = 4, .top = 8, .width = 31, .height = 13, .text = "Speed", .menu = M::DbAndCheck},
    ControlSpec{.name = "Edit8", .kind = K::Edit, .parent = "GroupBox4", .left = 37, .top = 20, .width = 73, .height = 21, .colour = C::SystemWindow, .menu = M::DbAndCheck},
    ControlSpec{.name = "Edit9", .kind = K::Edit, .parent = "GroupBox4", .left = 110, .top = 20, .width = 74, .height = 21, .colour = C::SystemWindow, .menu = M::DbAndCheck},
    ControlSpec{.name = "Edit10", .kind = K::Edit, .parent = "GroupBox4", .left = 88, .top = 108, .width = 33, .height = 21, .text = "0", .colour = C::SystemScrollBar, .menu = M::DbAndCheck},
    ControlSpec{.name = "CheckBox1", .kind = K::CheckBox, .parent = "GroupBox4", .left = 78, .top = 41, .width = 17, .height = 17, .text = "CheckBox1", .enabled = false},
    ControlSpec{.name = "CheckBox2", .kind = K::CheckBox, .parent = "GroupBox4", .left = 123, .top = 41, .width = 17, .height = 17, .text = "CheckBox1", .enabled = false},
    ControlSpec{.name = "CheckBox3", .kind = K::CheckBox, .parent = "GroupBox4", .left = 78, .top = 63, .width = 17, .height = 17, .text = "CheckBox1", .enabled = false},
    ControlSpec{.name = "CheckBox4", .kind = K::CheckBox, .parent = "GroupBox4", .left = 170, .top = 41, .width = 18, .height = 17, .text = "CheckBox1", .enabled = false},
    ControlSpec{.name = "CheckBox5", .kind = K::CheckBox, .parent = "GroupBox4", .left = 170, .top = 65, .width = 17, .height = 17, .text = "CheckBox1", .enabled = false},
    ControlSpec{.name = "CheckBox6", .kind = K::CheckBox, .parent = "GroupBox4", .left = 122, .top = 63, .width = 17, .height = 17, .text = "CheckBox1", .enabled = false},
    ControlSpec{.name = "CheckBox7", .kind = K::CheckBox, .parent = "GroupBox4", .left = 156, .top = 97, .width = 17, .height = 17, .text = "ZDA", .visible = false, .enabled = false},
    ControlSpec{.name = "Edit11", .kind = K::Edit, .parent = "GroupBox4", .left = 136, .top = 105, .width = 17, .height = 21, .text = "/", .colour = C::System3DLight, .visible = false, .readOnly = true},
    ControlSpec{.name = "EdSpeed", .kind = K::Edit, .parent = "GroupBox4", .left = 3, .top = 20, .width = 34, .height = 21, .colour = C::SystemWindow},
    ControlSpec{.name = "EdHeight", .kind = K::Edit, .parent = "GroupBox4", .left = 4, .top = 56, .width = 41, .height = 21, .colour = C::SystemWindow},
};
// clang-format on

constexpr std::array kPopupMenu1 = {
    MenuItemSpec{"N1", "Satellites", "N1Click"},
    MenuItemSpec{"N2", "NMEA", "N2Click"},
    MenuItemSpec{"ALL1", "ALL", "ALL1Click"},
};

constexpr std::array kDbAndCheck = {
    MenuItemSpec{"DV1", "Signal", "DV1Click"},
    MenuItemSpec{"N3", "Information", "N3Click"},
    MenuItemSpec{"ALL2", "ALL", "ALL2Click"},
};

}  // namespace

std::span<const ControlSpec> MainWindowInventory() {
  return kInventory;
}

std::span<const MenuItemSpec> MenuItems(PopupMenu menu) {
  switch (menu) {
    case PopupMenu::PopupMenu1:
      return kPopupMenu1;
    case PopupMenu::DbAndCheck:
      return kDbAndCheck;
    case PopupMenu::None:
      break;
  }
  return {};
}

}  // namespace sattrail
