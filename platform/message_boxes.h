#pragma once

#include <string>
#include <vector>

enum TMessageKind { mkInformation, mkWarning, mkError, mkConfirmation };
enum TMessageButtons { mbOK, mbOKCancel, mbYesNo, mbYesNoCancel };
enum TMessageResult { mrOk, mrCancel, mrYes, mrNo };

// Modal message boxes and questions. The caption is the program's title.
class TMessageBoxes {
 public:
  virtual ~TMessageBoxes() = default;
  virtual TMessageResult Show(const std::string& text, TMessageKind kind, TMessageButtons buttons) = 0;
  // A question with a button for each choice and Cancel: the position of the choice taken, -1 for
  // Cancel (also Escape and the close box).
  virtual int Choose(const std::string& text, const std::vector<std::string>& choices) = 0;

  void ShowMessage(const std::string& text) { Show(text, mkInformation, mbOK); }
  void ShowError(const std::string& text) { Show(text, mkError, mbOK); }
  bool AskYesNo(const std::string& text) { return Show(text, mkConfirmation, mbYesNo) == mrYes; }
  bool AskOkCancel(const std::string& text) { return Show(text, mkConfirmation, mbOKCancel) == mrOk; }
};
