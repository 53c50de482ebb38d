#pragma once

#include <vector>

#include "platform/canvas.h"
#include "views/drawing/drawing_pass.h"

class TVpTaskList;
class TVpTask;
class TVpResource;
class TVpTaskDisplayOptions;

// One row the task list drew: its task (looked up again by RecordID before use, since the store
// may have reloaded the tasks since), the rectangle of its text and that of its check box (empty
// when printing: paper has nothing to click).
struct TVpVisibleTask {
  const TVpTask* Task = nullptr;
  int RecordID = -1;
  TRect TextRect;
  TRect CheckRect;
};

// What one drawing pass of a task list laid out.
struct TVpTaskListLayout {
  int HeaderBottom = 0;
  int RowHeight = 0;
  int ShownCount = 0;
  // At most the list's MaxVisibleTasks rows.
  std::vector<TVpVisibleTask> Rows;
  // The shown index of the first task that did not fit, or -1 when every remaining task was drawn.
  // A print in which not even one row fitted hands back its first row.
  int NextPrintLine = -1;
};

// The tasks of the resource the list shows, in collection order, after sorting the collection:
// every task with ShowAll, else the open ones and, with ShowCompletedTasks, those completed on
// today (a whole date).
std::vector<TVpTask*> ShownTasks(TVpResource& resource, const TVpTaskDisplayOptions& options, double today);

// The colours of one pass: the list's and the desktop's on screen, black and white when printing.
struct TVpTaskListColors {
  TColor Background;
  TColor Selection;
  TColor SelectionText;
  TColor Line;
  TColor CheckBG;
  TColor Check;
  TColor Completed;
  TColor Overdue;
  TColor Header;
  TColor Shadow;
  TColor Highlight;
  TColor DarkShadow;
  TColor Face;
};

// One drawing pass of a task list into a rectangle of a canvas at a rotation, from the shown task
// at startLine. The pass changes nothing in the view but sorts the resource's tasks.
class TVpTaskListPass : private TVpDrawingPass {
 public:
  TVpTaskListPass(const TVpTaskList& list, TCanvas& canvas, const TRect& rect, TVpRotationAngle angle, int startLine,
                  bool displayOnly);

  TVpTaskListLayout Draw();

 private:
  void DrawHeader();
  void DrawCheckPad(int x, int y);
  void DrawLines();
  void DrawRows();
  // The check box in the row whose top-left corner is (x, y); returns the check rectangle.
  TRect DrawCheckBox(int x, int y, bool complete);
  void DrawBorder();

  const TVpTaskList& List_;
  int StartLine_;
  TVpTaskListColors Colors_;
  double Now_;
  TVpResource* Resource_ = nullptr;
  TVpTaskListLayout Layout_;
};
