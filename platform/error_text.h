#pragma once

#include <exception>
#include <string>
#include <string_view>

// The message of an error followed by those of the errors it was raised for (its nested
// exceptions), joined by the separator: "Error: Unable to open Tasks" + "the file ... does not
// exist".
std::string DescribeError(const std::exception& error, std::string_view separator);
