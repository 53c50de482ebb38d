#pragma once

#include <sys/types.h>
#include <string>

// A CalDAV/CardDAV server for a test (tests/support/radicale_server.py as a child process): on
// 127.0.0.1 at a free port with an empty storage folder and one user, ended with the object
// (closing the child's input makes it stop and remove its folder).
class TRadicaleFixture {
 public:
  // Raises std::runtime_error when the server does not start.
  TRadicaleFixture();
  ~TRadicaleFixture();
  TRadicaleFixture(const TRadicaleFixture&) = delete;
  TRadicaleFixture& operator=(const TRadicaleFixture&) = delete;

  const std::string& Url() const { return Url_; }  // "http://127.0.0.1:PORT/"
  const std::string& User() const { return User_; }
  const std::string& Password() const { return Password_; }

 private:
  void Stop();

  pid_t Child_ = -1;
  int Input_ = -1;  // the child's standard input
  std::string Url_;
  std::string User_;
  std::string Password_;
};
