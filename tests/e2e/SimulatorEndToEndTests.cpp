// SPDX-License-Identifier: BSD-2-Clause
// The simulated receiver, a pseudo-terminal, the real poll and the real window on Qt's
// offscreen platform: after "On" the boxes agree with what the simulator sent, the sky plot
// has its discs where the sent satellites are, "Hot" reaches the receiver, every fault the
// simulator can inject passes without a crash while the monitor recovers, and a receiver that
// goes away and comes back is reopened without a click.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "SimulatorSupport.h"
#include "app/Application.h"
#include "app/MainWindow.h"
#include "platform/ControlNames.h"
#include "platform/qt/QtControls.h"
#include "support/BoxWatcher.h"
#include "support/NmeaChecksum.h"
#include "support/WaitUntil.h"

namespace sattrail {
namespace {

namespace fs = std::filesystem;
using e2e::SimulatedReceiver;
using e2e::TemporaryFolder;
using testing::BoxWatcher;
using testing::WaitUntil;
using namespace std::chrono_literals;

Application& App() {
  static int argc = 1;
  static char name[] = "sattrail-sim-e2e-tests";
  static char* argv[] = {name, nullptr};
  static Application* application = new Application(argc, argv);
  return *application;
}

std::vector<std::string> Fields(const std::string& line) {
  std::string body = line;
  if (const std::size_t star = body.find('*'); star != std::string::npos) body.resize(star);
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = body.find(',', start);
    fields.push_back(body.substr(start, comma - start));
    if (comma == std::string::npos) return fields;
    start = comma + 1;
  }
}

struct SkySatellite {
  int prn, elevation, azimuth;
};

// Follows the raw-stream memo: each line the monitor appends to it is what the simulator
// sent, so the test reads the sent values without a second reader on the terminal.
class StreamRecorder {
 public:
  explicit StreamRecorder(MainWindow& window) : window_(window) {
    auto* memo = window.ControlAs<MemoControl>(control::OutTextBox);
    QObject::connect(memo, &MemoControl::BytesChanged, [this] { changed(); });
  }

  std::vector<std::string> lines;  // without CR LF
  std::string lastRmc, lastGsa, lastGsaBeforeSky;
  std::vector<SkySatellite> lastSky;  // the last complete GSV cycle with a good checksum
  int skyCycles = 0;
  int badLines = 0;
  int joinedLines = 0;  // memo lines holding more than one sentence

  std::size_t Count(const std::string& prefix, std::size_t from = 0) const {
    std::size_t count = 0;
    for (std::size_t i = from; i < lines.size(); ++i) count += lines[i].rfind(prefix, 0) == 0;
    return count;
  }

 private:
  void changed() {
    const std::string text = window_.Text(control::OutTextBox);
    const bool appended = text.size() > size_;
    size_ = text.size();
    if (!appended || text.empty() || text.back() != '\n') return;
    const std::size_t before = text.find_last_of('\n', text.size() - 2);
    const std::string memoLine = text.substr(before == std::string::npos ? 0 : before + 1);
    // A sentence whose line feed was lost shares its memo line with the next; the monitor
    // takes each sentence from its "$", and so does the recorder.
    std::size_t start = 0;
    for (std::size_t dollar = memoLine.find('$', 1); dollar != std::string::npos;
         dollar = memoLine.find('$', dollar + 1)) {
      taken(memoLine.substr(start, dollar - start));
      start = dollar;
    }
    if (start > 0) ++joinedLines;
    taken(memoLine.substr(start));
  }

  void taken(std::string line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    lines.push_back(line);
    if (!testing::HasGoodChecksum(line)) {
      ++badLines;
      return;
    }
    const std::vector<std::string> f = Fields(line);
    if (f[0] == "$GPRMC") lastRmc = line;
    if (f[0] == "$GPGSA") lastGsa = line;
    if (f[0] == "$GPGSV" && f.size() >= 4) {
      if (f[2] == "1") cycle_.clear();
      for (std::size_t i = 4; i + 2 < f.size(); i += 4) {
        if (f[i].empty() || f[i + 1].empty() || f[i + 2].empty()) continue;
        cycle_.push_back({std::stoi(f[i]), std::stoi(f[i + 1]), std::stoi(f[i + 2])});
      }
      if (f[1] == f[2]) {
        lastSky = cycle_;
        lastGsaBeforeSky = lastGsa;
        ++skyCycles;
      }
    }
  }

