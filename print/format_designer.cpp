#include "print/format_designer.h"

#include <algorithm>
#include <stdexcept>

namespace {

int Count(const auto& items) { return static_cast<int>(items.size()); }

}  // namespace

TVpFormatDesigner::TVpFormatDesigner(TVpPrinter& printer, TMessageBoxes& messages, TVpFormatDesignerWindows& windows)
    : Printer_(printer), Messages_(messages), Windows_(windows), FileName_(printer.FormatsFileName()) {
  if (printer.PrintFormats().empty() || FileName_.empty()) StartUnnamed();
  // The format printed and previewed until now is the one shown: opening the designer chooses none.
  const int active = printer.ActiveFormatIndex();
  if (active >= 0 && active < Count(printer.PrintFormats())) Format_ = active;
}

void TVpFormatDesigner::StartUnnamed() {
  FileName_ = kUnnamed;
  Modified_ = false;
}

std::vector<std::string> TVpFormatDesigner::FormatEntries() const {
  std::vector<std::string> names;
  for (const TVpPrintFormatItem& format : Printer_.PrintFormats()) names.push_back(format.FormatName());
  std::sort(names.begin(), names.end());
  return names;
}

int TVpFormatDesigner::SelectedFormatEntry() const {
  const TVpPrintFormatItem* format = SelectedFormat();
  if (!format) return -1;
  const std::vector<std::string> names = FormatEntries();
  return static_cast<int>(std::find(names.begin(), names.end(), format->FormatName()) - names.begin());
}

void TVpFormatDesigner::SelectFormatEntry(int entry) {
  const std::vector<std::string> names = FormatEntries();
  Format_ = entry >= 0 && entry < Count(names) ? Printer_.IndexOfFormatName(names[static_cast<size_t>(entry)]) : -1;
  Element_ = -1;
  if (Format_ >= 0) Printer_.SetActiveFormatIndex(Format_);
  Printer_.NotifyFormatsChanged();
}

std::vector<std::string> TVpFormatDesigner::ElementEntries() const {
  std::vector<std::string> names;
  if (const TVpPrintFormatItem* format = SelectedFormat())
    for (const TVpPrintFormatElementItem& element : format->Elements) names.push_back(element.ElementName);
  return names;
}

void TVpFormatDesigner::SelectElement(int index) {
  const TVpPrintFormatItem* format = SelectedFormat();
  Element_ = format && index >= 0 && index < Count(format->Elements) ? index : -1;
}

TVpDesignerButtons TVpFormatDesigner::Buttons() const {
  const TVpPrintFormatItem* format = SelectedFormat();
  const bool element = Element_ >= 0;
  const bool formatCommands = !Printer_.PrintFormats().empty() && !element;
  return {.FormatEdit = formatCommands,
          .FormatDelete = formatCommands,
          .ElementNew = format != nullptr,
          .ElementEdit = element,
          .ElementDelete = element,
          .MoveUp = element && Element_ > 0,
          .MoveDown = element && Element_ < Count(format->Elements) - 1};
}

TVpPrintFormatItem* TVpFormatDesigner::SelectedFormat() {
  auto& formats = Printer_.MutablePrintFormats();
  return Format_ >= 0 && Format_ < Count(formats) ? &formats[static_cast<size_t>(Format_)] : nullptr;
}

const TVpPrintFormatItem* TVpFormatDesigner::SelectedFormat() const {
  return const_cast<TVpFormatDesigner*>(this)->SelectedFormat();
}

void TVpFormatDesigner::Changed() {
  Modified_ = true;
  if (SelectedFormat()) Printer_.SetActiveFormatIndex(Format_);
  Printer_.NotifyFormatsChanged();
}

bool TVpFormatDesigner::FormatConfirmed(TVpFormatEditForm& form) {
  if (!Windows_.EditFormat(form)) return false;
  if (!form.Name.empty()) return true;
  Messages_.ShowMessage("Please supply a Format Name");
  return false;
}

bool TVpFormatDesigner::ElementConfirmed(TVpElementEditForm& form) {
  if (!Windows_.EditElement(form)) return false;
  if (!form.Name.empty()) return true;
  Messages_.ShowMessage("Please supply an Element Name");
  return false;
}

void TVpFormatDesigner::ShowDuplicate(const std::string& article, const std::string& name) {
  Messages_.ShowMessage(article + " named " + name + " already exists.\nPlease use another name.");
}

void TVpFormatDesigner::NewFormat() {
  while (true) {
    TVpPrintFormatItem format;
    TVpFormatEditForm form;
    form.Fill(format);
    if (!FormatConfirmed(form)) return;
    if (Printer_.IndexOfFormatName(form.Name) >= 0) {
      ShowDuplicate("A format", form.Name);
      continue;
    }
    form.WriteTo(format);
    Printer_.MutablePrintFormats().push_back(std::move(format));
    Format_ = Count(Printer_.PrintFormats()) - 1;
    Element_ = -1;
    Changed();
    return;
  }
}

