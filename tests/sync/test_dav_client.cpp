#include <gtest/gtest.h>

#include <QTcpServer>
#include <QThread>
#include <QTcpSocket>
#include <algorithm>

#include "sync/dav_url.h"
#include "sync/qt/dav_client.h"
#include "sync/qt/dav_http.h"
#include "sync/qt/sync_passwords.h"
#include "tests/support/radicale_fixture.h"

namespace {

std::string EventText(const std::string& uid, const std::string& summary) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Koret tests//EN\r\nBEGIN:VEVENT\r\nUID:" + uid +
         "\r\nDTSTAMP:20240101T000000Z\r\nDTSTART:20240501T100000Z\r\nSUMMARY:" + summary +
         "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

std::string ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const ESyncError& e) {
    return e.what();
  }
  return "(no error)";
}

std::vector<std::string> Hrefs(const std::vector<TSyncRemoteEntry>& entries) {
  std::vector<std::string> hrefs;
  for (const TSyncRemoteEntry& e : entries) hrefs.push_back(e.Href);
  std::sort(hrefs.begin(), hrefs.end());
  return hrefs;
}

class DavClient : public ::testing::Test {
 protected:
  // A calendar (components: "VEVENT", "VTODO"; none: the server's default) or, with an empty
  // list and addressBook, an address book, made by an extended MKCOL or MKCALENDAR.
  std::string MakeCollection(const std::string& name, const std::string& displayName,
                             const std::vector<std::string>& components, bool addressBook = false) {
    TDavHttp http(Account);
    const std::string url = Server.Url() + Server.User() + "/" + name + "/";
    std::string body;
    if (addressBook) {
      body =
          "<d:mkcol xmlns:d=\"DAV:\" xmlns:r=\"urn:ietf:params:xml:ns:carddav\"><d:set><d:prop><d:resourcetype>"
          "<d:collection/><r:addressbook/></d:resourcetype><d:displayname>" +
          displayName + "</d:displayname></d:prop></d:set></d:mkcol>";
    } else {
      std::string set;
      for (const std::string& c : components) set += "<c:comp name=\"" + c + "\"/>";
      body = "<c:mkcalendar xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:set><d:prop><d:displayname>" +
             displayName + "</d:displayname><c:supported-calendar-component-set>" + set +
             "</c:supported-calendar-component-set></d:prop></d:set></c:mkcalendar>";
    }
    const TDavReply reply = http.Send(addressBook ? "MKCOL" : "MKCALENDAR", url, body);
    EXPECT_EQ(reply.Status, 201) << reply.Body;
    return url;
  }

  TRadicaleFixture Server;
  TDavCredentials Account{Server.Url(), Server.User(), Server.Password()};
};

}  // namespace

TEST_F(DavClient, DiscoveryFindsTheCalendarsAndAddressBooksByName) {
  const std::string calendar = MakeCollection("cal", "Work &amp; Home", {"VEVENT", "VTODO"});
  const std::string chores = MakeCollection("chores", "Chores", {"VTODO"});
  const std::string book = MakeCollection("book", "Friends", {}, true);
  for (const std::string& typed : {Server.Url(), Server.Url() + Server.User() + "/cal/"}) {
    SCOPED_TRACE(typed);
    const TDavDiscovery found = DiscoverCollections({typed, Server.User(), Server.Password()});
    ASSERT_EQ(found.Calendars.size(), 1u);
    EXPECT_EQ(found.Calendars[0].Url, calendar);
    EXPECT_EQ(found.Calendars[0].DisplayName, "Work & Home");
    ASSERT_EQ(found.TaskLists.size(), 1u);
    EXPECT_EQ(found.TaskLists[0].Url, chores);
    ASSERT_EQ(found.AddressBooks.size(), 1u);
    EXPECT_EQ(found.AddressBooks[0].Url, book);
    EXPECT_EQ(found.AddressBooks[0].DisplayName, "Friends");
  }
  // On a worker thread as the window runs it.
  TDavDiscovery onWorker;
  std::unique_ptr<QThread> worker(QThread::create([&] {
    try {
      onWorker = DiscoverCollections(Account);
    } catch (const ESyncError& e) {
      ADD_FAILURE() << e.what();
    }
  }));
  worker->start();
  worker->wait();
  EXPECT_EQ(onWorker.Calendars.size(), 1u);
}

