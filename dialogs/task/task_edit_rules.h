#pragma once

#include <string>

#include "platform/clock.h"
#include "platform/locale.h"
#include "views/date_edit/date_edit.h"

class TVpTask;

// What the task window shows and writes, without the window. Filled from a task, the form changes
// nothing until WriteTo, so Cancel leaves the task as it was.
class TVpTaskEditRules {
 public:
  TVpTaskEditRules(const TClock& clock, const TLocale& locale);
  TVpTaskEditRules(const TVpTaskEditRules&) = delete;
  TVpTaskEditRules& operator=(const TVpTaskEditRules&) = delete;

  void Fill(const TVpTask& task);

  const std::string& Description() const { return Description_; }
  void SetDescription(std::string text) { Description_ = std::move(text); }
  TVpDateEdit& DueDate() { return DueDate_; }
  // The details with line feeds between lines, as a text field shows them.
  const std::string& Details() const { return Details_; }
  void SetDetails(std::string text) { Details_ = std::move(text); }
  bool Complete() const { return Complete_; }
  void SetComplete(bool value) { Complete_ = value; }

  // "Created on" and the task's creation date in the short date format.
  const std::string& CreatedOnText() const { return CreatedOnText_; }
  // "Completed on" and the completion date; shown only for a task that was complete with a date
  // when the window opened.
  const std::string& CompletedOnText() const { return CompletedOnText_; }
  bool CompletedOnVisible() const { return CompletedOnVisible_; }
  // Both date labels are greyed while "Completed" is unchecked.
  bool DateLabelsEnabled() const { return Complete_; }

  // Reads the due date, then writes through the task's setters (each marks the task changed only
  // when the value differs): Description, DueDate, Details, Complete (which stamps or clears
  // CompletedOn). Raises EVpDateEditError, writing nothing, when the due date cannot be read.
  void WriteTo(TVpTask& task);

 private:
  TVpDateEdit DueDate_;
  const TLocale& Locale_;
  std::string Description_;
  std::string Details_;
  std::string DetailsShown_;
  std::string OriginalDetails_;
  bool Complete_ = false;
  std::string CreatedOnText_;
  std::string CompletedOnText_;
  bool CompletedOnVisible_ = false;
};
