#include <benchmark/benchmark.h>
#include <expat.h>
#include <pugixml.hpp>

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "xml/parser.h"

// The system's XML parser beside two peers on the same bytes in the same run: expat, a widely
// used stream parser, and pugixml, a DOM parser that parses in place (it writes the tree into its
// input buffer). The corpora: data-table files (one element per row with about 25 attributes,
// references and non-ASCII text), text-heavy documents (prose), and text where every third word
// is beyond ASCII or a reference. Each parser does the same small work: count elements and add up
// the sizes of attribute values and text (the DOM parser by walking its tree). The "ratio"
// counter is expat's time over ours, "dom_ratio" the DOM parser's time over ours (above 1 means
// faster than the peer). The scaling benchmarks show the throughput staying flat as the input
// doubles.
namespace {

// A small deterministic generator, so every run parses the same corpus.
class TRandom {
 public:
  std::uint32_t Next() {
    State_ = State_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(State_ >> 33);
  }
  template <std::size_t N>
  const char* Pick(const char* const (&items)[N]) {
    return items[Next() % N];
  }

 private:
  std::uint64_t State_ = 42;
};

// Words for attribute values: many beyond ASCII, some references.
const char* const kMixedWords[] = {"meeting",
                                   "Besprechung",
                                   "Caf\xC3\xA9",
                                   "Gr\xC3\xB6\xC3\x9F\x65",
                                   "lunch",
                                   "review",
                                   "Z\xC3\xBCrich",
                                   "na\xC3\xAFve",
                                   "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E",
                                   "call",
                                   "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0",
                                   "project",
                                   "plan",
                                   "dentist",
                                   "&amp;",
                                   "budget",
                                   "&lt;draft&gt;",
                                   "team",
                                   "weekly"};

// Words for running text: ordinary prose, now and then an accented word or a reference.
const char* const kProseWords[] = {"the",         "of",
                                   "and",         "to",
                                   "in",          "a",
                                   "is",          "that",
                                   "for",         "it",
                                   "as",          "was",
                                   "with",        "be",
                                   "by",          "on",
                                   "not",         "he",
                                   "this",        "are",
                                   "or",          "his",
                                   "from",        "at",
                                   "which",       "but",
                                   "have",        "an",
                                   "had",         "they",
                                   "you",         "were",
                                   "their",       "one",
                                   "all",         "we",
                                   "can",         "her",
                                   "has",         "there",
                                   "been",        "if",
                                   "more",        "when",
                                   "will",        "would",
                                   "who",         "so",
                                   "no",          "meeting",
                                   "agenda",      "review",
                                   "plan",        "budget",
                                   "project",     "weekly",
                                   "report",      "office",
                                   "team",        "schedule",
                                   "Caf\xC3\xA9", "na\xC3\xAFve",
                                   "&amp;",       "&quot;draft&quot;"};

template <std::size_t N>
std::string Words(TRandom& random, int count, const char* const (&words)[N]) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i) text += ' ';
    text += random.Pick(words);
  }
  return text;
}

std::string MixedWords(TRandom& random, int count) { return Words(random, count, kMixedWords); }

std::string TwoDigits(std::uint32_t v) { return std::to_string(v / 10 % 10) + std::to_string(v % 10); }

std::string DateTime(TRandom& random) {
  return "2024" + TwoDigits(1 + random.Next() % 12) + TwoDigits(1 + random.Next() % 28) + "T" +
         TwoDigits(random.Next() % 24) + ":" + TwoDigits(random.Next() % 60) + ":00000";
}

