#include "print/printer.h"

#include <algorithm>

#include "platform/assign_if_changed.h"
#include "print/print_formats_file.h"

void TVpPrinter::SetMargins(const TVpMargins& value) {
  if (AssignIfChanged(Margins_, value)) NotifyFormatsChanged();
}

void TVpPrinter::SetSkinnedPrinting(bool value) {
  if (AssignIfChanged(SkinnedPrinting_, value)) NotifyFormatsChanged();
}

void TVpPrinter::SetActiveFormatIndex(int index) {
  if (Formats_.empty()) throw EVpPrintFormatError("No print formats have been defined");
  if (index == ActiveFormatIndex_) return;
  if (index < 0 || index >= static_cast<int>(Formats_.size()))
    throw EVpPrintFormatError("Invalid print format " + std::to_string(index));
  ActiveFormatIndex_ = index;
  NotifyFormatsChanged();
}

const TVpPrintFormatItem& TVpPrinter::ActiveFormat() const {
  if (Formats_.empty()) throw EVpPrintFormatError("No print formats have been defined");
  if (ActiveFormatIndex_ < 0 || ActiveFormatIndex_ >= static_cast<int>(Formats_.size()))
    throw EVpPrintFormatError("Invalid print format " + std::to_string(ActiveFormatIndex_));
  return Formats_[static_cast<size_t>(ActiveFormatIndex_)];
}

void TVpPrinter::DeleteFormat(int index) {
  if (index < 0 || index >= static_cast<int>(Formats_.size())) return;
  Formats_.erase(Formats_.begin() + index);
  const bool activeMoves = index < ActiveFormatIndex_ || ActiveFormatIndex_ >= static_cast<int>(Formats_.size());
  if (activeMoves && ActiveFormatIndex_ > 0) --ActiveFormatIndex_;
  NotifyFormatsChanged();
}

int TVpPrinter::IndexOfFormatName(const std::string& name) const {
  for (size_t i = 0; i < Formats_.size(); ++i)
    if (Formats_[i].FormatName() == name) return static_cast<int>(i);
  return -1;
}

const std::string& TVpPrinter::FileOrDefault(const std::string& fileName) const {
  return fileName.empty() ? FormatsFileName_ : fileName;
}

std::string TVpPrinter::ReadFormatsFile(const std::string& fileName, bool append) {
  std::string error;
  try {
    error = ReadPrintFormatsFile(Formats_, FileOrDefault(fileName), append);
  } catch (...) {
    NotifyFormatsChanged();  // what was read before the failure stays and is shown
    throw;
  }
  NotifyFormatsChanged();
  return error;
}

void TVpPrinter::WriteFormatsFile(const std::string& fileName) {
  Writer_.ReplaceFile(FileOrDefault(fileName), PrintFormatsDocument(Formats_));
}

void TVpPrinter::RegisterFormatWindow(TMessageTarget& window) {
  if (std::find(Windows_.begin(), Windows_.end(), &window) == Windows_.end()) Windows_.push_back(&window);
}

void TVpPrinter::UnregisterFormatWindow(TMessageTarget& window) { std::erase(Windows_, &window); }

void TVpPrinter::NotifyFormatsChanged() {
  for (TMessageTarget* window : Windows_) Poster_.Post(*window, PrintFormatsChanged);
}
