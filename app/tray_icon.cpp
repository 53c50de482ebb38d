#include "app/tray_icon.h"

#include <QPixmap>

#include "app/core/windows/tray_picture.h"
#include "app/program.h"
#include "platform/qt/command_guard.h"
#include "platform/qt/qt_canvas.h"

TTrayIcon::TTrayIcon(QObject* parent) : QObject(parent) {
  Icon_.setToolTip(kProgramTitle);
  Icon_.setContextMenu(&Menu_);
  Icon_.setIcon(QIcon(QPixmap::fromImage(Picture(""))));
  connect(&Icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    if ((reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger) && OnActivated)
      GuardedCall(OnActivated);
  });
  // A notification area that starts, or starts again, gets the icon anew.
  WasAvailable_ = Available();
  Watch_.setInterval(2000);
  connect(&Watch_, &QTimer::timeout, this, [this] {
    const bool available = Available();
    if (available && !WasAvailable_ && Visible_) {
      Icon_.hide();
      Icon_.show();
    }
    WasAvailable_ = available;
  });
  Watch_.start();
}

QImage TTrayIcon::Picture(const std::string& text) {
  TQtBitmap factory(1, 1, 96);
  const std::unique_ptr<TBitmap> picture = DrawTrayPicture(factory.Canvas(), text);
  return static_cast<const TQtBitmap&>(*picture).KeyedImage();
}

void TTrayIcon::SetVisible(bool visible) {
  Visible_ = visible;
  Icon_.setVisible(visible);
}

void TTrayIcon::SetText(const std::string& text) { Icon_.setIcon(QIcon(QPixmap::fromImage(Picture(text)))); }
