#include "interop/ical/ical_item.h"

#include "model/event.h"
#include "model/task.h"

void CopyToEvent(const TIcalEvent& item, TVpEvent& event) {
  event.SetDescription(item.Description);
  event.SetNotes(item.Notes);
  event.SetLocation(item.Location);
  event.SetAllDayEvent(item.AllDayEvent);  // first: switching it on moves the times
  event.SetStartTime(item.StartTime);
  event.SetEndTime(item.EndTime);
  event.SetAlarmSet(item.AlarmSet);
  event.SetAlarmAdvance(item.AlarmAdvance);
  event.SetAlarmAdvanceType(item.AlarmAdvanceType);
  event.SetRepeatCode(item.RepeatCode);
  event.SetRepeatRangeEnd(item.RepeatRangeEnd);
  event.SetCustomInterval(item.CustomInterval);
  event.SetTimeZone(item.TimeZone);
  event.SetZoneStartTime(item.ZoneStartTime);  // after the times: it places them afresh
  event.SetRepeatRule(item.RepeatRule);
  event.SetExceptionDates(item.ExceptionDates);
  event.SetExtraDates(item.ExtraDates);
  event.SetOriginalStart(item.OriginalStart);
  event.SetKeptProperties(item.KeptProperties);
}

TIcalEvent IcalEventFrom(const TVpEvent& event) {
  TIcalEvent item;
  item.Description = event.Description();
  item.Notes = event.Notes();
  item.Location = event.Location();
  item.StartTime = event.StartTime();
  item.EndTime = event.EndTime();
  item.AllDayEvent = event.AllDayEvent();
  item.AlarmSet = event.AlarmSet();
  item.AlarmAdvance = event.AlarmAdvance();
  item.AlarmAdvanceType = event.AlarmAdvanceType();
  item.RepeatCode = event.RepeatCode();
  item.RepeatRangeEnd = event.RepeatRangeEnd();
  item.CustomInterval = event.CustomInterval();
  item.TimeZone = event.TimeZone();
  item.ZoneStartTime = event.ZoneStartTime();
  item.RepeatRule = event.RepeatRule();
  item.ExceptionDates = event.ExceptionDates();
  item.ExtraDates = event.ExtraDates();
  item.OriginalStart = event.OriginalStart();
  item.KeptProperties = event.KeptProperties();
  return item;
}

double OwnStartOf(const TIcalEvent& event) { return event.TimeZone.empty() ? event.StartTime : event.ZoneStartTime; }

void CopyToTask(const TIcalTask& item, TVpTask& task) {
  task.SetDescription(item.Description);
  task.SetDetails(item.Details);
  task.SetPriority(item.Priority);
  task.SetComplete(item.Complete);
  task.SetCompletedOn(item.CompletedOn);                       // after Complete, which stamps the current moment
  if (item.CreatedOn != 0) task.SetCreatedOn(item.CreatedOn);  // else the new task's own stamp
  task.SetDueDate(item.DueDate);
}

TIcalTask IcalTaskFrom(const TVpTask& task) {
  TIcalTask item;
  item.Description = task.Description();
  item.Details = task.Details();
  item.Priority = task.Priority();
  item.Complete = task.Complete();
  item.CompletedOn = task.CompletedOn();
  item.CreatedOn = task.CreatedOn();
  item.DueDate = task.DueDate();
  return item;
}
