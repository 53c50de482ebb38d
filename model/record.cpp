#include "model/record.h"

#include "model/vp_exception.h"

void TVpRecord::SetChanged(bool value) {
  if (Loading_) return;
  Changed_ = value;
  if (value) MarkOwnerDirty();
}

const std::string& TVpRecord::UserField(int number) const {
  if (number < 0 || number >= kUserFieldCount) throw EVpIndexError(number);
  return UserFields_[static_cast<size_t>(number)];
}

void TVpRecord::SetUserField(int number, std::string value) {
  if (number < 0 || number >= kUserFieldCount) throw EVpIndexError(number);
  UserFields_[static_cast<size_t>(number)] = std::move(value);
}
