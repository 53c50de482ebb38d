#pragma once

#include <memory>

// Private window messages, posted with both parameters 0 and delivered later on the
// user-interface thread.
constexpr int StartupMessage = 1324;        // the main window's second start-up stage
constexpr int PrintFormatsChanged = 32241;  // the print formats were changed
constexpr int StoreChanged = 32242;         // the planner data changed

// A window that receives posted messages. A message posted to a target that is destroyed before
// delivery is dropped.
class TMessageTarget {
 public:
  virtual ~TMessageTarget() = default;
  virtual void HandleMessage(int message) = 0;
  std::weak_ptr<void> Liveness() const { return Alive_; }

 private:
  std::shared_ptr<int> Alive_ = std::make_shared<int>(0);
};

class TMessagePoster {
 public:
  virtual ~TMessagePoster() = default;
  virtual void Post(TMessageTarget& target, int message) = 0;
};
