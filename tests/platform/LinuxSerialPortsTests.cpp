// SPDX-License-Identifier: BSD-2-Clause
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#include "platform/PtyTestSupport.h"
#include "platform/linux/LinuxSerialPorts.h"
#include "platform/linux/PortHolder.h"
#include "platform/linux/PortResolution.h"
#include "platform/linux/ReopenTarget.h"

namespace sattrail {
namespace {

using testing::PortLinkFolderForTest;
using testing::PseudoTerminal;
namespace fs = std::filesystem;

std::uint32_t WaitForQueued(SerialHandle& port, std::uint32_t count) {
  std::uint32_t queued = 0;
  for (int i = 0; i < 400 && queued < count; ++i) {
    if (!port.QueuedInputCount(queued)) return 0;
    if (queued < count) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return queued;
}

DeviceControlBlock EightNoneOne(std::uint32_t speed) {
  DeviceControlBlock control;
  control.BaudRate = speed;
  control.ByteSize = 8;
  return control;
}

TEST(PortNumberFromName, AcceptsBothSpellingsOnly) {
  const struct {
    std::string_view name;
    int number;
  } cases[] = {{"COM1", 1},   {"COM9", 9},    {"\\\\.\\COM10", 10}, {"\\\\.\\COM30", 30},
               {"COM10", 10}, {"COM0", 0},    {"COM", 0},           {"com1", 0},
               {"COM1x", 0},  {"\\\\.\\", 0}, {"/dev/ttyUSB0", 0},  {"COM-1", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name));
    EXPECT_EQ(serial_linux::PortNumberFromName(c.name), c.number);
  }
}

TEST(PortLinkFolder, EnvironmentDecidesWhere) {
  const char* savedPort = std::getenv("SATTRAIL_PORT_DIR");
  const char* savedRuntime = std::getenv("XDG_RUNTIME_DIR");
  const std::string keepPort = savedPort ? savedPort : "";
  const std::string keepRuntime = savedRuntime ? savedRuntime : "";

  setenv("SATTRAIL_PORT_DIR", "/somewhere/ports", 1);
  setenv("XDG_RUNTIME_DIR", "/run/user/1000", 1);
  EXPECT_EQ(serial_linux::PortLinkFolder(), "/somewhere/ports");
  unsetenv("SATTRAIL_PORT_DIR");
  EXPECT_EQ(serial_linux::PortLinkFolder(), "/run/user/1000/sattrail/ports");
  unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(serial_linux::PortLinkFolder(), "/tmp/sattrail-" + std::to_string(getuid()) + "/ports");
  // The link of port n in it, with or without the folder's closing slash.
  EXPECT_EQ(serial_linux::PortLinkPath("/somewhere/ports", 3), "/somewhere/ports/COM3");
  EXPECT_EQ(serial_linux::PortLinkPath("/somewhere/ports/", 30), "/somewhere/ports/COM30");

  if (savedPort) setenv("SATTRAIL_PORT_DIR", keepPort.c_str(), 1);
  if (savedRuntime) setenv("XDG_RUNTIME_DIR", keepRuntime.c_str(), 1);
}

TEST(ListSerialDevices, UsbFirstThenRealUartsInNumericOrder) {
  char pattern[] = "/tmp/sattrail-dev-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string root = pattern;
  const std::string dev = root + "/dev";
  const std::string sys = root + "/sys";
  fs::create_directories(dev);
  for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "ttyS1", "ttyS10", "ttyUSBx",
                           "ttyS", "tty0", "ttyAMA0"}) {
    std::ofstream(dev + "/" + name).put('\0');
  }
  // ttyS1 is one of the kernel's placeholders: type 0.
  for (const auto& [name, type] : {std::pair{"ttyS0", "4"}, {"ttyS1", "0"}, {"ttyS10", "4"}}) {
    fs::create_directories(sys + "/" + name);
    std::ofstream(sys + "/" + name + "/type") << type << "\n";
  }

  const std::vector<std::string> expected = {dev + "/ttyACM0", dev + "/ttyUSB2", dev + "/ttyUSB10",
                                             dev + "/ttyS0", dev + "/ttyS10"};
  EXPECT_EQ(serial_linux::ListSerialDevices(dev, sys), expected);
  fs::remove_all(root);
}

class PtyPortTest : public ::testing::Test {
 protected:
  PortLinkFolderForTest folder;
  PseudoTerminal receiver;
  LinuxSerialPorts ports;

