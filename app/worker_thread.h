#pragma once

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

class QThread;

// Blocking work (network calls) on a thread of its own, so that the window stays responsive. One
// piece of work at a time; its end is handed back on the thread that owns this object. The work
// may ask this thread something and wait for the answer (a question to the user).
class TWorkerThread : public QObject {
  Q_OBJECT

 public:
  explicit TWorkerThread(QObject* parent = nullptr);
  // Stops waiting calls (they return false), then waits for the work to end.
  ~TWorkerThread() override;

  // Starts the work; done runs on this object's thread after it ended. False, and nothing done,
  // while other work runs.
  bool Start(std::function<void()> work, std::function<void()> done);
  bool Running() const { return Thread_ != nullptr; }
  // Whether the owner is going away: long work stops at its next step.
  bool Stopping() const { return Stopping_; }
  // From the work: runs the call on the owner's thread and waits until it returns. False, without
  // running it, when the owner is going away.
  bool CallOnOwner(const std::function<void()>& call);

 private:
  QThread* Thread_ = nullptr;
  std::atomic<bool> Stopping_{false};
  std::mutex Mutex_;
  std::condition_variable CallDone_;
};