// An events table as the data files hold it, about Size bytes.
std::string DataTableCorpus(std::size_t size) {
  TRandom random;
  std::string corpus =
      "<?xml version=\"1.0\" standalone=\"yes\"?>\n<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
      "<FIELD attrname=\"RecordID\" fieldtype=\"i4\" required=\"true\"/>"
      "<FIELD attrname=\"StartTime\" fieldtype=\"dateTime\" required=\"true\"/>"
      "<FIELD attrname=\"Description\" fieldtype=\"string\" WIDTH=\"255\"/>"
      "</FIELDS><PARAMS/></METADATA><ROWDATA>\n";
  for (int id = 1; corpus.size() < size; ++id) {
    corpus += "<ROW RecordID=\"" + std::to_string(id) + "\" ResourceID=\"1\" StartTime=\"" + DateTime(random) +
              "\" EndTime=\"" + DateTime(random) + "\" Description=\"" + MixedWords(random, 2 + random.Next() % 5) +
              "&#013;&#010;" + MixedWords(random, 2) + "\" Notes=\"" + MixedWords(random, random.Next() % 12) +
              "\" Category=\"" + std::to_string(random.Next() % 10) + "\" AllDayEvent=\"" +
              (random.Next() % 4 ? "FALSE" : "TRUE") + "\" DingPath=\"\" AlarmSet=\"TRUE\" AlarmAdvance=\"15\" " +
              "AlarmAdvanceType=\"0\" SnoozeTime=\"" + DateTime(random) + "\" RepeatCode=\"" +
              std::to_string(random.Next() % 7) + "\" RepeatRangeEnd=\"" + DateTime(random) + "\" CustomInterval=\"0\"";
    for (int field = 0; field < 10; ++field) {
      corpus += " UserField" + std::to_string(field) + "=\"" + (field < 3 ? MixedWords(random, 1) : "") + "\"";
    }
    corpus += "/>\n";
  }
  return corpus + "</ROWDATA></DATAPACKET>\n";
}

// Running text in sections and paragraphs, wrapped and indented as editors write it, from the
// given words.
template <std::size_t N>
std::string RunningText(std::size_t size, const char* const (&words)[N]) {
  TRandom random;
  std::string corpus = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<book>\n";
  while (corpus.size() < size) {
    corpus += "  <section title=\"" + Words(random, 3, words) + "\">\n";
    for (int paragraph = 0; paragraph < 8; ++paragraph) {
      corpus += "    <p>";
      for (int line = 0; line < 6; ++line) {
        corpus += "\n      " + Words(random, 12, words);
        if (random.Next() % 3 == 0) corpus += " <em>" + Words(random, 2, words) + "</em>";
      }
      corpus += "\n    </p>\n";
    }
    corpus += "  </section>\n";
  }
  return corpus + "</book>\n";
}

// Prose: the text-heavy corpus.
std::string TextCorpus(std::size_t size) { return RunningText(size, kProseWords); }
// Text where every third word is beyond ASCII or a reference: the hardest case for a reader.
std::string MixedTextCorpus(std::size_t size) { return RunningText(size, kMixedWords); }

struct TTally {
  std::size_t Elements = 0;
  std::size_t AttributeBytes = 0;
  std::size_t TextBytes = 0;
};

TTally ParseWithKoret(const std::string& document) {
  TTally tally;
  TVpParser parser;
  parser.SetOnElementStart([&tally](TVpParser& sender, std::string_view) {
    ++tally.Elements;
    for (const TVpXmlAttribute& attribute : sender.Attributes()) tally.AttributeBytes += attribute.Value.size();
  });
  parser.SetOnText([&tally](TVpParser&, std::string_view text) { tally.TextBytes += text.size(); });
  if (!parser.ParseMemory(document)) tally.Elements = 0;
  return tally;
}

TTally ParseWithExpat(const std::string& document) {
  TTally tally;
  XML_Parser parser = XML_ParserCreate(nullptr);
  XML_SetUserData(parser, &tally);
  XML_SetStartElementHandler(parser, [](void* data, const XML_Char*, const XML_Char** attributes) {
    auto& tally = *static_cast<TTally*>(data);
    ++tally.Elements;
    for (int i = 0; attributes[i]; i += 2) tally.AttributeBytes += std::strlen(attributes[i + 1]);
  });
  XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char*, int length) {
    static_cast<TTally*>(data)->TextBytes += static_cast<std::size_t>(length);
  });
  if (XML_Parse(parser, document.data(), static_cast<int>(document.size()), 1) != XML_STATUS_OK) tally.Elements = 0;
  XML_ParserFree(parser);
  return tally;
}

// References replaced, line ends normalized, attribute white space as spaces (its defaults) and
// text trimmed, the nearest it comes to our collapsing of white space.
TTally ParseWithInPlaceDom(std::string& buffer) {
  TTally tally;
  pugi::xml_document tree;
  if (!tree.load_buffer_inplace(buffer.data(), buffer.size(), pugi::parse_default | pugi::parse_trim_pcdata))
    return tally;
  for (pugi::xml_node node = tree.first_child(); node;) {
    if (node.type() == pugi::node_element) {
      ++tally.Elements;
      for (const pugi::xml_attribute attribute : node.attributes())
        tally.AttributeBytes += std::strlen(attribute.value());
    } else if (node.type() == pugi::node_pcdata) {
      tally.TextBytes += std::strlen(node.value());
    }
    // The next node in document order.
    if (node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node && !node.next_sibling()) node = node.parent();
    if (node) node = node.next_sibling();
  }
  return tally;
}

