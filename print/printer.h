#pragma once

#include <string>
#include <vector>

#include "model/enumerations.h"
#include "platform/file_writer.h"
#include "platform/message_queue.h"
#include "print/caption_variables.h"
#include "print/page_geometry.h"
#include "print/print_format.h"

// The printer: the print formats, the active one, the printer-wide settings (day start and end,
// granularity, page margins), the caption variables, and the windows told when the formats
// change (they receive PrintFormatsChanged, posted).
class TVpPrinter {
 public:
  TVpPrinter(TMessagePoster& poster, TFileWriter& writer) : Poster_(poster), Writer_(writer) {}

  // The formats. Code that changes them through MutablePrintFormats calls NotifyFormatsChanged.
  const TVpPrintFormats& PrintFormats() const { return Formats_; }
  TVpPrintFormats& MutablePrintFormats() { return Formats_; }

  TVpHours DayStart() const { return DayStart_; }
  void SetDayStart(TVpHours value) { DayStart_ = value; }
  TVpHours DayEnd() const { return DayEnd_; }
  void SetDayEnd(TVpHours value) { DayEnd_ = value; }
  TVpGranularity Granularity() const { return Granularity_; }
  void SetGranularity(TVpGranularity value) { Granularity_ = value; }
  const TVpMargins& Margins() const { return Margins_; }
  void SetMargins(const TVpMargins& value);
  bool SkinnedPrinting() const { return SkinnedPrinting_; }
  void SetSkinnedPrinting(bool value);

  int ActiveFormatIndex() const { return ActiveFormatIndex_; }
  // Raises EVpPrintFormatError when there are no formats or the index lies outside them.
  void SetActiveFormatIndex(int index);
  // The active format; raises EVpPrintFormatError as SetActiveFormatIndex does.
  const TVpPrintFormatItem& ActiveFormat() const;
  // Removes the format at the index (ignoring one outside the formats) and keeps the active
  // format the same one: a format deleted before it moves it down by one; when the active one is
  // deleted, the format now at its place (or the new last one) becomes active. Tells the windows.
  void DeleteFormat(int index);
  // The first format of exactly this name, or -1.
  int IndexOfFormatName(const std::string& name) const;

  // The file read and written when a load or save is given an empty name.
  const std::string& FormatsFileName() const { return FormatsFileName_; }
  void SetFormatsFileName(const std::string& value) { FormatsFileName_ = value; }
  // Reads the formats file (see ReadPrintFormatsFile), then tells the windows. Returns the syntax
  // error that ended the reading early, or an empty text.
  std::string ReadFormatsFile(const std::string& fileName, bool append);
  // Replaces the file with all formats, atomically; raises EFileWriteError when it cannot.
  void WriteFormatsFile(const std::string& fileName);

  TVpCaptionVariables& CaptionVariables() { return Variables_; }
  const TVpCaptionVariables& CaptionVariables() const { return Variables_; }

  void RegisterFormatWindow(TMessageTarget& window);
  void UnregisterFormatWindow(TMessageTarget& window);
  // Posts PrintFormatsChanged to every registered window.
  void NotifyFormatsChanged();

 private:
  const std::string& FileOrDefault(const std::string& fileName) const;

  TMessagePoster& Poster_;
  TFileWriter& Writer_;
  TVpPrintFormats Formats_;
  TVpHours DayStart_ = h_08;
  TVpHours DayEnd_ = h_17;
  TVpGranularity Granularity_ = gr30Min;
  TVpMargins Margins_;
  bool SkinnedPrinting_ = true;
  int ActiveFormatIndex_ = 0;
  std::string FormatsFileName_;
  TVpCaptionVariables Variables_;
  std::vector<TMessageTarget*> Windows_;
};
