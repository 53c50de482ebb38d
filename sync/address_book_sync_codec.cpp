#include "sync/address_book_sync_codec.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <functional>
#include <optional>
#include <set>
#include <vector>

#include "interop/vcard/vcard_contact_reader.h"
#include "interop/vcard/vcard_contact_writer.h"
#include "interop/vcard/vcard_text.h"
#include "platform/ascii_text.h"
#include "sync/item_digest.h"
#include "sync/sync_server.h"

namespace {

// One property of a card as its text has it: the name (upper case, without its group) and its
// physical lines, folding kept.
struct TCardLine {
  std::string Name;
  std::string Text;
};

// The first card of a text, line by line, BEGIN and END included.
struct TCardLines {
  std::vector<TCardLine> Lines;
  std::string Version;

  std::string Text() const {
    std::string text;
    for (const TCardLine& line : Lines) text += line.Text + "\r\n";
    return text;
  }
};

// The card's lines, counted as the content-line reader counts them (LF, CR LF, CR).
std::vector<std::string_view> PhysicalLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(pos, end - pos));
    pos = end;
    while (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
  return lines;
}

std::optional<TCardLines> CardLinesOf(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<TVpContentLine> content;
  try {
    content = ReadContentLines(text);
  } catch (const EVpVCardError&) {
    return std::nullopt;
  }
  const std::vector<std::string_view> physical = PhysicalLines(text);
  TCardLines card;
  bool inCard = false;
  for (size_t i = 0; i < content.size(); ++i) {
    const TVpContentLine& line = content[i];
    if (!inCard && !(line.Name == "BEGIN" && SameTextAscii(line.Value, "VCARD"))) continue;
    inCard = true;
    TCardLine piece{line.Name, ""};
    const size_t end = i + 1 < content.size() ? static_cast<size_t>(content[i + 1].Line - 1) : physical.size();
    for (size_t at = static_cast<size_t>(line.Line - 1); at < end && at < physical.size(); ++at) {
      if (physical[at].find_first_not_of(" \t") == std::string_view::npos) continue;
      piece.Text += (piece.Text.empty() ? "" : "\r\n") + std::string(physical[at]);
    }
    if (line.Name == "VERSION") card.Version = line.Value;
    card.Lines.push_back(std::move(piece));
    if (line.Name == "END" && SameTextAscii(line.Value, "VCARD")) return card;
  }
  return std::nullopt;
}

// The fields of the contact, in parts that a merge replaces together, each with the properties
// that set them.
enum TPart {
  cpName,
  cpCompany,
  cpPosition,
  cpAddress,
  cpEMail,
  cpPhones,
  cpBirthday,
  cpAnniversary,
  cpCategory,
  cpCustom,
  cpNote,
  cpCount
};
constexpr const char* kPartNames[cpCount] = {"name",     "company",     "position", "address", "email", "phones",
                                             "birthday", "anniversary", "category", "custom",  "note"};

bool SetsPart(TPart part, const std::string& name) {
  switch (part) {
    case cpName: return name == "N" || name == "FN";
    case cpCompany: return name == "ORG";
    case cpPosition: return name == "TITLE";
    case cpAddress: return name == "ADR";
    case cpEMail: return name == "EMAIL";
    case cpPhones: return name == "TEL";
    case cpBirthday: return name == "BDAY";
    case cpAnniversary: return name == "ANNIVERSARY" || name.ends_with("-ANNIVERSARY");
    case cpCategory: return name == "CATEGORIES";
    case cpCustom: return CustomFieldNumber(name) > 0;
    case cpNote: return name == "NOTE";
    case cpCount: break;
  }
  return false;
}

