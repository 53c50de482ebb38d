#include "dialogs/contact/contact_edit_rules.h"

#include <algorithm>
#include <tuple>

#include "dialogs/common/line_breaks.h"
#include "model/contact_names.h"
#include "model/record_captions.h"
#include "platform/locale.h"
#include "platform/utf8.h"
#include "store/control_link.h"
#include "store/table_schemas.h"

namespace {

constexpr std::array<const char*, kContactRowCount> kDesignedCaptions = {
    "Name:", "Title:", "Address:", "City:", "State:", "Zip Code:", "Country:", "Company:", "Position:", "Category:"};

std::vector<std::string> Captions(int count, std::string (*caption)(int)) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back(caption(i));
  return names;
}

bool IsPhone(int field) { return field >= cfPhone1 && field < cfPhone1 + TVpContact::kPhoneCount; }
bool IsCustom(int field) { return field >= cfCustom1 && field < cfCustom1 + TVpContact::kCustomCount; }

// The Contacts table's column of a field, and how the field is called in a mark's text.
struct TColumn {
  std::string Name;
  const char* What;
};

TColumn ColumnOf(TVpContactField field) {
  if (IsPhone(field)) return {"Phone" + std::to_string(field - cfPhone1 + 1), "phone number"};
  if (IsCustom(field)) return {"Custom" + std::to_string(field - cfCustom1 + 1), "custom field"};
  switch (field) {
    case cfTitle: return {"Title", "title"};
    case cfAddress: return {"Address", "address"};
    case cfCity: return {"City", "city"};
    case cfState: return {"State", "state"};
    case cfZip: return {"Zip", "zip code"};
    case cfCountry: return {"Country", "country"};
    case cfCompany: return {"Company", "company"};
    case cfPosition: return {"Job_Position", "position"};
    case cfEMail: return {"EMail", "e-mail address"};
    case cfNote: return {"Note", "note"};
    default: return {"", ""};
  }
}

// The most characters the Contacts table keeps in the column; 0 for none.
int ColumnSize(const std::string& column) {
  static const TFieldDefs fields = [] {
    TFieldDefs defs;
    CreateFieldDefs("Contacts", defs);
    return defs;
  }();
  for (const TFieldDef& field : fields)
    if (field.Name == column) return field.Size;
  return 0;
}

std::string LongerThan(const char* what, int size) {
  return std::string("The ") + what + " is longer than " + std::to_string(size) + " characters.";
}

}  // namespace

const std::vector<std::string>& TVpContactEditRules::CategoryNames() {
  static const std::vector<std::string> names = Captions(kContactCategoryCount, ContactCategoryCaption);
  return names;
}

const std::vector<std::string>& TVpContactEditRules::PhoneTypeNames() {
  static const std::vector<std::string> names = Captions(kPhoneTypeCount, PhoneTypeCaption);
  return names;
}

TVpContactEditRules::TVpContactEditRules(const TVpControlLink* link, const TLocale& locale)
    : Link_(link), Locale_(locale) {
  RowVisible_.fill(true);
  std::copy(kDesignedCaptions.begin(), kDesignedCaptions.end(), Captions_.begin());
}

const TVpLocalization* TVpContactEditRules::Localization() const {
  return Link_ != nullptr ? &Link_->Localization() : nullptr;
}

bool TVpContactEditRules::UsesLists() const {
  return Localization() != nullptr && !Localization()->Countries().empty();
}

void TVpContactEditRules::Fill(const TVpContact& contact) {
  Filled_[cfName] = contact.SortName();
  Filled_[cfTitle] = contact.Title();
  Filled_[cfAddress] = contact.Address();
  Filled_[cfCity] = contact.City();
  Filled_[cfState] = contact.State();
  Filled_[cfZip] = contact.Zip();
  Filled_[cfCountry] = contact.Country();
  Filled_[cfCompany] = contact.Company();
  Filled_[cfPosition] = contact.Position();
  Filled_[cfEMail] = contact.EMail();
  for (int i = 0; i < TVpContact::kPhoneCount; ++i) Filled_[PhoneField(i + 1)] = contact.Phone(i + 1);
  for (int i = 0; i < TVpContact::kCustomCount; ++i) Filled_[CustomField(i + 1)] = contact.Custom(i + 1);
  OriginalNote_ = contact.Note();
  Filled_[cfNote] = WithLineFeeds(OriginalNote_);
  Texts_ = Filled_;

  if (Texts_[cfCountry].empty() && Link_ != nullptr) Texts_[cfCountry] = Link_->DefaultCountry();
  if (Texts_[cfCountry].empty() && Localization() != nullptr) {
    const int own = Localization()->CountryOfLanguage(Locale_.LanguageIdentifier());
    if (own >= 0) Texts_[cfCountry] = Localization()->Country(own)->Name;
  }
  const int category = contact.Category();
  CategoryIndex_ = category >= 0 && category < kContactCategoryCount ? category : -1;
  for (int i = 0; i < TVpContact::kPhoneCount; ++i) PhoneTypes_[static_cast<size_t>(i)] = contact.PhoneType(i + 1);
  TypedInto_ = false;
  Marks_.clear();
  ApplyCountryRule();
}

