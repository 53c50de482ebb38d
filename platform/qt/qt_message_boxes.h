#pragma once

#include "platform/message_boxes.h"

// Message boxes centred on the active window, captioned with the program's title.
class TQtMessageBoxes : public TMessageBoxes {
 public:
  TMessageResult Show(const std::string& text, TMessageKind kind, TMessageButtons buttons) override;
};
