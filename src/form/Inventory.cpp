// SPDX-License-Identifier: BSD-2-Clause
#include "form/Inventory.h"

#include <array>

#include "platform/ControlNames.h"

namespace sattrail {

namespace {

using K = ControlKind;
using C = Colour;
using M = PopupMenu;
using H = Handler;

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
    ControlSpec{.name = control::GroupBox3, .kind = K::GroupBox, .parent = {}, .left = 7, .top = 23, .width = 185, .height = 137, .colour = C::MoneyGreen},
    ControlSpec{.name = control::GroupBox1, .kind = K::GroupBox, .parent = {}, .left = 0, .top = 159, .width = 192, .height = 80},
    ControlSpec{.name = control::GroupBox4, .kind = K::GroupBox, .parent = {}, .left = 200, .top = 158, .width = 187, .height = 81, .colour = C::Silver, .menu = M::DbAndCheck},
    ControlSpec{.name = control::GroupBox2, .kind = K::GroupBox, .parent = {}, .left = 199, .top = 22, .width = 185, .height = 137, .colour = C::SkyBlue},
    ControlSpec{.name = control::GroupBox5, .kind = K::GroupBox, .parent = {}, .left = 199, .top = 1, .width = 185, .height = 27},
    ControlSpec{.name = control::BitBtn3, .kind = K::BitButton, .parent = {}, .left = 63, .top = 174, .width = 25, .height = 20, .visible = false, .handler = H::BitBtn3Click},
    ControlSpec{.name = control::BitBtn4, .kind = K::BitButton, .parent = {}, .left = 37, .top = 204, .width = 27, .height = 19, .visible = false},
    ControlSpec{.name = control::BitBtn5, .kind = K::BitButton, .parent = {}, .left = 37, .top = 183, .width = 25, .height = 19, .visible = false, .handler = H::BitBtn5Click},
    ControlSpec{.name = control::Button2, .kind = K::Button, .parent = {}, .left = 15, .top = 183, .width = 22, .height = 20, .text = "B", .visible = false, .handler = H::Button2Click},
    ControlSpec{.name = control::Button3, .kind = K::Button, .parent = {}, .left = 135, .top = 174, .width = 17, .height = 25, .text = "Button3", .visible = false, .handler = H::Button3Click},
    ControlSpec{.name = control::GroupBox7, .kind = K::GroupBox, .parent = {}, .left = 7, .top = 0, .width = 185, .height = 31},

    // Port panel.
    ControlSpec{.name = control::Label11, .kind = K::Label, .parent = control::GroupBox7, .left = 154, .top = 12, .width = 31, .height = 14, .text = "V1.4A", .fontFace = "Arial"},
    ControlSpec{.name = control::BitBtn2, .kind = K::BitButton, .parent = control::GroupBox7, .left = 120, .top = 8, .width = 24, .height = 20, .visible = false, .handler = H::BitBtn2Click},
    ControlSpec{.name = control::BitBtn1, .kind = K::BitButton, .parent = control::GroupBox7, .left = 104, .top = 8, .width = 21, .height = 21, .visible = false},
    ControlSpec{.name = control::ComboBox2, .kind = K::ComboBox, .parent = control::GroupBox7, .left = 56, .top = 8, .width = 57, .height = 21, .text = "COM1", .colour = C::SystemWindow, .items = kPorts},
    ControlSpec{.name = control::ComboBox1, .kind = K::ComboBox, .parent = control::GroupBox7, .left = 4, .top = 8, .width = 53, .height = 21, .text = "4800", .colour = C::SystemWindow, .items = kSpeeds},
    ControlSpec{.name = control::ButOpenGps, .kind = K::Button, .parent = control::GroupBox7, .left = 112, .top = 8, .width = 40, .height = 20, .text = "On", .handler = H::ButOpenGpsClick},

    // Command panel.
    ControlSpec{.name = control::SetMsg, .kind = K::ComboBox, .parent = control::GroupBox5, .left = 104, .top = 8, .width = 81, .height = 21, .text = "Command", .colour = C::SystemWindow, .handler = H::SetMsgChange, .items = kCommands},
    ControlSpec{.name = control::Button1, .kind = K::Button, .parent = control::GroupBox5, .left = 72, .top = 8, .width = 33, .height = 16, .text = "Cold", .handler = H::Button1Click},
    ControlSpec{.name = control::Com2B, .kind = K::Button, .parent = control::GroupBox5, .left = 36, .top = 8, .width = 33, .height = 16, .text = "Warm", .handler = H::Com2BClick},
    ControlSpec{.name = control::BuHS, .kind = K::Button, .parent = control::GroupBox5, .left = 2, .top = 8, .width = 30, .height = 17, .text = "Hot", .handler = H::BuHSClick},