void TVpContactEditRules::SetText(TVpContactField field, std::string text) {
  if (text == Texts_[field]) return;
  Texts_[field] = std::move(text);
  const bool counts = field == cfName || field == cfAddress || field == cfCity || field == cfState || field == cfZip ||
                      field == cfCompany || field == cfPosition || IsPhone(field);
  if (counts) TypedInto_ = true;
  Marks_.erase(field);
}

int TVpContactEditRules::NameMaxLength() const { return Texts_[cfName].find(',') != std::string::npos ? 102 : 100; }

std::vector<std::string> TVpContactEditRules::CountryNames() const {
  return UsesLists() ? Localization()->CountryNames() : std::vector<std::string>();
}

int TVpContactEditRules::CountryIndex() const {
  return UsesLists() ? Localization()->CountryIndexByName(Texts_[cfCountry]) : -1;
}

void TVpContactEditRules::SelectCountry(int index) {
  const TVpLocalizeCountryItem* country = UsesLists() ? Localization()->Country(index) : nullptr;
  if (country == nullptr) return;
  if (index != CountryIndex()) SetText(cfState, "");
  SetText(cfCountry, country->Name);
  ApplyCountryRule();
}

int TVpContactEditRules::StateIndex() const {
  const auto found = std::find(StateNames_.begin(), StateNames_.end(), Texts_[cfState]);
  return found == StateNames_.end() ? -1 : static_cast<int>(found - StateNames_.begin());
}

void TVpContactEditRules::SelectState(int index) {
  if (index >= 0 && index < static_cast<int>(StateNames_.size()))
    SetText(cfState, StateNames_[static_cast<size_t>(index)]);
}

void TVpContactEditRules::SelectCategory(int index) {
  if (index >= 0 && index < kContactCategoryCount) CategoryIndex_ = index;
}

int TVpContactEditRules::PhoneTypeIndex(int number) const {
  const int type = PhoneTypes_.at(static_cast<size_t>(number - 1));
  return type >= 0 && type < kPhoneTypeCount ? type : -1;
}

void TVpContactEditRules::SelectPhoneType(int number, int index) {
  if (index >= 0 && index < kPhoneTypeCount) PhoneTypes_.at(static_cast<size_t>(number - 1)) = index;
}

void TVpContactEditRules::ApplyCountryRule() {
  const int index = CountryIndex();
  const TVpLocalizeCountryItem* country = index >= 0 ? Localization()->Country(index) : nullptr;
  if (country == nullptr) {
    StateNames_.clear();
    return;
  }
  StateNames_ = Localization()->StateNames(index);
  struct TRowRule {
    TVpContactField Row;
    bool Visible;
    const std::string& Caption;
    const char* Default;
  };
  const TRowRule rules[] = {{cfAddress, country->Address1Visible, country->Address1Caption, "Address: "},
                            {cfCity, country->CityVisible, country->CityCaption, "City: "},
                            {cfState, country->StatesVisible, country->StateCaption, "State: "},
                            {cfZip, country->ZipVisible, country->ZipCaption, "Zip Code: "}};
  for (const TRowRule& rule : rules) {
    RowVisible_[rule.Row] = rule.Visible;
    if (rule.Visible) Captions_[rule.Row] = rule.Caption.empty() ? rule.Default : rule.Caption;
  }
}

