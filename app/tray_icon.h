#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>
#include <functional>
#include <string>

// The notification-area icon: the day of the month on a calendar page, the hint "Koret
// Organizer", the program's menu on a right-click, and the main window back on activation.
class TTrayIcon : public QObject {
  Q_OBJECT

 public:
  explicit TTrayIcon(QObject* parent = nullptr);

  // The picture for a text (the day of the month), drawn as the icon shows it.
  static QImage Picture(const std::string& text);

  // Shows or removes the icon; it comes back by itself when the notification area restarts.
  void SetVisible(bool visible);
  // Sets the text; the icon is drawn anew.
  void SetText(const std::string& text);
  QMenu& Menu() { return Menu_; }
  static bool Available() { return QSystemTrayIcon::isSystemTrayAvailable(); }

  // Activation (a double-click, or the single activation some desktops send instead).
  std::function<void()> OnActivated;

 private:
  QSystemTrayIcon Icon_;
  QMenu Menu_;
  QTimer Watch_;  // notices a notification area that appears or restarts
  bool Visible_ = false;
  bool WasAvailable_ = false;
};
