#include "dialogs/qt/window_placement.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

void ApplyPlacement(QWidget& window, const TVpDialogPlacement& placement, TVpDialogOptions options) {
  window.adjustSize();
  const bool sizeable = (options & DialogOption(doSizeable)) != 0;
  const QSize least = sizeable ? window.minimumSizeHint().expandedTo(window.minimumSize()) : window.size();
  const QSize most = sizeable ? window.maximumSize() : window.size();
  const TPoint size = DialogSize(placement, {least.width(), least.height()}, {most.width(), most.height()});
  window.resize(size.X, size.Y);

  const QWidget* active = QApplication::activeWindow();
  const QScreen* screen =
      active != nullptr && active->screen() != nullptr ? active->screen() : QApplication::primaryScreen();
  if (screen != nullptr) {
    const QRect area = screen->availableGeometry();
    const TPoint at = DialogPosition(placement, {area.left(), area.top(), area.right() + 1, area.bottom() + 1}, size);
    window.move(at.X, at.Y);
  }
  if (active != nullptr && active->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
}