TVpContactLayout TVpContactEditRules::Layout(const std::function<int(const std::string&)>& labelTextWidth,
                                             const std::function<int(const std::string&)>& listTextWidth) const {
  TVpContactLayout layout;
  for (const std::string& caption : Captions_) layout.LabelWidth = std::max(layout.LabelWidth, labelTextWidth(caption));
  layout.ControlLeft = layout.LabelWidth + TVpContactLayout::kLabelLeft + 4;
  const auto listWidth = [&](const std::vector<std::string>& entries) {
    int widest = 0;
    for (const std::string& entry : entries) widest = std::max(widest, listTextWidth(entry));
    return widest + 32;
  };
  int right = 0;
  if (UsesLists()) {
    layout.CountryListWidth = listWidth(CountryNames());
    right = layout.ControlLeft + layout.CountryListWidth;
  }
  if (StateListShown() && RowVisible_[cfState]) {
    layout.StateListWidth = listWidth(StateNames_);
    right = std::max(right, layout.ControlLeft + layout.StateListWidth);
  }
  layout.Width = right + 20 >= 266 ? right + 20 : 265;
  int y = 4;
  for (int row = 0; row < kContactRowCount; ++row) {
    layout.ControlTop[static_cast<size_t>(row)] = RowVisible_[static_cast<size_t>(row)] ? y : -1;
    if (RowVisible_[static_cast<size_t>(row)]) y += 25;
  }
  layout.Height = std::max(y + 103, 250);
  return layout;
}

std::string TVpContactEditRules::MarkText(TVpContactField field) const {
  const auto mark = Marks_.find(field);
  return mark == Marks_.end() ? std::string() : mark->second;
}

std::string TVpContactEditRules::StateToWrite() const {
  const std::string& state = Texts_[cfState];
  const int index = StateIndex();
  if (!Edited(cfState) || index < 0 || CodePointCount(state) <= ColumnSize("State")) return state;
  const std::string& abbr = Localization()->Country(CountryIndex())->States[static_cast<size_t>(index)].Abbr;
  return abbr.empty() ? state : abbr;
}

std::string TVpContactEditRules::TextToWrite(TVpContactField field) const {
  if (field == cfState) return StateToWrite();
  if (field == cfNote) return TextToStore(OriginalNote_, Filled_[cfNote], Texts_[cfNote]);
  return Texts_[field];
}

bool TVpContactEditRules::Validate() {
  Marks_.clear();
  const TVpNameParts name = SplitName(Texts_[cfName]);
  if (name.LastName.empty() && name.FirstName.empty()) throw EVpContactEditError();
  if (Edited(cfName)) {
    for (const auto& [part, column, what] :
         {std::tuple{&name.LastName, "LastName", "last name"}, std::tuple{&name.FirstName, "FirstName", "first name"}})
      if (CodePointCount(*part) > ColumnSize(column)) Marks_.emplace(cfName, LongerThan(what, ColumnSize(column)));
  }
  for (int f = cfTitle; f < cfFieldCount; ++f) {
    const auto field = static_cast<TVpContactField>(f);
    const TColumn column = ColumnOf(field);
    if (column.Name.empty() || !Edited(field)) continue;
    const std::string text = TextToWrite(field);
    if (CodePointCount(text) > ColumnSize(column.Name))
      Marks_.emplace(field, LongerThan(column.What, ColumnSize(column.Name)));
  }
  return Marks_.empty();
}

bool TVpContactEditRules::WriteTo(TVpContact& contact) {
  if (!Validate()) return false;
  // The shown name is the stored one joined in the list's order; splitting it again would move
  // the words of a multi-word name ("Dick van Dyke"), so only an edited name is split.
  if (Edited(cfName)) contact.ParseName(Texts_[cfName]);
  contact.SetAddress(Texts_[cfAddress]);
  contact.SetCity(Texts_[cfCity]);
  contact.SetState(StateToWrite());
  contact.SetZip(Texts_[cfZip]);
  contact.SetPosition(Texts_[cfPosition]);
  contact.SetTitle(Texts_[cfTitle]);
  contact.SetEMail(Texts_[cfEMail]);
  contact.SetCompany(Texts_[cfCompany]);
  for (int i = 0; i < TVpContact::kPhoneCount; ++i) contact.SetPhone(i + 1, Texts_[PhoneField(i + 1)]);
  contact.SetCountry(Texts_[cfCountry]);
  contact.SetNote(TextToWrite(cfNote));
  if (CategoryIndex_ >= 0) contact.SetCategory(CategoryIndex_);
  for (int i = 0; i < TVpContact::kCustomCount; ++i) contact.SetCustom(i + 1, Texts_[CustomField(i + 1)]);
  for (int i = 0; i < TVpContact::kPhoneCount; ++i)
    if (PhoneTypeIndex(i + 1) >= 0) contact.SetPhoneType(i + 1, PhoneTypeIndex(i + 1));
  return true;
}