std::array<std::string, cpCount> PartsOf(const TVpContact& contact) {
  std::array<std::string, cpCount> parts;
  auto part = [&parts](TPart which, const std::vector<std::string>& values) {
    TCanonicalDump dump;
    for (const std::string& value : values) dump.Add("", value);
    parts[which] = dump.Text();
  };
  part(cpName, {contact.LastName(), contact.FirstName(), contact.Title()});
  part(cpCompany, {contact.Company()});
  part(cpPosition, {contact.Position()});
  std::vector<std::string> address = {contact.Address(), contact.City(), contact.State(), contact.Zip(),
                                      contact.Country()};
  // The kind came later: an address of no kind keeps the part (and the hash) it had before.
  if (contact.AddressType() != adtNone) address.push_back(std::to_string(contact.AddressType()));
  part(cpAddress, address);
  part(cpEMail, {contact.EMail()});
  std::string phones;
  for (int number = 1; number <= TVpContact::kPhoneCount; ++number)
    if (!contact.Phone(number).empty())
      phones += contact.Phone(number) + "\t" + std::to_string(contact.PhoneType(number)) + "\n";
  part(cpPhones, {phones});
  part(cpBirthday, {std::to_string(contact.Birthdate())});
  part(cpAnniversary, {std::to_string(contact.Anniversary())});
  part(cpCategory, {std::to_string(contact.Category())});
  part(cpCustom, {contact.Custom(1), contact.Custom(2), contact.Custom(3), contact.Custom(4)});
  std::string note = contact.Note();
  std::erase(note, '\r');
  part(cpNote, {note});
  return parts;
}

// What the organizer maps of a card.
struct TMappedCard {
  std::string Uid;
  TVpContact Contact;
  TVpVCardMapping Mapping;
  std::array<std::string, cpCount> Parts;
};

bool MapCard(std::string_view text, TMappedCard& mapped, std::string& error) {
  std::vector<TVpVCard> cards;
  try {
    cards = ReadVCards(text);
  } catch (const EVpVCardError& e) {
    error = e.what();
    return false;
  }
  mapped.Mapping = MapVCardToContact(cards.front(), mapped.Contact);
  mapped.Uid = mapped.Mapping.Uid;
  mapped.Parts = PartsOf(mapped.Contact);
  if (mapped.Uid.empty()) {
    error = "it has no UID";
    return false;
  }
  return true;
}

std::string HashOf(const TMappedCard& mapped) {
  TCanonicalDump dump;
  dump.Add("kind", "contact");
  for (int part = 0; part < cpCount; ++part) dump.Add(kPartNames[part], mapped.Parts[part]);
  return dump.Hash();
}

// Replaces the server's lines that the predicate picks by ours that it picks, where the first of
// the server's stood (else before the END).
void ReplaceLines(TCardLines& server, const TCardLines& ours, const std::function<bool(const std::string&)>& picks) {
  auto at =
      std::find_if(server.Lines.begin(), server.Lines.end(), [&](const TCardLine& line) { return picks(line.Name); });
  size_t position = at == server.Lines.end() ? server.Lines.size() - 1 : static_cast<size_t>(at - server.Lines.begin());
  std::erase_if(server.Lines, [&](const TCardLine& line) { return picks(line.Name); });
  for (const TCardLine& line : ours.Lines)
    if (picks(line.Name)) server.Lines.insert(server.Lines.begin() + static_cast<std::ptrdiff_t>(position++), line);
}

// The NOTE line of a card with the notes, folded as the card writer folds.
TCardLines NoteLines(const std::string& notes) {
  TVpContact holder;
  holder.SetNote(notes);
  TCardLines lines = *CardLinesOf(WriteVCard(holder, ""));
  std::erase_if(lines.Lines, [](const TCardLine& line) { return line.Name != "NOTE"; });
  return lines;
}

// Replaces the notes: properties the contact has no field for (a web page, a second address, ...)
// add labelled lines to the notes, so the NOTE is ours without those lines. False when our notes
// no longer end with them.
bool ReplaceNotes(TCardLines& server, const std::string& wanted) {
  ReplaceLines(server, {}, [](const std::string& name) { return name == "NOTE"; });
  TMappedCard rest;
  std::string error;
  const std::string extras = MapCard(server.Text(), rest, error) ? rest.Contact.Note() : "";
  std::string notes = wanted;
  if (!extras.empty()) {
    if (wanted == extras) notes.clear();
    else if (wanted.ends_with("\n" + extras)) notes.resize(wanted.size() - extras.size() - 1);
    else return false;
  }
  if (!notes.empty()) ReplaceLines(server, NoteLines(notes), [](const std::string& name) { return name == "NOTE"; });
  return true;
}

