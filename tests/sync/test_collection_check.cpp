#include <gtest/gtest.h>

#include "sync/collection_check.h"
#include "sync/dav_collection_info.h"

namespace {

const std::string kUrl = "https://dav.example/alice/work/";

// A multistatus answer about one href, with the given resource type and properties, as servers
// write it.
std::string Described(const std::string& href, const std::string& resourceType, const std::string& more = "") {
  return "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" "
         "xmlns:r=\"urn:ietf:params:xml:ns:carddav\"><d:response><d:href>" +
         href + "</d:href><d:propstat><d:prop><d:resourcetype>" + resourceType + "</d:resourcetype>" + more +
         "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response></d:multistatus>";
}

std::string Components(const std::string& names) {
  std::string set = "<c:supported-calendar-component-set>";
  for (size_t start = 0; start < names.size();) {
    const size_t end = std::min(names.find(',', start), names.size());
    set += "<c:comp name=\"" + names.substr(start, end - start) + "\"/>";
    start = end + 1;
  }
  return set + "</c:supported-calendar-component-set>";
}

// The answers of several servers to the check of a collection's address, and what the sync of a
// calendar and of an address book makes of each: "" goes on (with "no tasks" where the calendar
// takes none), else the start of the reason after the URL.
TEST(CollectionCheck, EveryAnswerIsReadAsWhatIsThereAndAWrongOneStopsTheSync) {
  const struct {
    const char* Name;
    int Status;
    std::string Body;
    const char* AsCalendar;
    const char* AsAddressBook;
  } kAnswers[] = {
      {"a calendar", 207, Described("/alice/work/", "<d:collection/><c:calendar/>", Components("VEVENT,VTODO")), "",
       " is not an address book (it is a calendar)"},
      {"a calendar, its href without the slash", 207,
       Described("https://dav.example/alice/work", "<d:collection/><c:calendar/>"), "",
       " is not an address book (it is a calendar)"},
      {"a calendar of events only", 207,
       Described("/alice/work/", "<d:collection/><c:calendar/>", Components("VEVENT")), "no tasks",
       " is not an address book"},
      {"a calendar of tasks only", 207, Described("/alice/work/", "<d:collection/><c:calendar/>", Components("vtodo")),
       " is not a calendar of events (it holds tasks only)", " is not an address book"},
      {"a calendar of journals", 207, Described("/alice/work/", "<d:collection/><c:calendar/>", Components("VJOURNAL")),
       " is not a calendar of events (it holds neither events nor tasks)", " is not an address book"},
      {"an address book", 207, Described("/alice/work/", "<d:collection/><r:addressbook/>"),
       " is not a calendar (it is an address book)", ""},
      {"the user's home, a plain folder", 207, Described("/alice/work/", "<d:collection/><d:principal/>"),
       " is not a calendar (it is a plain folder)", " is not an address book (it is a plain folder)"},
      {"a single item", 207, Described("/alice/work/", ""), " is not a calendar (it is a single item, not a folder)",
       " is not an address book (it is a single item"},
      {"nothing there", 404, "", " is not a calendar (there is nothing at that address",
       " is not an address book (there is nothing at that address"},
      {"removed", 410, "", " is not a calendar (there is nothing at that address", " is not an address book (there"},
      {"nothing there, told inside a multistatus", 207,
       "<multistatus xmlns=\"DAV:\"><response><href>/alice/work/</href><status>HTTP/1.1 404 Not Found</status>"
       "</response></multistatus>",
       " is not a calendar (there is nothing at that address", " is not an address book (there"},
  };
  for (const auto& answer : kAnswers) {
    SCOPED_TRACE(answer.Name);
    TSyncCollectionInfo info;
    ASSERT_TRUE(ReadDavCollectionInfo(answer.Status, answer.Body, kUrl, info));
    for (const auto& [kind, expected] :
         {std::pair{sckCalendar, answer.AsCalendar}, std::pair{sckAddressBook, answer.AsAddressBook}}) {
      const std::string wanted = expected;
      try {
        const TSyncCollectionFit fit = CheckSyncCollection(info, kUrl, kind);
        EXPECT_TRUE(wanted.empty() || wanted == "no tasks") << "goes on, but should not: " << wanted;
        EXPECT_EQ(fit.TakesTasks, wanted != "no tasks");
      } catch (const ESyncError& e) {
        EXPECT_EQ(std::string(e.what()).find(kUrl + wanted), 0u) << e.what();
        EXPECT_NE(std::string(e.what()).find("nothing was changed"), std::string::npos) << e.what();
      }
    }
  }
}

// Answers that say nothing of the address are left to the caller, who reports them as they are.
TEST(CollectionCheck, AnswersThatDoNotDescribeTheAddressAreNotTakenForAnything) {
  const struct {
    int Status;
    std::string Body;
  } kAnswers[] = {
      {403, "<error xmlns=\"DAV:\"/>"},
      {200, "<html>hello</html>"},
      {207, "not xml"},
      {207,
       "<multistatus xmlns=\"DAV:\"><response><href>/a/</href><propstat><prop><resourcetype/></prop></propstat>"
       "</response><response><href>/b/</href><propstat><prop><resourcetype/></prop></propstat></response>"
       "</multistatus>"},
      {207,
       "<multistatus xmlns=\"DAV:\"><response><href>/alice/work/</href><status>HTTP/1.1 403 Forbidden</status>"
       "</response></multistatus>"},
  };
  for (const auto& answer : kAnswers) {
    SCOPED_TRACE(answer.Body);
    TSyncCollectionInfo info;
    EXPECT_FALSE(ReadDavCollectionInfo(answer.Status, answer.Body, kUrl, info));
  }
}

}  // namespace
