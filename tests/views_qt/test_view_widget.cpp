#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <string>
#include <vector>

#include "model/vp_exception.h"
#include "platform/english_locale.h"
#include "platform/qt/command_guard.h"
#include "tests/support/planner_fixture.h"
#include "views/day/day_view.h"
#include "views/qt/view_widget.h"

namespace {

// A view that writes down what its host passed to it, and can be told to fail.
class TProbeView : public TVpLinkableControl {
 public:
  TVpItemType GetItemType() const override { return itTasks; }
  void RenderIntoRect(TCanvas*, const TRect& rect, TVpRotationAngle, double, double, int, int, TVpGranularity,
                      bool displayOnly) override {
    Calls.push_back("paint " + Text(rect) + (displayOnly ? " print" : " screen"));
    if (FailPaint) throw EVpException("cannot paint");
  }
  void HandleLinkNotification(TVpLinkableControl*, TVpNotificationKind, double) override {}
  void Resize(int width, int height) override {
    if (width == Width() && height == Height()) return;
    TVpLinkableControl::Resize(width, height);
    Calls.push_back("resize " + std::to_string(width) + "x" + std::to_string(height));
  }
  void FocusChanged(bool focused) override {
    TVpLinkableControl::FocusChanged(focused);
    Calls.push_back(focused ? "focus in" : "focus out");
  }
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
    Calls.push_back("down " + std::to_string(button) + " " + std::to_string(shift) + " " + Point(x, y));
    if (FailInput) throw EVpException("cannot click");
  }
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override {
    Calls.push_back("up " + std::to_string(button) + " " + std::to_string(shift) + " " + Point(x, y));
  }
  void MouseMove(TShiftState shift, int x, int y) override {
    Calls.push_back("move " + std::to_string(shift) + " " + Point(x, y));
  }
  void DoubleClick(int x, int y) override { Calls.push_back("double " + Point(x, y)); }
  bool KeyDown(int key, TShiftState shift) override {
    Calls.push_back("key " + std::to_string(key) + " " + std::to_string(shift));
    return true;
  }
  bool MouseWheel(TShiftState, int delta, int x, int y) override {
    Calls.push_back("wheel " + std::to_string(delta) + " " + Point(x, y));
    return true;
  }

  std::vector<std::string> Calls;
  bool FailPaint = false;
  bool FailInput = false;

 private:
  static std::string Point(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
  static std::string Text(const TRect& r) {
    return "(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom) + ")";
  }
};

class ViewWidget : public ::testing::Test {
 protected:
  ViewWidget() {
    SetErrorHandler([this](const std::string& message) { Errors.push_back(message); });
  }
  ~ViewWidget() override { SetErrorHandler(nullptr); }

  void Send(QWidget& widget, QEvent&& event) { QApplication::sendEvent(&widget, &event); }

  std::vector<std::string> Errors;
};

TEST_F(ViewWidget, PassesQtsEventsToTheViewsEntryPoints) {
  TProbeView view;
  TVpViewWidget widget(view);
  widget.resize(300, 200);
  widget.grab();  // delivers the resize
  view.Calls.clear();
  widget.grab();
  Send(widget, QMouseEvent(QEvent::MouseButtonPress, QPointF(10, 20), QPointF(10, 20), Qt::LeftButton, Qt::LeftButton,
                           Qt::ShiftModifier));
  Send(widget,
       QMouseEvent(QEvent::MouseMove, QPointF(12, 22), QPointF(12, 22), Qt::NoButton, Qt::LeftButton, Qt::NoModifier));
  Send(widget, QMouseEvent(QEvent::MouseButtonRelease, QPointF(12, 22), QPointF(12, 22), Qt::LeftButton, Qt::NoButton,
                           Qt::NoModifier));
  Send(widget, QMouseEvent(QEvent::MouseButtonDblClick, QPointF(12, 22), QPointF(12, 22), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier));
  Send(widget, QKeyEvent(QEvent::KeyPress, Qt::Key_PageDown, Qt::ControlModifier));
  Send(widget, QWheelEvent(QPointF(5, 6), QPointF(5, 6), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                           Qt::NoScrollPhase, false));
  Send(widget, QFocusEvent(QEvent::FocusIn));
  Send(widget, QFocusEvent(QEvent::FocusOut));
  EXPECT_EQ(view.Calls, (std::vector<std::string>{
                            "paint (0,0,300,200) screen",
                            "down 0 " + std::to_string(ssShift | ssLeft) + " 10,20",
                            "move " + std::to_string(ssLeft) + " 12,22",
                            "up 0 0 12,22",
                            "double 12,22",
                            "key " + std::to_string(VK_NEXT) + " " + std::to_string(ssCtrl),
                            "wheel -120 5,6",
                            "focus in",
                            "focus out",
                        }));
  widget.resize(120, 80);
  widget.grab();
  EXPECT_NE(std::find(view.Calls.begin(), view.Calls.end(), "resize 120x80"), view.Calls.end());
  EXPECT_EQ(view.Width(), 120);
}

TEST_F(ViewWidget, RepaintsWhenTheViewAsks) {
  TProbeView view;
  TVpViewWidget widget(view);
  widget.resize(100, 100);
  widget.show();
  QApplication::processEvents();
  view.Calls.clear();
  view.Invalidate();
  QApplication::processEvents();
  ASSERT_FALSE(view.Calls.empty());
  EXPECT_EQ(view.Calls.front(), "paint (0,0,100,100) screen");
}

TEST_F(ViewWidget, FailuresOfTheViewGoToTheErrorHandler) {
  TProbeView view;
  TVpViewWidget widget(view);
  view.FailInput = true;
  Send(widget, QMouseEvent(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton,
                           Qt::NoModifier));
  EXPECT_EQ(Errors, (std::vector<std::string>{"cannot click"}));

  view.FailPaint = true;
  widget.grab();
  widget.grab();
  EXPECT_EQ(Errors.size(), 1u) << "reported after painting, not in the middle of it";
  QApplication::processEvents();
  EXPECT_EQ(Errors, (std::vector<std::string>{"cannot click", "cannot paint"})) << "and once, however often it fails";
}

TEST_F(ViewWidget, ShowsTheDayViewsScrollBarAndScrollsIt) {
  TPlannerFixture planner;
  TEnglishLocale locale;
  TVpDayView view(planner.Clock, locale);
  TVpViewWidget widget(view);
  widget.resize(400, 300);
  widget.grab();
  const TVpScrollBarInfo info = view.ScrollBar();
  QScrollBar& bar = widget.ScrollBar();
  EXPECT_FALSE(bar.isHidden());
  EXPECT_EQ(bar.geometry().right(), 400 - 2 - 1);
  EXPECT_EQ(bar.geometry().top(), info.Top);
  EXPECT_EQ(bar.geometry().bottom(), info.Bottom - 1);
  EXPECT_EQ(bar.maximum(), info.Max);
  EXPECT_EQ(bar.pageStep(), info.PageSize);
  EXPECT_EQ(bar.value(), view.TopLine());

  const int top = view.TopLine();
  bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(view.TopLine(), top + 1);
  bar.triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(view.TopLine(), top + 1 - view.VisibleLines());
  bar.triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(view.TopLine(), info.Max);
  EXPECT_EQ(bar.sliderPosition(), info.Max);
}

}  // namespace
