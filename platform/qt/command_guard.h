#pragma once

#include <functional>
#include <string>

// Runs one command from a Qt entry point (slot, event handler, timer). An exception it raises ends
// the command and its message goes to the error handler; nothing unwinds into the event loop.
void GuardedCall(const std::function<void()>& command);

// The program's general error handler; by default an error box with the message, also written to
// standard error.
void SetErrorHandler(std::function<void(const std::string& message)> handler);