    // Sky panel.
    ControlSpec{.name = control::Image2, .kind = K::Image, .parent = control::GroupBox3, .left = 43, .top = 10, .width = 94, .height = 98, .menu = M::PopupMenu1, .transparent = true},
    ControlSpec{.name = control::Label1, .kind = K::Label, .parent = control::GroupBox3, .left = 89, .top = 7, .width = 8, .height = 13, .text = "N"},
    ControlSpec{.name = control::Label17, .kind = K::Label, .parent = control::GroupBox3, .left = 42, .top = 54, .width = 11, .height = 13, .text = "W"},
    ControlSpec{.name = control::Label18, .kind = K::Label, .parent = control::GroupBox3, .left = 89, .top = 98, .width = 7, .height = 13, .text = "S"},
    ControlSpec{.name = control::Label19, .kind = K::Label, .parent = control::GroupBox3, .left = 133, .top = 55, .width = 7, .height = 13, .text = "E"},
    ControlSpec{.name = control::Shape8, .kind = K::Shape, .parent = control::GroupBox3, .left = 58, .top = 61, .width = 70, .height = 1, .colour = C::White},
    ControlSpec{.name = control::Shape9, .kind = K::Shape, .parent = control::GroupBox3, .left = 92, .top = 22, .width = 1, .height = 75, .colour = C::White},
    ControlSpec{.name = control::Button4, .kind = K::Button, .parent = control::GroupBox3, .left = 96, .top = 184, .width = 27, .height = 17, .text = "V"},
    ControlSpec{.name = control::EdTime, .kind = K::Edit, .parent = control::GroupBox3, .left = 134, .top = 117, .width = 52, .height = 21, .text = "00:00:00", .colour = C::SystemWindow},
    ControlSpec{.name = control::EdDate, .kind = K::Edit, .parent = control::GroupBox3, .left = 0, .top = 115, .width = 65, .height = 21, .text = "2004/00/00", .colour = C::SystemWindow},

    // Signal panel.
    ControlSpec{.name = control::Shape3, .kind = K::Shape, .parent = control::GroupBox1, .left = 10, .top = 5, .width = 172, .height = 71, .colour = C::MoneyGreen},
    ControlSpec{.name = control::Image1, .kind = K::Image, .parent = control::GroupBox1, .left = 14, .top = 8, .width = 164, .height = 64, .menu = M::DbAndCheck},
    ControlSpec{.name = control::Shape2, .kind = K::Shape, .parent = control::GroupBox1, .left = 8, .top = 94, .width = 41, .height = 1, .colour = C::White},
    ControlSpec{.name = "", .kind = K::Shape, .parent = control::GroupBox1, .left = 17, .top = 73, .width = 0, .height = 38, .colour = C::White},
    ControlSpec{.name = control::Shape1, .kind = K::Shape, .parent = control::GroupBox1, .left = 8, .top = 96, .width = 1, .height = 10, .colour = C::White},
    ControlSpec{.name = control::Shape7, .kind = K::Shape, .parent = control::GroupBox1, .left = 10, .top = 54, .width = 164, .height = 2, .colour = C::Lime},

