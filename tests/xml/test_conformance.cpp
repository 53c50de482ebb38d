#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "tests/support/temporary_folder.h"
#include "tools/xmlcanon/canonical_form.h"

// The parser against the public XML conformance documents in xmlconf/: every well-formed
// document is read, every malformed one refused, and every canonical form given is reproduced
// byte for byte.
namespace {

const std::string kFolder = KORET_XMLCONF_DIR;

// Malformed documents the parser knowingly reads, and why. Each is a leniency that files written
// by other programs (and by earlier versions of this one) may rely on; the parser differs from
// the XML 1.0 recommendation in these places only:
// - White space before the XML declaration is allowed (editors and concatenating tools leave a
//   blank line before it).
// - Attributes of a start tag, and the pseudo-attributes of the XML declaration, need no white
//   space between them (writers that omit it exist; nothing is ambiguous without it).
// - A processing-instruction target is reserved only when it is exactly "xml"; "XML", "xmL" and
//   the like are ordinary instructions.
// Further leniencies that no document here exercises:
// - A quoted value may also be delimited by "~".
// - A TAB in an attribute value is kept rather than turned into a space, so that captions the
//   print format designer wrote with a TAB read back unchanged.
// - Character references are allowed in the encoding and standalone values of the declaration,
//   and an encoding name may contain "=" and start with any character from "A" to "z".
// - An encoding declaration naming neither UTF-16 nor ISO-8859-1 is read as UTF-8.
const std::map<std::string, std::string> kDeviations = {
    {"not-wf-sa-147", "white space before the XML declaration"},
    {"o-p01fail1", "white space before the XML declaration"},
    {"o-p22fail1", "white space before the XML declaration"},
    {"not-wf-sa-096", "no white space between the declaration's values"},
    {"o-p32fail3", "no white space between the declaration's values"},
    {"o-p40fail1", "no white space between attributes"},
    {"o-p44fail4", "no white space between attributes"},
    {"not-wf-sa-154", "instruction target XML"},
    {"not-wf-sa-155", "instruction target xmL"},
    {"not-wf-sa-156", "instruction target xMl in content"},
    {"not-wf-sa-157", "instruction target xmL in content"},
    {"o-p23fail1", "instruction target XML"},
};

struct TManifestRow {
  std::string Id;
  std::string Expect;  // "accept" or "reject"
  std::string File;
  std::string Canonical;  // "-" when there is none
};

std::vector<TManifestRow> ReadManifest() {
  std::ifstream manifest(kFolder + "/manifest.tsv");
  std::vector<TManifestRow> rows;
  std::string line;
  std::getline(manifest, line);  // the heading
  while (std::getline(manifest, line)) {
    std::istringstream fields(line);
    TManifestRow row;
    std::string encoding;
    std::getline(fields, row.Id, '\t');
    std::getline(fields, row.Expect, '\t');
    std::getline(fields, encoding, '\t');
    std::getline(fields, row.File, '\t');
    std::getline(fields, row.Canonical, '\t');
    rows.push_back(row);
  }
  return rows;
}

TEST(Conformance, EveryDocumentOfTheManifest) {
  const std::vector<TManifestRow> rows = ReadManifest();
  ASSERT_EQ(rows.size(), 402u);
  int accepted = 0, rejected = 0, canonicalMatches = 0, deviations = 0;
  std::set<std::string> deviationsSeen;
  for (const TManifestRow& row : rows) {
    SCOPED_TRACE(row.Id + " " + row.File);
    const TVpCanonicalForm form = CanonicalFormOfFile(kFolder + "/" + row.File);
    if (row.Expect == "accept") {
      EXPECT_TRUE(form.Ok) << form.Error;
      accepted += form.Ok;
      if (form.Ok && row.Canonical != "-") {
        std::ifstream file(kFolder + "/" + row.Canonical, std::ios::binary);
        const std::string expected((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        EXPECT_EQ(form.Text, expected);
        canonicalMatches += form.Text == expected;
      }
    } else if (kDeviations.contains(row.Id)) {
      EXPECT_TRUE(form.Ok) << "a listed deviation is refused now; take it off the list";
      deviations += form.Ok;
      deviationsSeen.insert(row.Id);
    } else {
      EXPECT_FALSE(form.Ok);
      EXPECT_TRUE(form.Error.starts_with("Line: ")) << form.Error;
      rejected += !form.Ok;
    }
  }
  EXPECT_EQ(deviationsSeen.size(), kDeviations.size());
  std::cout << "accepted " << accepted << ", rejected " << rejected << ", canonical forms matched " << canonicalMatches
            << ", deviations " << deviations << "\n";
}

struct TToolRun {
  int ExitCode;
  std::string Out;
  std::string Err;
};

TToolRun RunXmlCanon(const std::string& file) {
  TTemporaryFolder folder;
  const std::string command =
      std::string(KORET_XMLCANON) + " '" + file + "' >" + folder.File("out") + " 2>" + folder.File("err");
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, TTemporaryFolder::Read(folder.File("out")),
          TTemporaryFolder::Read(folder.File("err"))};
}

TEST(XmlCanonTool, WritesTheCanonicalFormOrTheError) {
  const TToolRun good = RunXmlCanon(kFolder + "/stripped/xmltest/valid/sa/092.xml");
  EXPECT_EQ(good.ExitCode, 0);
  EXPECT_EQ(good.Out, TTemporaryFolder::Read(kFolder + "/stripped/xmltest/valid/sa/out/092.xml"));
  EXPECT_EQ(good.Err, "");

  const TToolRun bad = RunXmlCanon(kFolder + "/cases/xmltest/not-wf/sa/001.xml");
  EXPECT_EQ(bad.ExitCode, 1);
  EXPECT_EQ(bad.Out, "");
  EXPECT_TRUE(bad.Err.starts_with("Line: ")) << bad.Err;

  const TToolRun missing = RunXmlCanon(kFolder + "/no-such-file.xml");
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_EQ(missing.Err, "File " + kFolder + "/no-such-file.xml could not be found\n");
}

}  // namespace
