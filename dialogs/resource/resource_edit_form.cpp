#include "dialogs/resource/resource_edit_form.h"

#include "dialogs/common/line_breaks.h"
#include "model/resources.h"
#include "model/vp_exception.h"
#include "platform/utf8.h"

TVpResourceEditForm::TVpResourceEditForm(const TVpResources& resources, int editedID)
    : Resources_(resources), EditedID_(editedID) {}

void TVpResourceEditForm::Fill(const TVpResource& resource) {
  Description_ = OriginalDescription_ = resource.Description();
  OriginalNotes_ = resource.Notes();
  Notes_ = NotesShown_ = WithLineFeeds(OriginalNotes_);
  Changed_ = false;
}

void TVpResourceEditForm::SetDescription(std::string text) {
  Description_ = std::move(text);
  Changed_ = true;
}

void TVpResourceEditForm::SetNotes(std::string text) {
  Notes_ = std::move(text);
  Changed_ = true;
}

bool TVpResourceEditForm::PressOk() const {
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

void TVpResourceEditForm::WriteTo(TVpResource& resource) const {
  resource.SetDescription(Description_);
  resource.SetNotes(TextToStore(OriginalNotes_, NotesShown_, Notes_));
}
