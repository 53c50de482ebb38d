#include "app/session_end.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QApplication>
#include <QDialog>
#include <QSessionManager>
#include <csignal>

#include "platform/qt/command_guard.h"

namespace {

int gSignalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  (void)!::write(gSignalPipe[0], &byte, 1);
}

}  // namespace

bool CancelOpenDialogs() {
  bool closed = false;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* dialog = qobject_cast<QDialog*>(window); dialog != nullptr && dialog->isVisible()) {
      dialog->reject();
      closed = true;
    }
  return closed;
}

TSessionEnd::TSessionEnd(std::function<void()> exit, std::function<void()> sessionEnding, QObject* parent)
    : QObject(parent), Exit_(std::move(exit)) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gSignalPipe) == 0) {
    Notifier_ = new QSocketNotifier(gSignalPipe[1], QSocketNotifier::Read, this);
    connect(Notifier_, &QSocketNotifier::activated, this, [this] {
      char byte;
      (void)!::read(gSignalPipe[1], &byte, 1);
      GuardedCall(Exit_);
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
  }
  // The session manager asks whether the session may end: it may; the next close really closes.
  auto* application = static_cast<QGuiApplication*>(QCoreApplication::instance());
  connect(application, &QGuiApplication::commitDataRequest, this,
          [sessionEnding = std::move(sessionEnding)](QSessionManager&) { GuardedCall(sessionEnding); });
}

TSessionEnd::~TSessionEnd() {
  ::signal(SIGTERM, SIG_DFL);
  ::signal(SIGINT, SIG_DFL);
}
