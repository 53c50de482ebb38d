#pragma once

#include <string>

enum TMessageKind { mkInformation, mkWarning, mkError, mkConfirmation };
enum TMessageButtons { mbOK, mbOKCancel, mbYesNo, mbYesNoCancel };
enum TMessageResult { mrOk, mrCancel, mrYes, mrNo };

// Modal message boxes and questions. The caption is the program's title.
class TMessageBoxes {
 public:
  virtual ~TMessageBoxes() = default;
  virtual TMessageResult Show(const std::string& text, TMessageKind kind, TMessageButtons buttons) = 0;

  void ShowMessage(const std::string& text) { Show(text, mkInformation, mbOK); }
  void ShowError(const std::string& text) { Show(text, mkError, mbOK); }
  bool AskYesNo(const std::string& text) { return Show(text, mkConfirmation, mbYesNo) == mrYes; }
  bool AskOkCancel(const std::string& text) { return Show(text, mkConfirmation, mbOKCancel) == mrOk; }
};
