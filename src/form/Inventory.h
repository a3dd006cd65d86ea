// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <span>
#include <string_view>

#include "form/Handler.h"

namespace sattrail {

enum class ControlKind {
  GroupBox,
  Label,
  Edit,
  Memo,
  CheckBox,
  Button,
  BitButton,
  ComboBox,
  Image,
  Shape
};

// A control's own colour. `Parent` lets the parent's colour show through (labels, check
// boxes, group boxes without one); `SystemWindow` is the system's window background, the
// colour of edit boxes, combo boxes and the memo without one; `White` is a shape's default
// fill. The system colours follow the platform's palette.
enum class Colour {
  Parent,
  SystemWindow,
  SystemScrollBar,
  System3DLight,
  MoneyGreen,  // (192, 220, 192)
  SkyBlue,     // (166, 202, 240)
  Silver,      // (192, 192, 192)
  Lime,        // (0, 255, 0)
  White,
};

enum class PopupMenu { None, PopupMenu1, DbAndCheck };

// The window's font is 11 pixels high; a control whose row says so has another height.
inline constexpr int kWindowFontPixels = 11;

// One control of the main window as designed. Geometry is relative to the parent, whose
// frame is included; an empty parent is the window's client area. `handler` is the handler
// bound to the control's one event: a click for buttons, a change for combo boxes, gaining
// the focus for edit boxes.
struct ControlSpec {
  std::string_view name;  // empty: a control without a name, reachable by none
  ControlKind kind;
  std::string_view parent;
  int left;
  int top;
  int width;
  int height;
  std::string_view text = {};
  Colour colour = Colour::Parent;
  bool visible = true;
  bool enabled = true;
  bool readOnly = false;
  PopupMenu menu = PopupMenu::None;
  Handler handler = Handler::None;
  std::span<const std::string_view> items = {};
  std::string_view fontFace = "MS Sans Serif";
  int fontPixels = kWindowFontPixels;
  bool transparent = false;  // images: the bottom-left pixel's colour lets the parent show
};

// Every control of the main window, in creation order: parents before their children and,
// among siblings, bottom first.
std::span<const ControlSpec> MainWindowInventory();

struct MenuItemSpec {
  std::string_view name;
  std::string_view caption;
  Handler handler;
};

struct PopupMenuSpec {
  std::string_view name;
  std::span<const MenuItemSpec> items;  // in order
};

// One of the two pop-up menus; no name and no items for PopupMenu::None.
PopupMenuSpec MenuSpec(PopupMenu menu);

// The window itself: its caption at start, its client size as designed, and the outer size
// that FormCreate gives it (auto-size then fits the client area to the panels).
inline constexpr std::string_view kWindowCaption = "GPS 1.4A";
inline constexpr int kDesignedClientWidth = 387;
inline constexpr int kDesignedClientHeight = 239;
inline constexpr int kFormCreateWidth = 390;
inline constexpr int kFormCreateHeight = 264;
inline constexpr std::string_view kApplicationTitle = "Sattrail";
inline constexpr int kTimer2Interval = 1000;

}  // namespace sattrail
