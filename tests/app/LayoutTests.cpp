// SPDX-License-Identifier: BSD-2-Clause
// The panel layouts: folding the window to one column from either pop-up menu, unfolding it
// with "ALL", the hidden buttons' layouts, and the scroll bar of auto-scroll.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "platform/ControlNames.h"

namespace sattrail::testing {
namespace {

const char* const kPanels[] = {"GroupBox1", "GroupBox2", "GroupBox3", "GroupBox4"};

struct LayoutState {
  std::array<bool, 4> visible;
  std::array<int, 4> left;
  int width;
  int height;
  QSize client;
  bool autoSize;
  bool scrollBar;
  friend bool operator==(const LayoutState&, const LayoutState&) = default;
};

class LayoutTest : public WindowTest {
 protected:
  LayoutState State() const {
    LayoutState state{};
    for (int i = 0; i < 4; ++i) {
      state.visible[i] = window.Visible(kPanels[i]);
      state.left[i] = window.Left(kPanels[i]);
    }
    state.width = window.Width();
    state.height = window.Height();
    state.client = window.ClientSize();
    state.autoSize = window.AutoSize();
    state.scrollBar = window.HorizontalScrollBar().isVisible();
    return state;
  }

  // The panel (direct child of the client area) seen at a point of the client area.
  std::string PanelSeenAt(int x, int y) const {
    QWidget* widget = window.childAt(x, y);
    while (widget != nullptr && widget->parentWidget() != window.Client()) {
      widget = widget->parentWidget();
    }
    return widget == nullptr ? std::string() : widget->objectName().toStdString();
  }

  void ExpectFullLayout() {
    for (const char* panel : kPanels) {
      SCOPED_TRACE(panel);
      EXPECT_TRUE(window.Visible(panel));
    }
    EXPECT_EQ(window.Left(control::GroupBox2), 200);
    EXPECT_EQ(window.Left(control::GroupBox4), 200);
    EXPECT_EQ(window.Left(control::GroupBox1), 0);
    EXPECT_EQ(window.Left(control::GroupBox3), 7);
    EXPECT_EQ(window.Left(control::GroupBox5), 199);
    EXPECT_EQ(window.Left(control::GroupBox7), 7);
    EXPECT_EQ(window.ClientSize(), QSize(387, 239));
    EXPECT_EQ(window.size(), QSize(387, 239));
    EXPECT_TRUE(window.AutoSize());
    EXPECT_FALSE(window.HorizontalScrollBar().isVisible());
  }

