// SPDX-License-Identifier: BSD-2-Clause
// The main window as designed: every control by its component name, with its kind, parent,
// geometry, initial text, visibility, enabled and read-only state and the pop-up menu a
// right click on it opens. The table is written down from the window's design, apart from
// the code that builds the window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPushButton>
#include <optional>

#include "WindowTestSupport.h"
#include "platform/ControlNames.h"
#include "platform/qt/QtControls.h"

namespace sattrail::testing {
namespace {

struct Expected {
  const char* name;
  const char* kind;
  const char* parent;  // "" for the window's client area
  int left, top, width, height;
  std::optional<const char*> text;  // none: the control has no text
  bool visible;
  bool enabled;
  bool readOnly;
  const char* menu;  // what a right click on it opens
};

constexpr auto none = std::nullopt;

// clang-format off
const Expected kControls[] = {
    // The panels and the hidden buttons; GroupBox2 after FormCreate.
    {"GroupBox3", "GroupBox", "", 7, 23, 185, 137, none, true, true, false, ""},
    {"GroupBox1", "GroupBox", "", 0, 159, 192, 80, none, true, true, false, ""},
    {"GroupBox4", "GroupBox", "", 200, 158, 187, 81, none, true, true, false, "DbAndCheck"},
    {"GroupBox2", "GroupBox", "", 200, 22, 185, 137, none, true, true, false, ""},
    {"GroupBox5", "GroupBox", "", 199, 1, 185, 27, none, true, true, false, ""},
    {"BitBtn3", "Button", "", 63, 174, 25, 20, "", false, true, false, ""},
    {"BitBtn4", "Button", "", 37, 204, 27, 19, "", false, true, false, ""},
    {"BitBtn5", "Button", "", 37, 183, 25, 19, "", false, true, false, ""},
    {"Button2", "Button", "", 15, 183, 22, 20, "B", false, true, false, ""},
    {"Button3", "Button", "", 135, 174, 17, 25, "Button3", false, true, false, ""},
    {"GroupBox7", "GroupBox", "", 7, 0, 185, 31, none, true, true, false, ""},
    // Port panel.
    {"Label11", "Label", "GroupBox7", 154, 12, 31, 14, "V1.4A", true, true, false, ""},
    {"BitBtn2", "Button", "GroupBox7", 120, 8, 24, 20, "", false, true, false, ""},
    {"BitBtn1", "Button", "GroupBox7", 104, 8, 21, 21, "", false, true, false, ""},
    {"ComboBox2", "ComboBox", "GroupBox7", 56, 8, 57, 21, "COM1", true, true, false, ""},
    {"ComboBox1", "ComboBox", "GroupBox7", 4, 8, 53, 21, "4800", true, true, false, ""},
    {"ButOpenGps", "Button", "GroupBox7", 112, 8, 40, 20, "On", true, true, false, ""},
    // Command panel.
    {"SetMsg", "ComboBox", "GroupBox5", 104, 8, 81, 21, "Command", true, true, false, ""},
    {"Button1", "Button", "GroupBox5", 72, 8, 33, 16, "Cold", true, true, false, ""},
    {"Com2B", "Button", "GroupBox5", 36, 8, 33, 16, "Warm", true, true, false, ""},
    {"BuHS", "Button", "GroupBox5", 2, 8, 30, 17, "Hot", true, true, false, ""},
    // Sky panel.
    {"Image2", "Image", "GroupBox3", 43, 10, 94, 98, none, true, true, false, "PopupMenu1"},
    {"Label1", "Label", "GroupBox3", 89, 7, 8, 13, "N", true, true, false, ""},
    {"Label17", "Label", "GroupBox3", 42, 54, 11, 13, "W", true, true, false, ""},
    {"Label18", "Label", "GroupBox3", 89, 98, 7, 13, "S", true, true, false, ""},
    {"Label19", "Label", "GroupBox3", 133, 55, 7, 13, "E", true, true, false, ""},
    {"Shape8", "Shape", "GroupBox3", 58, 61, 70, 1, none, true, true, false, ""},
    {"Shape9", "Shape", "GroupBox3", 92, 22, 1, 75, none, true, true, false, ""},
    {"Button4", "Button", "GroupBox3", 96, 184, 27, 17, "V", true, true, false, ""},
    {"EdTime", "Edit", "GroupBox3", 134, 117, 52, 21, "00:00:00", true, true, false, ""},
    {"EdDate", "Edit", "GroupBox3", 0, 115, 65, 21, "2004/00/00", true, true, false, ""},
    // Signal panel.
    {"Shape3", "Shape", "GroupBox1", 10, 5, 172, 71, none, true, true, false, ""},
    {"Image1", "Image", "GroupBox1", 14, 8, 164, 64, none, true, true, false, "DbAndCheck"},
    {"Shape2", "Shape", "GroupBox1", 8, 94, 41, 1, none, true, true, false, ""},
    {"Shape1", "Shape", "GroupBox1", 8, 96, 1, 10, none, true, true, false, ""},
    {"Shape7", "Shape", "GroupBox1", 10, 54, 164, 2, none, true, true, false, ""},
    // NMEA panel.
    {"Label20", "Label", "GroupBox2", 53, 99, 30, 13, "PDOP", true, true, false, ""},
    {"Label2", "Label", "GroupBox2", 10, 99, 27, 13, "Mode", true, true, false, "DbAndCheck"},
    {"Label21", "Label", "GroupBox2", 115, 99, 16, 13, "Ver", true, true, false, ""},
    {"Label22", "Label", "GroupBox2", 156, 100, 20, 13, "TTF", true, true, false, ""},
    {"EdPDOP", "Edit", "GroupBox2", 52, 112, 45, 21, "", true, true, false, ""},
    {"Edit6", "Edit", "GroupBox2", 7, 112, 42, 21, "", true, true, true, "DbAndCheck"},
    {"Ed2Dt", "Edit", "GroupBox2", 136, 40, 29, 21, "0", false, true, false, ""},
    {"Ed3Dt", "Edit", "GroupBox2", 149, 112, 31, 21, "0", true, true, false, ""},
    {"EdCommand", "Edit", "GroupBox2", 8, 72, 121, 21, "@GSV 1", true, true, false, ""},
    {"Send", "Button", "GroupBox2", 136, 72, 43, 23, "Send", true, true, false, ""},
    {"Edit7", "Edit", "GroupBox2", 100, 112, 49, 21, "", true, true, false, "DbAndCheck"},
    {"GroupBox6", "GroupBox", "GroupBox2", 8, 8, 172, 57, none, true, true, false, ""},
    {"OutTextBox", "Memo", "GroupBox6", 5, 11, 162, 41, "", true, true, false, "PopupMenu1"},
    // Information panel.
    {"Label3", "Label", "GroupBox4", 90, 95, 23, 13, "Time", true, true, false, "DbAndCheck"},
    {"Label4", "Label", "GroupBox4", 55, 7, 38, 13, "Latitude", true, true, false, "DbAndCheck"},
    {"Label5", "Label", "GroupBox4", 125, 7, 47, 13, "Longitude", true, true, false, "DbAndCheck"},
    {"Label6", "Label", "GroupBox4", 9, 42, 31, 13, "Height", true, true, false, "DbAndCheck"},
    {"Label7", "Label", "GroupBox4", 52, 43, 23, 13, "GGA", true, true, false, "DbAndCheck"},
    {"Label8", "Label", "GroupBox4", 97, 43, 22, 13, "GSA", true, true, false, "DbAndCheck"},
    {"Label9", "Label", "GroupBox4", 53, 67, 22, 13, "GSV", true, true, false, "DbAndCheck"},
    {"Label10", "Label", "GroupBox4", 143, 42, 24, 13, "RMC", true, true, false, "DbAndCheck"},
    {"Label14", "Label", "GroupBox4", 145, 66, 20, 13, "GLL", true, true, false, "DbAndCheck"},
    {"Label15", "Label", "GroupBox4", 97, 66, 22, 13, "VTG", true, true, false, "DbAndCheck"},
    {"Label16", "Label", "GroupBox4", 131, 92, 22, 13, "ZDA", false, true, false, "DbAndCheck"},
    {"Label23", "Label", "GroupBox4", 4, 8, 31, 13, "Speed", true, true, false, "DbAndCheck"},
    {"Edit8", "Edit", "GroupBox4", 37, 20, 73, 21, "", true, true, false, "DbAndCheck"},
    {"Edit9", "Edit", "GroupBox4", 110, 20, 74, 21, "", true, true, false, "DbAndCheck"},
    {"Edit10", "Edit", "GroupBox4", 88, 108, 33, 21, "0", true, true, false, "DbAndCheck"},
    // Disabled check boxes pass a right click on to the panel, which carries DbAndCheck.
    {"CheckBox1", "CheckBox", "GroupBox4", 78, 41, 17, 17, "CheckBox1", true, false, false, "DbAndCheck"},
    {"CheckBox2", "CheckBox", "GroupBox4", 123, 41, 17, 17, "CheckBox1", true, false, false, "DbAndCheck"},
    {"CheckBox3", "CheckBox", "GroupBox4", 78, 63, 17, 17, "CheckBox1", true, false, false, "DbAndCheck"},
    {"CheckBox4", "CheckBox", "GroupBox4", 170, 41, 18, 17, "CheckBox1", true, false, false, "DbAndCheck"},
    {"CheckBox5", "CheckBox", "GroupBox4", 170, 65, 17, 17, "CheckBox1", true, false, false, "DbAndCheck"},
    {"CheckBox6", "CheckBox", "GroupBox4", 122, 63, 17, 17, "CheckBox1", true, false, false, "DbAndCheck"},
    {"CheckBox7", "CheckBox", "GroupBox4", 156, 97, 17, 17, "ZDA", false, false, false, "DbAndCheck"},
    {"Edit11", "Edit", "GroupBox4", 136, 105, 17, 21, "/", false, true, true, ""},
    {"EdSpeed", "Edit", "GroupBox4", 3, 20, 34, 21, "", true, true, false, ""},
    {"EdHeight", "Edit", "GroupBox4", 4, 56, 41, 21, "0", true, true, false, ""},
};
// clang-format on

bool IsKind(QWidget* widget, std::string_view kind) {
  if (kind == "GroupBox") return qobject_cast<PanelControl*>(widget) != nullptr;
  if (kind == "Label") return qobject_cast<QLabel*>(widget) != nullptr;
  if (kind == "Edit") return qobject_cast<QLineEdit*>(widget) != nullptr;
  if (kind == "Memo") return qobject_cast<MemoControl*>(widget) != nullptr;
  if (kind == "CheckBox") return qobject_cast<QCheckBox*>(widget) != nullptr;
  if (kind == "Button") return qobject_cast<QPushButton*>(widget) != nullptr;
  if (kind == "ComboBox") {
    auto* combo = qobject_cast<QComboBox*>(widget);
    return combo != nullptr && combo->isEditable();
  }
  if (kind == "Image") return qobject_cast<ImageControl*>(widget) != nullptr;
  if (kind == "Shape") return qobject_cast<ShapeControl*>(widget) != nullptr;
  return false;
}

using InventoryTest = WindowTest;

TEST_F(InventoryTest, EveryControlAsDesigned) {
  for (const Expected& control : kControls) {
    SCOPED_TRACE(control.name);
    QWidget* widget = window.Control(control.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->objectName().toStdString(), control.name);
    EXPECT_TRUE(IsKind(widget, control.kind)) << widget->metaObject()->className();
    if (std::string_view(control.parent).empty()) {
      EXPECT_EQ(widget->parentWidget(), window.Client());
    } else {
      EXPECT_EQ(widget->parentWidget(), window.Control(control.parent));
    }
    EXPECT_EQ(widget->geometry(), QRect(control.left, control.top, control.width, control.height));
    EXPECT_EQ(window.Left(control.name), control.left);
    if (control.text) {
      EXPECT_EQ(window.Text(control.name), *control.text);
    }
    EXPECT_EQ(window.Visible(control.name), control.visible);
    EXPECT_EQ(widget->isEnabled(), control.enabled);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      EXPECT_EQ(edit->isReadOnly(), control.readOnly);
    }
    QWidget* target = ClickTarget(widget);
    EXPECT_EQ(MenuOpenedBy(window, target, target->rect().center()), control.menu);
  }
}

TEST_F(InventoryTest, TheUnnamedShapeHasNoWidthAndStaysUnseen) {
  QWidget* signalPanel = window.Control(control::GroupBox1);
  int unnamed = 0;
  for (QObject* child : signalPanel->children()) {
    auto* shape = qobject_cast<ShapeControl*>(child);
    if (shape == nullptr || !shape->objectName().isEmpty()) continue;
    ++unnamed;
    EXPECT_EQ(shape->geometry(), QRect(17, 73, 0, 38));
  }
  EXPECT_EQ(unnamed, 1);
}

TEST_F(InventoryTest, WindowStartsInTheFittedFullLayout) {
  EXPECT_EQ(window.ClientSize(), QSize(387, 239));
  EXPECT_EQ(window.size(), QSize(387, 239));
  EXPECT_EQ(window.Width(), 387 + window.FrameExtent().width());
  EXPECT_EQ(window.Height(), 239 + window.FrameExtent().height());
  EXPECT_TRUE(window.AutoSize());
  EXPECT_TRUE(window.AutoScroll());
  EXPECT_FALSE(window.HorizontalScrollBar().isVisible());
  EXPECT_EQ(window.Caption(), "GPS 1.4A");
  EXPECT_EQ(QApplication::applicationName().toStdString(), "Sattrail");
  EXPECT_EQ(window.Text(control::ButOpenGps), "On");
  EXPECT_EQ(run.PortHandle, nullptr);
}

TEST_F(InventoryTest, FixedBorderWithMinimiseAndCloseOnly) {
  const Qt::WindowFlags flags = window.windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  // The program's own sizes are replaced by the fit while auto-size is on.
  window.SetWidth(500);
  window.SetHeight(100);
  EXPECT_EQ(window.ClientSize(), QSize(387, 239));
  EXPECT_EQ(window.size(), QSize(387, 239));
}

TEST_F(InventoryTest, ComboBoxesShowTheirTextWithNothingSelected) {
  struct Combo {
    const char* name;
    const char* text;
    std::vector<std::string> items;
  };
  std::vector<std::string> ports;
  for (int n = 1; n <= 30; ++n) ports.push_back("COM" + std::to_string(n));
  const Combo combos[] = {
      {"ComboBox1", "4800", {"4800", "9600", "14400", "19200", "38400", "57600", "115200"}},
      {"ComboBox2", "COM1", ports},
      {"SetMsg",
       "Command",
       {"CB 1 4800", "CD ", "CLR", "GS 99.0 99.0 99.0 99.0", "GSV 1", "NC 10111000", "PM N24E121",
        "SR", "WLK"}},
  };
  for (const Combo& combo : combos) {
    SCOPED_TRACE(combo.name);
    EXPECT_EQ(window.Text(combo.name), combo.text);
    EXPECT_EQ(window.ItemIndex(combo.name), -1);
    auto* box = window.ControlAs<QComboBox>(combo.name);
    ASSERT_EQ(box->count(), static_cast<int>(combo.items.size()));
    for (int i = 0; i < box->count(); ++i)
      EXPECT_EQ(box->itemText(i).toStdString(), combo.items[i]);
    EXPECT_EQ(box->maxVisibleItems(), 8);
  }
}

TEST_F(InventoryTest, PickingAnEntrySelectsItAndEditingTheTextDeselects) {
  auto* speeds = window.ControlAs<ComboControl>(control::ComboBox1);
  speeds->setCurrentIndex(2);
  emit speeds->activated(2);
  EXPECT_EQ(window.ItemIndex(control::ComboBox1), 2);
  EXPECT_EQ(window.Text(control::ComboBox1), "14400");
  speeds->lineEdit()->setText("9600");
  emit speeds->lineEdit()->textEdited("9600");
  EXPECT_EQ(window.ItemIndex(control::ComboBox1), -1);
  // An entry the program makes current is selected as well.
  speeds->setCurrentIndex(4);
  EXPECT_EQ(window.ItemIndex(control::ComboBox1), 4);
  EXPECT_EQ(window.Text(control::ComboBox1), "38400");
  window.SetText(control::ComboBox1, "4800");
  EXPECT_EQ(window.ItemIndex(control::ComboBox1), -1);
}

TEST_F(InventoryTest, TimersAreOffWithTheirIntervals) {
  EXPECT_FALSE(window.Timer1().Enabled());
  EXPECT_EQ(window.Timer1().Interval(), 100);
  EXPECT_FALSE(window.Timer2().Enabled());
  EXPECT_EQ(window.Timer2().Interval(), 1000);
}

TEST_F(InventoryTest, FontsAreLiberationSansAtTheirPixelHeights) {
  for (const Expected& control : kControls) {
    SCOPED_TRACE(control.name);
    const QFont font = window.Control(control.name)->font();
    EXPECT_EQ(font.family().toStdString(), "Liberation Sans");
    EXPECT_EQ(font.pixelSize(), std::string_view(control.name) == "Edit6" ? 8 : 11);
  }
  // The face is really there, not a fallback.
  EXPECT_EQ(QFontInfo(window.Control(control::Label4)->font()).family().toStdString(),
            "Liberation Sans");
}

// Pixels of the rendered window where the inventory puts the panels and lines.
TEST_F(InventoryTest, PanelColoursAndLinesWhereTheInventoryPutsThem) {
  const QImage image = window.grab().toImage();
  ASSERT_EQ(image.size(), QSize(387, 239));
  struct Pixel {
    const char* what;
    int x, y;
    QColor colour;
  };
  const Pixel pixels[] = {
      {"sky panel, left of the plot", 7 + 20, 23 + 40, QColor(192, 220, 192)},
      {"NMEA panel, left of the mode label", 200 + 4, 22 + 96, QColor(166, 202, 240)},
      {"information panel, free area", 200 + 48, 158 + 60, QColor(192, 192, 192)},
      {"chart frame inside", 0 + 12, 159 + 30, QColor(192, 220, 192)},
      // Shape7 crosses the chart: 2 pixels black, 46 pixels below Image1's top (8 + 46 = 54).
      {"chart line, upper row", 0 + 100, 159 + 54, QColor(0, 0, 0)},
      {"chart line, lower row", 0 + 100, 159 + 55, QColor(0, 0, 0)},
      // The cross-hair of the sky plot, drawn above it.
      {"cross-hair, horizontal", 7 + 70, 23 + 61, QColor(0, 0, 0)},
      {"cross-hair, vertical", 7 + 92, 23 + 30, QColor(0, 0, 0)},
  };
  for (const Pixel& pixel : pixels) {
    SCOPED_TRACE(pixel.what);
    EXPECT_EQ(image.pixelColor(pixel.x, pixel.y).rgb(), pixel.colour.rgb());
  }
}

// Image2 lets the sky panel show through its picture's transparent colour (that of its
// bottom-left pixel); Image1 is opaque.
TEST_F(InventoryTest, SkyPlotIsTransparentAndChartOpaque) {
  auto* sky = window.ControlAs<ImageControl>(control::Image2);
  auto* chart = window.ControlAs<ImageControl>(control::Image1);
  EXPECT_EQ(window.Surface(control::Image2).Width(), 94);
  EXPECT_EQ(window.Surface(control::Image2).Height(), 98);
  EXPECT_EQ(window.Surface(control::Image1).Width(), 164);
  EXPECT_EQ(window.Surface(control::Image1).Height(), 64);
  ASSERT_NE(sky->Picture(), nullptr);
  ASSERT_NE(chart->Picture(), nullptr);
  QApplication::processEvents();
  const QImage image = window.grab().toImage();

  const QImage& skyPicture = *sky->Picture();
  const QRgb key = skyPicture.pixel(0, skyPicture.height() - 1);
  const QPoint skyPoint(20, 30);  // in the picture, away from the compass letters
  const QRgb skyShown = image.pixel(7 + 43 + skyPoint.x(), 23 + 10 + skyPoint.y());
  if (skyPicture.pixel(skyPoint) == key) {
    EXPECT_EQ(skyShown, QColor(192, 220, 192).rgb());
  } else {
    EXPECT_EQ(skyShown, skyPicture.pixel(skyPoint));
  }
  const QImage& chartPicture = *chart->Picture();
  const QPoint chartPoint(5, 5);
  EXPECT_EQ(image.pixel(0 + 14 + chartPoint.x(), 159 + 8 + chartPoint.y()),
            chartPicture.pixel(chartPoint) | 0xFF000000u);
}

// What a control is asked to repaint, in its own coordinates.
class PaintRecorder : public QObject {
 public:
  explicit PaintRecorder(QWidget* control) { control->installEventFilter(this); }
  QRegion painted;
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    painted += static_cast<QPaintEvent*>(event)->region();
    ++paints;
    return false;
  }
};

