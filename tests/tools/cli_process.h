#pragma once

#include <sys/types.h>
#include <string>
#include <vector>

// koret-cli run as a process of its own, its standard output read through a pipe.
struct TCliProcess {
  pid_t Pid = -1;
  int Output = -1;  // the read end of its standard output
};

TCliProcess StartCli(const std::vector<std::string>& args);
// Reads what it printed until it ends (or closes its output), then closes the pipe.
std::string ReadAll(TCliProcess& process);
