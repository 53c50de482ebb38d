#pragma once

#include <string>

#include "model/record.h"
#include "platform/clock.h"

class TVpTasks;

// A to-do of a resource, owned by the resource's task collection. Setters follow the record rule:
// a differing value is stored and marks the task changed.
class TVpTask : public TVpRecord {
 public:
  // A new task is stamped with the current moment as CreatedOn, which marks it changed (and its
  // resource's TasksDirty): a task made in the program is written even when nothing else is set.
  explicit TVpTask(const TClock& clock, TVpTasks* owner = nullptr) : TVpTask(clock, owner, clock.Now()) {}
  // The same stamped with the given moment, for tasks made together from one read of the clock.
  TVpTask(const TClock& clock, TVpTasks* owner, double createdOn);

  // The collection holding the task, or nullptr.
  TVpTasks* Owner() const { return Owner_; }

  // A plain flag: marking a task deleted does not mark it changed.
  bool Deleted() const { return Deleted_; }
  void SetDeleted(bool value) { Deleted_ = value; }
  int RecordID() const { return RecordID_; }
  void SetRecordID(int value) { Store(RecordID_, value); }

  int Priority() const { return Priority_; }
  void SetPriority(int value) { Store(Priority_, value); }
  int Category() const { return Category_; }
  void SetCategory(int value) { Store(Category_, value); }
  const std::string& Description() const { return Description_; }
  void SetDescription(std::string value) { Store(Description_, std::move(value)); }
  const std::string& Details() const { return Details_; }
  void SetDetails(std::string value) { Store(Details_, std::move(value)); }

  // Completing stamps CompletedOn with the current moment, reopening sets it to 0; the change of
  // CompletedOn marks the task changed.
  bool Complete() const { return Complete_; }
  void SetComplete(bool value);
  double CompletedOn() const { return CompletedOn_; }
  void SetCompletedOn(double value);
  double CreatedOn() const { return CreatedOn_; }
  void SetCreatedOn(double value);

  // Always a whole day: the time part of a value is cut off.
  double DueDate() const { return DueDate_; }
  void SetDueDate(double value);

 protected:
  void MarkOwnerDirty() override;

 private:
  const TClock& Clock_;
  TVpTasks* Owner_;
  bool Deleted_ = false;
  int RecordID_ = -1;
  int Priority_ = 0;
  int Category_ = 0;
  std::string Description_;
  std::string Details_;
  bool Complete_ = false;
  double CompletedOn_ = 0;
  double CreatedOn_ = 0;
  double DueDate_ = 0;
};
