#pragma once

#include <string>

class TVpResource;
class TVpResources;

// What the resource edit window shows and writes, without the window: the description and the
// notes of one resource (or of one not made yet). The form changes nothing until WriteTo.
class TVpResourceEditRules {
 public:
  static constexpr int kMaxDescription = 255;
  static constexpr int kMaxNotes = 1024;

  // The form checks the description against the other resources of the list; `editedID` is the
  // ResourceID of the resource being edited, or -1 for a new one.
  TVpResourceEditRules(const TVpResources& resources, int editedID);
  TVpResourceEditRules(const TVpResourceEditRules&) = delete;
  TVpResourceEditRules& operator=(const TVpResourceEditRules&) = delete;

  // Shows the resource's texts; nothing is changed afterwards.
  void Fill(const TVpResource& resource);

  const std::string& Description() const { return Description_; }
  // Both setters record that the user changed something, even when the text ends as it was.
  void SetDescription(std::string text);
  // The notes with line feeds between lines, as a text field shows them.
  const std::string& Notes() const { return Notes_; }
  void SetNotes(std::string text);
  bool Changed() const { return Changed_; }

  // OK can be pressed only while there is a description.
  bool OkEnabled() const { return !Description_.empty(); }
  // What OK does: false when nothing was changed, and the window closes as if cancelled; true when
  // the texts can be stored. Raises, and the window stays open, when they cannot: EDuplicateResource
  // when another resource has the description (letters compared without regard to case), an
  // EVpException when the description is empty or an edited text is longer than the table keeps.
  bool PressOk() const;

  // Stores the description, then the notes, in the resource (both mark it changed).
  void WriteTo(TVpResource& resource) const;

 private:
  const TVpResources& Resources_;
  int EditedID_;
  std::string Description_;
  std::string OriginalDescription_;
  std::string Notes_;
  std::string NotesShown_;
  std::string OriginalNotes_;
  bool Changed_ = false;
};
