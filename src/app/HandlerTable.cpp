// SPDX-License-Identifier: BSD-2-Clause
#include "app/HandlerTable.h"

#include <stdexcept>

#include "app/PanelLayouts.h"
#include "form/FormCreate.h"
#include "nmea/FixTimer.h"
#include "serial/PortOpening.h"
#include "serial/ReceivePoll.h"
#include "serial/ReceiverCommands.h"

namespace sattrail {

namespace {

using Body = void (*)(SerialLink&);

struct HandlerRow {
  Handler handler;
  Body body;
};

// Every handler and what it does, one row each. The handlers ignore their sender.
constexpr HandlerRow kHandlers[] = {
    {Handler::FormCreate, [](SerialLink& link) { FormCreate(link.window); }},
    {Handler::ButOpenGpsClick, ButOpenGpsClick},
    {Handler::Timer1Timer, Timer1Timer},
    {Handler::Timer2Timer, [](SerialLink& link) { AdvanceTimeToFix(link.run, link.window); }},
    {Handler::BuHSClick, [](SerialLink& link) { SendStartCommand(link, StartCommand::Hot); }},
    {Handler::Com2BClick, [](SerialLink& link) { SendStartCommand(link, StartCommand::Warm); }},
    {Handler::Button1Click, [](SerialLink& link) { SendStartCommand(link, StartCommand::Cold); }},
    {Handler::SendClick, SendClick},
    {Handler::SetMsgChange, SetMsgChange},
    {Handler::EdCommandEnter, [](SerialLink&) {}},  // gaining the focus does nothing
    // The pop-up menus' layouts.
    {Handler::N1Click, [](SerialLink& link) { FoldToUpperPanel(link.window, UpperPanel::Sky); }},
    {Handler::N2Click, [](SerialLink& link) { FoldToUpperPanel(link.window, UpperPanel::Nmea); }},
    {Handler::ALL1Click, [](SerialLink& link) { ShowAllPanels(link.window); }},
    {Handler::DV1Click,
     [](SerialLink& link) { FoldToLowerPanel(link.window, LowerPanel::Signal); }},
    {Handler::N3Click,
     [](SerialLink& link) { FoldToLowerPanel(link.window, LowerPanel::Information); }},
    {Handler::ALL2Click, [](SerialLink& link) { ShowAllPanels(link.window); }},
    // The hidden buttons.
    {Handler::BitBtn2Click,
     [](SerialLink& link) {
       BitBtn2ShowAndStop(link.window, link.timer1, link.timer2);
       CloseComPort(link);
     }},
    {Handler::BitBtn3Click, [](SerialLink& link) { BitBtn3Click(link.window); }},
    {Handler::BitBtn5Click, [](SerialLink& link) { BitBtn5Click(link.window); }},
    {Handler::Button2Click, [](SerialLink& link) { Button2Click(link.window); }},
    {Handler::Button3Click, [](SerialLink& link) { Button3Click(link.window); }},
};

}  // namespace

void RunHandler(Handler handler, SerialLink& link) {
  for (const HandlerRow& row : kHandlers) {
    if (row.handler == handler) return row.body(link);
  }
  throw std::logic_error("a handler without a body");
}

}  // namespace sattrail
