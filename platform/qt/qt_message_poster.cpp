#include "platform/qt/qt_message_poster.h"

#include <QCoreApplication>
#include <QMetaObject>

#include "platform/qt/command_guard.h"

void TQtMessagePoster::Post(TMessageTarget& target, int message) {
  std::weak_ptr<void> alive = target.Liveness();
  TMessageTarget* receiver = &target;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [alive, receiver, message] {
        if (alive.expired()) return;
        GuardedCall([&] { receiver->HandleMessage(message); });
      },
      Qt::QueuedConnection);
}
