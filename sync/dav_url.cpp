#include "sync/dav_url.h"

#include <algorithm>
#include <vector>

#include "platform/ascii_text.h"

namespace {

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

// What a path segment holds as itself: the unreserved characters, the sub-delimiters, ":" and "@".
bool IsSegmentChar(unsigned char c) {
  if (IsUnreserved(c)) return true;
  switch (c) {
    case '!':
    case '$':
    case '&':
    case '\'':
    case '(':
    case ')':
    case '*':
    case '+':
    case ',':
    case ';':
    case '=':
    case ':':
    case '@': return true;
    default: return false;
  }
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

void AppendEncoded(std::string& out, unsigned char c) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += '%';
  out += kHex[c >> 4];
  out += kHex[c & 15];
}

// The byte at text[i] and how many bytes of the text it took: a "%XX" stands for the byte XX.
unsigned char TakeByte(std::string_view text, std::size_t& i, bool& wasEncoded) {
  wasEncoded = false;
  if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
    wasEncoded = true;
    const unsigned char c = static_cast<unsigned char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
    i += 3;
    return c;
  }
  return static_cast<unsigned char>(text[i++]);
}

// The text with its percent-encoding undone.
std::string PercentDecoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    bool wasEncoded = false;
    out += static_cast<char>(TakeByte(text, i, wasEncoded));
  }
  return out;
}

// The path with every byte in one form: what a segment holds as itself written as itself, the
// rest percent-encoded with upper-case digits; an encoded "/" stays encoded (it is no separator).
std::string NormalPath(std::string_view path) {
  std::string out;
  for (std::size_t i = 0; i < path.size();) {
    bool wasEncoded = false;
    const unsigned char c = TakeByte(path, i, wasEncoded);
    if (IsSegmentChar(c) || (c == '/' && !wasEncoded)) out += static_cast<char>(c);
    else AppendEncoded(out, c);
  }
  return out;
}

// The path without "." and ".." segments.
std::string WithoutDotSegments(std::string_view path) {
  std::vector<std::string_view> segments;
  std::size_t start = 1;  // the path starts with "/"
  bool endsAsFolder = false;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view segment = path.substr(start, end - start);
    const bool last = end == path.size();
    if (segment == ".") {
      endsAsFolder = last;
    } else if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
      endsAsFolder = last;
    } else {
      segments.push_back(segment);
      endsAsFolder = false;
    }
    start = end + 1;
  }
  std::string out;
  for (const std::string_view segment : segments) {
    out += '/';
    out += segment;
  }
  if (endsAsFolder || out.empty()) out += '/';
  return out;
}

struct TUrlParts {
  std::string Scheme, Host, Path, Query;
  int Port = 0;
};

bool SplitAbsolute(std::string_view url, TUrlParts& parts) {
  const std::size_t colon = url.find("://");
  if (colon == std::string_view::npos) return false;
  parts.Scheme = std::string(url.substr(0, colon));
  for (char& c : parts.Scheme) c = LowerAscii(c);
  if (parts.Scheme != "http" && parts.Scheme != "https") return false;
  url.remove_prefix(colon + 3);
  if (const std::size_t hash = url.find('#'); hash != std::string_view::npos) url = url.substr(0, hash);
  std::size_t pathStart = url.find_first_of("/?");
  if (pathStart == std::string_view::npos) pathStart = url.size();
  std::string_view authority = url.substr(0, pathStart);
  std::string_view rest = url.substr(pathStart);
  if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);
  std::string_view host = authority;
  const std::size_t portColon = authority.rfind(':');
  if (portColon != std::string_view::npos && authority.find(']', portColon) == std::string_view::npos) {
    host = authority.substr(0, portColon);
    const std::string_view port = authority.substr(portColon + 1);
    if (port.size() > 5) return false;
    int value = 0;
    for (const char c : port) {
      if (c < '0' || c > '9') return false;
      value = value * 10 + (c - '0');
    }
    if (value > 65535) return false;
    parts.Port = port.empty() || value == (parts.Scheme == "http" ? 80 : 443) ? 0 : value;
  }
  if (host.empty()) return false;
  for (const char c : host)
    if (static_cast<unsigned char>(c) <= ' ' || c == '/' || c == '\\') return false;
  parts.Host = std::string(host);
  for (char& c : parts.Host) c = LowerAscii(c);
  const std::size_t question = rest.find('?');
  parts.Path = std::string(rest.substr(0, question));
  if (question != std::string_view::npos) parts.Query = std::string(rest.substr(question));
  if (parts.Path.empty()) parts.Path = "/";
  return true;
}

std::string Join(const TUrlParts& parts) {
  std::string url = parts.Scheme + "://" + parts.Host;
  if (parts.Port != 0) url += ":" + std::to_string(parts.Port);
  return url + WithoutDotSegments(NormalPath(parts.Path)) + parts.Query;
}

