#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "model/contact.h"
#include "model/vp_exception.h"

class TLocale;
class TVpControlLink;
class TVpLocalization;

// OK was pressed while the name is empty.
class EVpContactEditError : public EVpException {
 public:
  EVpContactEditError() : EVpException("Error: Name cannot be empty.") {}
};

// The text fields of the contact window. The first ten, in this order, are the rows of the
// "Main" tab (the category row holds a list, not a text).
enum TVpContactField {
  cfName,
  cfTitle,
  cfAddress,
  cfCity,
  cfState,
  cfZip,
  cfCountry,
  cfCompany,
  cfPosition,
  cfCategory,
  cfPhone1,  // to cfPhone5
  cfEMail = cfPhone1 + TVpContact::kPhoneCount,
  cfCustom1,  // to cfCustom4
  cfNote = cfCustom1 + TVpContact::kCustomCount,
  cfFieldCount
};
constexpr int kContactRowCount = cfCategory + 1;
// The field of phone number 1 to 5 and of custom field 1 to 4.
constexpr TVpContactField PhoneField(int number) { return static_cast<TVpContactField>(cfPhone1 + number - 1); }
constexpr TVpContactField CustomField(int number) { return static_cast<TVpContactField>(cfCustom1 + number - 1); }

// Where the rows of the "Main" tab go, from the layout rule: every label as wide as the widest,
// the controls beside them, the visible rows stacked 25 pixels apart from the top and the window
// sized to hold them and the shown lists.
struct TVpContactLayout {
  static constexpr int kLabelLeft = 8;
  int LabelWidth = 0;
  int ControlLeft = 0;
  std::array<int, kContactRowCount> ControlTop{};  // -1 for a hidden row; the label sits 2 lower
  int CountryListWidth = 0;                        // 0 when the list is not shown
  int StateListWidth = 0;
  int Width = 0;
  int Height = 0;
};

// What the contact window shows and writes, without the window. Filled from a contact, the form
// changes nothing until WriteTo, so Cancel leaves the contact as it was.
//
// With at least one country in the control link's localization tables, country and state are
// chosen from lists; otherwise, or without a control link, they are typed. The chosen country
// decides which address rows show, their captions and whether its states come from a list. A
// country or state that is in no list (an older file, a misspelling) is shown and kept as it is
// unless the user changes it.
class TVpContactEditRules {
 public:
  // "Business" to "Personal": positions are the contact categories.
  static const std::vector<std::string>& CategoryNames();
  // The 17 phone kinds: positions are the phone types.
  static const std::vector<std::string>& PhoneTypeNames();

  // Without a control link, country and state are typed and there is no default country.
  TVpContactEditRules(const TVpControlLink* link, const TLocale& locale);
  TVpContactEditRules(const TVpContactEditRules&) = delete;
  TVpContactEditRules& operator=(const TVpContactEditRules&) = delete;

  // Shows the contact: its name as the contact list shows it, its country (else the default
  // country, else the country of the desktop's language), and the country's address rows.
  void Fill(const TVpContact& contact);

  // --- text fields ---
  // Notes have line feeds between lines, as a text field shows them.
  const std::string& Text(TVpContactField field) const { return Texts_[field]; }
  // The user typed into a field (for country and state only while they are typed).
  void SetText(TVpContactField field, std::string text);
  // The name field takes at most 100 characters, 102 while it holds a comma.
  int NameMaxLength() const;
  // Whether the user typed into one of the fields that count as a change of the contact even
  // when the window is cancelled (name, address, city, state, zip, company, position, phones).
  bool TypedInto() const { return TypedInto_; }

  // --- country and state ---
  bool UsesLists() const;
  std::vector<std::string> CountryNames() const;
  // The list entry of the country text, -1 when it is none (the text is then kept as it is).
  int CountryIndex() const;
  // Picks a country from the list: the state is emptied and the country rule runs.
  void SelectCountry(int index);
  // The chosen country's states; empty when the country has none or is not in the list.
  const std::vector<std::string>& StateNames() const { return StateNames_; }
  // Whether the state is picked from StateNames (else typed).
  bool StateListShown() const { return UsesLists() && !StateNames_.empty(); }
  // The entry of the state text in StateNames, -1 when it is none.
  int StateIndex() const;
  void SelectState(int index);

  // --- category and phone kinds ---
  // -1 when the contact's value is none of the list's (it is then kept).
  int CategoryIndex() const { return CategoryIndex_; }
  void SelectCategory(int index);
  int PhoneTypeIndex(int number) const;  // number 1 to 5
  void SelectPhoneType(int number, int index);

  // --- the "Main" tab's look ---
  // Whether the row of a "Main" tab field shows.
  bool RowVisible(TVpContactField row) const { return RowVisible_[row]; }
  const std::string& Caption(TVpContactField row) const { return Captions_[row]; }
  // The layout rule; the widths measure texts in the labels' font and in the lists' font.
  TVpContactLayout Layout(const std::function<int(const std::string&)>& labelTextWidth,
                          const std::function<int(const std::string&)>& listTextWidth) const;

  // --- marks and OK ---
  // A field whose text does not fit its table column is marked; the text says why.
  bool Marked(TVpContactField field) const { return Marks_.count(field) != 0; }
  std::string MarkText(TVpContactField field) const;
  // Checks before OK: raises EVpContactEditError for an empty name; false (with the fields marked)
  // when a changed text is longer than its table column. Nothing is written.
  bool Validate();
  // Validates, then writes through the contact's setters: the name (split into last and first
  // name, only when the name field was edited), address, city, state, zip, position, title,
  // e-mail, company, phones, country, note, category, custom fields, phone kinds. False writes
  // nothing.
  bool WriteTo(TVpContact& contact);

 private:
  const TVpLocalization* Localization() const;
  void ApplyCountryRule();
  // The state as it goes to the table: a state from the list whose name is too long for the
  // column goes by its abbreviation.
  std::string StateToWrite() const;
  std::string TextToWrite(TVpContactField field) const;
  bool Edited(TVpContactField field) const { return Texts_[field] != Filled_[field]; }

  const TVpControlLink* Link_;
  const TLocale& Locale_;
  std::array<std::string, cfFieldCount> Texts_;
  std::array<std::string, cfFieldCount> Filled_;  // the texts as filled
  std::string OriginalNote_;                      // the note as stored, line breaks and all
  bool TypedInto_ = false;
  int CategoryIndex_ = -1;
  std::array<int, TVpContact::kPhoneCount> PhoneTypes_{};
  std::vector<std::string> StateNames_;
  std::array<bool, kContactRowCount> RowVisible_{};
  std::array<std::string, kContactRowCount> Captions_;
  std::map<TVpContactField, std::string> Marks_;
};
