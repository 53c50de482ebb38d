#include "sync/qt/dav_http.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslError>
#include <QTimer>
#include <QUrl>

#include "platform/qt/qt_text.h"
#include "sync/dav_url.h"

namespace {

constexpr int kMostRedirects = 5;

QByteArray ToBytes(const std::string& text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())); }
std::string FromBytes(const QByteArray& bytes) {
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool IsRedirect(int status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// What went wrong on the way to the server, in the user's terms.
std::string NetworkFailure(QNetworkReply::NetworkError error, const QString& reason, bool timedOut, int timeoutMs,
                           const std::vector<std::string>& tlsErrors, const std::string& url) {
  const std::string host = DavUrlHost(url);
  if (timedOut)
    return "Cannot reach " + host + ": no answer (timed out after " + std::to_string(timeoutMs / 1000) + " seconds).";
  if (error == QNetworkReply::HostNotFoundError) return "Cannot reach " + host + ": name not found.";
  if (error == QNetworkReply::ConnectionRefusedError) return "Cannot reach " + host + ": connection refused.";
  if (error == QNetworkReply::TimeoutError) return "Cannot reach " + host + ": no answer (timed out).";
  if (error == QNetworkReply::RemoteHostClosedError)
    return "Cannot reach " + host + ": the server closed the connection.";
  if (error == QNetworkReply::SslHandshakeFailedError) {
    std::string why;
    for (const std::string& e : tlsErrors) why += (why.empty() ? "" : "; ") + e;
    return "Cannot connect securely to " + host + ": " + (why.empty() ? FromQt(reason) : why) + ".";
  }
  return "Cannot reach " + host + ": " + FromQt(reason) + ".";
}

}  // namespace

TDavHttp::TDavHttp(const TDavCredentials& credentials, int timeoutMilliseconds)
    : Manager_(std::make_unique<QNetworkAccessManager>()), TimeoutMilliseconds_(timeoutMilliseconds) {
  Manager_->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
  Authorization_ = "Basic " + FromBytes(ToBytes(credentials.UserName + ":" + credentials.Password).toBase64());
}

TDavHttp::~TDavHttp() = default;

TDavReply TDavHttp::Send(const std::string& method, const std::string& url, const std::string& body,
                         const TDavHeaders& headers) {
  std::string current = url;
  for (int hop = 0;; ++hop) {
    std::string redirect;
    TDavReply reply = SendOnce(method, current, body, headers, redirect);
    if (redirect.empty()) return reply;
    const std::string target = ResolveDavUrl(current, redirect);
    const bool sameScheme = target.substr(0, target.find(':')) == current.substr(0, current.find(':'));
    if (target.empty() || !(sameScheme || target.starts_with("https:")))
      throw ESyncError("The server " + DavUrlHost(current) + " sent the request on to " +
                       (target.empty() ? redirect : target) + ", which is not as safe; it was not followed.");
    if (hop == kMostRedirects) throw ESyncError("The server " + DavUrlHost(url) + " redirected too many times.");
    current = target;
  }
}

TDavReply TDavHttp::SendOnce(const std::string& method, const std::string& url, const std::string& body,
                             const TDavHeaders& headers, std::string& redirect) {
  QNetworkRequest request(QUrl(ToQt(url)));
  request.setRawHeader("Authorization", ToBytes(Authorization_));
  request.setRawHeader("User-Agent", "Koret Organizer");
  for (const auto& [name, value] : headers) request.setRawHeader(ToBytes(name), ToBytes(value));
  if (!body.empty() && request.rawHeader("Content-Type").isEmpty())
    request.setRawHeader("Content-Type", "application/xml; charset=utf-8");

  std::unique_ptr<QNetworkReply> reply(Manager_->sendCustomRequest(request, ToBytes(method), ToBytes(body)));
  std::vector<std::string> tlsErrors;
  bool timedOut = false;
  QEventLoop loop;
  QTimer idle;
  idle.setSingleShot(true);
  QObject::connect(&idle, &QTimer::timeout, &loop, [&] {
    timedOut = true;
    reply->abort();
  });
  const auto stillMoving = [&idle] { idle.start(); };
  QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &idle, stillMoving);
  QObject::connect(reply.get(), &QNetworkReply::uploadProgress, &idle, stillMoving);
  // TLS errors are reported, never ignored: the reply then fails with the handshake error.
  QObject::connect(reply.get(), &QNetworkReply::sslErrors, &loop, [&tlsErrors](const QList<QSslError>& errors) {
    for (const QSslError& e : errors) tlsErrors.push_back(FromQt(e.errorString()));
  });
  QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
  idle.start(TimeoutMilliseconds_);
  if (!reply->isFinished()) loop.exec();

  TDavReply answer;
  answer.Url = url;
  answer.Status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (answer.Status == 0 || timedOut)
    throw ESyncError(
        NetworkFailure(reply->error(), reply->errorString(), timedOut, TimeoutMilliseconds_, tlsErrors, url));
  answer.Reason = FromBytes(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray());
  answer.Body = FromBytes(reply->readAll());
  answer.ETag = FromBytes(reply->rawHeader("ETag"));
  if (IsRedirect(answer.Status)) redirect = FromBytes(reply->rawHeader("Location"));
  return answer;
}

void RaiseDavStatus(const TDavReply& reply) {
  if (reply.Status == 401) throw ESyncError("The server refused the user name or password.");
  const std::string host = DavUrlHost(reply.Url);
  if (reply.Status == 404)
    throw ESyncError("The server " + host + " has nothing at " + DavUrlPath(reply.Url) + " (404 Not Found).");
  throw ESyncError("The server " + host + " answered " + std::to_string(reply.Status) +
                   (reply.Reason.empty() ? "" : " " + reply.Reason) + ".");
}

TDavMultistatus ExpectMultistatus(const TDavReply& reply) {
  TDavMultistatus answer;
  std::string error;
  if (reply.Status == 207 && ReadDavMultistatus(reply.Body, reply.Url, answer, error)) return answer;
  if ((reply.Status >= 200 && reply.Status < 300) || reply.Status == 405 || reply.Status == 501)
    throw ESyncError(DavUrlHost(reply.Url) + " is not a calendar or address-book server.");
  RaiseDavStatus(reply);
}