bool HasScheme(std::string_view reference) {
  const std::size_t colon = reference.find(':');
  if (colon == std::string_view::npos || colon == 0) return false;
  for (std::size_t i = 0; i < colon; ++i) {
    const char c = reference[i];
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!letter && (i == 0 || ((c < '0' || c > '9') && c != '+' && c != '-' && c != '.'))) return false;
  }
  return true;
}

}  // namespace

TDavTypedAddress SplitDavUserInfo(std::string_view typed) {
  typed = TrimBlanksAscii(typed);
  const std::size_t scheme = typed.find("://");
  const std::size_t hostStart = scheme == std::string_view::npos ? 0 : scheme + 3;
  const std::size_t authorityEnd = std::min(typed.find_first_of("/?#", hostStart), typed.size());
  const std::size_t at = typed.substr(0, authorityEnd).rfind('@');
  TDavTypedAddress address;
  if (at == std::string_view::npos || at < hostStart) {
    address.Url = std::string(typed);
    return address;
  }
  const std::string_view userInfo = typed.substr(hostStart, at - hostStart);
  const std::size_t colon = userInfo.find(':');
  address.UserName = PercentDecoded(userInfo.substr(0, colon));
  if (colon != std::string_view::npos) address.Password = PercentDecoded(userInfo.substr(colon + 1));
  address.Url = std::string(typed.substr(0, hostStart)) + std::string(typed.substr(at + 1));
  return address;
}

std::string DavServerUrl(std::string_view typed) {
  typed = TrimBlanksAscii(typed);
  if (typed.empty()) return {};
  if (typed.find("://") == std::string_view::npos) return ResolveDavUrl("", "https://" + std::string(typed));
  return ResolveDavUrl("", typed);
}

std::string ResolveDavUrl(std::string_view base, std::string_view reference) {
  TUrlParts parts;
  if (HasScheme(reference)) return SplitAbsolute(reference, parts) ? Join(parts) : std::string();
  if (!SplitAbsolute(base, parts)) return {};
  if (reference.starts_with("//")) return ResolveDavUrl("", parts.Scheme + ":" + std::string(reference));
  if (const std::size_t hash = reference.find('#'); hash != std::string_view::npos)
    reference = reference.substr(0, hash);
  if (reference.empty()) return Join(parts);
  const std::size_t question = reference.find('?');
  const std::string_view path = reference.substr(0, question);
  parts.Query = question == std::string_view::npos ? std::string() : std::string(reference.substr(question));
  if (path.starts_with('/')) parts.Path = std::string(path);
  else if (!path.empty()) parts.Path = parts.Path.substr(0, parts.Path.rfind('/') + 1) + std::string(path);
  return Join(parts);
}

std::string DavUrlOrigin(std::string_view url) {
  const std::size_t hostStart = url.find("://");
  if (hostStart == std::string_view::npos) return {};
  return std::string(url.substr(0, url.find_first_of("/?", hostStart + 3)));
}

std::string DavUrlPath(std::string_view url) {
  const std::string origin = DavUrlOrigin(url);
  return origin.size() < url.size() ? std::string(url.substr(origin.size())) : "/";
}

std::string DavUrlHost(std::string_view url) {
  const std::string origin = DavUrlOrigin(url);
  const std::size_t hostStart = origin.find("://");
  return hostStart == std::string::npos ? origin : origin.substr(hostStart + 3);
}

std::string DavCollectionUrl(std::string_view url) {
  std::string path = DavUrlPath(url);
  const std::size_t question = path.find('?');
  std::string query = question == std::string::npos ? std::string() : path.substr(question);
  path = path.substr(0, question);
  if (!path.ends_with('/')) path += '/';
  return DavUrlOrigin(url) + path + query;
}

std::string EncodeDavSegment(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (IsSegmentChar(byte)) out += c;
    else AppendEncoded(out, byte);
  }
  return out;
}

std::string DavUrlLastSegment(std::string_view url) {
  const std::string whole = DavUrlPath(url);
  std::string_view path = std::string_view(whole).substr(0, whole.find('?'));
  while (path.ends_with('/')) path.remove_suffix(1);
  return PercentDecoded(path.substr(path.rfind('/') + 1));
}

std::string DavItemHref(std::string_view collectionPath, std::string_view uid, std::string_view extension) {
  // Servers refuse an encoded "/" (or "\\") in a name and names that start with ".", so those
  // are written as "~" and their hex code, and "~" itself likewise: still one name per UID.
  std::string name;
  for (const char c : uid) {
    if (c == '/' || c == '\\' || c == '~' || (c == '.' && name.empty()))
      name += c == '/' ? "~2F" : c == '\\' ? "~5C" : c == '~' ? "~7E" : "~2E";
    else name += c;
  }
  std::string href(collectionPath);
  if (!href.ends_with('/')) href += '/';
  return href + EncodeDavSegment(name) + EncodeDavSegment(extension);
}