  void SetUp() override { folder.Link(3, receiver.SlavePath()); }

  std::unique_ptr<SerialHandle> OpenCom3() {
    OpenFailure why;
    auto handle = ports.Open("COM3", why);
    EXPECT_NE(handle, nullptr) << why.InformativeText();
    return handle;
  }
};

TEST_F(PtyPortTest, EverySpeedOfTheListReachesTheDevice) {
  auto port = OpenCom3();
  ASSERT_NE(port, nullptr);
  for (std::uint32_t speed : {4800u, 9600u, 14400u, 19200u, 38400u, 57600u, 115200u}) {
    SCOPED_TRACE(speed);
    ASSERT_TRUE(port->ApplySettings(EightNoneOne(speed))) << port->LastErrorText();
    const PseudoTerminal::LineSettings line = receiver.Settings();
    EXPECT_EQ(line.speed, speed);
    EXPECT_EQ(line.dataBits, 8);
    EXPECT_FALSE(line.parity);
    EXPECT_FALSE(line.twoStopBits);
    EXPECT_FALSE(line.rtsCts);
    EXPECT_FALSE(line.xonOut);
    EXPECT_TRUE(line.raw);

    DeviceControlBlock back;
    ASSERT_TRUE(port->ReadSettings(back));
    EXPECT_EQ(back.BaudRate, speed);
    EXPECT_EQ(back.ByteSize, 8);
    EXPECT_EQ(back.Parity, 0);
    EXPECT_EQ(back.StopBits, 0);
  }
}

// A pseudo-terminal keeps 8 data bits without parity whatever it is told, so framing beyond
// the stop bits cannot be checked here.
TEST_F(PtyPortTest, FlowControlFieldsMapOntoTheLine) {
  auto port = OpenCom3();
  ASSERT_NE(port, nullptr);
  DeviceControlBlock control = EightNoneOne(9600);
  control.fOutX = true;
  control.fInX = true;
  control.fRtsControl = 2;
  control.StopBits = 2;
  ASSERT_TRUE(port->ApplySettings(control));
  const PseudoTerminal::LineSettings line = receiver.Settings();
  EXPECT_TRUE(line.xonOut);
  EXPECT_TRUE(line.xonIn);
  EXPECT_TRUE(line.rtsCts);
  EXPECT_TRUE(line.twoStopBits);

  DeviceControlBlock back;
  ASSERT_TRUE(port->ReadSettings(back));
  EXPECT_TRUE(back.fOutX);
  EXPECT_TRUE(back.fInX);
  EXPECT_TRUE(back.fOutxCtsFlow);
  EXPECT_EQ(back.fRtsControl, 2);
  EXPECT_EQ(back.StopBits, 2);
}

TEST_F(PtyPortTest, RejectsSettingsNoLineCanHave) {
  auto port = OpenCom3();
  ASSERT_NE(port, nullptr);
  DeviceControlBlock zeroSpeed = EightNoneOne(0);
  DeviceControlBlock nineBits = EightNoneOne(4800);
  nineBits.ByteSize = 9;
  DeviceControlBlock zeroed;  // the record as it is at start-up, never given a size
  zeroed.BaudRate = 4800;
  for (const DeviceControlBlock& bad : {zeroSpeed, nineBits, zeroed}) {
    EXPECT_FALSE(port->ApplySettings(bad));
    EXPECT_NE(port->LastErrorText().find(receiver.SlavePath()), std::string::npos)
        << port->LastErrorText();
  }
}

TEST_F(PtyPortTest, ReadsExactlyWhatIsQueuedAndPurges) {
  auto port = OpenCom3();
  ASSERT_NE(port, nullptr);
  ASSERT_TRUE(port->ApplySettings(EightNoneOne(4800)));
  receiver.Send("$GPGGA,1\r\n");
  ASSERT_EQ(WaitForQueued(*port, 10), 10u);
  std::uint8_t buffer[32] = {};
  std::uint32_t delivered = 0;
  ASSERT_TRUE(port->Read(buffer, 4, delivered));
  EXPECT_EQ(delivered, 4u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 4), "$GPG");
  std::uint32_t queued = 0;
  ASSERT_TRUE(port->QueuedInputCount(queued));
  EXPECT_EQ(queued, 6u);

  ASSERT_TRUE(port->Purge(PurgeRxClear));
  ASSERT_TRUE(port->QueuedInputCount(queued));
  EXPECT_EQ(queued, 0u);
  // Nothing queued: the read returns at once with nothing.
  ASSERT_TRUE(port->Read(buffer, 8, delivered));
  EXPECT_EQ(delivered, 0u);
}