  MainWindow& window_;
  std::size_t size_ = 0;
  std::vector<SkySatellite> cycle_;
};

// What the boxes should show for an RMC line: hemisphere, degrees, the degree sign and
// minutes; local time shifted by the nautical zone of the longitude (the whole hours nearest
// to degrees / 15, at most 12); date yyyy/mm/dd.
struct RmcExpectation {
  std::string latitudeStart, longitudeStart, time, date;
};

std::string Two(int value) {
  char text[16];
  std::snprintf(text, sizeof text, value > 9 ? "%d" : "0%d", value);
  return text;
}

// A field's number, read with "." whatever locale Qt has given the C library.
double Number(const std::string& text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

RmcExpectation Expect(const std::string& rmc) {
  const std::vector<std::string> f = Fields(rmc);
  const std::string degree = "\xA2\x58";
  const auto angle = [&](const std::string& value, const std::string& hemisphere) {
    const double number = Number(value);
    const int whole = static_cast<int>(number) / 100;
    const int minutes = static_cast<int>(number) - whole * 100;
    return hemisphere + std::to_string(whole) + degree + std::to_string(minutes) + "'";
  };
  RmcExpectation expected;
  expected.latitudeStart = angle(f[3], f[4]);
  expected.longitudeStart = angle(f[5], f[6]);
  const int utc = std::stoi(f[1]);
  const double longitude = Number(f[5]);  // dddmm.mmmm
  const int degrees = static_cast<int>(longitude / 100);
  const double minutesOfArc = degrees * 60 + (longitude - degrees * 100);
  const int zone =
      std::min(12, static_cast<int>((minutesOfArc + 450) / 900)) * (f[6] == "W" ? -1 : 1);
  int hours = utc / 10000 + zone, carry = 0;
  if (hours >= 24) hours -= 24, carry = 1;
  if (hours < 0) hours += 24, carry = -1;
  expected.time = Two(hours) + ":" + Two(utc / 100 % 100) + ":" + Two(utc % 100);
  const int date = std::stoi(f[9]);
  expected.date = std::to_string(date % 100 + 2000) + "/" + Two(date / 100 % 100) + "/" +
                  Two(date / 10000 + carry);
  return expected;
}

// The sky plot's disc position of a satellite, with the constant the drawing uses.
QPoint DiscCentre(const SkySatellite& satellite) {
  const double e = satellite.elevation * 3.141596 / 180;
  const double a = satellite.azimuth * 3.141596 / 180;
  return {static_cast<int>(50 + std::cos(e) * (std::sin(a) * 30)),
          static_cast<int>(50 - std::cos(e) * std::cos(a) * 30)};
}

const QRgb kGreen = qRgb(192, 220, 192);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kRed = qRgb(255, 0, 0);

bool AnyPixel(const QImage& image, QRect area, QRgb colour) {
  area = area.intersected(image.rect());
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixel(x, y) == colour) return true;
  return false;
}

const char* const kSentenceBoxes[] = {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4",
                                      "CheckBox5", "CheckBox6", "CheckBox7"};

class SimulatorEndToEnd : public ::testing::Test {
 protected:
  // A receiver seen from Sydney: south and east, ten hours ahead of UTC; the line and the
  // speed list at `speedIndex`.
  void Start(std::vector<std::string> options = {}, int speedIndex = 4) {
    App();
    ASSERT_FALSE(folder.Path().empty());
    ports = folder.Path() / "ports";  // made by the simulator
    options.insert(options.end(), {"--speed", kSpeeds[speedIndex], "--start", "hot", "--at",
                                   "-33.8688,151.2093", "--seed", "11"});
    simOptions = options;
    sim.emplace(ports, options);
    ASSERT_TRUE(sim->Pid() > 0) << "sattrail-sim did not start";
    ASSERT_TRUE(e2e::WaitFor([&] { return sim->Linked(); }, std::chrono::seconds(20)))
        << "no link COM1 appeared; the simulator said:\n"
        << sim->Log();
    window.emplace(run);
    window->show();
    recorder.emplace(*window);
    window->ControlAs<QComboBox>(control::ComboBox1)->setCurrentIndex(speedIndex);
    window->Run(Handler::ButOpenGpsClick);
    ASSERT_EQ(window->Text(control::ButOpenGps), "OFF")
        << (boxes.seen.empty() ? "" : boxes.seen[0].text);
  }

