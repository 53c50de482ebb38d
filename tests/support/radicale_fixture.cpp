#include "tests/support/radicale_fixture.h"

#include <sys/wait.h>
#include <unistd.h>
#include <sstream>
#include <stdexcept>

TRadicaleFixture::TRadicaleFixture() {
  int input[2];
  int output[2];
  if (::pipe(input) != 0) throw std::runtime_error("no pipe for the test server");
  if (::pipe(output) != 0) {
    ::close(input[0]);
    ::close(input[1]);
    throw std::runtime_error("no pipe for the test server");
  }
  Child_ = ::fork();
  if (Child_ == 0) {
    ::dup2(input[0], 0);
    ::dup2(output[1], 1);
    ::close(input[1]);
    ::close(output[0]);
    ::execl("/usr/bin/python3", "python3", KORET_RADICALE_SERVER, static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(input[0]);
  ::close(output[1]);
  if (Child_ < 0) {
    ::close(input[1]);
    ::close(output[0]);
    throw std::runtime_error("the test server could not be started");
  }
  Input_ = input[1];
  std::string line;
  char c;
  while (::read(output[0], &c, 1) == 1 && c != '\n') line += c;
  ::close(output[0]);
  std::istringstream words(line);
  words >> Url_ >> User_ >> Password_;
  if (Password_.empty()) {
    Stop();
    throw std::runtime_error("the test server did not start (it printed \"" + line + "\")");
  }
}

TRadicaleFixture::~TRadicaleFixture() { Stop(); }

void TRadicaleFixture::Stop() {
  if (Input_ >= 0) ::close(Input_);
  Input_ = -1;
  if (Child_ > 0) ::waitpid(Child_, nullptr, 0);
  Child_ = -1;
}