TEST_F(PtyPortTest, WritesReachTheReceiverUnchanged) {
  auto port = OpenCom3();
  ASSERT_NE(port, nullptr);
  ASSERT_TRUE(port->ApplySettings(EightNoneOne(4800)));
  const std::string command("@SR\r\n\0\0", 7);
  ASSERT_TRUE(port->Write(reinterpret_cast<const std::uint8_t*>(command.data()), 7));
  EXPECT_EQ(receiver.Receive(7), command);
}

TEST_F(PtyPortTest, SecondOpenOfAPortInUseFails) {
  auto first = OpenCom3();
  ASSERT_NE(first, nullptr);
  OpenFailure why;
  EXPECT_EQ(ports.Open("COM3", why), nullptr);
  EXPECT_NE(why.reason.find("busy"), std::string::npos) << why.reason;
  EXPECT_NE(why.devicePath.find(receiver.SlavePath()), std::string::npos) << why.devicePath;
  // The holder is this process itself, which is never named.
  EXPECT_EQ(why.reason, "Device or resource busy: in use by another program");

  // Once closed it can be opened again.
  first.reset();
  EXPECT_NE(OpenCom3(), nullptr);
}

// The holder sets both locks and a name of its own; root passes TIOCEXCL and meets the
// flock, anyone else meets TIOCEXCL at open(). Both are told the same, with the holder named.
TEST_F(PtyPortTest, PortHeldByAnotherProgramFails) {
  int toParent[2];
  int toChild[2];
  ASSERT_EQ(pipe(toParent), 0);
  ASSERT_EQ(pipe(toChild), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    prctl(PR_SET_NAME, "gps-holder");
    const int fd = open(receiver.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    const char ok =
        fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0 && ioctl(fd, TIOCEXCL) == 0 ? 'y' : 'n';
    (void)!write(toParent[1], &ok, 1);
    char done;
    (void)!read(toChild[0], &done, 1);
    // A pseudo-terminal keeps the exclusive flag while its master is open: hand it back.
    ioctl(fd, TIOCNXCL);
    _exit(0);
  }
  char ok = 'n';
  ASSERT_EQ(read(toParent[0], &ok, 1), 1);
  ASSERT_EQ(ok, 'y');

  OpenFailure why;
  EXPECT_EQ(ports.Open("COM3", why), nullptr);
  EXPECT_NE(why.reason.find("in use by another program"), std::string::npos) << why.reason;
  EXPECT_EQ(why.InformativeText(),
            "Device: " + folder.Path() + "/COM3 -> " + receiver.SlavePath() +
                "\nReason: Device or resource busy: in use by another program, held by "
                "gps-holder (process " +
                std::to_string(child) + ")\nClose that program, then press On again.");
  // Where /proc cannot be read nobody is named, and nothing fails.
  EXPECT_TRUE(serial_linux::FindPortHolders(receiver.SlavePath(), folder.Path()).empty());

  (void)!write(toChild[1], "x", 1);
  int status = 0;
  waitpid(child, &status, 0);
  for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]}) close(fd);
  EXPECT_NE(OpenCom3(), nullptr);
}

TEST_F(PtyPortTest, MissingAndBrokenPortsSayWhy) {
  OpenFailure none;
  EXPECT_EQ(ports.Open("\\\\.\\COM29", none), nullptr);
  // Nothing in this folder and (on a test machine) fewer than 29 devices.
  EXPECT_EQ(none.devicePath, "");
  EXPECT_NE(none.reason.find("COM29"), std::string::npos) << none.reason;
  EXPECT_NE(none.InformativeText().find("none found"), std::string::npos);
  EXPECT_EQ(none.InformativeText(), "Device: none found\nReason: No link COM29 in " +
                                        folder.Path() +
                                        ", and fewer than 29 serial devices present\nPlug in "
                                        "the receiver, or link its device: ln -s /dev/ttyUSB0 \"" +
                                        folder.Path() + "/COM29\"");

  // A link that points nowhere still claims its number: the open fails and says why.
  folder.Link(28, folder.Path() + "/gone");
  OpenFailure dangling;
  EXPECT_EQ(ports.Open("\\\\.\\COM28", dangling), nullptr);
  EXPECT_EQ(dangling.devicePath, folder.Path() + "/COM28 -> " + folder.Path() + "/gone");
  EXPECT_EQ(dangling.reason, "COM28 links to " + folder.Path() + "/gone, which is not present");
}

