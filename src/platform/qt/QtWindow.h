// SPDX-License-Identifier: BSD-2-Clause
#pragma once

#include <QScrollBar>
#include <QSize>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/ControlMap.h"
#include "platform/Window.h"

namespace sattrail {

class ImageControl;

// A fixed-border top-level window whose controls are reached by their component names,
// with the two layout flags of the main window:
// - auto-size: the visible direct children are shifted together so that their bounding
//   rectangle starts at the client origin, and the client area takes exactly its size; this
//   fit replaces every size the program gives the window and follows every change of a
//   direct child's visibility or position made through this interface;
// - auto-scroll, acting only while auto-size is off: when the right edge of the rightmost
//   visible direct child lies beyond the client width, a horizontal scroll bar at the
//   bottom of the client area moves all children sideways. Never a vertical one.
// Width and Height are the outer size. Where the platform reports a frame (a window manager
// decorates the window), its real size is used; where it reports none (offscreen, a bare X
// server), the frame counts as 3 pixels across and 25 pixels down, so that the outer size
// 390 x 264 holds the client area 387 x 239.
class QtWindow : public QWidget, public Window {
  Q_OBJECT
 public:
  explicit QtWindow(QWidget* parent = nullptr);

  // The parent of the window's direct children.
  QWidget* Client() const { return content_; }
  // Makes a control reachable by its component name (its objectName too).
  void Register(const std::string& name, QWidget* control);
  // The control of that name; std::logic_error when there is none.
  QWidget* Control(std::string_view name) const;
  template <typename Widget>
  Widget* ControlAs(std::string_view name) const {
    return qobject_cast<Widget*>(Control(name));
  }

  QSize ClientSize() const { return client_; }
  QSize FrameExtent() const;
  const QScrollBar& HorizontalScrollBar() const { return *scrollBar_; }
  QScrollBar& HorizontalScrollBar() { return *scrollBar_; }

  std::string Text(std::string_view control) const override;
  void SetText(std::string_view control, std::string_view text) override;
  bool Checked(std::string_view checkBox) const override;
  void SetChecked(std::string_view checkBox, bool ticked) override;
  bool Visible(std::string_view control) const override;
  void SetVisible(std::string_view control, bool visible) override;
  int Left(std::string_view control) const override;
  void SetLeft(std::string_view control, int left) override;
  int ItemIndex(std::string_view comboBox) const override;
  void DeleteFirstLine(std::string_view memo) override;
  void Repaint(std::string_view control) override;
  Canvas& Surface(std::string_view image) override;
  // Ends the drawings under way on the image controls and asks for the repaint of what they
  // changed. A handler draws whole pictures, so the window settles them once the handler is
  // done (or waits in a box); until then a drawing shows nothing.
  void SettleSurfaces();

  std::string Caption() const override;
  void SetCaption(std::string_view caption) override;
  int Width() const override;
  void SetWidth(int width) override;
  int Height() const override;
  void SetHeight(int height) override;
  bool AutoSize() const override { return autoSize_; }
  void SetAutoSize(bool on) override;
  bool AutoScroll() const override { return autoScroll_; }
  void SetAutoScroll(bool on) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool isDirectChild(const QWidget* control) const;
  void layoutChanged();
  void fit();
  void applyGeometry();

  ControlMap<QWidget*> controls_;      // owned through Qt parents
  std::vector<ImageControl*> images_;  // settled after every handler
  QWidget* viewport_;                  // the client area above the scroll bar; clips the children
  QWidget* content_;                   // holds the direct children; moves sideways when scrolled
  QScrollBar* scrollBar_;
  QSize client_{0, 0};
  bool autoSize_ = true;
  bool autoScroll_ = true;
  bool fitting_ = false;
};

}  // namespace sattrail
