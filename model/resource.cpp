#include "model/resource.h"

#include "model/resources.h"
#include "model/vp_exception.h"

TVpResource::TVpResource(const TClock& clock, TVpResources* owner)
    : Owner_(owner),
      Schedule_(std::make_unique<TVpSchedule>(this)),
      Tasks_(std::make_unique<TVpTasks>(clock, this)),
      Contacts_(std::make_unique<TVpContacts>(this)) {}

TVpResource::~TVpResource() {
  Schedule_->Clear();
  Tasks_->Clear();
  Contacts_->Clear();
  Schedule_.reset();
  Tasks_.reset();
  Contacts_.reset();
}

void TVpResource::SetDescription(std::string value) {
  if (value == Description_) return;
  if (Owner_) {
    const TVpResource* holder = Owner_->FindResourceByName(value, this);
    if (holder) throw EDuplicateResource();
  }
  Description_ = std::move(value);
  ForceChanged();
}

void TVpResource::SetNotes(std::string value) {
  Notes_ = std::move(value);
  ForceChanged();
}
