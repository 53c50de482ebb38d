// What the user does in the task list: selecting and completing tasks with the mouse and the keys,
// scrolling, the popup menu, adding, editing and deleting tasks. Clicks are tested against the rows
// of the last on-screen pass.

#include <algorithm>
#include <vector>

#include "model/day_number.h"
#include "model/resource.h"
#include "model/task.h"
#include "model/tasks.h"
#include "store/data_store.h"
#include "views/drawing/drawing_helpers.h"
#include "views/tasks/task_commands.h"
#include "views/tasks/task_list.h"

namespace {

enum TMenuCommand { mcAddTask, mcEditTask, mcDeleteTask };

// Where the menu opens when a key asks for it.
constexpr TPoint kKeyMenuPoint{10, 10};

}  // namespace

// --- selecting ---

void TVpTaskList::HitTest(int x, int y) {
  if (ActiveResource() == nullptr) return;
  SetActiveTask(nullptr);
  for (const TVpVisibleTask& row : Screen_.Rows) {
    const bool onCheck = PointWithin({x, y}, row.CheckRect);
    if (!onCheck && !PointWithin({x, y}, row.TextRect)) continue;
    TVpTask* task = LiveTask(row);
    SetActiveTask(task);
    if (task != nullptr && onCheck && !ReadOnly()) ToggleCompletion(*task);
    break;
  }
  Invalidate();
}

void TVpTaskList::ToggleCompletion(TVpTask& task) {
  TVpCustomDataStore* store = DataStore();
  TVpResource* resource = ActiveResource();
  if (store == nullptr || resource == nullptr) return;
  ToggleTaskCompletion(*store, task);
  Invalidate();
}

// --- mouse ---

// A read-only list still selects with the left button, so that a click on a box changes nothing.
void TVpTaskList::MouseDown(TMouseButton button, TShiftState, int x, int y) {
  if (button != mbLeft && (button != mbRight || ReadOnly())) return;
  RequestFocus();
  HitTest(x, y);
  if (button == mbRight) ShowPopupMenu({x, y});
}

void TVpTaskList::DoubleClick(int x, int y) {
  if (ReadOnly()) return;
  RequestFocus();
  HitTest(x, y);
  if (ActiveTask() != nullptr) EditActiveTask();
  else AddTask();
}

bool TVpTaskList::MouseWheel(TShiftState shift, int delta, int x, int y) {
  TVpLinkableControl::MouseWheel(shift, delta, x, y);
  if (delta == 0) return false;
  Scroll(delta > 0 ? saLineUp : saLineDown, 0);
  return true;
}

// --- scrolling ---

int TVpTaskList::GreatestFirstLine() const {
  return std::max(0, Screen_.ShownCount - static_cast<int>(Screen_.Rows.size()));
}

void TVpTaskList::ScrollTo(int firstLine) {
  FirstLine_ = std::clamp(firstLine, 0, GreatestFirstLine());
  ScrollBar_.Position = FirstLine_;
  Invalidate();
}

void TVpTaskList::Scroll(TVpScrollAction action, int position) {
  const int rowsDrawn = static_cast<int>(Screen_.Rows.size());
  switch (action) {
    case saLineUp: ScrollTo(FirstLine_ - 1); break;
    case saLineDown: ScrollTo(FirstLine_ + 1); break;
    case saPageUp: ScrollTo(FirstLine_ < rowsDrawn ? 0 : FirstLine_ - rowsDrawn); break;
    case saPageDown: ScrollTo(FirstLine_ + rowsDrawn); break;
    case saTrack: ScrollTo(position); break;
  }
}

// --- keys ---

bool TVpTaskList::KeyDown(int key, TShiftState shift) {
  if (ReadOnly()) return false;
  TVpResource* resource = ActiveResource();
  switch (key) {
    case VK_SPACE:
      // Completing with the keyboard writes the task at once, as a click on its box does.
      if (TVpTask* task = ActiveTask()) ToggleCompletion(*task);
      return true;
    case VK_PRIOR: Scroll(saPageUp, 0); return true;
    case VK_NEXT: Scroll(saPageDown, 0); return true;
    case VK_HOME: ScrollTo(0); return true;
    case VK_END: ScrollTo(resource != nullptr ? resource->Tasks().Count() - 1 : 0); return true;
    case VK_UP:
    case VK_DOWN: {
      if (resource == nullptr) return true;
      const std::vector<TVpTask*> shown = ShownTasks(*resource, DisplayOptions_, DateOf(Clock_.Now()));
      const auto found = std::find(shown.begin(), shown.end(), ActiveTask());
      const int at = found == shown.end() ? -1 : static_cast<int>(found - shown.begin());
      const int count = static_cast<int>(shown.size());
      if (key == VK_UP) {
        const int n = at >= 0 ? at - 1 : -2;
        if (n < FirstLine_) Scroll(saLineUp, 0);
        if (n >= 0) SetActiveTask(shown[static_cast<size_t>(n)]);
      } else {
        const int n = at + 1;
        if (n - FirstLine_ >= static_cast<int>(Screen_.Rows.size())) Scroll(saLineDown, 0);
        if (n < count) SetActiveTask(shown[static_cast<size_t>(n)]);
      }
      Invalidate();
      return true;
    }
    case VK_APPS: ShowPopupMenu(kKeyMenuPoint); return true;
    case VK_F10:
      if ((shift & ssShift) == 0) return false;
      ShowPopupMenu(kKeyMenuPoint);
      return true;
    default: return false;
  }
}

// --- popup menu ---

void TVpTaskList::ShowPopupMenu(TPoint at) {
  const bool task = ActiveTask() != nullptr;
  const std::vector<TVpMenuItem> items = {{"Add Task...", mcAddTask, true, {}},
                                          {"Edit Task...", mcEditTask, task, {}},
                                          {"Delete Task...", mcDeleteTask, task, {}}};
  switch (ShowMenu(items, {at, 0})) {
    case mcAddTask: AddTask(); break;
    case mcEditTask: EditActiveTask(); break;
    case mcDeleteTask: DeleteActiveTask(); break;
    default: break;
  }
}

// --- adding, editing, deleting ---

void TVpTaskList::AddTask() {
  if (ReadOnly() || !CheckResourceSelected()) return;
  TVpCustomDataStore* store = DataStore();
  TVpResource* resource = ActiveResource();
  if (resource == nullptr) return;
  TVpTask* task = resource->Tasks().AddTask(store->GetNextID("Tasks"));
  const double now = Clock_.Now();
  task->SetCreatedOn(now);
  task->SetDueDate(DateOf(now) + 7);
  Invalidate();
  EditTask(task, true);
}

void TVpTaskList::EditActiveTask() {
  if (ReadOnly()) return;
  Invalidate();
  EditTask(ActiveTask(), false);
}

void TVpTaskList::EditTask(TVpTask* task, bool isNew) {
  if (task == nullptr || !CheckResourceSelected()) return;
  TVpCustomDataStore* store = DataStore();
  TVpResource* resource = ActiveResource();
  if (store == nullptr || resource == nullptr) return;
  if (!EditTaskInDialog(*store, *EditDialogs(), *task, isNew) && isNew) SetActiveTask(nullptr);
  Invalidate();
}

void TVpTaskList::DeleteActiveTask() {
  TVpCustomDataStore* store = DataStore();
  TVpResource* resource = ActiveResource();
  TVpTask* task = ActiveTask();
  if (ReadOnly() || store == nullptr || resource == nullptr || task == nullptr) return;
  Invalidate();
  if (ConfirmAndDeleteTask(*store, *task)) SetActiveTask(nullptr);
  Invalidate();
}
