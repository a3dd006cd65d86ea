// SPDX-License-Identifier: BSD-2-Clause
// Only kernel headers here: <asm/termbits.h> defines the kernel's struct termios and
// termios2, which cannot live beside the C library's <termios.h>.
#include "platform/linux/TerminalSettings.h"

#include <asm/termbits.h>
#include <linux/serial.h>
#include <sys/ioctl.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <utility>

namespace sattrail::serial_linux {
namespace {

// The classic rate constants, for devices that report one of them instead of BOTHER.
constexpr std::array<std::pair<unsigned, std::uint32_t>, 31> kRateConstants{{
    {B0, 0},
    {B50, 50},
    {B75, 75},
    {B110, 110},
    {B134, 134},
    {B150, 150},
    {B200, 200},
    {B300, 300},
    {B600, 600},
    {B1200, 1200},
    {B1800, 1800},
    {B2400, 2400},
    {B4800, 4800},
    {B9600, 9600},
    {B19200, 19200},
    {B38400, 38400},
    {B57600, 57600},
    {B115200, 115200},
    {B230400, 230400},
    {B460800, 460800},
    {B500000, 500000},
    {B576000, 576000},
    {B921600, 921600},
    {B1000000, 1000000},
    {B1152000, 1152000},
    {B1500000, 1500000},
    {B2000000, 2000000},
    {B2500000, 2500000},
    {B3000000, 3000000},
    {B3500000, 3500000},
    {B4000000, 4000000},
}};

bool Fail(int error) {
  errno = error;
  return false;
}

bool CharacterSize(std::uint8_t byteSize, unsigned& flag) {
  switch (byteSize) {
    case 5:
      flag = CS5;
      return true;
    case 6:
      flag = CS6;
      return true;
    case 7:
      flag = CS7;
      return true;
    case 8:
      flag = CS8;
      return true;
    default:
      return false;
  }
}

// Parity 0 none, 1 odd, 2 even, 3 mark, 4 space.
bool ParityFlags(std::uint8_t parity, unsigned& flags) {
  switch (parity) {
    case 0:
      flags = 0;
      return true;
    case 1:
      flags = PARENB | PARODD;
      return true;
    case 2:
      flags = PARENB;
      return true;
    case 3:
      flags = PARENB | PARODD | CMSPAR;
      return true;
    case 4:
      flags = PARENB | CMSPAR;
      return true;
    default:
      return false;
  }
}

// Modem-line changes fail on pseudo-terminals and on adapters without the lines; the
// settings above them still hold, so the failure is not the caller's concern.
void SetModemLine(int fd, int line, bool on) {
  const int saved = errno;
  ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line);
  errno = saved;
}

std::uint32_t OutputRate(const struct termios2& tio) {
  const unsigned code = tio.c_cflag & CBAUD;
  if (code == BOTHER) return tio.c_ospeed;
  for (const auto& [constant, rate] : kRateConstants) {
    if (constant == code) return rate;
  }
  return tio.c_ospeed;
}

// Raw: bytes pass untouched in both directions, no echo, no line discipline editing.
void MakeRaw(struct termios2& tio) {
  tio.c_iflag &= ~static_cast<unsigned>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                        IXON | IXOFF | IXANY | INPCK | IGNPAR);
  tio.c_oflag &= ~static_cast<unsigned>(OPOST);
  tio.c_lflag &= ~static_cast<unsigned>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  tio.c_cflag &=
      ~static_cast<unsigned>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CBAUD | CIBAUD);
  tio.c_cflag |= CREAD | CLOCAL;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
}

void WriteFraming(struct termios2& tio, unsigned size, unsigned parity, std::uint8_t stopBits) {
  tio.c_cflag |= size | parity;
  if (stopBits != 0) tio.c_cflag |= CSTOPB;  // 1.5 is not offered: two stop bits
}

void WriteFlowControl(struct termios2& tio, const DeviceControlBlock& settings) {
  if (settings.fParity) tio.c_iflag |= INPCK;
  if (settings.fOutxCtsFlow || settings.fRtsControl == 2) tio.c_cflag |= CRTSCTS;
  if (settings.fOutX) tio.c_iflag |= IXON;
  if (settings.fInX) tio.c_iflag |= IXOFF;
}

// Every rate goes through BOTHER, so 14400, which has no rate constant, is set as exactly as
// 4800. CIBAUD left zero: the input rate follows the output rate.
void WriteRate(struct termios2& tio, std::uint32_t rate) {
  tio.c_cflag |= BOTHER;
  tio.c_ospeed = rate;
  tio.c_ispeed = rate;
}

// A UART that cannot come near the rate reports the one it chose; more than 3% off and the
// receiver's bytes would arrive garbled.
bool RateTakenNearly(int fd, std::uint32_t rate) {
  struct termios2 actual {};
  if (ioctl(fd, TCGETS2, &actual) != 0) return false;
  const long wanted = static_cast<long>(rate);
  if (std::labs(static_cast<long>(OutputRate(actual)) - wanted) * 100 > wanted * 3) {
    return Fail(EINVAL);
  }
  return true;
}

