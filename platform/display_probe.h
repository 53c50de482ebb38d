#pragma once

#include <functional>
#include <optional>
#include <string>

// Tells, before any window is created, whether the program can reach a display. Returns why not,
// or nothing when a display is there (or the chosen window-system backend needs none).
// getEnv reads an environment variable (nullptr when unset); canConnect tells whether a local
// socket path accepts connections (a leading '@' names an abstract socket).
std::optional<std::string> MissingDisplayReason(const std::function<const char*(const char*)>& getEnv,
                                                const std::function<bool(const std::string&)>& canConnect);

// The same with the real environment and sockets.
std::optional<std::string> MissingDisplayReason();
