#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/resource.h"
#include "model/task.h"
#include "model/tasks.h"
#include "platform/english_locale.h"
#include "tests/support/planner_fixture.h"
#include "tests/support/recording_canvas.h"
#include "views/tasks/task_list.h"

// A task list over a connected store with the active resource "KORET", on the recording canvas
// (a font of S points is 2S pixels high and S pixels a character), today 10 May 2024.
//
// With 8-point fonts: row height 28 (16 + 12), header (2, 1, R - 3, 28), rows from y 28. The
// first row's check box lies at (8, 34)-(24, 50), its check rectangle (11, 37, 21, 47), its
// text at (33, 34) and its text rectangle (27, 28, R - 2, 56); when printing the text is at x 12.
class TaskListTest : public ::testing::Test, protected TPlannerFixture {
 protected:
  static constexpr TRect kView{0, 0, 300, 200};
  static constexpr TPoint kFirstCheck{15, 42};
  static constexpr TPoint kFirstText{100, 42};

  TaskListTest() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    List = std::make_unique<TVpTaskList>(Clock, Locale, &Window);
    List->DisplayOptions().SetDueDateFormat("dd.MM.yyyy");
    List->SetDataStore(&Store());
    List->SetEditDialogs(&Dialogs);
  }

  TVpTask& AddTask(const std::string& description, double due = 0) {
    TVpTask* task = Store().ActiveResource()->Tasks().AddTask(NextTaskID++);
    task->SetDescription(description);
    task->SetDueDate(due);
    return *task;
  }
  TVpTask& AddCompletedTask(const std::string& description, double completedOn) {
    TVpTask& task = AddTask(description);
    task.SetComplete(true);
    task.SetCompletedOn(completedOn);
    return task;
  }

  TRecordingCanvas Paint(const TRect& rect = kView) {
    TRecordingCanvas canvas;
    List->Resize(rect.Width(), rect.Height());
    List->Paint(canvas, rect);
    return canvas;
  }
  TRecordingCanvas Print(const TRect& rect, int startLine) {
    TRecordingCanvas canvas;
    List->RenderIntoRect(&canvas, rect, ra0, 1.0, 0, startLine, -1, gr30Min, true);
    return canvas;
  }

  // The descriptions of the rows the last on-screen pass drew.
  std::vector<std::string> RowDescriptions() const {
    std::vector<std::string> rows;
    for (const TVpVisibleTask& row : List->ScreenLayout().Rows) rows.push_back(row.Task->Description());
    return rows;
  }
  // The texts drawn below the header, in order.
  static std::vector<TCanvasOp> RowTexts(const TRecordingCanvas& canvas) {
    std::vector<TCanvasOp> texts;
    for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opText))
      if (op.Rect.Top >= 28) texts.push_back(op);
    return texts;
  }
  std::string TasksFile() const { return TTemporaryFolder::Read(TableFile("tasks.xml")); }

  const double Today = At(2024, 5, 10);
  TEnglishLocale Locale;
  std::unique_ptr<TVpTaskList> List;
  int NextTaskID = 1;
};