std::string Replaced(std::string text, const std::map<std::string, std::string>& values) {
  for (const auto& [key, value] : values) {
    for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at)) {
      text.replace(at, key.size(), value);
      at += value.size();
    }
  }
  return text;
}

// The simulator's exit status and what it said, run on a port-link folder it is to refuse.
std::pair<int, std::string> RunSimulatorRefusing(const std::string& errorFile) {
  const std::string command = "timeout 20 '" + std::string(SATTRAIL_BIN_DIR) +
                              "/sattrail-sim' --port 29 --quiet </dev/null 2>'" + errorFile + "'";
  const int status = std::system(command.c_str());
  std::ifstream in(errorFile);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
          std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())};
}

// Another local user must not choose what the monitor opens, sets raw and sends commands to.
// Each row lays out a port-link folder {F} under a folder {A}, with COM29 linked to {T}.
// A refused folder is ignored as a whole (COM29 then has no device on a test machine), said
// once on standard error, and the simulator will not start on it.
TEST(PortLinkFolderTrust, OnlyAFolderOfYourOwnIsReadAndOnlyACharacterDeviceOpened) {
  enum class Target { Terminal, File, Fifo };
  const std::string ignored = "Fewer than 29 serial devices present, and port links ignored: ";
  const std::string notSerial = "COM29 links to {T}, which is not a serial device";
  const struct {
    std::string name;
    unsigned mode, modeAbove;
    bool folderIsALink, ownedByNobody;
    Target target;
    std::string problem, reason;
  } rows[] = {
      {"own folder, link to a terminal", 0700, 0700, false, false, Target::Terminal, "", ""},
      {"link to a regular file", 0700, 0755, false, false, Target::File, "", notSerial},
      {"link to a FIFO", 0700, 0700, false, false, Target::Fifo, "", notSerial},
      {"group may write", 0770, 0700, false, false, Target::Terminal,
       "{F} (owner {me}, mode 0770) is writable by group or others", ""},
      {"others may write, sticky", 01777, 0700, false, false, Target::Terminal,
       "{F} (owner {me}, mode 1777) is writable by group or others", ""},
      {"others may write the folder above", 0700, 0777, false, false, Target::Terminal,
       "{A}, above {F}, is writable by group or others", ""},
      {"a symbolic link to a folder", 0700, 0700, true, false, Target::Terminal,
       "{F} is a symbolic link, not a folder", ""},
      // Last: without root it is skipped, and the rest of the table with it.
      {"another user's folder", 0700, 0755, false, true, Target::Terminal,
       "{F} (owner {nobody}, mode 0700) is not yours", ""},
  };
  // getpwuid answers in one buffer: each name is copied before the next is asked.
  const auto NameOf = [](uid_t id) {
    const passwd* entry = getpwuid(id);
    return entry != nullptr ? std::string(entry->pw_name) : std::to_string(id);
  };
  const std::string me = NameOf(geteuid());
  const std::string nobody = NameOf(65534);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.ownedByNobody && geteuid() != 0) {
      GTEST_SKIP() << "only root can give a folder to another user";
    }
    PortLinkFolderForTest base;  // restores SATTRAIL_PORT_DIR at the end of the row
    PseudoTerminal receiver;
    const fs::path above = base.Path() + "/above";
    const fs::path folder = above / "ports";
    const fs::path real = row.folderIsALink ? above / "real" : folder;
    fs::create_directory(above);
    fs::create_directory(real);
    fs::permissions(real, static_cast<fs::perms>(row.mode));
    if (row.folderIsALink) fs::create_directory_symlink(real, folder);
    if (row.ownedByNobody) {
      ASSERT_EQ(chown(real.c_str(), 65534, 65534), 0);
    }
    std::string target = receiver.SlavePath();
    if (row.target == Target::File) {
      target = above / "file";
      std::ofstream(target) << "not a terminal";
    } else if (row.target == Target::Fifo) {
      target = above / "fifo";
      ASSERT_EQ(mkfifo(target.c_str(), 0600), 0);
    }
    fs::create_symlink(target, real / "COM29");
    fs::permissions(above, static_cast<fs::perms>(row.modeAbove));
    setenv("SATTRAIL_PORT_DIR", folder.c_str(), 1);

    const std::map<std::string, std::string> values{{"{F}", folder.string()},
                                                    {"{A}", above.string()},
                                                    {"{T}", target},
                                                    {"{me}", me},
                                                    {"{nobody}", nobody}};
    const std::string problem = Replaced(row.problem, values);
    const std::string reason = problem.empty() ? Replaced(row.reason, values) : ignored + problem;
    const std::string warning =
        problem.empty() ? ""
                        : "Port links ignored: " + problem + "; ports follow the device order.";

    LinuxSerialPorts ports;
    ::testing::internal::CaptureStderr();
    OpenFailure why, again;
    const bool opened = ports.Open("\\\\.\\COM29", why) != nullptr;
    ports.Open("\\\\.\\COM29", again);
    EXPECT_EQ(ports.PortLinkFolderWarning(), warning);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              warning.empty() ? "" : "sattrail: " + warning + "\n");
    EXPECT_EQ(opened, reason.empty()) << why.InformativeText();
    EXPECT_EQ(why.reason, reason);
    if (!problem.empty()) {
      const auto [status, said] = RunSimulatorRefusing(base.Path() + "/sim.err");
      EXPECT_EQ(status, 2);
      EXPECT_EQ(said, "sattrail-sim: port-link folder refused: " + problem + "\n");
    }
    fs::permissions(above, fs::perms::owner_all);
  }
}

