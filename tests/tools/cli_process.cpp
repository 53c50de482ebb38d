#include "tests/tools/cli_process.h"

#include <unistd.h>

TCliProcess StartCli(const std::vector<std::string>& args) {
  int output[2];
  if (::pipe(output) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(output[1], 1);
    ::close(output[0]);
    std::vector<char*> argv{const_cast<char*>(KORET_CLI)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(KORET_CLI, argv.data());
    ::_exit(127);
  }
  ::close(output[1]);
  return {child, output[0]};
}

std::string ReadAll(TCliProcess& process) {
  std::string printed;
  char buffer[256];
  for (ssize_t n; (n = ::read(process.Output, buffer, sizeof buffer)) > 0;)
    printed.append(buffer, static_cast<size_t>(n));
  ::close(process.Output);
  process.Output = -1;
  return printed;
}
