#include "platform/error_text.h"

std::string DescribeError(const std::exception& error, std::string_view separator) {
  std::string message = error.what();
  try {
    std::rethrow_if_nested(error);
  } catch (const std::exception& cause) {
    message += separator;
    message += DescribeError(cause, separator);
  } catch (...) {
  }
  return message;
}