// "refused|reason|group|advice" for an attempt on COMn by a user that is neither root nor in
// the device's group: as root, a child that has given up root makes it.
std::string OpenWithoutPrivileges(const std::string& deviceName) {
  const bool root = geteuid() == 0;
  int answer[2];
  if (pipe(answer) != 0) return "no pipe";
  const pid_t child = root ? fork() : 0;
  if (child < 0) return "no child";
  if (child == 0) {
    if (root && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
      _exit(2);
    }
    OpenFailure why;
    const bool refused = LinuxSerialPorts().Open(deviceName, why) == nullptr;
    const std::string report =
        (refused ? "refused|" : "opened|") + why.reason + "|" + why.group + "|" + why.advice;
    (void)!write(answer[1], report.data(), report.size());
    if (root) _exit(0);
  }
  close(answer[1]);
  if (root) waitpid(child, nullptr, 0);
  char buffer[512] = {};
  const ssize_t n = read(answer[0], buffer, sizeof buffer - 1);
  close(answer[0]);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : "no answer";
}

// The advice names the device's group only when that group may read and write it. As root the
// device is a dialout or a root:root terminal; as another user it is the user's own terminal
// with the owner's rights taken away.
TEST_F(PtyPortTest, PermissionErrorAdvisesAGroupOnlyWhenItHasAccess) {
  const bool root = geteuid() == 0;
  const group* dialout = getgrnam("dialout");
  if (root && dialout == nullptr) GTEST_SKIP() << "no group dialout here";
  const gid_t ownGroup = root ? dialout->gr_gid : getgid();
  const std::string groupName = root ? "dialout" : getgrgid(getgid())->gr_name;
  const std::string owner = root ? "root" : getpwuid(getuid())->pw_name;
  const struct {
    gid_t group;
    unsigned mode;
    std::string report;
  } rows[] = {
      {ownGroup, root ? 0660u : 0060u,
       "refused|Permission denied|" + groupName + "|Join the group '" + groupName +
           "': sudo usermod -aG " + groupName + " \"$USER\", then log out and in again."},
      {root ? 0 : getgid(), root ? 0600u : 0000u,
       "refused|Permission denied||Only its owner '" + owner + "' may use this device."},
  };
  // The child that gave up root reads links only from a folder of its own.
  if (root) {
    fs::permissions(folder.Path(), static_cast<fs::perms>(0755));
    ASSERT_EQ(chown(folder.Path().c_str(), 65534, 65534), 0);
  }
  const std::string device = receiver.SlavePath();
  folder.Link(6, device);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.report);
    std::error_code error;
    fs::permissions(device, static_cast<fs::perms>(row.mode), error);
    if (chown(device.c_str(), root ? 0 : static_cast<uid_t>(-1), row.group) != 0 || error) {
      GTEST_SKIP() << "cannot set the owner and mode of " << device;
    }
    EXPECT_EQ(OpenWithoutPrivileges("COM6"), row.report);
  }
}

