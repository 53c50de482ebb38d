#pragma once

#include <optional>
#include <string>

// The passwords of sync accounts, kept in the desktop's keyring (never in a settings file). Where
// there is no keyring, a password given is kept in memory for this run only.
class TSyncPasswords {
 public:
  // The stored password of the user on the server; none when nothing is stored.
  std::optional<std::string> Read(const std::string& serverUrl, const std::string& userName);
  // Stores it; false when there is no keyring (it is then kept for this run only).
  bool Write(const std::string& serverUrl, const std::string& userName, const std::string& password);
  void Forget(const std::string& serverUrl, const std::string& userName);
};
