#pragma once

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <functional>

// The desktop's notification service (org.freedesktop.Notifications on the session bus). A
// notice goes out without waiting for the service; the action the user picks on it comes back
// through the notice's answer. Without a session bus or a service, nothing shows and nothing
// fails: the program's own windows remain.
class TDesktopNotifications : public QObject {
  Q_OBJECT

 public:
  struct TNotice {
    QString Summary;
    QString Body;
    QString Icon;           // an icon name of the desktop's theme
    QStringList Actions;    // pairs of key and caption
    bool Critical = false;  // urgency critical: shown over full-screen windows, never expiring
  };
  using TAnswer = std::function<void(const QString& actionKey)>;

  explicit TDesktopNotifications(const QDBusConnection& bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

  bool Enabled() const { return Enabled_; }
  void SetEnabled(bool value) { Enabled_ = value; }
  // Sends the notice; Answer is called with the key of the action the user picks (at most once).
  // Returns a ticket for Close; 0 when nothing was sent.
  quint64 Show(const TNotice& notice, TAnswer answer);
  // Takes the notice off the desktop (when it was answered elsewhere); its answer is not called.
  void Close(quint64 ticket);

 private slots:
  // The service's signals: an action picked, a notice gone (expired, closed by the user or by us).
  void ActionInvoked(uint id, const QString& key);
  void NotificationClosed(uint id, uint reason);

 private:
  QDBusConnection Bus_;
  bool Enabled_ = true;
  quint64 LastTicket_ = 0;
  struct TShown {
    uint Id = 0;  // the service's number, 0 until it replied
    TAnswer Answer;
    bool Closed = false;  // closed before the service replied
  };
  QHash<quint64, TShown> Shown_;
  // Actions on notices whose number is not known yet (the service's reply still on its way),
  // kept while a notice waits for its number.
  QHash<uint, QString> EarlyActions_;
};