    // NMEA panel.
    ControlSpec{.name = control::Label20, .kind = K::Label, .parent = control::GroupBox2, .left = 53, .top = 99, .width = 30, .height = 13, .text = "PDOP"},
    ControlSpec{.name = control::Label2, .kind = K::Label, .parent = control::GroupBox2, .left = 10, .top = 99, .width = 27, .height = 13, .text = "Mode", .menu = M::DbAndCheck},
    ControlSpec{.name = control::Label21, .kind = K::Label, .parent = control::GroupBox2, .left = 115, .top = 99, .width = 16, .height = 13, .text = "Ver"},
    ControlSpec{.name = control::Label22, .kind = K::Label, .parent = control::GroupBox2, .left = 156, .top = 100, .width = 20, .height = 13, .text = "TTF"},
    ControlSpec{.name = control::EdPDOP, .kind = K::Edit, .parent = control::GroupBox2, .left = 52, .top = 112, .width = 45, .height = 21, .colour = C::SystemWindow},
    ControlSpec{.name = control::Edit6, .kind = K::Edit, .parent = control::GroupBox2, .left = 7, .top = 112, .width = 42, .height = 21, .colour = C::SystemWindow, .readOnly = true, .menu = M::DbAndCheck, .fontPixels = 8},
    ControlSpec{.name = control::Ed2Dt, .kind = K::Edit, .parent = control::GroupBox2, .left = 136, .top = 40, .width = 29, .height = 21, .text = "0", .colour = C::SystemWindow, .visible = false},
    ControlSpec{.name = control::Ed3Dt, .kind = K::Edit, .parent = control::GroupBox2, .left = 149, .top = 112, .width = 31, .height = 21, .text = "0", .colour = C::SystemWindow},
    ControlSpec{.name = control::EdCommand, .kind = K::Edit, .parent = control::GroupBox2, .left = 8, .top = 72, .width = 121, .height = 21, .text = "@GSV 1", .colour = C::SystemWindow, .handler = H::EdCommandEnter},
    ControlSpec{.name = control::Send, .kind = K::Button, .parent = control::GroupBox2, .left = 136, .top = 72, .width = 43, .height = 23, .text = "Send", .handler = H::SendClick},
    ControlSpec{.name = control::Edit7, .kind = K::Edit, .parent = control::GroupBox2, .left = 100, .top = 112, .width = 49, .height = 21, .colour = C::SystemWindow, .menu = M::DbAndCheck},
    ControlSpec{.name = control::GroupBox6, .kind = K::GroupBox, .parent = control::GroupBox2, .left = 8, .top = 8, .width = 172, .height = 57},
    ControlSpec{.name = control::OutTextBox, .kind = K::Memo, .parent = control::GroupBox6, .left = 5, .top = 11, .width = 162, .height = 41, .colour = C::SystemWindow, .menu = M::PopupMenu1},

