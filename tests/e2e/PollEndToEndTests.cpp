// SPDX-License-Identifier: BSD-2-Clause
// The real window and the real poll, on Qt's offscreen platform, reading a receiver's
// capture from a pseudo-terminal at 38400 bit/s.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "platform/PtyTestSupport.h"
#include "support/LocaleRun.h"

namespace sattrail {
namespace {

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

// The bound only keeps a broken test from hanging.
bool WaitUntil(const std::function<bool()>& condition, int boundMilliseconds = 15000) {
  QDeadlineTimer deadline(boundMilliseconds);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

// Any box that opens (an error box, the exception dialog) is noted and closed, so that a
// failure shows as a failed expectation instead of a test that waits for a click.
class BoxCloser {
 public:
  BoxCloser() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box == nullptr || !box->isVisible()) continue;
        seen.push_back(box->text().toStdString());
        informative.push_back(box->informativeText().toStdString());
        box->done(QMessageBox::Ok);
      }
    });
    timer_.start(20);
  }
  std::vector<std::string> seen;
  std::vector<std::string> informative;

 private:
  QTimer timer_;
};

std::string ReadCapture(const std::string& name) {
  std::ifstream file(std::string(SATTRAIL_TEST_DATA) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct Shown {
  std::string latitude, longitude, time, date, fixMode, height, pdop;
};

TEST(PollEndToEnd, CaptureAt38400ShowsItsLastFix) {
  App();
  testing::PortLinkFolderForTest folder;
  testing::PseudoTerminal receiver;
  folder.Link(1, receiver.SlavePath());
  BoxCloser boxes;

  RunState run;
  MainWindow window(run);
  window.ControlAs<QComboBox>("ComboBox1")->setCurrentIndex(4);  // 38400
  window.ButOpenGpsClick();
  ASSERT_NE(run.PortHandle, nullptr);
  ASSERT_EQ(window.Text("ButOpenGps"), "OFF");

  // mt3339.log (Adafruit Ultimate GPS HAT), 9014 bytes; its last epoch, from an independent
  // reading of the capture:
  //   $GPGGA,202709.000,4404.1297,N,12118.8513,W,2,10,0.98,1127.4,M,-19.6,M,0000,0000*6C
  //   $GPGSA,A,3,20,16,09,03,07,10,23,19,27,30,,,1.64,0.98,1.31*05
  //   $GPRMC,202709.000,A,4404.1297,N,12118.8513,W,0.03,188.44,130415,,,D*7A
  // 121 degrees west: UTC-8, so 20:27:09 shows as 12:27:09 on the same day. The angles are
  // those of the single-precision values 4404.1298828125 and 12118.8515625.
  const std::string capture = ReadCapture("mt3339.log");
  ASSERT_EQ(capture.size(), 9014u);
  const Shown expected{
      "N44\xA2\x58"
      "4'7.8",
      "W121\xA2\x58"
      "18'51.1",
      "12:27:09",
      "2015/04/13",
      "3D",
      "1127.4",
      "1.64"};

  // 38400 bit/s is 3840 bytes a second: 384 bytes per poll period.
  for (std::size_t sent = 0; sent < capture.size(); sent += 384) {
    receiver.Send(std::string_view(capture).substr(sent, 384));
    RunEventsFor(100);
  }
  Shown shown;
  // Read in the same pass as the condition: the silence rule may reset the boxes later.
  const bool arrived = WaitUntil([&] {
    shown = {window.Text("Edit8"),  window.Text("Edit9"), window.Text("EdTime"),
             window.Text("EdDate"), window.Text("Edit6"), window.Text("EdHeight"),
             window.Text("EdPDOP")};
    return shown.time == expected.time;
  });
  ASSERT_TRUE(arrived) << "EdTime shows " << shown.time;
  EXPECT_EQ(shown.latitude, expected.latitude);
  EXPECT_EQ(shown.longitude, expected.longitude);
  EXPECT_EQ(shown.date, expected.date);
  EXPECT_EQ(shown.fixMode, expected.fixMode);
  EXPECT_EQ(shown.height, expected.height);
  EXPECT_EQ(shown.pdop, expected.pdop);
  for (const char* box : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4"}) {
    EXPECT_TRUE(window.Checked(box)) << box;
  }
  EXPECT_TRUE(window.Timer1().Enabled());
  EXPECT_TRUE(boxes.seen.empty()) << boxes.seen.front();

  // The receiver goes quiet: after 15 silent polls the display returns to its empty look.
  EXPECT_TRUE(WaitUntil([&] { return window.Text("EdTime") == "0"; }));
  EXPECT_EQ(window.Text("Edit8"), "");

  window.ButOpenGpsClick();
  EXPECT_EQ(window.Text("ButOpenGps"), "On");
  EXPECT_EQ(run.PortHandle, nullptr);
  EXPECT_FALSE(window.Timer1().Enabled());
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
  BoxCloser boxes;
  RunState run;
  MainWindow window(run);
  window.show();
  const std::set<std::string> before = OpenTerminals();

  QTest::mouseClick(window.ControlAs<QPushButton>("ButOpenGps"), Qt::LeftButton);
  ASSERT_TRUE(WaitUntil([&] { return boxes.seen.size() == 2; }));
  EXPECT_EQ(boxes.seen, (std::vector<std::string>{"Open Com Port ERROR", "OPEN COM ERROR"}));
  EXPECT_EQ(boxes.informative[0], "Device: " + folder.Path() + "/COM1 -> " + folder.Path() +
                                      "/ttyUSB9\nReason: COM1 links to " + folder.Path() +
                                      "/ttyUSB9, which is not present\nPlug in that device, or "
                                      "remove the link: rm \"" +
                                      folder.Path() + "/COM1\"");
  EXPECT_EQ(boxes.informative[1], "");
  EXPECT_EQ(run.PortHandle, nullptr);
  EXPECT_EQ(window.Text("ButOpenGps"), "On");
  EXPECT_FALSE(window.Timer1().Enabled());
  EXPECT_EQ(OpenTerminals(), before);
}

}  // namespace
}  // namespace sattrail
