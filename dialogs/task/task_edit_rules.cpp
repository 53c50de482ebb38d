#include "dialogs/task/task_edit_rules.h"

#include "dialogs/common/line_breaks.h"
#include "model/date_format.h"
#include "model/task.h"

TVpTaskEditRules::TVpTaskEditRules(const TClock& clock, const TLocale& locale)
    : DueDate_(clock, locale), Locale_(locale) {
  DueDate_.UseProgramFieldSetUp();
}

void TVpTaskEditRules::Fill(const TVpTask& task) {
  Description_ = task.Description();
  DueDate_.SetDate(task.DueDate());
  OriginalDetails_ = task.Details();
  Details_ = DetailsShown_ = WithLineFeeds(OriginalDetails_);
  Complete_ = task.Complete();
  CreatedOnText_ = "Created on " + FormatShortDate(task.CreatedOn(), Locale_);
  CompletedOnVisible_ = task.Complete() && task.CompletedOn() != 0;
  CompletedOnText_ = CompletedOnVisible_ ? "Completed on " + FormatShortDate(task.CompletedOn(), Locale_) : "";
}

void TVpTaskEditRules::WriteTo(TVpTask& task) {
  const double dueDate = DueDate_.Date();
  task.SetDescription(Description_);
  task.SetDueDate(dueDate);
  task.SetDetails(TextToStore(OriginalDetails_, DetailsShown_, Details_));
  task.SetComplete(Complete_);
}