TEST_F(DavClient, FailuresSayWhatFailed) {
  const std::string calendar = MakeCollection("cal", "Cal", {"VEVENT"});
  QTcpServer silent;  // takes connections and never answers
  ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
  const std::string silentUrl = "http://127.0.0.1:" + std::to_string(silent.serverPort()) + "/";
  QTcpServer closed;  // a port where nothing listens once it is closed again
  ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
  const std::string closedPort = std::to_string(closed.serverPort());
  closed.close();
  const std::string host = DavUrlHost(Server.Url());
  QTcpServer web;  // a web server that is no calendar server: a page for every request
  ASSERT_TRUE(web.listen(QHostAddress::LocalHost));
  QObject::connect(&web, &QTcpServer::newConnection, [&web] {
    QTcpSocket* socket = web.nextPendingConnection();
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
      socket->readAll();
      socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 13\r\n\r\n<html></html>");
    });
  });
  const std::string webHost = "127.0.0.1:" + std::to_string(web.serverPort());

  EXPECT_EQ(ErrorOf([&] {
              DiscoverCollections({Server.Url(), Server.User(), "wrong"});
            }),
            "The server refused the user name or password.");
  EXPECT_EQ(ErrorOf([&] {
              DiscoverCollections({"http://127.0.0.1:" + closedPort, "u", "p"});
            }),
            "Cannot reach 127.0.0.1:" + closedPort + ": connection refused.");
  EXPECT_EQ(ErrorOf([&] {
              DiscoverCollections({"http://nonexistent.invalid/dav/", "u", "p"});
            }),
            "Cannot reach nonexistent.invalid: name not found.");
  EXPECT_EQ(ErrorOf([&] {
              TDavHttp({silentUrl, "u", "p"}, 300).Send("PROPFIND", silentUrl);
            }),
            "Cannot reach " + DavUrlHost(silentUrl) + ": no answer (timed out after 0 seconds).");
  EXPECT_EQ(ErrorOf([&] { OpenDavCollection(Account, Server.Url() + "tester/missing/", sikEvent)->List(""); }),
            "The server " + host + " has nothing at /tester/missing/ (404 Not Found).");
  EXPECT_EQ(ErrorOf([&] {
              DiscoverCollections({"http://" + webHost + "/", "u", "p"});
            }),
            webHost + " is not a calendar or address-book server.");
  EXPECT_EQ(ErrorOf([&] {
              DiscoverCollections({"ftp://example.org/", "u", "p"});
            }),
            "\"ftp://example.org/\" is not the address of a server.");

  // A write with the wrong password changes nothing.
  const TDavCredentials wrong{Server.Url(), Server.User(), "s3cret"};
  EXPECT_EQ(
      ErrorOf([&] { OpenDavCollection(wrong, calendar, sikEvent)->Create("/tester/cal/x.ics", EventText("x", "X")); }),
      "The server refused the user name or password.");
  EXPECT_TRUE(OpenDavCollection(Account, calendar, sikEvent)->List("").Changed.empty());
}

TEST_F(DavClient, WritesAreConditionalOnTheETag) {
  const auto server = OpenDavCollection(Account, MakeCollection("cal", "Cal", {"VEVENT"}), sikEvent);
  const std::string href = server->HrefFor("a1");
  EXPECT_EQ(href, "/tester/cal/a1.ics");

  const TSyncWriteOutcome created = server->Create(href, EventText("a1", "First"));
  ASSERT_TRUE(created.Done);
  EXPECT_FALSE(created.ETag.empty());
  EXPECT_FALSE(server->Create(href, EventText("a1", "Again")).Done);  // already there
  EXPECT_FALSE(server->Update(href, EventText("a1", "Stale"), "\"stale\"").Done);
  const TSyncWriteOutcome updated = server->Update(href, EventText("a1", "Second"), created.ETag);
  ASSERT_TRUE(updated.Done);
  EXPECT_NE(updated.ETag, created.ETag);
  EXPECT_FALSE(server->Remove(href, created.ETag));  // changed meanwhile
  const TSyncWriteOutcome blind = server->Update(href, EventText("a1", "Third"), "");
  ASSERT_TRUE(blind.Done);
  const std::vector<TSyncRemoteItem> items = server->Fetch({href});
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].ETag, blind.ETag);
  EXPECT_NE(items[0].Text.find("SUMMARY:Third"), std::string::npos);
  EXPECT_TRUE(server->Remove(href, blind.ETag));
  EXPECT_TRUE(server->Remove(href, blind.ETag));  // gone already
  EXPECT_TRUE(server->Fetch({href}).empty());
}