  static constexpr const char* kSpeeds[] = {"4800",  "9600",  "14400", "19200",
                                            "38400", "57600", "115200"};

  // A three-dimensional fix on screen, with an RMC sentence and a sky cycle received after
  // the line count `since`, all seven boxes ticked.
  bool WaitForFix(std::size_t since, int boundSeconds = 60) {
    return WaitUntil(
        [&] {
          if (window->Text(control::Edit6) != "3D") return false;
          for (const char* box : kSentenceBoxes)
            if (!window->Checked(box)) return false;
          return recorder->Count("$GPRMC", since) > 0 && recorder->Count("$GPGSV", since) > 0;
        },
        std::chrono::seconds(boundSeconds));
  }

  // The boxes agree with the last RMC and GSA lines received.
  void ExpectBoxesAgreeWithStream() {
    ASSERT_FALSE(recorder->lastRmc.empty());
    const RmcExpectation expected = Expect(recorder->lastRmc);
    SCOPED_TRACE(recorder->lastRmc);
    EXPECT_EQ(window->Text(control::Edit8).rfind(expected.latitudeStart, 0), 0u)
        << window->Text(control::Edit8) << " vs " << expected.latitudeStart;
    EXPECT_EQ(window->Text(control::Edit9).rfind(expected.longitudeStart, 0), 0u)
        << window->Text(control::Edit9) << " vs " << expected.longitudeStart;
    EXPECT_EQ(window->Text(control::EdTime), expected.time);
    EXPECT_EQ(window->Text(control::EdDate), expected.date);
  }

  bool DisplayIsReset() const {
    return window->Text(control::EdTime) == "0" && window->Text(control::Edit8).empty() &&
           window->Text(control::Edit6).empty() && !window->Checked(control::CheckBox4);
  }

  void TearDown() override {
    if (window && window->Text(control::ButOpenGps) == "OFF") window->Run(Handler::ButOpenGpsClick);
    recorder.reset();
    window.reset();
    sim.reset();
  }

