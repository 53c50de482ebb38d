#include "model/resources.h"

#include "platform/ascii_text.h"

TVpResource* TVpResources::AddResource(int resourceID) {
  TVpResource* resource = nullptr;
  try {
    auto created = std::make_unique<TVpResource>(Clock_, this);
    created->SetLoading(true);
    resource = &Append(std::move(created));
    resource->SetResourceID(resourceID);
    resource->SetActive(true);
    resource->SetLoading(false);
  } catch (const std::exception&) {
    if (resource) Extract(*resource);
    throw EFailToCreateResource();
  }
  return resource;
}

void TVpResources::DeleteResource(TVpResource* resource) {
  if (resource) Extract(*resource);
}

TVpResource* TVpResources::FindResourceByName(std::string_view text,
                                              const TVpResource* except) const {
  for (const auto& resource : Records())
    if (resource.get() != except && SameTextAscii(resource->Description(), text))
      return resource.get();
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