TEST_F(PtyPortTest, VanishedDeviceSaysSoAndIsReopenedThroughItsLink) {
  auto port = OpenCom3();
  ASSERT_NE(port, nullptr);
  ASSERT_TRUE(port->ApplySettings(EightNoneOne(4800)));
  std::uint32_t queued = 1;
  ASSERT_TRUE(port->QueuedInputCount(queued));
  EXPECT_FALSE(port->Gone());
  receiver.CloseMaster();

  queued = 1;
  if (port->QueuedInputCount(queued)) {
    EXPECT_EQ(queued, 0u);
  }
  EXPECT_TRUE(port->Gone());
  std::uint8_t buffer[8];
  std::uint32_t delivered = 1;
  port->Read(buffer, sizeof buffer, delivered);
  EXPECT_EQ(delivered, 0u);
  const std::string command = "@SR\r\n";
  EXPECT_FALSE(port->Write(reinterpret_cast<const std::uint8_t*>(command.data()), 5));
  DeviceControlBlock back;
  port->ReadSettings(back);  // may fail; must not crash
  const std::string target = port->ReopenTarget();
  port.reset();  // closes cleanly

  // A pseudo-terminal has no by-id name: the link is what is opened again, never the device
  // order, and whatever the link leads to at the time of the try.
  const std::string link = folder.Path() + "/COM3";
  EXPECT_EQ(target, link);
  fs::remove(link);
  EXPECT_EQ(ports.Reopen(target), nullptr);
  PseudoTerminal returned;
  folder.Link(3, returned.SlavePath());
  // Not through a folder that others have meanwhile been let to write to.
  fs::permissions(folder.Path(), static_cast<fs::perms>(0777));
  EXPECT_EQ(ports.Reopen(target), nullptr);
  fs::permissions(folder.Path(), fs::perms::owner_all);
  auto again = ports.Reopen(target);
  ASSERT_NE(again, nullptr);
  EXPECT_FALSE(again->Gone());
  EXPECT_EQ(again->ReopenTarget(), link);
  ASSERT_TRUE(again->Write(reinterpret_cast<const std::uint8_t*>("@X"), 2));
  EXPECT_EQ(returned.Receive(2), "@X");
  EXPECT_EQ(ports.Reopen(target), nullptr);  // held: exclusive as at the first open
}

TEST_F(PtyPortTest, ReopenTargetIsTheByIdNameElseTheLinkElseTheDevice) {
  PseudoTerminal plain;
  const std::string byId = folder.Path() + "/by-id";
  fs::create_directory(byId);
  const std::string name = byId + "/usb-Example_GNSS_Receiver_0001-if00-port0";
  fs::create_symlink(receiver.SlavePath(), name);
  fs::create_symlink(receiver.SlavePath(), byId + "/usb-Example_GNSS_Receiver_0001-if00-port1");
  const std::string link = folder.Path() + "/COM3";
  const struct {
    std::string opened, link, folder, target;
  } cases[] = {
      {receiver.SlavePath(), "", byId, name},
      {link, link, byId, name},  // the same receiver, whatever ttyUSB number it returns under
      {plain.SlavePath(), link, byId, link},
      {plain.SlavePath(), "", byId, plain.SlavePath()},
      {receiver.SlavePath(), "", folder.Path() + "/no-such-folder", receiver.SlavePath()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.opened + " " + c.link + " " + c.folder);
    EXPECT_EQ(serial_linux::FindReopenTarget(c.opened, c.link, c.folder), c.target);
  }
}

TEST_F(PtyPortTest, DescribePortNamesTheDeviceBehindTheLink) {
  const std::string text = ports.DescribePort(3);
  EXPECT_EQ(text.rfind(fs::canonical(receiver.SlavePath()).string(), 0), 0u) << text;
  EXPECT_NE(text.find(folder.Path() + "/COM3"), std::string::npos) << text;
  EXPECT_EQ(ports.DescribePort(28), "");
  // A dead link claims its number in the hover text too.
  folder.Link(28, "/dev/ttyUSB-gone");
  EXPECT_EQ(ports.DescribePort(28), "COM28 links to /dev/ttyUSB-gone, which is not present (link " +
                                        folder.Path() + "/COM28)");
}

}  // namespace
}  // namespace sattrail