    // Information panel.
    ControlSpec{.name = control::Label3, .kind = K::Label, .parent = control::GroupBox4, .left = 90, .top = 95, .width = 23, .height = 13, .text = "Time", .menu = M::DbAndCheck},
    ControlSpec{.name = control::Label4, .kind = K::Label, .parent = control::GroupBox4, .left = 55, .top = 7, .width = 38, .height = 13, .text = "Latitude", .menu = M::DbAndCheck},
    ControlSpec{.name = control::Label5, .kind = K::Label, .parent = control::GroupBox4, .left = 125, .top = 7, .width = 47, .height = 13, .text = "Longitude", .menu = M::DbAndCheck},
    ControlSpec{.name = control::Label6, .kind = K::Label, .parent = control::GroupBox4, .left = 9, .top = 42, .width = 31, .height = 13, .text = "Height", .menu = M::DbAndCheck},
    ControlSpec{.name = control::Label7, .kind = K::Label, .parent = control::GroupBox4, .left = 52, .top = 43, .width = 23, .height = 13, .text = "GGA", .menu = M::DbAndCheck},
    ControlSpec{.name = control::Label8, .kind = K::Label, .parent = control::GroupBox4, .left = 97, .top = 43, .width = 22, .height = 13, .text = "GSA", .menu = M::DbAndCheck},
    ControlSpec{.name = control::Label9, .kind = K::Label, .parent = control::GroupBox4, .left = 53, .top = 67, .width = 22, .height = 13, .text = "GSV", .menu = M::DbAndCheck},
    ControlSpec{.name = control::Label10, .kind = K::Label, .parent = control::GroupBox4, .left = 143, .top = 42, .width = 24, .height = 13, .text = "RMC", .menu = M::DbAndCheck},
    ControlSpec{.name = control::Label14, .kind = K::Label, .parent = control::GroupBox4, .left = 145, .top = 66, .width = 20, .height = 13, .text = "GLL", .menu = M::DbAndCheck},
    ControlSpec{.name = control::Label15, .kind = K::Label, .parent = control::GroupBox4, .left = 97, .top = 66, .width = 22, .height = 13, .text = "VTG", .menu = M::DbAndCheck},
    ControlSpec{.name = control::Label16, .kind = K::Label, .parent = control::GroupBox4, .left = 131, .top = 92, .width = 22, .height = 13, .text = "ZDA", .visible = false, .menu = M::DbAndCheck},
    ControlSpec{.name = control::Label23, .kind = K::Label, .parent = control::GroupBox4, .left = 4, .top = 8, .width = 31, .height = 13, .text = "Speed", .menu = M::DbAndCheck},
    ControlSpec{.name = control::Edit8, .kind = K::Edit, .parent = control::GroupBox4, .left = 37, .top = 20, .width = 73, .height = 21, .colour = C::SystemWindow, .menu = M::DbAndCheck},
    ControlSpec{.name = control::Edit9, .kind = K::Edit, .parent = control::GroupBox4, .left = 110, .top = 20, .width = 74, .height = 21, .colour = C::SystemWindow, .menu = M::DbAndCheck},
    ControlSpec{.name = control::Edit10, .kind = K::Edit, .parent = control::GroupBox4, .left = 88, .top = 108, .width = 33, .height = 21, .text = "0", .colour = C::SystemScrollBar, .menu = M::DbAndCheck},
    ControlSpec{.name = control::CheckBox1, .kind = K::CheckBox, .parent = control::GroupBox4, .left = 78, .top = 41, .width = 17, .height = 17, .text = "CheckBox1", .enabled = false},
    ControlSpec{.name = control::CheckBox2, .kind = K::CheckBox, .parent = control::GroupBox4, .left = 123, .top = 41, .width = 17, .height = 17, .text = "CheckBox1", .enabled = false},
    ControlSpec{.name = control::CheckBox3, .kind = K::CheckBox, .parent = control::GroupBox4, .left = 78, .top = 63, .width = 17, .height = 17, .text = "CheckBox1", .enabled = false},
    ControlSpec{.name = control::CheckBox4, .kind = K::CheckBox, .parent = control::GroupBox4, .left = 170, .top = 41, .width = 18, .height = 17, .text = "CheckBox1", .enabled = false},
    ControlSpec{.name = control::CheckBox5, .kind = K::CheckBox, .parent = control::GroupBox4, .left = 170, .top = 65, .width = 17, .height = 17, .text = "CheckBox1", .enabled = false},
    ControlSpec{.name = control::CheckBox6, .kind = K::CheckBox, .parent = control::GroupBox4, .left = 122, .top = 63, .width = 17, .height = 17, .text = "CheckBox1", .enabled = false},
    ControlSpec{.name = control::CheckBox7, .kind = K::CheckBox, .parent = control::GroupBox4, .left = 156, .top = 97, .width = 17, .height = 17, .text = "ZDA", .visible = false, .enabled = false},
    ControlSpec{.name = control::Edit11, .kind = K::Edit, .parent = control::GroupBox4, .left = 136, .top = 105, .width = 17, .height = 21, .text = "/", .colour = C::System3DLight, .visible = false, .readOnly = true},
    ControlSpec{.name = control::EdSpeed, .kind = K::Edit, .parent = control::GroupBox4, .left = 3, .top = 20, .width = 34, .height = 21, .colour = C::SystemWindow},
    ControlSpec{.name = control::EdHeight, .kind = K::Edit, .parent = control::GroupBox4, .left = 4, .top = 56, .width = 41, .height = 21, .colour = C::SystemWindow},
};
// clang-format on

constexpr std::array kPopupMenu1 = {
    MenuItemSpec{control::N1, "Satellites", H::N1Click},
    MenuItemSpec{control::N2, "NMEA", H::N2Click},
    MenuItemSpec{control::ALL1, "ALL", H::ALL1Click},
};

constexpr std::array kDbAndCheck = {
    MenuItemSpec{control::DV1, "Signal", H::DV1Click},
    MenuItemSpec{control::N3, "Information", H::N3Click},
    MenuItemSpec{control::ALL2, "ALL", H::ALL2Click},
};

}  // namespace

std::span<const ControlSpec> MainWindowInventory() {
  return kInventory;
}

PopupMenuSpec MenuSpec(PopupMenu menu) {
  if (menu == PopupMenu::PopupMenu1) return {control::PopupMenu1, kPopupMenu1};
  if (menu == PopupMenu::DbAndCheck) return {control::DbAndCheck, kDbAndCheck};
  return {};
}

}  // namespace sattrail