// A drawing that moves one disc of the chart asks for the repaint of the pixels between the
// old disc and the new one, not of the whole picture, and of nothing beneath the picture; a
// drawing that changes nothing asks for no repaint at all. A box on a coloured panel that
// changes repaints the panel, not the window beneath it.
TEST_F(InventoryTest, ChartAndBoxesRepaintOnlyWhatChanged) {
  Canvas& chart = window.Surface(control::Image1);
  const auto draw = [&](int discLeft) {
    chart.SetBrushColor({192, 220, 192});
    chart.RoundRect(0, 0, 164, 64, 0, 0);
    chart.SetBrushColor({0, 0, 255});
    chart.Ellipse(discLeft, 20, discLeft + 10, 30);
    window.SettleSurfaces();
    QApplication::processEvents();
  };
  draw(20);
  PaintRecorder recorder(window.Control(control::Image1));
  PaintRecorder outline(window.Control(control::Shape3));
  PaintRecorder client(window.Client());
  draw(40);
  const QRect painted = recorder.painted.boundingRect();
  EXPECT_TRUE(QRect(20, 20, 30, 10).contains(painted))
      << painted.x() << "," << painted.y() << " " << painted.width() << "x" << painted.height();
  EXPECT_TRUE(painted.contains(QPoint(25, 25)));  // where the old disc was
  EXPECT_TRUE(painted.contains(QPoint(45, 25)));  // where the new one is
  EXPECT_TRUE(outline.painted.isEmpty());
  recorder.painted = {};
  draw(40);
  EXPECT_TRUE(recorder.painted.isEmpty());
  PaintRecorder panel(window.Control(control::GroupBox3));
  window.SetText(control::EdTime, "12:34:56");
  QApplication::processEvents();
  EXPECT_FALSE(panel.painted.isEmpty());
  EXPECT_TRUE(client.painted.isEmpty());
}

