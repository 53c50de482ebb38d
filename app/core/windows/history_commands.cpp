#include "app/core/windows/history_commands.h"

#include "platform/message_boxes.h"
#include "store/change_path.h"

namespace {

std::string Caption(const std::string& verb, const std::string& step) {
  return step.empty() ? verb : verb + " " + step;
}

// Walks one step with walk, telling the user when another writer's change refused it.
template <class TWalk>
std::string Walk(TVpChangePath& changes, TMessageBoxes& boxes, const std::string& verb, const std::string& step,
                 const std::string& done, TWalk walk) {
  if (step.empty()) return "";
  try {
    return done + ": " + walk(changes);
  } catch (const EVpChangeRefused& refused) {
    boxes.ShowError("Cannot " + verb + " " + step + ". " + refused.what());
    return "";
  }
}

}  // namespace

std::string UndoCaption(const TVpChangePath& changes) { return Caption("Undo", changes.UndoName()); }

std::string RedoCaption(const TVpChangePath& changes) { return Caption("Redo", changes.RedoName()); }

std::string UndoLastChange(TVpChangePath& changes, TMessageBoxes& boxes) {
  return Walk(changes, boxes, "undo", changes.UndoName(), "Undone", [](TVpChangePath& path) { return path.Undo(); });
}

std::string RedoLastChange(TVpChangePath& changes, TMessageBoxes& boxes) {
  return Walk(changes, boxes, "redo", changes.RedoName(), "Redone", [](TVpChangePath& path) { return path.Redo(); });
}
