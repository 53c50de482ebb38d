#include "platform/qt/desktop_notifications.h"

#include <algorithm>

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {

constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";
constexpr const char* kInterface = "org.freedesktop.Notifications";
constexpr uchar kUrgencyNormal = 1, kUrgencyCritical = 2;

}  // namespace

TDesktopNotifications::TDesktopNotifications(const QDBusConnection& bus, QObject* parent) : QObject(parent), Bus_(bus) {
  if (!Bus_.isConnected()) return;
  Bus_.connect(kService, kPath, kInterface, "ActionInvoked", this, SLOT(ActionInvoked(uint, QString)));
  Bus_.connect(kService, kPath, kInterface, "NotificationClosed", this, SLOT(NotificationClosed(uint, uint)));
}

quint64 TDesktopNotifications::Show(const TNotice& notice, TAnswer answer) {
  if (!Enabled_ || !Bus_.isConnected()) return 0;
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "Notify");
  QVariantMap hints;
  hints["urgency"] = QVariant::fromValue(notice.Critical ? kUrgencyCritical : kUrgencyNormal);
  hints["desktop-entry"] = QString("koret");
  call << QString("Koret Organizer") << uint(0) << notice.Icon << notice.Summary << notice.Body << notice.Actions
       << hints << int(0);
  const quint64 ticket = ++LastTicket_;
  Shown_.insert(ticket, TShown{0, std::move(answer), false});
  auto* watcher = new QDBusPendingCallWatcher(Bus_.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, ticket](QDBusPendingCallWatcher* finished) {
    finished->deleteLater();
    const QDBusPendingReply<uint> reply = *finished;
    auto shown = Shown_.find(ticket);
    if (shown == Shown_.end()) return;
    if (reply.isError()) {
      Shown_.erase(shown);  // no service: the program's own window is all there is
      return;
    }
    shown->Id = reply.value();
    if (shown->Closed) return Close(ticket);
    if (const auto early = EarlyActions_.constFind(shown->Id); early != EarlyActions_.cend())
      ActionInvoked(shown->Id, EarlyActions_.take(shown->Id));
  });
  return ticket;
}

void TDesktopNotifications::Close(quint64 ticket) {
  auto shown = Shown_.find(ticket);
  if (shown == Shown_.end()) return;
  if (shown->Id == 0) {
    shown->Closed = true;  // closed as soon as the service says which it is
    shown->Answer = nullptr;
    return;
  }
  Bus_.asyncCall(QDBusMessage::createMethodCall(kService, kPath, kInterface, "CloseNotification") << shown->Id);
  Shown_.erase(shown);
}

void TDesktopNotifications::ActionInvoked(uint id, const QString& key) {
  for (auto shown = Shown_.begin(); shown != Shown_.end(); ++shown) {
    if (shown->Id != id) continue;
    TAnswer answer = std::move(shown->Answer);
    const quint64 ticket = shown.key();
    Close(ticket);
    if (answer) answer(key);
    return;
  }
  const bool waiting = std::any_of(Shown_.cbegin(), Shown_.cend(), [](const TShown& shown) { return shown.Id == 0; });
  if (waiting) EarlyActions_.insert(id, key);
  else EarlyActions_.clear();
}

void TDesktopNotifications::NotificationClosed(uint id, uint) {
  for (auto shown = Shown_.begin(); shown != Shown_.end(); ++shown)
    if (shown->Id == id) {
      Shown_.erase(shown);
      return;
    }
}
