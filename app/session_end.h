#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>

// Closes every open dialog (an edit window, the preferences, a reminder, a file chooser) as Cancel
// does, for an end asked from outside; true when one was open. Its own event loop ends once the
// caller returns to it, so what follows the dialog must wait for that (see TForm1::ExitCommand).
bool CancelOpenDialogs();

// Turns the end of the program asked from outside into the Exit command on the user-interface
// thread: SIGTERM and SIGINT (a shutdown, kill, Ctrl+C in a terminal) and the desktop session's
// end. The signal handler only writes to a pipe; the command runs from the event loop.
class TSessionEnd : public QObject {
  Q_OBJECT

 public:
  // exit runs once per request; sessionEnding runs when the session manager asks to save.
  TSessionEnd(std::function<void()> exit, std::function<void()> sessionEnding, QObject* parent = nullptr);
  ~TSessionEnd() override;

 private:
  std::function<void()> Exit_;
  QSocketNotifier* Notifier_ = nullptr;
};