TEST_F(DavClient, ListingsGiveTheChangesSinceTheToken) {
  const auto server = OpenDavCollection(Account, MakeCollection("cal", "Cal", {"VEVENT"}), sikEvent);
  std::string etagA, etagC;
  etagA = server->Create(server->HrefFor("a"), EventText("a", "A")).ETag;
  etagC = server->Create(server->HrefFor("c"), EventText("c", "C")).ETag;
  const TSyncListing first = server->List("");
  EXPECT_TRUE(first.Full);
  EXPECT_FALSE(first.Token.empty());
  EXPECT_EQ(Hrefs(first.Changed), (std::vector<std::string>{"/tester/cal/a.ics", "/tester/cal/c.ics"}));

  ASSERT_TRUE(server->Update(server->HrefFor("a"), EventText("a", "A2"), etagA).Done);
  ASSERT_TRUE(server->Create(server->HrefFor("b"), EventText("b", "B")).Done);
  ASSERT_TRUE(server->Remove(server->HrefFor("c"), etagC));
  const TSyncListing changes = server->List(first.Token);
  EXPECT_FALSE(changes.Full);
  EXPECT_EQ(Hrefs(changes.Changed), (std::vector<std::string>{"/tester/cal/a.ics", "/tester/cal/b.ics"}));
  EXPECT_EQ(changes.Removed, (std::vector<std::string>{"/tester/cal/c.ics"}));
  EXPECT_NE(changes.Token, first.Token);

  const TSyncListing refused = server->List("http://radicale.org/ns/sync/bogus");
  EXPECT_TRUE(refused.Full);
  EXPECT_EQ(Hrefs(refused.Changed), (std::vector<std::string>{"/tester/cal/a.ics", "/tester/cal/b.ics"}));
  EXPECT_TRUE(refused.Removed.empty());
}

TEST_F(DavClient, FetchTakesManyItemsInBatchesAndOddUids) {
  // The server takes a whole calendar in one upload, far faster than one item at a time.
  std::string calendar = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Koret tests//EN\r\n";
  for (int i = 0; i < 250; ++i)
    calendar += "BEGIN:VEVENT\r\nUID:item-" + std::to_string(i) +
                "\r\nDTSTAMP:20240101T000000Z\r\nDTSTART:20240501T100000Z\r\nSUMMARY:Item\r\nEND:VEVENT\r\n";
  const std::string url = Server.Url() + Server.User() + "/cal/";
  ASSERT_EQ(
      TDavHttp(Account).Send("PUT", url, calendar + "END:VCALENDAR\r\n", {{"Content-Type", "text/calendar"}}).Status,
      201);
  const auto server = OpenDavCollection(Account, url, sikEvent);
  const std::string odd = "caf\xc3\xa9/\xc3\xbc 1@x";
  const std::string oddHref = server->HrefFor(odd);
  EXPECT_EQ(oddHref, "/tester/cal/caf%C3%A9~2F%C3%BC%201@x.ics");
  ASSERT_TRUE(server->Create(oddHref, EventText(odd, "Odd")).Done);

  std::vector<std::string> hrefs = Hrefs(server->List("").Changed);
  ASSERT_EQ(hrefs.size(), 251u);
  EXPECT_TRUE(std::binary_search(hrefs.begin(), hrefs.end(), oddHref));
  hrefs.push_back(server->HrefFor("never-made"));
  const std::vector<TSyncRemoteItem> items = server->Fetch(hrefs);
  ASSERT_EQ(items.size(), 251u);
  for (const TSyncRemoteItem& item : items) {
    SCOPED_TRACE(item.Href);
    EXPECT_TRUE(std::binary_search(hrefs.begin(), hrefs.end() - 1, item.Href));
    EXPECT_FALSE(item.ETag.empty());
    EXPECT_NE(item.Text.find(item.Href == oddHref ? "SUMMARY:Odd" : "SUMMARY:Item"), std::string::npos);
  }
}

TEST(SyncPasswords, KeptInTheKeyringOrForThisRun) {
  TSyncPasswords passwords;
  const std::string server = "https://dav.example/", user = "koret-test-user";
  const std::string password = "p\xc3\xa4ss:w\xc3\xb6rd";
  passwords.Write(server, user, password);
  EXPECT_EQ(passwords.Read(server, user), password);
  EXPECT_EQ(TSyncPasswords().Read(server, user), password);  // one store for the process
  passwords.Forget(server, user);
  EXPECT_EQ(passwords.Read(server, user), std::nullopt);
}
