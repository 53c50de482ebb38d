#pragma once

#include "platform/message_boxes.h"

// Message boxes centred on the active window, captioned with the program's title. The text of
// every error box also goes to standard error as one line, so that an error is never seen only
// by a screen nobody watches.
class TQtMessageBoxes : public TMessageBoxes {
 public:
  TMessageResult Show(const std::string& text, TMessageKind kind, TMessageButtons buttons) override;
  // The first choice is the default button; each choice's first letter is its key (Alt+letter).
  int Choose(const std::string& text, const std::vector<std::string>& choices) override;

  // The program is ending from outside (a signal): every open message box is closed as if Escape
  // had been pressed, and none is shown from now on; each is answered that way at once, and its
  // error still goes to standard error.
  static void CloseAllForExit();
};
