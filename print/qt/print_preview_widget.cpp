#include "print/qt/print_preview_widget.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include "platform/qt/command_guard.h"
#include "platform/qt/qt_canvas.h"
#include "views/qt/qt_view_input.h"

namespace {

QRect ToQtRect(const TRect& r) { return {r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top}; }

}  // namespace

std::unique_ptr<TBitmap> MakePreviewBitmap(int width, int height) {
  return std::make_unique<TQtBitmap>(width, height, kScreenPixelsPerInch, qcsPaper);  // the page is paper
}

TVpPrintPreviewWidget::TVpPrintPreviewWidget(TVpPrintPreview& preview, QWidget* parent)
    : QAbstractScrollArea(parent), Preview_(preview) {
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Preview_.OnRepaint = [this] {
    UpdateScrollBars();
    viewport()->update();
  };
  Preview_.OnPopupMenu = [this](TPoint at) { OpenPageMenu(viewport()->mapToGlobal(QPoint(at.X, at.Y))); };
}

TVpPrintPreviewWidget::~TVpPrintPreviewWidget() {
  Preview_.OnRepaint = nullptr;
  Preview_.OnPopupMenu = nullptr;
}

void TVpPrintPreviewWidget::UpdateScrollBars() {
  const TBitmap* bitmap = Preview_.PageBitmap();
  const TPoint page = bitmap ? TPoint{bitmap->Width(), bitmap->Height()} : TPoint{0, 0};
  const TPoint area{contentsRect().width(), contentsRect().height()};
  const int thickness = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const TPoint client{area.X - (Bars_.Vertical ? thickness : 0), area.Y - (Bars_.Horizontal ? thickness : 0)};
  Bars_ = LayOutScrollBars(Bars_, area, thickness, ZoomedPageSize(Preview_.ZoomFactor(), client, page));
  setHorizontalScrollBarPolicy(Bars_.Horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Bars_.Vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  // The bar's value runs to the range's end less one page, where the last page of it shows.
  horizontalScrollBar()->setRange(0, std::max(0, Bars_.HorzMax - Bars_.HorzPage));
  horizontalScrollBar()->setPageStep(Bars_.HorzPage);
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setRange(0, std::max(0, Bars_.VertMax - Bars_.VertPage));
  verticalScrollBar()->setPageStep(Bars_.VertPage);
  verticalScrollBar()->setValue(0);
  Preview_.SetClientSize({area.X - (Bars_.Vertical ? thickness : 0), area.Y - (Bars_.Horizontal ? thickness : 0)});
}

void TVpPrintPreviewWidget::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const TPoint client = Preview_.ClientSize();
  painter.fillRect(viewport()->rect(), QColor(192, 192, 192));
  GuardedCall([&] {
    Preview_.EnsureRendered();
    const auto* bitmap = static_cast<const TQtBitmap*>(Preview_.PageBitmap());
    if (bitmap == nullptr) return;
    const TPoint page{bitmap->Width(), bitmap->Height()};
    const TVpPreviewPlacement at =
        PlacePreviewPage(Preview_.ZoomFactor(), client, page,
                         {horizontalScrollBar()->value(), verticalScrollBar()->value()}, Preview_.DevicePage());
    painter.drawImage(ToQtRect(at.Dest), bitmap->Image(), ToQtRect(at.Source));
    TQtCanvas canvas(painter, kScreenPixelsPerInch);
    canvas.Pen.Color = clBlack;
    for (const auto& [from, to] : PreviewFrameLines(client, at.Frame, at.Offset)) {
      canvas.MoveTo(from.X, from.Y);
      canvas.LineTo(to.X, to.Y);
    }
  });
}

void TVpPrintPreviewWidget::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void TVpPrintPreviewWidget::scrollContentsBy(int, int) { viewport()->update(); }

void TVpPrintPreviewWidget::keyPressEvent(QKeyEvent* event) {
  bool handled = false;
  GuardedCall([&] { handled = Preview_.KeyDown(KeyCodeOf(event->key()), ShiftStateOf(event->modifiers(), {})); });
  if (!handled) QAbstractScrollArea::keyPressEvent(event);
}

void TVpPrintPreviewWidget::contextMenuEvent(QContextMenuEvent* event) {
  if (event->reason() != QContextMenuEvent::Mouse) return;  // the keys open the menu themselves
  setFocus(Qt::MouseFocusReason);
  GuardedCall([this] { Preview_.PageMenuForRightClick(); });
  OpenPageMenu(event->globalPos());
}

void TVpPrintPreviewWidget::OpenPageMenu(const QPoint& global) {
  QMenu menu(this);
  menu.setObjectName("PageMenu");
  for (const TVpPageMenuItem& item : Preview_.PageMenu()) {
    QAction* action = menu.addAction(item.Caption);
    action->setEnabled(item.Enabled);
    const TVpPageCommand command = item.Command;
    connect(action, &QAction::triggered, this, [this, command] { GuardedCall([&] { Preview_.Run(command); }); });
  }
  menu.exec(global);
}