// Lines that come between two paints are painted together, once; lines that come while the
// memo is hidden show when it shows again.
TEST_F(InventoryTest, MemoPaintsOnceForSeveralLinesAndAfterBeingHidden) {
  PaintRecorder recorder(window.Control(control::OutTextBox));
  window.SetText(control::OutTextBox, "$GPGGA,1*00\r\n");
  window.SetText(control::OutTextBox, "$GPGGA,1*00\r\n$GPRMC,2*00\r\n");
  window.DeleteFirstLine(control::OutTextBox);
  QApplication::processEvents();
  EXPECT_EQ(recorder.paints, 1);
  window.SetVisible(control::GroupBox2, false);
  window.SetText(control::OutTextBox, "$GPGSA,3*00\r\n");
  QApplication::processEvents();
  EXPECT_EQ(recorder.paints, 1);
  window.SetVisible(control::GroupBox2, true);
  EXPECT_TRUE(WaitUntil([&] { return recorder.paints == 2; }));
  window.SetText(control::OutTextBox, "$GPGSV,4*00\r\n");
  EXPECT_TRUE(WaitUntil([&] { return recorder.paints == 3; }));
}

TEST_F(InventoryTest, MemoKeepsItsBytesAndDeletesThroughTheFirstLineFeed) {
  const std::string lines = "$GPRMC,1*00\r\n[status \xA2X]\r\nlast";
  window.SetText(control::OutTextBox, lines);
  EXPECT_EQ(window.Text(control::OutTextBox), lines);
  window.DeleteFirstLine(control::OutTextBox);
  EXPECT_EQ(window.Text(control::OutTextBox), "[status \xA2X]\r\nlast");
  auto* memo = window.ControlAs<MemoControl>(control::OutTextBox);
  EXPECT_EQ(memo->ShownText(), QString::fromUtf8("[status \u00B0]\nlast"));
  window.DeleteFirstLine(control::OutTextBox);
  window.DeleteFirstLine(control::OutTextBox);
  EXPECT_EQ(window.Text(control::OutTextBox), "");
  EXPECT_EQ(memo->focusPolicy(), Qt::NoFocus);
}

