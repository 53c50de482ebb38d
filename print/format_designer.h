#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/message_boxes.h"
#include "print/format_editors.h"
#include "print/printer.h"

// The editing windows and file dialogs the designer opens, as it drives them.
class TVpFormatDesignerWindows {
 public:
  virtual ~TVpFormatDesignerWindows() = default;
  // Show the editor modally on the form; true when the user pressed OK.
  virtual bool EditFormat(TVpFormatEditForm& form) = 0;
  virtual bool EditElement(TVpElementEditForm& form) = 0;
  // The open dialog ("Open filter file"); nothing when cancelled.
  virtual std::optional<std::string> ChooseFileToOpen() = 0;
  // The save dialog ("Save formats as", asking before it overwrites) proposing a name; nothing
  // when cancelled.
  virtual std::optional<std::string> ChooseFileToSave(const std::string& proposed) = 0;
};

// The buttons of the designer's formats and elements groups that can be used at the moment.
struct TVpDesignerButtons {
  bool FormatEdit = false;
  bool FormatDelete = false;
  bool ElementNew = false;
  bool ElementEdit = false;
  bool ElementDelete = false;
  bool MoveUp = false;
  bool MoveDown = false;
};

// The print format designer's commands on the printer's own formats: every change takes effect at
// once (the preview and printing use the same formats) and there is no undo; files are written
// only by "Save File...". The window shows the two lists and calls these commands.
class TVpFormatDesigner {
 public:
  static constexpr const char* kUnnamed = "<Unnamed>";

  // Starts on the printer's formats file with its active format selected; with no formats it starts
  // a new, unnamed file.
  TVpFormatDesigner(TVpPrinter& printer, TMessageBoxes& messages, TVpFormatDesignerWindows& windows);

  const std::string& FormatFileName() const { return FileName_; }
  std::string Caption() const { return "Print Format Designer - " + FileName_; }
  bool Modified() const { return Modified_; }

  // The formats list: every format's name, sorted; and the selected entry, or -1.
  std::vector<std::string> FormatEntries() const;
  int SelectedFormatEntry() const;
  // Selecting a format makes it the active one and lists its elements, none selected.
  void SelectFormatEntry(int entry);
  // The elements list: the selected format's element names in print order; the selected one or -1.
  std::vector<std::string> ElementEntries() const;
  int SelectedElement() const { return Element_; }
  void SelectElement(int index);
  TVpDesignerButtons Buttons() const;

  // Format commands. New repeats its editor until the name is new or the user cancels; Edit (New
  // while no format is selected) refuses a name another format has in the same way.
  void NewFormat();
  void EditFormat();
  void DeleteFormat();
  // Element commands on the selected format. New refuses a name already listed as New format does;
  // Edit is New while no element is selected; Delete removes the selected element only.
  void NewElement();
  void EditElement();
  void DeleteElement();
  // Moves the selected element one place earlier (-1) or later (+1) in print order; it stays
  // selected.
  void MoveElement(int direction);

  // File commands. New and Load first settle unsaved changes (see SettleChanges).
  void NewFile();
  void LoadFile();
  // True when the formats were written; a cancelled dialog or a failed write (reported) is false.
  bool SaveFile();
  // OK and Cancel: true when the window may close. Closing never undoes changes.
  bool Close() { return SettleChanges(); }

 private:
  // With unsaved changes asks "Save changes to <file>?": Yes saves, No goes on, Cancel stops.
  // False (stop) also when the user said Yes and then did not save.
  bool SettleChanges();
  // Shows the format editor; an empty name on OK is refused with a message as not confirmed.
  bool FormatConfirmed(TVpFormatEditForm& form);
  bool ElementConfirmed(TVpElementEditForm& form);
  void ShowDuplicate(const std::string& article, const std::string& name);
  TVpPrintFormatItem* SelectedFormat();
  const TVpPrintFormatItem* SelectedFormat() const;
  // After every change: marks the formats modified, makes the selected format the active one and
  // tells the windows.
  void Changed();
  void StartUnnamed();

  TVpPrinter& Printer_;
  TMessageBoxes& Messages_;
  TVpFormatDesignerWindows& Windows_;
  std::string FileName_;
  bool Modified_ = false;
  int Format_ = -1;  // index into the printer's formats
  int Element_ = -1;
};
