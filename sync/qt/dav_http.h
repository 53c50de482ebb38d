#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sync/dav_multistatus.h"
#include "sync/qt/dav_client.h"

class QNetworkAccessManager;

// One answer of the server.
struct TDavReply {
  std::string Url;  // the URL that answered, after redirects
  int Status = 0;
  std::string Reason;  // the status line's text ("Not Found")
  std::string Body;
  std::string ETag;  // the ETag header as given (a weak "W/..." one too); empty when none
};

using TDavHeaders = std::vector<std::pair<std::string, std::string>>;

// Blocking HTTP exchanges with the server of one account: every request carries the account's
// Basic credentials, waits on a local event loop (so it works on a worker thread and on a
// console program's main thread alike) and gives up after the timeout without any data moving.
// Belongs to the thread that made it.
class TDavHttp {
 public:
  explicit TDavHttp(const TDavCredentials& credentials, int timeoutMilliseconds = 30000);
  ~TDavHttp();
  TDavHttp(const TDavHttp&) = delete;
  TDavHttp& operator=(const TDavHttp&) = delete;

  // Sends the request and gives the server's answer, whatever its status. Redirects are followed
  // (a few at most) when they keep the scheme or move to https. Raises ESyncError when no answer
  // came: the name not found, the connection refused, timed out, a TLS failure (never ignored).
  TDavReply Send(const std::string& method, const std::string& url, const std::string& body = {},
                 const TDavHeaders& headers = {});

 private:
  TDavReply SendOnce(const std::string& method, const std::string& url, const std::string& body,
                     const TDavHeaders& headers, std::string& redirect);

  std::unique_ptr<QNetworkAccessManager> Manager_;
  std::string Authorization_;
  int TimeoutMilliseconds_;
};

// Raises the ESyncError for an answer the request could not use: the credentials refused (401),
// nothing at the address (404), any other status with its code and text.
[[noreturn]] void RaiseDavStatus(const TDavReply& reply);

// The multistatus of a 207 answer; raises ESyncError otherwise: for a 2xx answer that holds none,
// 405 or 501 (a server that does not speak WebDAV) that it is not a calendar or address-book
// server, else as RaiseDavStatus.
TDavMultistatus ExpectMultistatus(const TDavReply& reply);
