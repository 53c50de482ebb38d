#include "app/worker_thread.h"

#include <QThread>
#include <memory>

#include "platform/qt/command_guard.h"

TWorkerThread::TWorkerThread(QObject* parent) : QObject(parent) {}

TWorkerThread::~TWorkerThread() {
  {
    std::lock_guard lock(Mutex_);
    Stopping_ = true;
  }
  CallDone_.notify_all();
  if (Thread_ != nullptr) {
    Thread_->wait();
    delete Thread_;
  }
}

bool TWorkerThread::Start(std::function<void()> work, std::function<void()> done) {
  if (Thread_ != nullptr) return false;
  Thread_ = QThread::create(std::move(work));
  connect(Thread_, &QThread::finished, this, [this, done = std::move(done)] {
    Thread_->wait();
    delete Thread_;
    Thread_ = nullptr;
    GuardedCall(done);
  });
  Thread_->start();
  return true;
}

bool TWorkerThread::CallOnOwner(const std::function<void()>& call) {
  // The state is shared: the queued call may still be pending when the work stops waiting.
  struct TState {
    bool Done = false;
  };
  auto state = std::make_shared<TState>();
  QMetaObject::invokeMethod(
      this,
      [this, state, &call] {
        if (Stopping_) return;
        GuardedCall(call);
        {
          std::lock_guard lock(Mutex_);
          state->Done = true;
        }
        CallDone_.notify_all();
      },
      Qt::QueuedConnection);
  std::unique_lock lock(Mutex_);
  CallDone_.wait(lock, [&] { return state->Done || Stopping_; });
  return state->Done;
}
