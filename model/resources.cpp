#include "model/resources.h"

#include "platform/ascii_text.h"

TVpResource* TVpResources::AddResource(int resourceID) {
  return AppendNew<EFailToCreateResource>([this] { return std::make_unique<TVpResource>(Clock_, this); },
                                          [&](TVpResource& resource) {
                                            resource.SetResourceID(resourceID);
                                            resource.SetActive(true);
                                          });
}

void TVpResources::DeleteResource(TVpResource* resource) {
  if (resource) Extract(*resource);
}

TVpResource* TVpResources::FindResourceByName(std::string_view text, const TVpResource* except) const {
  for (const auto& resource : Records())
    if (resource.get() != except && SameTextAscii(resource->Description(), text)) return resource.get();
  return nullptr;
}

TVpResource* TVpResources::FindResourceByID(int resourceID) const {
  for (const auto& resource : Records())
    if (resource->ResourceID() == resourceID) return resource.get();
  return nullptr;
}

void TVpResources::Sort() {
  SortBy([](const TVpResource& a, const TVpResource& b) { return a.Description() < b.Description(); });
}