std::uint8_t ReadCharacterSize(const struct termios2& tio) {
  switch (tio.c_cflag & CSIZE) {
    case CS5:
      return 5;
    case CS6:
      return 6;
    case CS7:
      return 7;
    default:
      return 8;
  }
}

// The mirror of ParityFlags.
std::uint8_t ReadParity(const struct termios2& tio) {
  if ((tio.c_cflag & PARENB) == 0) return 0;
  const bool odd = (tio.c_cflag & PARODD) != 0;
  if ((tio.c_cflag & CMSPAR) != 0) return odd ? 3 : 4;
  return odd ? 1 : 2;
}

void ReadFraming(const struct termios2& tio, DeviceControlBlock& settings) {
  settings.ByteSize = ReadCharacterSize(tio);
  settings.Parity = ReadParity(tio);
  settings.StopBits = (tio.c_cflag & CSTOPB) != 0 ? 2 : 0;
}

void ReadFlowControl(const struct termios2& tio, DeviceControlBlock& settings) {
  settings.fParity = (tio.c_iflag & INPCK) != 0;
  settings.fOutxCtsFlow = (tio.c_cflag & CRTSCTS) != 0;
  settings.fOutX = (tio.c_iflag & IXON) != 0;
  settings.fInX = (tio.c_iflag & IXOFF) != 0;
}

// The DTR and RTS lines as the device reports them. A record value under which the driver
// moves the line itself (DTR 2, RTS 3) stays while the line is on; RTS under the hardware
// handshake is 2.
void ReadModemLines(int lines, bool handshake, DeviceControlBlock& settings) {
  const bool dtr = (lines & TIOCM_DTR) != 0;
  if (!(settings.fDtrControl == 2 && dtr)) settings.fDtrControl = dtr ? 1 : 0;
  const bool rts = (lines & TIOCM_RTS) != 0;
  if (handshake) {
    settings.fRtsControl = 2;
  } else if (!(settings.fRtsControl == 3 && rts)) {
    settings.fRtsControl = rts ? 1 : 0;
  }
}

// No modem lines to ask (a pseudo-terminal): only the handshake flag is known.
void ReadHandshakeOnly(bool handshake, DeviceControlBlock& settings) {
  if (handshake) {
    settings.fRtsControl = 2;
  } else if (settings.fRtsControl == 2) {
    settings.fRtsControl = 1;
  }
}

}  // namespace

bool ApplyTerminalSettings(int fd, const DeviceControlBlock& settings) {
  unsigned size = 0;
  unsigned parity = 0;
  if (settings.BaudRate == 0 || !CharacterSize(settings.ByteSize, size) ||
      !ParityFlags(settings.Parity, parity) || settings.StopBits > 2) {
    return Fail(EINVAL);
  }
  struct termios2 tio {};
  if (ioctl(fd, TCGETS2, &tio) != 0) return false;
  MakeRaw(tio);
  WriteFraming(tio, size, parity, settings.StopBits);
  WriteFlowControl(tio, settings);
  WriteRate(tio, settings.BaudRate);
  if (ioctl(fd, TCSETS2, &tio) != 0) return false;
  if (!RateTakenNearly(fd, settings.BaudRate)) return false;
  SetModemLine(fd, TIOCM_DTR, settings.fDtrControl != 0);
  SetModemLine(fd, TIOCM_RTS, settings.fRtsControl != 0);
  return true;
}

bool ReadTerminalSettings(int fd, DeviceControlBlock& settings) {
  struct termios2 tio {};
  if (ioctl(fd, TCGETS2, &tio) != 0) return false;
  settings.BaudRate = OutputRate(tio);
  ReadFraming(tio, settings);
  ReadFlowControl(tio, settings);
  const bool handshake = (tio.c_cflag & CRTSCTS) != 0;
  int lines = 0;
  const int saved = errno;
  if (ioctl(fd, TIOCMGET, &lines) == 0) {
    ReadModemLines(lines, handshake, settings);
  } else {
    errno = saved;
    ReadHandshakeOnly(handshake, settings);
  }
  return true;
}

bool FlushTerminal(int fd, bool input, bool output) {
  if (!input && !output) return true;
  const int which = input && output ? TCIOFLUSH : (input ? TCIFLUSH : TCOFLUSH);
  return ioctl(fd, TCFLSH, which) == 0;
}

bool QueuedInputBytes(int fd, std::uint32_t& count) {
  int queued = 0;
  if (ioctl(fd, FIONREAD, &queued) != 0) return false;
  count = queued > 0 ? static_cast<std::uint32_t>(queued) : 0;
  return true;
}

void ReleaseExclusive(int fd) {
  const int saved = errno;
  ioctl(fd, TIOCNXCL);
  errno = saved;
}

bool HasUart(int fd) {
  struct serial_struct info {};
  return ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
}

}  // namespace sattrail::serial_linux