// Whether a TEL line holds a number the card reader takes (it passes an empty one over).
bool HoldsNumber(const TCardLine& line) {
  try {
    const std::vector<TVpContentLine> content = ReadContentLines(line.Text);
    return !content.empty() && !content.front().Value.empty() && content.front().Value != "tel:";
  } catch (const EVpVCardError&) {
    return false;
  }
}

// The contact's phone numbers in the order a card lists them, each with its kind.
std::vector<std::pair<std::string, int>> PhonesOf(const TVpContact& contact) {
  std::vector<std::pair<std::string, int>> phones;
  for (int number = 1; number <= TVpContact::kPhoneCount; ++number)
    if (!contact.Phone(number).empty()) phones.emplace_back(contact.Phone(number), contact.PhoneType(number));
  return phones;
}

// Replaces the numbers that changed, one by one in the card's order, so that a number that stayed
// keeps its line with every parameter it had; numbers added here go after the server's, numbers
// removed here go. A card whose lines do not match its numbers has all of its numbers replaced.
void MergePhones(TCardLines& server, const TCardLines& own, const TVpContact& theirs, const TVpContact& ours) {
  std::vector<size_t> serverLines;
  for (size_t i = 0; i < server.Lines.size() && serverLines.size() < TVpContact::kPhoneCount; ++i)
    if (server.Lines[i].Name == "TEL" && HoldsNumber(server.Lines[i])) serverLines.push_back(i);
  std::vector<TCardLine> ourLines;
  for (const TCardLine& line : own.Lines)
    if (line.Name == "TEL") ourLines.push_back(line);
  const auto theirPhones = PhonesOf(theirs), ourPhones = PhonesOf(ours);
  if (serverLines.size() != theirPhones.size() || ourLines.size() != ourPhones.size()) {
    ReplaceLines(server, own, [](const std::string& name) { return name == "TEL"; });
    return;
  }
  const size_t common = std::min(theirPhones.size(), ourPhones.size());
  for (size_t i = 0; i < common; ++i)
    if (theirPhones[i] != ourPhones[i]) server.Lines[serverLines[i]] = ourLines[i];
  for (size_t i = serverLines.size(); i-- > common;)
    server.Lines.erase(server.Lines.begin() + static_cast<std::ptrdiff_t>(serverLines[i]));
  const size_t after = common == 0 ? server.Lines.size() - 1 : serverLines[common - 1] + 1;
  server.Lines.insert(server.Lines.begin() + static_cast<std::ptrdiff_t>(after),
                      ourLines.begin() + static_cast<std::ptrdiff_t>(common), ourLines.end());
}

// The card's revision moment: now, where the card had one.
void Revise(TCardLines& card, bool hadRevision, std::time_t stamp) {
  ReplaceLines(card, {}, [](const std::string& name) { return name == "REV"; });
  if (!hadRevision) return;
  std::tm utc{};
  gmtime_r(&stamp, &utc);
  char text[24];
  std::strftime(text, sizeof text, "REV:%Y%m%dT%H%M%SZ", &utc);
  card.Lines.insert(card.Lines.end() - 1, TCardLine{"REV", text});
}

// Ours whole, with the server's properties the contact holds nothing of.
TCardLines OursWithForeign(const TCardLines& server, const TCardLines& ours, const TVpVCardMapping& mapping) {
  const std::set<std::string> skipped(mapping.Skipped.begin(), mapping.Skipped.end());
  TCardLines merged = ours;
  std::vector<TCardLine> foreign;
  for (const TCardLine& line : server.Lines)
    if (skipped.count(line.Name)) foreign.push_back(line);
  merged.Lines.insert(merged.Lines.end() - 1, foreign.begin(), foreign.end());
  return merged;
}

}  // namespace