  // Points in the upper and lower place of the left column.
  static constexpr int kUpperX = 100, kUpperY = 80;
  static constexpr int kLowerX = 50, kLowerY = 200;
};

TEST_F(LayoutTest, SatellitesFoldsToSkyAndInformationThenSignalReplacesInformation) {
  const int fullHeight = window.Height();
  window.Run(Handler::N1Click);
  EXPECT_FALSE(window.AutoSize());
  EXPECT_EQ(window.Width(), 193);
  EXPECT_EQ(window.Height(), fullHeight);  // the height stays the fitted one
  EXPECT_EQ(window.ClientSize().height(), 239);
  // The outer width includes the frame, so the 192-pixel column is cut at the right.
  EXPECT_LT(window.ClientSize().width(), 192);
  EXPECT_EQ(window.ClientSize().width(), 193 - window.FrameExtent().width());
  EXPECT_TRUE(window.Visible(control::GroupBox7));
  EXPECT_TRUE(window.Visible(control::GroupBox3));
  EXPECT_FALSE(window.Visible(control::GroupBox2));
  EXPECT_TRUE(window.Visible(control::GroupBox4));
  EXPECT_TRUE(window.Visible(control::GroupBox1));  // there, but under the information panel
  EXPECT_EQ(window.Left(control::GroupBox2), 0);
  EXPECT_EQ(window.Left(control::GroupBox4), 0);
  EXPECT_EQ(PanelSeenAt(kUpperX, kUpperY), "GroupBox3");
  EXPECT_EQ(PanelSeenAt(kLowerX, kLowerY), "GroupBox4");
  EXPECT_EQ(PanelSeenAt(50, 10), "GroupBox7");

  window.Run(Handler::DV1Click);
  EXPECT_FALSE(window.Visible(control::GroupBox4));
  EXPECT_EQ(PanelSeenAt(kUpperX, kUpperY), "GroupBox3");
  EXPECT_EQ(PanelSeenAt(kLowerX, kLowerY), "GroupBox1");
  EXPECT_EQ(window.Width(), 193);
}

TEST_F(LayoutTest, SignalAloneShowsNmeaOverTheSkyThenSatellitesUncoversIt) {
  window.Run(Handler::DV1Click);
  EXPECT_TRUE(window.Visible(control::GroupBox2));
  EXPECT_TRUE(window.Visible(control::GroupBox3));
  EXPECT_EQ(PanelSeenAt(kUpperX, kUpperY), "GroupBox2");
  // The NMEA panel (0..184) leaves a sliver of the sky panel (7..191) at the right.
  EXPECT_EQ(PanelSeenAt(187, kUpperY), "GroupBox3");
  EXPECT_EQ(PanelSeenAt(kLowerX, kLowerY), "GroupBox1");
  EXPECT_FALSE(window.Visible(control::GroupBox4));

  window.Run(Handler::N1Click);
  EXPECT_FALSE(window.Visible(control::GroupBox2));
  EXPECT_EQ(PanelSeenAt(kUpperX, kUpperY), "GroupBox3");
  EXPECT_EQ(PanelSeenAt(kLowerX, kLowerY), "GroupBox1");
}

TEST_F(LayoutTest, InformationThenNmeaShowsPortNmeaAndInformation) {
  window.Run(Handler::N3Click);
  window.Run(Handler::N2Click);
  EXPECT_TRUE(window.Visible(control::GroupBox7));
  EXPECT_TRUE(window.Visible(control::GroupBox2));
  EXPECT_TRUE(window.Visible(control::GroupBox4));
  EXPECT_FALSE(window.Visible(control::GroupBox3));
  EXPECT_FALSE(window.Visible(control::GroupBox1));
  EXPECT_EQ(PanelSeenAt(kUpperX, kUpperY), "GroupBox2");
  EXPECT_EQ(PanelSeenAt(kLowerX, kLowerY), "GroupBox4");
}

TEST_F(LayoutTest, AllFromEitherMenuRestoresTheFullLayoutFromAnyFold) {
  struct Fold {
    const char* name;
    std::vector<Handler> steps;
  };
  const Fold folds[] = {
      {"none", {}},
      {"Satellites", {Handler::N1Click}},
      {"NMEA", {Handler::N2Click}},
      {"Signal", {Handler::DV1Click}},
      {"Information", {Handler::N3Click}},
      {"NMEA, Information", {Handler::N2Click, Handler::N3Click}},
      {"Satellites, Signal", {Handler::N1Click, Handler::DV1Click}},
  };
  const std::pair<const char*, Handler> alls[] = {{"ALL1", Handler::ALL1Click},
                                                  {"ALL2", Handler::ALL2Click}};
  for (const auto& [allName, all] : alls) {
    for (const Fold& fold : folds) {
      SCOPED_TRACE(std::string(fold.name) + " then " + allName);
      for (Handler step : fold.steps) window.Run(step);
      window.Run(all);
      ExpectFullLayout();
      EXPECT_EQ(PanelSeenAt(300, 80), "GroupBox2");
      EXPECT_EQ(PanelSeenAt(300, 200), "GroupBox4");
      EXPECT_EQ(PanelSeenAt(kUpperX, kUpperY), "GroupBox3");
      EXPECT_EQ(PanelSeenAt(kLowerX, kLowerY), "GroupBox1");
    }
  }
}

TEST_F(LayoutTest, ChoosingAFoldingItemTwiceChangesNothingMore) {
  const std::pair<const char*, Handler> items[] = {{"Satellites", Handler::N1Click},
                                                   {"NMEA", Handler::N2Click},
                                                   {"Signal", Handler::DV1Click},
                                                   {"Information", Handler::N3Click}};
  for (const auto& [name, item] : items) {
    SCOPED_TRACE(name);
    window.Run(item);
    const LayoutState once = State();
    window.Run(item);
    EXPECT_TRUE(State() == once);
    window.Run(Handler::ALL1Click);
  }
}

TEST_F(LayoutTest, FoldedWindowScrollsSidewaysUntilThePortHasBeenClosed) {
  window.Run(Handler::N2Click);
  const QScrollBar& bar = window.HorizontalScrollBar();
  ASSERT_TRUE(bar.isVisible());
  const int clientWidth = window.ClientSize().width();
  // The command panel's right edge, 199 + 185, sets the range.
  EXPECT_EQ(bar.maximum(), 384 - clientWidth);
  EXPECT_EQ(bar.geometry().bottom(), 238);
  EXPECT_EQ(bar.width(), clientWidth);
  // The bar takes its height from the client area: the lowest rows are covered.
  EXPECT_EQ(window.childAt(kLowerX, 238), &bar);
  EXPECT_EQ(PanelSeenAt(kLowerX, bar.y() - 1), "GroupBox4");

  // Scrolling moves every child sideways and brings the command panel into reach.
  window.HorizontalScrollBar().setValue(bar.maximum());
  EXPECT_EQ(window.Control(control::GroupBox5)->mapTo(&window, QPoint(0, 0)).x(),
            199 - bar.maximum());
  EXPECT_EQ(PanelSeenAt(clientWidth - 5, 10), "GroupBox5");
  EXPECT_EQ(window.Left(control::GroupBox5), 199);
  window.HorizontalScrollBar().setValue(0);

  window.Run(Handler::ALL1Click);
  EXPECT_FALSE(bar.isVisible());

  // Closing the port (here through the hidden BitBtn2) switches auto-scroll off for good.
  window.Run(Handler::BitBtn2Click);
  EXPECT_FALSE(window.AutoScroll());
  for (Handler fold : {Handler::N1Click, Handler::N2Click, Handler::DV1Click, Handler::N3Click}) {
    window.Run(fold);
    EXPECT_FALSE(bar.isVisible());
    EXPECT_EQ(PanelSeenAt(window.ClientSize().width() - 1, 10), "GroupBox7");
  }
  window.Run(Handler::ALL2Click);
  ExpectFullLayout();
}

TEST_F(LayoutTest, SwitchingAutoScrollOffScrollsBackAndRemovesTheBar) {
  window.Run(Handler::N1Click);
  window.HorizontalScrollBar().setValue(50);
  window.SetAutoScroll(false);
  EXPECT_FALSE(window.HorizontalScrollBar().isVisible());
  EXPECT_EQ(window.HorizontalScrollBar().value(), 0);
  EXPECT_EQ(window.Control(control::GroupBox3)->mapTo(&window, QPoint(0, 0)).x(), 7);
}

TEST_F(LayoutTest, NoLayoutChangeAltersContents) {
  window.SetText(control::EdTime, "12:34:56");
  window.SetText(control::Edit8, "N 24\xA2X");
  window.SetText(control::OutTextBox, "$GPGGA,1*00\r\n");
  window.SetChecked(control::CheckBox3, true);
  for (Handler handler : {Handler::N1Click, Handler::DV1Click, Handler::N2Click, Handler::N3Click,
                          Handler::ALL1Click, Handler::ALL2Click}) {
    window.Run(handler);
  }
  EXPECT_EQ(window.Text(control::EdTime), "12:34:56");
  EXPECT_EQ(window.Text(control::Edit8), "N 24\xA2X");
  EXPECT_EQ(window.Text(control::OutTextBox), "$GPGGA,1*00\r\n");
  EXPECT_TRUE(window.Checked(control::CheckBox3));
  EXPECT_EQ(window.Text(control::EdDate), "2004/00/00");
}

// The fit shifts the visible direct children so that their bounding rectangle starts at
// the client origin; hidden children take no part.
TEST_F(LayoutTest, AutoSizeShiftsTheVisibleChildrenToTheOrigin) {
  window.SetVisible(control::GroupBox1, false);
  EXPECT_EQ(window.Left(control::GroupBox3), 0);
  EXPECT_EQ(window.Left(control::GroupBox7), 0);
  EXPECT_EQ(window.Left(control::GroupBox2), 193);
  EXPECT_EQ(window.Left(control::GroupBox4), 193);
  EXPECT_EQ(window.Left(control::GroupBox5), 192);
  EXPECT_EQ(window.Left(control::GroupBox1), 0);  // hidden: not moved
  EXPECT_EQ(window.ClientSize(), QSize(380, 239));
}

TEST_F(LayoutTest, HiddenButtonsLayoutsUnderAutoSize) {
  window.Run(Handler::BitBtn3Click);
  for (const char* panel : kPanels) EXPECT_TRUE(window.Visible(panel)) << panel;
  EXPECT_EQ(window.Left(control::GroupBox2), 184);
  EXPECT_EQ(window.Left(control::GroupBox4), 184);
  EXPECT_TRUE(window.Visible(control::BitBtn5));
  EXPECT_FALSE(window.Visible(control::BitBtn3));
  EXPECT_TRUE(window.AutoSize());
  // The width 373 is replaced by the fit: the command panel ends at 384.
  EXPECT_EQ(window.ClientSize(), QSize(384, 239));

  window.Run(Handler::BitBtn5Click);
  EXPECT_FALSE(window.Visible(control::GroupBox4));
  EXPECT_TRUE(window.Visible(control::GroupBox1));
  EXPECT_TRUE(window.Visible(control::BitBtn3));
  EXPECT_FALSE(window.Visible(control::BitBtn5));
  EXPECT_EQ(window.ClientSize(), QSize(384, 239));
}

TEST_F(LayoutTest, Button2TogglesItsCaptionAndButton3EmptiesTheMemo) {
  window.Run(Handler::Button2Click);
  EXPECT_EQ(window.Text(control::Button2), "M");
  window.Run(Handler::Button2Click);
  EXPECT_EQ(window.Text(control::Button2), "B");
  window.SetText(control::Button2, "x");
  window.Run(Handler::Button2Click);
  EXPECT_EQ(window.Text(control::Button2), "B");

  window.SetText(control::OutTextBox, "$GPGSV,1*00\r\n");
  window.Run(Handler::Button3Click);
  EXPECT_EQ(window.Text(control::OutTextBox), "");
}

TEST_F(LayoutTest, BitBtn2StopsTheTimersAndShowsBitBtn1) {
  window.Timer1().SetEnabled(true);
  window.Timer2().SetEnabled(true);
  window.Run(Handler::BitBtn2Click);
  EXPECT_FALSE(window.Timer1().Enabled());
  EXPECT_FALSE(window.Timer2().Enabled());
  EXPECT_TRUE(window.Visible(control::BitBtn1));
  EXPECT_FALSE(window.Visible(control::BitBtn2));
  EXPECT_FALSE(window.AutoScroll());
  EXPECT_EQ(window.Text(control::ButOpenGps), "On");
  EXPECT_EQ(run.PortHandle, nullptr);
}

}  // namespace
}  // namespace sattrail::testing
