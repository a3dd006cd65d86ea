// SPDX-License-Identifier: BSD-2-Clause
#pragma once

namespace sattrail {

// The main window's event handlers, named after the control and the event. The inventory
// binds controls and menu items to them; the application's handler table says what each
// one does.
enum class Handler {
  None,  // a control without an event
  FormCreate,
  ButOpenGpsClick,
  Timer1Timer,
  Timer2Timer,
  BuHSClick,
  Com2BClick,
  Button1Click,
  SendClick,
  SetMsgChange,
  EdCommandEnter,
  N1Click,
  N2Click,
  ALL1Click,
  DV1Click,
  N3Click,
  ALL2Click,
  BitBtn2Click,
  BitBtn3Click,
  BitBtn5Click,
  Button2Click,
  Button3Click,
};

}  // namespace sattrail
