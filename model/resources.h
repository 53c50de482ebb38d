#pragma once

#include <string_view>

#include "model/record_list.h"
#include "model/resource.h"
#include "platform/clock.h"

// Every resource of the data store, sorted by Description (byte by byte) when asked to.
class TVpResources : public TVpRecordList<TVpResource> {
 public:
  // The clock stamps the tasks of the resources.
  explicit TVpResources(const TClock& clock) : Clock_(clock) {}
  ~TVpResources() override { Clear(); }

  // A new active resource with the ID, at the end of the list (not sorted in). Raises
  // EFailToCreateResource when the resource cannot be made.
  TVpResource* AddResource(int resourceID);
  // Destroys the resource (which leaves the list).
  void DeleteResource(TVpResource* resource);

  // The first resource whose Description equals the text without regard to letter case, leaving
  // out `except`; nullptr when there is none.
  TVpResource* FindResourceByName(std::string_view text, const TVpResource* except = nullptr) const;
  // The first resource with the ResourceID, or nullptr.
  TVpResource* FindResourceByID(int resourceID) const;

  void Sort() override;

 private:
  const TClock& Clock_;
};
