#include "platform/qt/command_guard.h"

#include <exception>

#include "platform/error_text.h"
#include "platform/qt/qt_message_boxes.h"

namespace {

void ShowErrorBox(const std::string& message) { TQtMessageBoxes().ShowError(message); }

std::function<void(const std::string&)>& Handler() {
  static std::function<void(const std::string&)> handler = ShowErrorBox;
  return handler;
}

}  // namespace

void SetErrorHandler(std::function<void(const std::string&)> handler) {
  Handler() = handler ? std::move(handler) : ShowErrorBox;
}

void GuardedCall(const std::function<void()>& command) {
  std::string message;
  try {
    command();
    return;
  } catch (const std::exception& e) {
    message = DescribeError(e, "\n\n");
  } catch (...) {
    message = "An unknown error occurred.";
  }
  try {
    Handler()(message);
  } catch (...) {
    // The handler itself failed; there is nobody left to tell.
  }
}
