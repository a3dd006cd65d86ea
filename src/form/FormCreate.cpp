// SPDX-License-Identifier: BSD-2-Clause
#include "form/FormCreate.h"

#include "form/Inventory.h"
#include "platform/ControlNames.h"

namespace sattrail {

void FormCreate(Window& window) {
  window.SetLeft(control::GroupBox2, kRightColumnLeft);
  window.SetLeft(control::GroupBox4, kRightColumnLeft);
  window.SetWidth(kFormCreateWidth);
  window.SetHeight(kFormCreateHeight);
  window.SetText(control::OutTextBox, "");
  window.SetText(control::Edit6, "");
  window.SetText(control::Edit7, "");
  window.SetText(control::Edit8, "");
  window.SetText(control::Edit9, "");
  window.SetText(control::Edit10, "0");
  window.SetText(control::EdHeight, "0");
}

}  // namespace sattrail
