#include "dialogs/resource/resource_edit_rules.h"

#include "dialogs/common/line_breaks.h"
#include "model/resources.h"
#include "model/vp_exception.h"
#include "platform/utf8.h"

TVpResourceEditRules::TVpResourceEditRules(const TVpResources& resources, int editedID)
    : Resources_(resources), EditedID_(editedID) {}

void TVpResourceEditRules::Fill(const TVpResource& resource) {
  Description_ = OriginalDescription_ = resource.Description();
  OriginalNotes_ = resource.Notes();
  Notes_ = NotesShown_ = WithLineFeeds(OriginalNotes_);
  Changed_ = false;
}

void TVpResourceEditRules::SetDescription(std::string text) {
  Description_ = std::move(text);
  Changed_ = true;
}

void TVpResourceEditRules::SetNotes(std::string text) {
  Notes_ = std::move(text);
  Changed_ = true;
}

bool TVpResourceEditRules::PressOk() const {
  if (!Changed_) return false;
  if (Description_.empty()) throw EVpException("The description cannot be empty.");
  // The table keeps only so many characters; a longer edit would be cut off unseen.
  if (Description_ != OriginalDescription_ && CodePointCount(Description_) > kMaxDescription)
    throw EVpException("The description is longer than 255 characters.");
  if (Notes_ != NotesShown_ && CodePointCount(Notes_) > kMaxNotes)
    throw EVpException("The notes are longer than 1024 characters.");
  const TVpResource* self = EditedID_ != -1 ? Resources_.FindResourceByID(EditedID_) : nullptr;
  if (Resources_.FindResourceByName(Description_, self) != nullptr) throw EDuplicateResource();
  return true;
}

void TVpResourceEditRules::WriteTo(TVpResource& resource) const {
  resource.SetDescription(Description_);
  resource.SetNotes(TextToStore(OriginalNotes_, NotesShown_, Notes_));
}
