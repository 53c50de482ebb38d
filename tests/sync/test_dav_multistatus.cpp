#include <gtest/gtest.h>

#include "sync/dav_multistatus.h"
#include "sync/dav_requests.h"
#include "sync/dav_xml_tree.h"

namespace {

const std::string kCollection = "http://dav.example/u/cal/";

TDavMultistatus Read(const std::string& body) {
  TDavMultistatus answer;
  std::string error;
  EXPECT_TRUE(ReadDavMultistatus(body, kCollection, answer, error)) << error;
  return answer;
}

}  // namespace

// The same listing as servers write it: their own prefixes, a default namespace, relative and
// absolute hrefs, a 404 propstat for the missing ETag.
TEST(DavMultistatus, ListingsInEveryServersStyleReadAlike) {
  const std::string styles[] = {
      "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\"><d:response><d:href>/u/cal/a%40x.ics</d:href>"
      "<d:propstat><d:prop><d:getetag>\"1\"</d:getetag></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat>"
      "</d:response><d:response><d:href>/u/cal/b.ics</d:href><d:propstat><d:prop><d:getetag/></d:prop>"
      "<d:status>HTTP/1.1 404 Not Found</d:status></d:propstat></d:response></d:multistatus>",

      "<multistatus xmlns=\"DAV:\">\n  <response>\n    <href>http://DAV.example:80/u/cal/a@x.ics</href>\n"
      "    <propstat>\n      <prop><getetag>\"1\"</getetag></prop>\n      <status>HTTP/1.1 200 OK</status>\n"
      "    </propstat>\n  </response>\n  <response><href>b.ics</href><propstat><prop/>"
      "<status>HTTP/1.1 200 OK</status></propstat></response>\n</multistatus>",

      "<D:multistatus xmlns:D=\"DAV:\" xmlns:Z=\"urn:other\"><D:response><Z:extra/><D:href>./a@x.ics</D:href>"
      "<D:propstat><D:status>HTTP/1.1 200 OK</D:status><D:prop><Z:getetag>\"not this\"</Z:getetag>"
      "<D:getetag>\"1\"</D:getetag></D:prop></D:propstat></D:response><D:response><D:href>/u/cal/b.ics</D:href>"
      "<D:propstat><D:prop><D:getetag>\"gone\"</D:getetag></D:prop><D:status>HTTP/1.1 404 Not Found</D:status>"
      "</D:propstat></D:response></D:multistatus>",
  };
  for (const std::string& body : styles) {
    SCOPED_TRACE(body);
    const TDavMultistatus answer = Read(body);
    ASSERT_EQ(answer.Responses.size(), 2u);
    EXPECT_EQ(answer.Responses[0].Href, "http://dav.example/u/cal/a@x.ics");
    EXPECT_EQ(answer.Responses[0].ETag, "\"1\"");
    EXPECT_EQ(answer.Responses[1].Href, "http://dav.example/u/cal/b.ics");
    EXPECT_EQ(answer.Responses[1].ETag, "");
  }
}

TEST(DavMultistatus, SyncReportGivesChangesRemovalsAndTheToken) {
  const TDavMultistatus answer = Read(
      "<A:multistatus xmlns:A=\"DAV:\"><A:response><A:href>/u/cal/new.ics</A:href><A:propstat><A:prop>"
      "<A:getetag>W/\"7\"</A:getetag></A:prop><A:status>HTTP/1.1 200 OK</A:status></A:propstat></A:response>"
      "<A:response><A:href>/u/cal/old.ics</A:href><A:href>/u/cal/older.ics</A:href>"
      "<A:status>HTTP/1.1 404 Not Found</A:status></A:response>"
      "<A:sync-token> http://radicale.org/ns/sync/abc </A:sync-token></A:multistatus>");
  ASSERT_EQ(answer.Responses.size(), 3u);
  EXPECT_EQ(answer.Responses[0].Status, 0);
  EXPECT_EQ(answer.Responses[0].ETag, "W/\"7\"");
  EXPECT_EQ(answer.Responses[1].Status, 404);
  EXPECT_EQ(answer.Responses[2].Href, "http://dav.example/u/cal/older.ics");
  EXPECT_EQ(answer.Responses[2].Status, 404);
  EXPECT_EQ(answer.SyncToken, "http://radicale.org/ns/sync/abc");
}

