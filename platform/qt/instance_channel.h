#pragma once

#include <functional>
#include <memory>
#include <string>

class QLocalServer;

// The running copy's ear for later starts of the program: a local socket that only the same user
// can reach. The copy that holds the instance lock listens on it; a later start, which finds the
// lock taken, asks the running copy to show its window before it ends.
class TInstanceChannel {
 public:
  // socketPath: where the socket lives; its folder must exist.
  explicit TInstanceChannel(std::string socketPath);
  ~TInstanceChannel();
  TInstanceChannel(const TInstanceChannel&) = delete;
  TInstanceChannel& operator=(const TInstanceChannel&) = delete;

  // Listens for later starts (needs the application object); each request to show runs `show` in
  // the event loop. A socket a crashed copy left behind is replaced: only the holder of the
  // instance lock listens. False, with Error() saying why, when it cannot listen; the program
  // then runs on without it.
  bool Listen(std::function<void()> show);
  const std::string& Error() const { return Error_; }

  // Asks the copy listening at the path to show its window, waiting at most `timeoutMs` for it
  // to take the request. False when no copy listens there.
  static bool AskToShow(const std::string& socketPath, int timeoutMs);

 private:
  std::string Path_;
  std::string Error_;
  std::unique_ptr<QLocalServer> Server_;
};
