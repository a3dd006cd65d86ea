// TEMPORARY: stand-ins for serial handlers whose definitions have not landed yet, so that
// the window links. Weak, so a real definition that is linked wins; delete this file as
// soon as src/serial defines all of them.
#include "serial/PortOpening.h"
#include "serial/ReceivePoll.h"
#include "serial/ReceiverCommands.h"

namespace sattrail {

[[gnu::weak]] void ButOpenGpsClick(SerialLink&) {}
[[gnu::weak]] void CloseComPort(SerialLink&) {}
[[gnu::weak]] void Timer1Timer(SerialLink&) {}
[[gnu::weak]] void SendStartCommand(SerialLink&, StartCommand) {}
[[gnu::weak]] void SetMsgChange(SerialLink&) {}
[[gnu::weak]] void SendClick(SerialLink&) {}

}  // namespace sattrail
