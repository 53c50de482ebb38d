#pragma once

#include <stdexcept>
#include <string>

// Every failure of the planner carries a fixed message text; the general error handler shows it.
class EVpException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Adding a record to its collection failed; the half-made record is gone again.
class EFailToCreateResource : public EVpException {
 public:
  EFailToCreateResource() : EVpException("Error: Failure while creating Resource.") {}
};
class EFailToCreateEvent : public EVpException {
 public:
  EFailToCreateEvent() : EVpException("Error: Failure while creating Event.") {}
};
class EFailToCreateContact : public EVpException {
 public:
  EFailToCreateContact() : EVpException("Error: Failure while creating Contact.") {}
};
class EFailToCreateTask : public EVpException {
 public:
  EFailToCreateTask() : EVpException("Error: Failure while creating Task.") {}
};

// A resource description is already used by another resource (letter case aside).
class EDuplicateResource : public EVpException {
 public:
  EDuplicateResource() : EVpException("Error: Duplicate Resource.") {}
};

// A record could not be written to its table.
class EDBPostError : public EVpException {
 public:
  EDBPostError() : EVpException("Error posting data to the database.") {}
};

// A year the calendar helpers do not accept (below 100).
class EVpDateException : public EVpException {
 public:
  explicit EVpDateException(int year) : EVpException("Error: Invalid Year. \"" + std::to_string(year) + "\"") {}
};

// A record, category or numbered field asked for by a position that does not exist.
class EVpIndexError : public EVpException {
 public:
  explicit EVpIndexError(long long index)
      : EVpException("Error: List index " + std::to_string(index) + " is out of range.") {}
};