TEST_F(InventoryTest, PortListToolTipsNameTheDeviceWhenTheListOpens) {
  const QString folder = QDir::tempPath() + "/sattrail-window-test-" +
                         QString::number(QCoreApplication::applicationPid());
  QDir().mkpath(folder);
  QFile::remove(folder + "/COM2");
  ASSERT_TRUE(QFile::link("/dev/null", folder + "/COM2"));
  qputenv("SATTRAIL_PORT_DIR", folder.toLocal8Bit());
  auto* ports = window.ControlAs<ComboControl>(control::ComboBox2);
  EXPECT_TRUE(ports->itemData(1, Qt::ToolTipRole).toString().isEmpty());
  ports->showPopup();
  EXPECT_TRUE(ports->itemData(1, Qt::ToolTipRole).toString().contains("/dev/null"));
  ports->hidePopup();
  // Of a folder that others may write to no link counts, and the closed box says why.
  EXPECT_TRUE(ports->toolTip().isEmpty());
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                    QFile::WriteOther | QFile::ExeOther);
  ports->showPopup();
  EXPECT_TRUE(ports->toolTip().startsWith("Port links ignored: " + folder + " (owner "))
      << ports->toolTip().toStdString();
  EXPECT_TRUE(ports->toolTip().endsWith(
      ", mode 0703) is writable by group or others; ports follow the device order."));
  EXPECT_FALSE(ports->itemData(1, Qt::ToolTipRole).toString().contains("/dev/null"));
  ports->hidePopup();
  qunsetenv("SATTRAIL_PORT_DIR");
  QDir(folder).removeRecursively();
}

}  // namespace
}  // namespace sattrail::testing
