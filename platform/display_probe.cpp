#include "platform/display_probe.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// An X display name is [host]:number[.screen]; a local one (no host, or "unix") is reachable
// through its socket. A display on another host cannot be checked cheaply and is trusted.
bool XDisplayReachable(const char* display, const std::function<bool(const std::string&)>& canConnect) {
  if (display == nullptr || *display == '\0') return false;
  const std::string_view name(display);
  const auto colon = name.rfind(':');
  if (colon == std::string_view::npos) return false;
  const std::string_view host = name.substr(0, colon);
  if (!host.empty() && host != "unix") return true;
  std::string_view number = name.substr(colon + 1);
  number = number.substr(0, number.find('.'));
  if (number.empty()) return false;
  const std::string socket = "/tmp/.X11-unix/X" + std::string(number);
  return canConnect(socket) || canConnect("@" + socket);
}

bool WaylandReachable(const std::function<const char*(const char*)>& getEnv,
                      const std::function<bool(const std::string&)>& canConnect) {
  const char* name = getEnv("WAYLAND_DISPLAY");
  if (name == nullptr || *name == '\0') return false;
  if (*name == '/') return canConnect(name);
  const char* runtime = getEnv("XDG_RUNTIME_DIR");
  if (runtime == nullptr || *runtime == '\0') return false;
  return canConnect(std::string(runtime) + "/" + name);
}

bool CanConnectUnixSocket(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path, path.data(), path.size());
  socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size());
  if (!path.empty() && path[0] == '@') {
    address.sun_path[0] = '\0';  // abstract namespace
  } else {
    length += 1;
  }
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0;
  ::close(fd);
  return ok;
}

const std::string kHowTo = "Start Koret Organizer from a desktop session, or without one through xvfb-run.";

}  // namespace

std::optional<std::string> MissingDisplayReason(const std::function<const char*(const char*)>& getEnv,
                                                const std::function<bool(const std::string&)>& canConnect) {
  const char* platform = getEnv("QT_QPA_PLATFORM");
  const std::string_view chosen = platform == nullptr ? "" : platform;
  const char* display = getEnv("DISPLAY");

  if (StartsWith(chosen, "xcb")) {
    if (XDisplayReachable(display, canConnect)) return std::nullopt;
  } else if (StartsWith(chosen, "wayland")) {
    if (WaylandReachable(getEnv, canConnect)) return std::nullopt;
  } else if (!chosen.empty()) {
    return std::nullopt;  // offscreen, vnc, framebuffer, ...: no display server needed
  } else if (XDisplayReachable(display, canConnect) || WaylandReachable(getEnv, canConnect)) {
    return std::nullopt;
  }

  if (display == nullptr || *display == '\0') return "No display found (DISPLAY is not set). " + kHowTo;
  return "Cannot reach the display \"" + std::string(display) + "\". " + kHowTo;
}

std::optional<std::string> MissingDisplayReason() {
  return MissingDisplayReason([](const char* name) { return std::getenv(name); }, CanConnectUnixSocket);
}
