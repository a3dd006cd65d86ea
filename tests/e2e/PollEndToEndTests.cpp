// SPDX-License-Identifier: BSD-2-Clause
// The real window and the real poll, on Qt's offscreen platform, reading a receiver's
// capture from a pseudo-terminal at 38400 bit/s, and from a TCP stream that socat bridges to a
// pseudo-terminal linked as COM5.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "platform/ControlNames.h"
#include "platform/PtyTestSupport.h"
#include "support/BoxWatcher.h"
#include "support/LocaleRun.h"
#include "support/TestCapture.h"
#include "support/WaitUntil.h"

extern char** environ;

namespace sattrail {
namespace {

using testing::BoxWatcher;
using testing::ReadTestCapture;
using testing::WaitUntil;

Application& App() {
  static int argc = 1;
  static char name[] = "sattrail-e2e-tests";
  static char* argv[] = {name, nullptr};
  static Application* application = new Application(argc, argv);
  testing::RequireTheDecimalCommaOfALocaleRun();
  return *application;
}

void RunEventsFor(int milliseconds) {
  QDeadlineTimer deadline(milliseconds);
  while (!deadline.hasExpired()) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

struct Shown {
  std::string latitude, longitude, time, date, fixMode, height, pdop;
};

// mt3339.log (Adafruit Ultimate GPS HAT), 9014 bytes; its last epoch, from an independent
// reading of the capture:
//   $GPGGA,202709.000,4404.1297,N,12118.8513,W,2,10,0.98,1127.4,M,-19.6,M,0000,0000*6C
//   $GPGSA,A,3,20,16,09,03,07,10,23,19,27,30,,,1.64,0.98,1.31*05
//   $GPRMC,202709.000,A,4404.1297,N,12118.8513,W,0.03,188.44,130415,,,D*7A
// 121 degrees west: UTC-8, so 20:27:09 shows as 12:27:09 on the same day. The angles are
// those of the single-precision values 4404.1298828125 and 12118.8515625.
constexpr std::size_t kMt3339Bytes = 9014;
const Shown kMt3339LastFix{
    "N44\xA2\x58"
    "4'7.8",
    "W121\xA2\x58"
    "18'51.1",
    "12:27:09",
    "2015/04/13",
    "3D",
    "1127.4",
    "1.64"};

// The capture as a receiver at 38400 bit/s sends it, 3840 bytes a second: 384 bytes per poll
// period, while the window's events run.
void SendPaced(const std::string& capture, const std::function<void(std::string_view)>& send) {
  for (std::size_t sent = 0; sent < capture.size(); sent += 384) {
    send(std::string_view(capture).substr(sent, 384));
    RunEventsFor(100);
  }
}

// The window comes to show mt3339's last fix, with its four sentence boxes ticked.
void ExpectMt3339LastFix(MainWindow& window) {
  Shown shown;
  // Read in the same pass as the condition: the silence rule may reset the boxes later.
  const bool arrived = WaitUntil([&] {
    shown = {window.Text(control::Edit8),  window.Text(control::Edit9),
             window.Text(control::EdTime), window.Text(control::EdDate),
             window.Text(control::Edit6),  window.Text(control::EdHeight),
             window.Text(control::EdPDOP)};
    return shown.time == kMt3339LastFix.time;
  });
  ASSERT_TRUE(arrived) << "EdTime shows " << shown.time;
  EXPECT_EQ(shown.latitude, kMt3339LastFix.latitude);
  EXPECT_EQ(shown.longitude, kMt3339LastFix.longitude);
  EXPECT_EQ(shown.date, kMt3339LastFix.date);
  EXPECT_EQ(shown.fixMode, kMt3339LastFix.fixMode);
  EXPECT_EQ(shown.height, kMt3339LastFix.height);
  EXPECT_EQ(shown.pdop, kMt3339LastFix.pdop);
  for (const char* box : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4"}) {
    EXPECT_TRUE(window.Checked(box)) << box;
  }
}

TEST(PollEndToEnd, CaptureAt38400ShowsItsLastFix) {
  App();
  testing::PortLinkFolderForTest folder;
  testing::PseudoTerminal receiver;
  folder.Link(1, receiver.SlavePath());
  BoxWatcher boxes;

  RunState run;
  MainWindow window(run);
  window.ControlAs<QComboBox>(control::ComboBox1)->setCurrentIndex(4);  // 38400
  window.Run(Handler::ButOpenGpsClick);
  ASSERT_NE(run.PortHandle, nullptr);
  ASSERT_EQ(window.Text(control::ButOpenGps), "OFF");

  const std::string capture = ReadTestCapture("mt3339.log");
  ASSERT_EQ(capture.size(), kMt3339Bytes);
  SendPaced(capture, [&](std::string_view piece) { receiver.Send(piece); });
  ExpectMt3339LastFix(window);
  EXPECT_TRUE(window.Timer1().Enabled());
  EXPECT_TRUE(boxes.seen.empty()) << boxes.seen.front().text;

  // The receiver goes quiet: after 15 silent polls the display returns to its empty look.
  EXPECT_TRUE(WaitUntil([&] { return window.Text(control::EdTime) == "0"; }));
  EXPECT_EQ(window.Text(control::Edit8), "");

  window.Run(Handler::ButOpenGpsClick);
  EXPECT_EQ(window.Text(control::ButOpenGps), "On");
  EXPECT_EQ(run.PortHandle, nullptr);
  EXPECT_FALSE(window.Timer1().Enabled());
}

// A child process, ended with SIGTERM when the test is done.
class Child {
 public:
  explicit Child(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    if (posix_spawnp(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
  }
  ~Child() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  bool Running() const { return pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == 0; }

 private:
  pid_t pid_ = -1;
};

// A descriptor closed at the end of the test.
struct Descriptor {
  int fd = -1;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

// A receiver that streams NMEA over TCP, attached as README.md says: socat makes a
// pseudo-terminal, links it as COM5 in the user's own port-link folder and bridges it to the
// stream. The receiver is a server on 127.0.0.1 in this test, sending mt3339.log.
TEST(PollEndToEnd, AReceiverOverTcpBridgedBySocatShowsItsLastFix) {
  App();
  ASSERT_EQ(std::system("command -v socat >/dev/null"), 0)
      << "socat is needed (scripts/install-deps)";
  testing::PortLinkFolderForTest folder;  // the user's own, mode 0700
  BoxWatcher boxes;

  Descriptor server{::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0)};
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  ASSERT_EQ(::bind(server.fd, reinterpret_cast<sockaddr*>(&address), size), 0);
  ASSERT_EQ(::listen(server.fd, 1), 0);
  ASSERT_EQ(::getsockname(server.fd, reinterpret_cast<sockaddr*>(&address), &size), 0);
  const std::string port = std::to_string(ntohs(address.sin_port));

  const std::string link = folder.Path() + "/COM5";
  Child socat({"socat", "pty,link=" + link + ",raw,echo=0", "tcp:127.0.0.1:" + port});
  Descriptor client;
  ASSERT_TRUE(WaitUntil([&] {
    if (client.fd < 0) client.fd = ::accept4(server.fd, nullptr, nullptr, SOCK_CLOEXEC);
    return client.fd >= 0 && std::filesystem::is_symlink(link);
  })) << "socat did not link COM5 and connect";

  RunState run;
  MainWindow window(run);
  window.show();
  window.ControlAs<QComboBox>(control::ComboBox2)->setCurrentIndex(4);  // COM5
  QTest::mouseClick(window.ControlAs<QPushButton>(control::ButOpenGps), Qt::LeftButton);
  ASSERT_EQ(window.Text(control::ButOpenGps), "OFF")
      << (boxes.seen.empty() ? "" : boxes.seen[0].informative);
  ASSERT_NE(run.PortHandle, nullptr);

  SendPaced(ReadTestCapture("mt3339.log"), [&](std::string_view piece) {
    ASSERT_EQ(::send(client.fd, piece.data(), piece.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(piece.size()));
  });
  ExpectMt3339LastFix(window);
  EXPECT_TRUE(socat.Running());
  EXPECT_TRUE(boxes.seen.empty()) << boxes.seen.front().text;
  QTest::mouseClick(window.ControlAs<QPushButton>(control::ButOpenGps), Qt::LeftButton);
  EXPECT_EQ(window.Text(control::ButOpenGps), "On");
}

// The terminals this process has open, by the paths their descriptors lead to.
std::set<std::string> OpenTerminals() {
  std::set<std::string> terminals;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
    std::error_code linkError;
    const std::string target = std::filesystem::read_symlink(entry.path(), linkError).string();
    if (!linkError && (target.starts_with("/dev/tty") || target.starts_with("/dev/pts/"))) {
      terminals.insert(target);
    }
  }
  return terminals;
}

// A link left by a killed simulator claims COM1: pressing On fails with both boxes and the
// reason on the first one's face, and no other device is opened in its place (the device
// order would give COM1 to the first of /dev/ttyACM*, /dev/ttyUSB*, /dev/ttyS*).
TEST(PollEndToEnd, DeadPortLinkFailsWithoutOpeningAnotherDevice) {
  App();
  testing::PortLinkFolderForTest folder;
  testing::PseudoTerminal receiver;  // the test's own terminal, opened before the click
  folder.Link(1, folder.Path() + "/ttyUSB9");
  BoxWatcher boxes;
  RunState run;
  MainWindow window(run);
  window.show();
  const std::set<std::string> before = OpenTerminals();

  QTest::mouseClick(window.ControlAs<QPushButton>(control::ButOpenGps), Qt::LeftButton);
  ASSERT_TRUE(WaitUntil([&] { return boxes.seen.size() == 2; }));
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Open Com Port ERROR", "OPEN COM ERROR"}));
  EXPECT_EQ(boxes.seen[0].informative,
            "Device: " + folder.Path() + "/COM1 -> " + folder.Path() +
                "/ttyUSB9\nReason: COM1 links to " + folder.Path() +
                "/ttyUSB9, which is not present\nPlug in that device, or "
                "remove the link: rm \"" +
                folder.Path() + "/COM1\"");
  EXPECT_EQ(boxes.seen[1].informative, "");
  EXPECT_EQ(run.PortHandle, nullptr);
  EXPECT_EQ(window.Text(control::ButOpenGps), "On");
  EXPECT_FALSE(window.Timer1().Enabled());
  EXPECT_EQ(OpenTerminals(), before);
}

}  // namespace
}  // namespace sattrail