  Application& app = App();  // first: the box watcher's timer needs it
  int dialogsAtStart = app.ExceptionsShown();
  TemporaryFolder folder{"sattrail-sim-e2e"};
  fs::path ports;
  BoxWatcher boxes;
  RunState run;
  std::vector<std::string> simOptions;  // as the simulator was started, for a restart
  std::optional<SimulatedReceiver> sim;
  std::optional<MainWindow> window;
  std::optional<StreamRecorder> recorder;
};

TEST_F(SimulatorEndToEnd, AfterOnTheBoxesAndSkyPlotShowWhatTheReceiverSent) {
  Start();
  ASSERT_TRUE(WaitForFix(0)) << "no 3D fix; Edit6 \"" << window->Text(control::Edit6) << "\", "
                             << recorder->lines.size() << " lines received";
  // The sky plot is drawn at the end of a GSV cycle: wait for one drawn with the fix.
  ASSERT_TRUE(WaitUntil(
      [&] {
        const std::vector<std::string> f = Fields(recorder->lastGsaBeforeSky);
        return f.size() > 2 && f[2] == "3" && window->Text(control::Edit6) == "3D";
      },
      20s));
  // The boxes are written in the same poll that records the line: read them together.
  ExpectBoxesAgreeWithStream();
  EXPECT_EQ(window->Text(control::Edit8).substr(0, 5), "S33\xA2\x58");
  EXPECT_EQ(window->Text(control::Edit9).substr(0, 6), "E151\xA2\x58");
  const std::vector<std::string> gsa = Fields(recorder->lastGsaBeforeSky);
  ASSERT_GE(gsa.size(), 16u) << recorder->lastGsaBeforeSky;
  EXPECT_EQ(gsa[2], "3");
  const std::vector<std::string> latestGsa = Fields(recorder->lastGsa);
  ASSERT_GE(latestGsa.size(), 16u) << recorder->lastGsa;
  // The simulator writes PDOP with one decimal ("1.8"); the box shows two ("1.80").
  ASSERT_EQ(latestGsa[15].size() - latestGsa[15].find('.'), 2u) << latestGsa[15];
  EXPECT_EQ(window->Text(control::EdPDOP), latestGsa[15] + "0");
  for (const char* box : kSentenceBoxes) EXPECT_TRUE(window->Checked(box)) << box;

  // Each satellite of the last sky cycle has its disc: filled blue when used in the fix,
  // green otherwise, outlined in black, its number in white or red. Discs are drawn by
  // ascending number, so only the parts that no later disc can cover are looked at.
  const std::vector<SkySatellite> sky = recorder->lastSky;
  ASSERT_GE(sky.size(), 4u);
  std::set<int> used;
  for (std::size_t i = 3; i < 15 && i < gsa.size(); ++i)
    if (!gsa[i].empty()) used.insert(std::stoi(gsa[i]));
  const QImage* picture = window->ControlAs<ImageControl>(control::Image2)->Picture();
  ASSERT_NE(picture, nullptr) << "the sky plot was never drawn";
  const QImage image = picture->convertToFormat(QImage::Format_RGB32);
  int fills = 0, outlines = 0, numbers = 0;
  bool anyUsed = false;
  for (const SkySatellite& satellite : sky) {
    const QPoint c = DiscCentre(satellite);
    const auto uncovered = [&](QRect area) {
      for (const SkySatellite& later : sky) {
        if (later.prn <= satellite.prn) continue;
        const QPoint l = DiscCentre(later);
        // A disc reaches 8 pixels from its centre, its number's cell a little further.
        if (QRect(l.x() - 11, l.y() - 11, 23, 23).intersects(area)) return false;
      }
      return true;
    };
    const bool isUsed = used.count(satellite.prn) > 0;
    anyUsed = anyUsed || isUsed;
    SCOPED_TRACE("satellite " + std::to_string(satellite.prn) + " at elevation " +
                 std::to_string(satellite.elevation) + ", azimuth " +
                 std::to_string(satellite.azimuth) + ": disc centre " + std::to_string(c.x()) +
                 "," + std::to_string(c.y()));
    if (const QRect fill(c.x(), c.y() + 5, 1, 1); uncovered(fill)) {
      ++fills;
      EXPECT_EQ(image.pixel(fill.topLeft()), isUsed ? kBlue : kGreen) << "fill";
    }
    for (const QRect outline : {QRect(c.x() - 9, c.y(), 4, 1), QRect(c.x() + 5, c.y(), 4, 1),
                                QRect(c.x(), c.y() + 6, 1, 3)}) {
      if (!uncovered(outline)) continue;
      ++outlines;
      EXPECT_TRUE(AnyPixel(image, outline, kBlack))
          << "outline near " << outline.x() << "," << outline.y();
    }
    if (const QRect number(c.x() - 5, c.y() - 6, 13, 9); uncovered(number)) {
      ++numbers;
      EXPECT_TRUE(AnyPixel(image, number, isUsed ? kWhite : kRed)) << "number";
    }
  }
  EXPECT_GE(fills, 2) << "too few discs stand clear to be checked";
  EXPECT_GE(outlines, 4);
  EXPECT_GE(numbers, 1);
  EXPECT_EQ(AnyPixel(image, image.rect(), kBlue), anyUsed);
  EXPECT_TRUE(boxes.seen.empty()) << boxes.seen.front().text;

  // "Hot": the command reaches the receiver, the display resets at once, the receiver starts
  // again without a fix and the fix comes back.
  const int startsBefore = sim->LogCount("hot start");
  window->Run(Handler::BuHSClick);
  EXPECT_EQ(window->Text(control::Edit6), "");
  EXPECT_EQ(window->Text(control::EdTime), "0");
  EXPECT_FALSE(window->Checked(control::CheckBox1));
  EXPECT_TRUE(WaitUntil([&] { return sim->LogCount("hot start") > startsBefore; }, 20s))
      << "the simulator did not see @SR; it said:\n"
      << sim->Log();
  const std::size_t afterHot = recorder->lines.size();
  EXPECT_TRUE(WaitUntil([&] { return window->Text(control::Edit6) == "NONE"; }, 20s))
      << "no epoch without a fix after the hot start";
  EXPECT_TRUE(WaitForFix(afterHot))
      << "the fix did not come back; Edit6 \"" << window->Text(control::Edit6) << "\"";
  ExpectBoxesAgreeWithStream();
  EXPECT_TRUE(boxes.seen.empty()) << boxes.seen.front().text;
}

// One fault after another in one run, each switched on through the simulator's control
// lines: the monitor keeps running, shows what the table says and recovers its fix.
TEST_F(SimulatorEndToEnd, EveryFaultPassesAndTheMonitorRecovers) {
  Start({"--fault-seconds", "3"});
  ASSERT_TRUE(WaitForFix(0)) << "no 3D fix before the faults";

  struct Case {
    const char* fault;
    const char* on;  // the control line that starts it
    int seconds;     // how long it stays on before "off" (0: it ends by itself)
    int dialogs;     // exception dialogs expected
    bool reset;      // the display returns to its empty look meanwhile
  };
  const Case cases[] = {
      {"badsum", "fault badsum 0.3", 3, 0, false},
      {"badfield", "fault badfield once", 0, 1, false},
      {"burst", "fault burst once", 0, 0, false},
      {"nolf", "fault nolf 0.3", 3, 0, false},
      {"wrongspeed", "fault wrongspeed 1", 4, 0, true},
      {"silence", "fault silence once", 0, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    const std::size_t before = recorder->lines.size();
    const int badBefore = recorder->badLines;
    const int joinedBefore = recorder->joinedLines;
    const int dialogsBefore = App().ExceptionsShown();
    const std::size_t boxesBefore = boxes.seen.size();
    ASSERT_TRUE(sim->Control(c.on));
    bool wasReset = false;
    const auto watch = [&] { wasReset = wasReset || DisplayIsReset(); };
    if (c.seconds > 0) {
      WaitUntil([&] { return watch(), false; }, std::chrono::seconds(c.seconds));
      ASSERT_TRUE(sim->Control(std::string("fault ") + c.fault + " off"));
    } else {
      ASSERT_TRUE(
          WaitUntil([&] { return sim->LogCount(c.fault) > 0 || sim->LogCount("silent"); }, 10s));
    }
    // The fix is back and fresh lines flow; a silent spell resets the display first.
    const bool back = WaitUntil(
        [&] {
          watch();
          return (!c.reset || wasReset) && recorder->lines.size() > before + 20 &&
                 window->Text(control::Edit6) == "3D" && window->Checked(control::CheckBox4) &&
                 recorder->Count("$GPRMC", recorder->lines.size() - 10) > 0;
        },
        30s);
    EXPECT_TRUE(back) << "no recovery; Edit6 \"" << window->Text(control::Edit6) << "\", "
                      << recorder->lines.size() - before << " lines since";
    EXPECT_TRUE(WaitForFix(recorder->lines.size())) << "no fresh fix after the fault";
    ExpectBoxesAgreeWithStream();
    EXPECT_TRUE(sim->Running());
    EXPECT_EQ(App().ExceptionsShown() - dialogsBefore, c.dialogs);
    EXPECT_EQ(wasReset, c.reset);
    std::string shown;
    for (std::size_t i = boxesBefore; i < boxes.seen.size(); ++i)
      shown += " \"" + boxes.seen[i].text + "\"";
    if (c.dialogs > 0) {
      ASSERT_EQ(boxes.seen.size(), boxesBefore + 1);
      EXPECT_NE(boxes.seen.back().text.find("is not a valid"), std::string::npos)
          << boxes.seen.back().text;
    }
    if (std::string(c.fault) == "badsum") {
      EXPECT_GT(recorder->badLines, badBefore) << "no line failed its checksum";
    }
    if (std::string(c.fault) == "nolf") {
      // Sentences run together, and each still counts from its own "$".
      EXPECT_GT(recorder->joinedLines, joinedBefore) << "no line feed was left out";
      EXPECT_EQ(recorder->badLines, badBefore) << "a sentence was lost with its line feed";
    }
    std::cout << "fault " << c.fault << ": " << recorder->joinedLines - joinedBefore
              << " memo lines holding two sentences, " << recorder->badLines - badBefore
              << " lines failing the checksum shown in the memo, "
              << App().ExceptionsShown() - dialogsBefore << " exception dialog(s)" << shown
              << (wasReset ? ", display reset" : ", no reset") << ", fix back\n";
  }
}

// A press and release of the left button in the middle of the control, as a user's click.
void Click(QWidget* control) {
  const QPointF middle = QRectF(control->rect()).center();
  const QPointF global = control->mapToGlobal(middle);
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, middle, global, Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(control, &event);
  }
}

// The receiver goes away while open and comes back, in the two ways a device can: the
// monitor lets go of it with no box, the button keeps "OFF", the silence rule resets the
// display, and once the device is back fresh sentences arrive without a click. Afterwards
// OFF and On still work as before.
TEST_F(SimulatorEndToEnd, ADeviceThatGoesAndComesBackIsReopenedWithoutAClick) {
  Start({"--fault-seconds", "3"});
  ASSERT_TRUE(WaitForFix(0)) << "no 3D fix before the device went";
  const struct {
    const char* how;
    bool killed;  // kill -9 and a fresh simulator, else its unplug fault
  } cases[] = {{"unplug fault", false}, {"kill -9 and restart", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    if (c.killed) {
      sim->Kill();  // its link stays behind, as after a crash
    } else {
      ASSERT_TRUE(sim->Control("fault unplug once"));
      EXPECT_TRUE(WaitUntil([&] { return !sim->Linked(); }, 20s)) << sim->Log();
    }
    EXPECT_TRUE(WaitUntil([&] { return DisplayIsReset(); }, 20s))
        << "no reset after the device went; EdTime " << window->Text(control::EdTime);
    EXPECT_EQ(window->Text(control::ButOpenGps), "OFF");
    if (c.killed) {
      sim.emplace(ports, simOptions);
      ASSERT_TRUE(sim->Pid() > 0) << "sattrail-sim did not start again";
    }
    ASSERT_TRUE(WaitUntil([&] { return sim->Linked(); }, 20s))
        << "the device did not come back; the simulator said:\n"
        << sim->Log();
    const auto back = std::chrono::steady_clock::now();
    const std::size_t since = recorder->lines.size();
    if (!c.killed) {
      EXPECT_GT(sim->LogCount("plugged in again"), 0) << sim->Log();
    }
    EXPECT_TRUE(WaitUntil([&] { return recorder->Count("$GP", since) > 0; }, 20s))
        << "no sentence after the device came back";
    const std::chrono::duration<double> flowing = std::chrono::steady_clock::now() - back;
    // One reopen try a second: the data is back well within 3 s of the device.
    EXPECT_LT(flowing.count(), 3.0) << "sentences came back only " << flowing.count() << " s later";
    EXPECT_TRUE(WaitForFix(since))
        << "no fix after the device came back; Edit6 \"" << window->Text(control::Edit6) << "\", "
        << recorder->lines.size() - since << " lines since; the simulator said:\n"
        << sim->Log();
    ExpectBoxesAgreeWithStream();
    EXPECT_EQ(window->Text(control::ButOpenGps), "OFF");
    EXPECT_TRUE(boxes.seen.empty()) << boxes.seen.front().text;
    std::cout << c.how << ": display reset, " << boxes.seen.size()
              << " box(es), button OFF, sentences again " << flowing.count()
              << " s after the device came back, no click\n";
  }

  QWidget* button = window->ControlAs<QWidget>(control::ButOpenGps);
  Click(button);
  EXPECT_EQ(window->Text(control::ButOpenGps), "On");
  WaitUntil([] { return false; }, 1s);  // a user's second click comes a moment later
  Click(button);
  ASSERT_EQ(window->Text(control::ButOpenGps), "OFF");
  const std::size_t reopened = recorder->lines.size();
  EXPECT_TRUE(WaitForFix(reopened))
      << "no fix after reopening; Edit6 \"" << window->Text(control::Edit6) << "\", "
      << recorder->lines.size() - reopened << " lines since; the simulator said:\n"
      << sim->Log();
  ExpectBoxesAgreeWithStream();
  std::string shown;
  for (const std::string& text : boxes.Texts()) shown += " \"" + text + "\"";
  EXPECT_EQ(App().ExceptionsShown(), dialogsAtStart) << shown;
}

// What a finished session shows: the boxes of position, time and fix, and the sentence boxes.
using Shown = std::map<std::string, std::string>;
// The key of the local time, which tells that the last epoch has been shown.
const std::string kTime(control::EdTime);
const char* const kShownBoxes[] = {"Edit8",  "Edit9",    "EdSpeed", "EdTime",
                                   "EdDate", "EdHeight", "EdPDOP",  "Edit6"};

Shown ShownBy(MainWindow& window) {
  Shown shown;
  for (const char* box : kShownBoxes) shown[box] = window.Text(box);
  for (const char* box : kSentenceBoxes) shown[box] = window.Checked(box) ? "true" : "false";
  return shown;
}

// The final boxes of sattrail-replay's report for a file: its last line holds "boxes" (each
// box's text by its name) and "checks" (each check box's state), the degree sign in UTF-8.
Shown ReplayedFrom(const fs::path& file) {
  const std::string command =
      std::string(SATTRAIL_BIN_DIR) + "/sattrail-replay '" + file.string() + "' 2>&1";
  std::string report;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      report.append(buffer, n);
    ::pclose(pipe);
  }
  Shown shown;
  const std::size_t final = report.rfind("{\"final\"");
  if (final == std::string::npos) return {{"report", report}};
  for (const char* box : kShownBoxes) {
    const std::string key = std::string("\"") + box + "\":\"";
    const std::size_t at = report.find(key, final);
    if (at == std::string::npos) continue;
    std::string text =
        report.substr(at + key.size(), report.find('"', at + key.size()) - at - key.size());
    // Back to the window's bytes: the degree sign as its two Big5 bytes.
    for (std::size_t degree; (degree = text.find("\xC2\xB0")) != std::string::npos;)
      text.replace(degree, 2, "\xA2\x58");
    shown[box] = text;
  }
  for (const char* box : kSentenceBoxes) {
    const std::string key = std::string("\"") + box + "\":";
    const std::size_t at = report.find(key, final);
    if (at != std::string::npos)
      shown[box] = report.compare(at + key.size(), 4, "true") == 0 ? "true" : "false";
  }
  return shown;
}

std::string FileBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The bytes the simulator sends for a capture: its lines without the "#" and empty ones, each
// ended by CR LF.
std::string SentBytesOf(const std::string& capture) {
  std::ifstream file(std::string(SATTRAIL_TEST_DATA) + "/" + capture, std::ios::binary);
  std::string sent, line;
  while (std::getline(file, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    if (!line.empty() && line[0] != '#') sent += line + "\r\n";
  }
  return sent;
}

// triton400.log (Magellan Triton 400) ends with this epoch; its independent reading, as in the
// replay tool's captures suite:
//   $GPGGA,030133.00,2638.1753,N,08011.3903,W,1,06,1.5,00020,M,-0028,M,,*55
//   $GPRMC,030133.0,A,2638.1753,N,08011.3903,W,0.00,219.6,010413,,*26
// with the GSA before it "$GPGSA,A,3,...,02.6,01.5,02.1*06". 80.2 degrees west is UTC-5, so
// 03:01:33 on 1 April shows as 22:01:33 on 31 March. GSV, GLL, GGA, RMC and GSA arrive.
const Shown kTritonLastFix = {
    {"Edit8",
     "N26\xA2\x58"
     "38'10.5"},
    {"Edit9",
     "W80\xA2\x58"
     "11'23.4"},
    {"EdSpeed", "0"},
    {"EdTime", "22:01:33"},
    {"EdDate", "2013/03/31"},
    {"EdHeight", "20.0"},
    {"EdPDOP", "2.60"},
    {"Edit6", "3D"},
    {"CheckBox1", "true"},
    {"CheckBox2", "true"},
    {"CheckBox3", "true"},
    {"CheckBox4", "true"},
    {"CheckBox5", "true"},
    {"CheckBox6", "false"},
    {"CheckBox7", "false"},
};

// A session at 115200 bit/s recorded with --record: the monitor shows the capture's last fix;
// the file holds exactly what the receiver sent from the open on, in order; and the file read
// back by sattrail-replay and by sattrail-sim --capture shows the same boxes again.
TEST_F(SimulatorEndToEnd, At115200ARecordedSessionPlaysBackToTheSameBoxes) {
  const fs::path session = folder.Path() / "session.nmea";
  run.Recording.Path = session.string();
  const std::string capture = std::string(SATTRAIL_TEST_DATA) + "/triton400.log";
  Start({"--capture", capture}, 6);
  EXPECT_EQ(run.DeviceControl.BaudRate, 115200u);  // as read back from the device

  Shown live;
  const bool fixShown = WaitUntil(
      [&] {
        live = ShownBy(*window);  // the silence rule empties the boxes later
        return live[kTime] == kTritonLastFix.at(kTime);
      },
      60s);
  ASSERT_TRUE(fixShown) << "EdTime shows " << live[kTime] << " after " << recorder->lines.size()
                        << " lines; the simulator said:\n"
                        << sim->Log();
  EXPECT_EQ(live, kTritonLastFix);
  window->Run(Handler::ButOpenGpsClick);  // OFF writes the rest of the recording
  ASSERT_EQ(window->Text(control::ButOpenGps), "On");

  const std::string recorded = FileBytes(session);
  const std::string sent = SentBytesOf("triton400.log");
  ASSERT_FALSE(recorded.empty());
  EXPECT_TRUE(sent.ends_with(recorded)) << "the recording is not what the receiver sent";
  EXPECT_TRUE(
      recorded.ends_with("$GPRMC,030133.0,A,2638.1753,N,08011.3903,W,0.00,219.6,010413,,*26\r\n"));
  std::cout << "recorded " << recorded.size() << " of the " << sent.size()
            << " bytes the simulator sent\n";

  EXPECT_EQ(ReplayedFrom(session), live) << "sattrail-replay " << session;

  // The recording as the capture of a second simulated receiver, in a port-link folder of its
  // own, and a second monitor.
  TemporaryFolder second("sattrail-sim-e2e-replayed");
  SimulatedReceiver replayed(second.Path() / "ports",
                             {"--capture", session.string(), "--speed", "115200"});
  ASSERT_TRUE(WaitUntil([&] { return replayed.Linked(); }, 20s)) << replayed.Log();
  RunState againRun;
  MainWindow again(againRun);
  again.ControlAs<QComboBox>(control::ComboBox1)->setCurrentIndex(6);
  again.Run(Handler::ButOpenGpsClick);
  ASSERT_EQ(again.Text(control::ButOpenGps), "OFF");
  Shown shownAgain;
  EXPECT_TRUE(WaitUntil(
      [&] {
        shownAgain = ShownBy(again);
        return shownAgain[kTime] == kTritonLastFix.at(kTime);
      },
      60s))
      << "sattrail-sim --capture " << session << " said:\n"
      << replayed.Log();
  EXPECT_EQ(shownAgain, live);
  again.Run(Handler::ButOpenGpsClick);
  EXPECT_TRUE(boxes.seen.empty()) << boxes.seen.front().text;
}

// A recording the disk refuses (/dev/full takes no byte): one box names the file and the
// reason, while the fix goes on coming; OFF shows no second box.
TEST_F(SimulatorEndToEnd, ARecordingTheDiskRefusesShowsOneBoxAndTheMonitorGoesOn) {
  run.Recording.Path = "/dev/full";
  Start();
  ASSERT_TRUE(WaitUntil([&] { return !boxes.seen.empty(); }, 30s)) << "no box";
  EXPECT_EQ(boxes.seen[0].text, "Recording stopped");
  EXPECT_NE(boxes.seen[0].informative.find("File: /dev/full\nReason: No space left on device\n"),
            std::string::npos)
      << boxes.seen[0].informative;
  EXPECT_TRUE(WaitForFix(recorder->lines.size())) << "no fix after the box";
  ExpectBoxesAgreeWithStream();

  window->Run(Handler::ButOpenGpsClick);  // OFF: nothing is left to write and nothing more to say
  EXPECT_EQ(window->Text(control::ButOpenGps), "On");
  EXPECT_EQ(boxes.seen.size(), 1u);
  EXPECT_EQ(App().ExceptionsShown(), dialogsAtStart);
}

}  // namespace
}  // namespace sattrail