void TVpFormatDesigner::EditFormat() {
  TVpPrintFormatItem* format = SelectedFormat();
  if (!format) return NewFormat();
  TVpFormatEditForm form;
  form.Fill(*format);
  while (FormatConfirmed(form)) {
    const int other = Printer_.IndexOfFormatName(form.Name);
    if (other >= 0 && other != Format_) {
      ShowDuplicate("A format", form.Name);  // the editor opens again with the user's values
      continue;
    }
    form.WriteTo(*format);
    Changed();
    return;
  }
}

void TVpFormatDesigner::DeleteFormat() {
  if (!SelectedFormat()) return;
  Printer_.DeleteFormat(Format_);
  Format_ = -1;
  Element_ = -1;
  Changed();
}

void TVpFormatDesigner::NewElement() {
  TVpPrintFormatItem* format = SelectedFormat();
  if (!format) return;
  while (true) {
    TVpPrintFormatElementItem element;
    TVpElementEditForm form(element);
    if (!ElementConfirmed(form)) return;
    const auto& elements = format->Elements;
    if (std::any_of(elements.begin(), elements.end(), [&](const auto& e) { return e.ElementName == form.Name; })) {
      ShowDuplicate("An Element", form.Name);
      continue;
    }
    form.WriteTo(element);
    format->Elements.push_back(std::move(element));
    Element_ = Count(format->Elements) - 1;
    Changed();
    return;
  }
}

void TVpFormatDesigner::EditElement() {
  TVpPrintFormatItem* format = SelectedFormat();
  if (!format || Element_ < 0) return NewElement();
  TVpPrintFormatElementItem& element = format->Elements[static_cast<size_t>(Element_)];
  const TVpPrintFormatElementItem before = element;
  TVpElementEditForm form(element);
  if (ElementConfirmed(form)) form.WriteTo(element);
  // The caption's text and font and the shape change at once, so they count even when cancelled.
  if (element != before) Changed();
}

void TVpFormatDesigner::DeleteElement() {
  TVpPrintFormatItem* format = SelectedFormat();
  if (!format || Element_ < 0) return;
  format->Elements.erase(format->Elements.begin() + Element_);
  Element_ = -1;
  Changed();
}

void TVpFormatDesigner::MoveElement(int direction) {
  TVpPrintFormatItem* format = SelectedFormat();
  if (!format || Element_ < 0) return;
  const int target = Element_ + (direction < 0 ? -1 : 1);
  if (target < 0 || target >= Count(format->Elements)) return;
  std::swap(format->Elements[static_cast<size_t>(Element_)], format->Elements[static_cast<size_t>(target)]);
  Element_ = target;
  Changed();
}

bool TVpFormatDesigner::SettleChanges() {
  if (!Modified_) return true;
  switch (Messages_.Show("Save changes to " + FileName_ + "?", mkConfirmation, mbYesNoCancel)) {
    case mrYes: return SaveFile();
    case mrNo: return true;
    default: return false;
  }
}

void TVpFormatDesigner::NewFile() {
  if (!SettleChanges()) return;
  Printer_.MutablePrintFormats().clear();
  Format_ = -1;
  Element_ = -1;
  StartUnnamed();
  Printer_.NotifyFormatsChanged();
}

void TVpFormatDesigner::LoadFile() {
  if (!SettleChanges()) return;
  const std::optional<std::string> chosen = Windows_.ChooseFileToOpen();
  if (!chosen || chosen->empty()) return;
  FileName_ = *chosen;
  Printer_.SetFormatsFileName(*chosen);
  Format_ = -1;
  Element_ = -1;
  try {
    const std::string error = Printer_.ReadFormatsFile(*chosen, false);
    if (!error.empty()) Messages_.ShowError(error);
  } catch (const std::runtime_error& error) {  // unreadable file or unknown element kind
    Messages_.ShowError(error.what());
  }
}

bool TVpFormatDesigner::SaveFile() {
  const std::optional<std::string> chosen =
      Windows_.ChooseFileToSave(FileName_ == kUnnamed ? "Unnamed.xml" : FileName_);
  if (!chosen || chosen->empty()) return false;
  try {
    Printer_.WriteFormatsFile(*chosen);
  } catch (const std::runtime_error& error) {
    Messages_.ShowError(error.what());
    return false;
  }
  FileName_ = *chosen;
  Printer_.SetFormatsFileName(*chosen);
  Modified_ = false;
  return true;
}
