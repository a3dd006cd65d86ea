// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <string_view>

// The component names of the main window's controls, pop-up menus and menu items, each
// written once. The logic, the window front ends, the replay's report and the tests reach
// a control through these, so that a misspelt name fails to compile instead of reaching
// nothing.
namespace sattrail::control {

// The window's direct children: the panels and the hidden buttons.
inline constexpr std::string_view GroupBox3 = "GroupBox3";
inline constexpr std::string_view GroupBox1 = "GroupBox1";
inline constexpr std::string_view GroupBox4 = "GroupBox4";
inline constexpr std::string_view GroupBox2 = "GroupBox2";
inline constexpr std::string_view GroupBox5 = "GroupBox5";
inline constexpr std::string_view BitBtn3 = "BitBtn3";
inline constexpr std::string_view BitBtn4 = "BitBtn4";
inline constexpr std::string_view BitBtn5 = "BitBtn5";
inline constexpr std::string_view Button2 = "Button2";
inline constexpr std::string_view Button3 = "Button3";
inline constexpr std::string_view GroupBox7 = "GroupBox7";

// Port panel.
inline constexpr std::string_view Label11 = "Label11";
inline constexpr std::string_view BitBtn2 = "BitBtn2";
inline constexpr std::string_view BitBtn1 = "BitBtn1";
inline constexpr std::string_view ComboBox2 = "ComboBox2";
inline constexpr std::string_view ComboBox1 = "ComboBox1";
inline constexpr std::string_view ButOpenGps = "ButOpenGps";

// Command panel.
inline constexpr std::string_view SetMsg = "SetMsg";
inline constexpr std::string_view Button1 = "Button1";
inline constexpr std::string_view Com2B = "Com2B";
inline constexpr std::string_view BuHS = "BuHS";

// Sky panel.
inline constexpr std::string_view Image2 = "Image2";
inline constexpr std::string_view Label1 = "Label1";
inline constexpr std::string_view Label17 = "Label17";
inline constexpr std::string_view Label18 = "Label18";
inline constexpr std::string_view Label19 = "Label19";
inline constexpr std::string_view Shape8 = "Shape8";
inline constexpr std::string_view Shape9 = "Shape9";
inline constexpr std::string_view Button4 = "Button4";
inline constexpr std::string_view EdTime = "EdTime";
inline constexpr std::string_view EdDate = "EdDate";

// Signal panel.
inline constexpr std::string_view Shape3 = "Shape3";
inline constexpr std::string_view Image1 = "Image1";
inline constexpr std::string_view Shape2 = "Shape2";
inline constexpr std::string_view Shape1 = "Shape1";
inline constexpr std::string_view Shape7 = "Shape7";

// NMEA panel.
inline constexpr std::string_view Label20 = "Label20";
inline constexpr std::string_view Label2 = "Label2";
inline constexpr std::string_view Label21 = "Label21";
inline constexpr std::string_view Label22 = "Label22";
inline constexpr std::string_view EdPDOP = "EdPDOP";
inline constexpr std::string_view Edit6 = "Edit6";
inline constexpr std::string_view Ed2Dt = "Ed2Dt";
inline constexpr std::string_view Ed3Dt = "Ed3Dt";
inline constexpr std::string_view EdCommand = "EdCommand";
inline constexpr std::string_view Send = "Send";
inline constexpr std::string_view Edit7 = "Edit7";
inline constexpr std::string_view GroupBox6 = "GroupBox6";

// Inside the NMEA panel's frame.
inline constexpr std::string_view OutTextBox = "OutTextBox";

// Information panel.
inline constexpr std::string_view Label3 = "Label3";
inline constexpr std::string_view Label4 = "Label4";
inline constexpr std::string_view Label5 = "Label5";
inline constexpr std::string_view Label6 = "Label6";
inline constexpr std::string_view Label7 = "Label7";
inline constexpr std::string_view Label8 = "Label8";
inline constexpr std::string_view Label9 = "Label9";
inline constexpr std::string_view Label10 = "Label10";
inline constexpr std::string_view Label14 = "Label14";
inline constexpr std::string_view Label15 = "Label15";
inline constexpr std::string_view Label16 = "Label16";
inline constexpr std::string_view Label23 = "Label23";
inline constexpr std::string_view Edit8 = "Edit8";
inline constexpr std::string_view Edit9 = "Edit9";
inline constexpr std::string_view Edit10 = "Edit10";
inline constexpr std::string_view CheckBox1 = "CheckBox1";
inline constexpr std::string_view CheckBox2 = "CheckBox2";
inline constexpr std::string_view CheckBox3 = "CheckBox3";
inline constexpr std::string_view CheckBox4 = "CheckBox4";
inline constexpr std::string_view CheckBox5 = "CheckBox5";
inline constexpr std::string_view CheckBox6 = "CheckBox6";
inline constexpr std::string_view CheckBox7 = "CheckBox7";
inline constexpr std::string_view Edit11 = "Edit11";
inline constexpr std::string_view EdSpeed = "EdSpeed";
inline constexpr std::string_view EdHeight = "EdHeight";

// The two pop-up menus and their items.
inline constexpr std::string_view PopupMenu1 = "PopupMenu1";
inline constexpr std::string_view N1 = "N1";
inline constexpr std::string_view N2 = "N2";
inline constexpr std::string_view ALL1 = "ALL1";
inline constexpr std::string_view DbAndCheck = "DbAndCheck";
inline constexpr std::string_view DV1 = "DV1";
inline constexpr std::string_view N3 = "N3";
inline constexpr std::string_view ALL2 = "ALL2";

}  // namespace sattrail::control