bool SameStructure(const TTally& a, const TTally& b) {
  return a.Elements != 0 && a.Elements == b.Elements && a.AttributeBytes == b.AttributeBytes;
}

constexpr std::size_t kCorpusSize = 20u << 20;

// The processor time the work took on this thread: on a machine shared with other jobs the
// time a parser waits for the processor would otherwise count against it.
double SecondsOf(const auto& work) {
  const auto now = [] {
    timespec time{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) / 1e9;
  };
  const double start = now();
  work();
  return now() - start;
}

// The three parsers on one corpus; the benchmark's own time is ours.
void BM_SideBySide(benchmark::State& state, std::string (*corpus)(std::size_t)) {
  const std::string document = corpus(kCorpusSize);
  double koret = 0;
  double expat = 0;
  double dom = 0;
  for (auto _ : state) {
    std::string inPlace = document;  // the DOM parser's own copy, untimed, as it writes into it
    TTally ours;
    TTally byExpat;
    TTally byDom;
    const double koretSeconds = SecondsOf([&] { ours = ParseWithKoret(document); });
    expat += SecondsOf([&] { byExpat = ParseWithExpat(document); });
    dom += SecondsOf([&] { byDom = ParseWithInPlaceDom(inPlace); });
    koret += koretSeconds;
    state.SetIterationTime(koretSeconds);
    if (!SameStructure(ours, byExpat) || !SameStructure(ours, byDom)) {
      state.SkipWithError("the parsers disagree about the corpus");
      return;
    }
  }
  const double megabytes = static_cast<double>(document.size()) * state.iterations() / 1e6;
  state.counters["koret_MB/s"] = megabytes / koret;
  state.counters["expat_MB/s"] = megabytes / expat;
  state.counters["dom_MB/s"] = megabytes / dom;
  state.counters["ratio"] = expat / koret;
  state.counters["dom_ratio"] = dom / koret;
  state.SetBytesProcessed(static_cast<std::int64_t>(document.size()) * state.iterations());
}

BENCHMARK_CAPTURE(BM_SideBySide, data_table, &DataTableCorpus)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SideBySide, text, &TextCorpus)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SideBySide, mixed_text, &MixedTextCorpus)->UseManualTime()->Unit(benchmark::kMillisecond);

// Throughput at 10, 20 and 40 MB: flat when time grows linearly with the input.
void BM_Scaling(benchmark::State& state, std::string (*corpus)(std::size_t)) {
  const std::string document = corpus(static_cast<std::size_t>(state.range(0)) << 20);
  for (auto _ : state) benchmark::DoNotOptimize(ParseWithKoret(document));
  state.SetBytesProcessed(static_cast<std::int64_t>(document.size()) * state.iterations());
}

BENCHMARK_CAPTURE(BM_Scaling, data_table, &DataTableCorpus)->Arg(10)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Scaling, text, &TextCorpus)->Arg(10)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond);

// Shapes that make careless parsers quadratic: deep nesting, one tag with many attributes, a
// long run of references; each at N and 2N.
std::string DeepNesting(std::size_t n) {
  std::string document;
  for (std::size_t i = 0; i < n; ++i) document += "<a>";
  for (std::size_t i = 0; i < n; ++i) document += "</a>";
  return document;
}

std::string ManyAttributes(std::size_t n) {
  std::string document = "<a";
  for (std::size_t i = 0; i < n; ++i) document += " n" + std::to_string(i) + "='v'";
  return document + "/>";
}

std::string ManyReferences(std::size_t n) {
  std::string document = "<a>";
  for (std::size_t i = 0; i < n; ++i) document += "&amp;&#x263A;";
  return document + "</a>";
}

void BM_Shape(benchmark::State& state, std::string (*shape)(std::size_t)) {
  const std::string document = shape(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(ParseWithKoret(document));
  state.SetBytesProcessed(static_cast<std::int64_t>(document.size()) * state.iterations());
}

BENCHMARK_CAPTURE(BM_Shape, deep_nesting, &DeepNesting)->Arg(500'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Shape, many_attributes, &ManyAttributes)
    ->Arg(100'000)
    ->Arg(200'000)
    ->Arg(400'000)
    ->Arg(800'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Shape, many_references, &ManyReferences)
    ->Arg(500'000)
    ->Arg(1'000'000)
    ->Arg(2'000'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