bool TAddressBookSyncCodec::Digest(std::string_view text, TSyncItemDigest& digest, std::string& error) const {
  TMappedCard mapped;
  if (!MapCard(text, mapped, error)) return false;
  digest.Kind = sikContact;
  digest.Uid = mapped.Uid;
  const TVpContact& contact = mapped.Contact;
  digest.Subject = contact.FirstName() + (contact.FirstName().empty() ? "" : " ") + contact.LastName();
  digest.Hash = HashOf(mapped);
  return true;
}

std::string TAddressBookSyncCodec::Merge(std::string_view serverText, std::string_view ourText) const {
  TMappedCard ours;
  TMappedCard theirs;
  std::string error;
  if (!MapCard(ourText, ours, error)) throw ESyncError("The item to upload cannot be read: " + error);
  std::optional<TCardLines> server = CardLinesOf(serverText);
  if (!server || !MapCard(serverText, theirs, error) || theirs.Uid != ours.Uid) return std::string(ourText);
  if (theirs.Parts == ours.Parts) return std::string(serverText);
  // Ours in the server's card version, so that the card stays of one version.
  const std::optional<TCardLines> own =
      CardLinesOf(WriteVCard(ours.Contact, ours.Uid, server->Version == "4.0" ? vvVersion40 : vvVersion30));
  const TCardLines original = *server;
  for (int part = 0; part < cpNote; ++part) {
    if (theirs.Parts[part] == ours.Parts[part]) continue;
    if (part == cpPhones) MergePhones(*server, *own, theirs.Contact, ours.Contact);
    else
      ReplaceLines(*server, *own, [part](const std::string& name) { return SetsPart(static_cast<TPart>(part), name); });
  }
  TMappedCard merged;
  std::string note = ours.Contact.Note();
  std::erase(note, '\r');
  if (!ReplaceNotes(*server, note) || !MapCard(server->Text(), merged, error) || merged.Parts != ours.Parts)
    server = OursWithForeign(original, *own, theirs.Mapping);
  Revise(*server,
         std::any_of(original.Lines.begin(), original.Lines.end(),
                     [](const TCardLine& line) { return line.Name == "REV"; }),
         Stamp_);
  const std::string result = server->Text();
  // Should the server's card still read differently, ours goes up as it is rather than a mix.
  if (!MapCard(result, merged, error) || merged.Parts != ours.Parts) return std::string(ourText);
  return result;
}

namespace {

// The line with the text added to the first component of its value (the whole of an FN),
// unfolded.
std::string Marked(const std::string& line) {
  std::string text = line;
  for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 3);
  bool quoted = false;
  size_t value = 0;
  while (value < text.size() && (quoted || text[value] != ':')) quoted = text[value++] == '"' ? !quoted : quoted;
  size_t end = value + 1;
  while (end < text.size() && text[end] != ';') end += text[end] == '\\' ? 2 : 1;
  end = std::min(end, text.size());
  const bool empty = end == value + 1;
  return text.insert(end, empty ? std::string(TrimBlanksAscii(kServerCopyMark)) : std::string(kServerCopyMark));
}

}  // namespace

std::string TAddressBookSyncCodec::ConflictCopy(std::string_view text, const std::string& newUid) const {
  std::optional<TCardLines> card = CardLinesOf(text);
  if (!card) throw ESyncError("The server's version of a conflicting card cannot be read.");
  std::erase_if(card->Lines, [](const TCardLine& line) { return line.Name == "UID"; });
  const auto version = std::find_if(card->Lines.begin(), card->Lines.end(),
                                    [](const TCardLine& line) { return line.Name == "VERSION"; });
  card->Lines.insert(version == card->Lines.end() ? card->Lines.begin() + 1 : version + 1,
                     TCardLine{"UID", "UID:" + Escape(newUid)});
  bool marked = false;
  for (TCardLine& line : card->Lines) {
    if (line.Name != "FN") continue;
    line.Text = Marked(line.Text);
    marked = true;
  }
  if (!marked)
    card->Lines.insert(card->Lines.end() - 1, TCardLine{"FN", "FN:" + std::string(TrimBlanksAscii(kServerCopyMark))});
  return card->Text();
}