TEST(DavMultistatus, DiscoveryPropertiesAndItemTexts) {
  const TDavMultistatus answer = Read(
      "<multistatus xmlns=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:caldav\">"
      "<response><href>/u/</href><propstat><prop><current-user-principal><href>/principals/u/</href>"
      "</current-user-principal><C:calendar-home-set><href>/u/</href><href>https://other.example/h/</href>"
      "</C:calendar-home-set><A:addressbook-home-set xmlns:A=\"urn:ietf:params:xml:ns:carddav\">"
      "<href>cards/</href></A:addressbook-home-set></prop><status>HTTP/1.1 200 OK</status></propstat></response>"
      "<response><href>/u/cal/</href><propstat><prop><resourcetype><collection/><C:calendar/></resourcetype>"
      "<displayname> Home &amp; work </displayname><C:supported-calendar-component-set><C:comp name=\"vevent\"/>"
      "<C:comp name=\"VTODO\"/></C:supported-calendar-component-set></prop><status>HTTP/1.1 200 OK</status>"
      "</propstat></response>"
      "<response><href>/u/book/</href><propstat><prop><resourcetype><collection/>"
      "<card:addressbook xmlns:card=\"urn:ietf:params:xml:ns:carddav\"/></resourcetype></prop></propstat>"
      "<propstat><prop><displayname/><C:supported-calendar-component-set/></prop>"
      "<status>HTTP/1.1 404 Not Found</status></propstat></response>"
      "<response><href>/u/cal/x.ics</href><propstat><prop><C:calendar-data><![CDATA[BEGIN:VCALENDAR\r\n]]>"
      "END:VCALENDAR&#13;\n</C:calendar-data></prop><status>HTTP/1.1 200 OK</status></propstat></response>"
      "</multistatus>");
  ASSERT_EQ(answer.Responses.size(), 4u);
  const TDavResponse& principal = answer.Responses[0];
  EXPECT_EQ(principal.Principal, "http://dav.example/principals/u/");
  EXPECT_EQ(principal.CalendarHomes, (std::vector<std::string>{"http://dav.example/u/", "https://other.example/h/"}));
  EXPECT_EQ(principal.AddressBookHomes, (std::vector<std::string>{"http://dav.example/u/cal/cards/"}));
  const TDavResponse& calendar = answer.Responses[1];
  EXPECT_TRUE(calendar.Collection && calendar.Calendar && !calendar.AddressBook);
  EXPECT_EQ(calendar.DisplayName, "Home & work");
  EXPECT_TRUE(calendar.HasComponentSet);
  EXPECT_EQ(calendar.Components, (std::vector<std::string>{"VEVENT", "VTODO"}));
  const TDavResponse& book = answer.Responses[2];
  EXPECT_TRUE(book.Collection && book.AddressBook && !book.Calendar);
  EXPECT_FALSE(book.HasComponentSet);  // reported as not found
  // Raw CRLF (which XML reads as LF) and a written &#13; before LF give the same line end.
  EXPECT_EQ(answer.Responses[3].Data, "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
}

TEST(DavMultistatus, WhatIsNoMultistatusIsRefused) {
  const char* bodies[] = {
      "",
      "<html><body>Welcome</body></html>",
      "<multistatus><response/></multistatus>",            // no DAV: namespace
      "<d:multistatus xmlns:x=\"DAV:\"></d:multistatus>",  // undeclared prefix
      "<d:multistatus xmlns:d=\"DAV:\"><d:response>",      // cut short
  };
  for (const char* body : bodies) {
    SCOPED_TRACE(body);
    TDavMultistatus answer;
    std::string error;
    EXPECT_FALSE(ReadDavMultistatus(body, kCollection, answer, error));
    EXPECT_FALSE(error.empty());
  }
}

TEST(DavMultistatus, ErrorBodiesAndStatusLines) {
  EXPECT_TRUE(DavErrorNames("<e:error xmlns:e=\"DAV:\"><e:valid-sync-token/></e:error>", "valid-sync-token"));
  EXPECT_TRUE(DavErrorNames("<error xmlns=\"DAV:\">\n<valid-sync-token/>\n</error>", "valid-sync-token"));
  EXPECT_FALSE(DavErrorNames("<error xmlns=\"DAV:\"><number-of-matches-within-limits/></error>", "valid-sync-token"));
  EXPECT_FALSE(DavErrorNames("<error><valid-sync-token/></error>", "valid-sync-token"));
  EXPECT_FALSE(DavErrorNames("Forbidden", "valid-sync-token"));
  EXPECT_EQ(DavStatusCode("HTTP/1.1 404 Not Found"), 404);
  EXPECT_EQ(DavStatusCode("HTTP/1.1 200"), 200);
  EXPECT_EQ(DavStatusCode("HTTP/1.1 2x0 OK"), 0);
  EXPECT_EQ(DavStatusCode("garbage"), 0);
}

// The request bodies are namespace-correct XML: read back with the answer's reader.
TEST(DavRequests, BodiesNameTheirPropertiesInTheirNamespaces) {
  TDavXmlTree tree;
  std::string error;
  ASSERT_TRUE(tree.Read(DavSyncCollectionRequest("tok<&>"), error)) << error;
  EXPECT_TRUE(tree.Is(0, kDavNamespace, "sync-collection"));
  EXPECT_EQ(tree.TrimmedText(tree.Child(0, kDavNamespace, "sync-token")), "tok<&>");
  ASSERT_TRUE(tree.Read(DavMultigetRequest(sikContact, {"/b/a&b.vcf", "/b/c.vcf"}), error)) << error;
  EXPECT_TRUE(tree.Is(0, kCardDavNamespace, "addressbook-multiget"));
  EXPECT_GE(tree.Child(tree.Child(0, kDavNamespace, "prop"), kCardDavNamespace, "address-data"), 0);
  EXPECT_EQ(tree.TrimmedText(tree.Child(0, kDavNamespace, "href")), "/b/a&b.vcf");
  ASSERT_TRUE(tree.Read(DavMultigetRequest(sikEvent, {}), error)) << error;
  EXPECT_TRUE(tree.Is(0, kCalDavNamespace, "calendar-multiget"));
  for (const std::string& body :
       {DavPrincipalRequest(), DavHomesRequest(), DavCollectionsRequest(), DavETagsRequest()}) {
    ASSERT_TRUE(tree.Read(body, error)) << error;
    EXPECT_TRUE(tree.Is(0, kDavNamespace, "propfind"));
  }
}
