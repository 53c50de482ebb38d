#include "views/tasks/task_list_pass.h"

#include <algorithm>
#include <array>
#include <string>

#include "model/date_format.h"
#include "model/day_number.h"
#include "model/resource.h"
#include "model/task.h"
#include "model/tasks.h"
#include "store/data_store.h"
#include "views/drawing/drawing_helpers.h"
#include "views/tasks/task_list.h"

namespace {

TVpTaskListColors ScreenColors(const TVpTaskList& list) {
  const TVpTaskDisplayOptions& options = list.DisplayOptions();
  return {list.Color(),
          clHighlight,
          clHighlightText,
          list.LineColor(),
          options.CheckBGColor(),
          options.CheckColor(),
          options.CompletedColor(),
          options.OverdueColor(),
          list.TaskHeadAttributes().Color(),
          clBtnShadow,
          clBtnHighlight,
          cl3DDkShadow,
          clBtnFace};
}

const TVpTaskListColors kPrintColors = {clWhite, clWhite,  clBlack, clBlack, clWhite, clBlack, clBlack,
                                        clBlack, clSilver, clBlack, clBlack, clBlack, clBlack};

// The fewest characters a shortened description keeps before its "...".
constexpr int kMinShortenedChars = 3;
constexpr int kCheckPadWidth = 12;  // the header's check pad
constexpr int kCheckPadHeight = 14;

// A task's priority as a printed page names it: 1 to 4 high, 5 medium, 6 to 9 low (the scale of
// calendar files); none for 0, no priority given.
const char* PriorityCaption(int priority) {
  if (priority >= 1 && priority <= 4) return "High";
  if (priority == 5) return "Medium";
  if (priority >= 6) return "Low";
  return nullptr;
}

int TextHeightOf(TCanvas& canvas, const TFont& font, const char* sample) {
  canvas.Font = font;
  return canvas.TextHeight(sample);
}

}  // namespace

std::vector<TVpTask*> ShownTasks(TVpResource& resource, const TVpTaskDisplayOptions& options, double today) {
  TVpTasks& tasks = resource.Tasks();
  tasks.Sort();
  std::vector<TVpTask*> shown;
  shown.reserve(static_cast<size_t>(tasks.Count()));
  for (int i = 0; i < tasks.Count(); ++i) {
    TVpTask* task = tasks.Items(i);
    if (options.ShowAll() || !task->Complete() ||
        (options.ShowCompletedTasks() && DateOf(task->CompletedOn()) == today))
      shown.push_back(task);
  }
  return shown;
}

TVpTaskListPass::TVpTaskListPass(const TVpTaskList& list, TCanvas& canvas, const TRect& rect, TVpRotationAngle angle,
                                 int startLine, bool displayOnly)
    : TVpDrawingPass(canvas, rect, angle, displayOnly),
      List_(list),
      StartLine_(std::max(0, startLine)),
      Colors_(PassColors(displayOnly, ScreenColors(list), kPrintColors)),
      Now_(list.Now()) {
  if (const TVpCustomDataStore* store = list.DataStore()) Resource_ = store->ActiveResource();
  Layout_.RowHeight = TextHeightOf(canvas, list.Font().Font(), "Wy") + 12;
}

TVpTaskListLayout TVpTaskListPass::Draw() {
  BeginDrawing();
  Fill(Frame(), Colors_.Background);
  DrawHeader();
  DrawLines();
  DrawRows();
  DrawBorder();
  return std::move(Layout_);
}

// The header's check pad: a note pad with a bound top edge, ruled lines and a check mark, 12 by 14
// pixels.
void TVpTaskListPass::DrawCheckPad(int x, int y) {
  Fill(Rect(x, y, x + kCheckPadWidth, y + kCheckPadHeight), clWhite);
  Bevel(Rect(x, y, x + kCheckPadWidth, y + kCheckPadHeight), clBlack, clBlack);
  Fill(Rect(x, y, x + kCheckPadWidth, y + 3), RGB(0, 0, 128));
  for (int line = y + 6; line < y + kCheckPadHeight - 1; line += 3)
    Line(x + 2, line, x + kCheckPadWidth - 2, line, clSilver);
  const TColor check = RGB(0, 128, 0);
  Line(x + 2, y + 8, x + 5, y + 11, check);
  Line(x + 3, y + 8, x + 5, y + 10, check);
  Line(x + 5, y + 11, x + 10, y + 4, check);
  Line(x + 5, y + 10, x + 9, y + 4, check);
}

void TVpTaskListPass::DrawHeader() {
  const TRect& f = Frame();
  const TFont& font = List_.TaskHeadAttributes().Font().Font();
  TRect header = Rect(f.Left + 2, f.Top + 2, f.Right - 2, f.Top + TextHeightOf(Canvas(), font, "YyGg0") + 12);
  Fill(header, Colors_.Header);
  if (List_.DrawingStyle() == dsFlat) {
    header.Left -= 1;
    header.Top -= 1;
    Bevel(header, Colors_.Shadow, Colors_.Shadow);
  } else {
    header.Right -= 1;
    header.Top -= 1;
    Bevel(header, Colors_.Highlight, Colors_.DarkShadow);
  }
  if (List_.ShowIcon() && !DisplayOnly()) {
    DrawCheckPad(header.Left + 16, header.Top + 6);
    header.Left += kCheckPadWidth + 6;
  }
  std::string caption = "Task List";
  if (List_.ShowResourceName() && !DisplayOnly() && Resource_ != nullptr) caption += " - " + Resource_->Description();
  Text(header.Left + 16, header.Top + 6, caption, font);
  Layout_.HeaderBottom = header.Bottom;
}

void TVpTaskListPass::DrawLines() {
  // On paper only the rows printed are ruled (DrawRows), not the rest of the page.
  if (DisplayOnly()) return;
  const TRect& f = Frame();
  for (int y = Layout_.HeaderBottom + Layout_.RowHeight; y < f.Bottom; y += Layout_.RowHeight)
    Line(f.Left, y, f.Right - 2, y, Colors_.Line);
}

void TVpTaskListPass::DrawRows() {
  const TRect& f = Frame();
  const int rowHeight = Layout_.RowHeight;
  TRect row = Rect(f.Left + 2, Layout_.HeaderBottom, f.Right - 2, Layout_.HeaderBottom + rowHeight);
  if (Resource_ == nullptr || Resource_->Tasks().Count() == 0) {
    if (!DisplayOnly() && List_.Focused()) Fill(row, Colors_.Selection);
    return;
  }
  const std::vector<TVpTask*> shown = ShownTasks(*Resource_, List_.DisplayOptions(), DateOf(Now_));
  Layout_.ShownCount = static_cast<int>(shown.size());
  const size_t capacity = List_.MaxVisibleTasks();
  Layout_.Rows.reserve(std::min(capacity, shown.size()));
  const TVpTask* active = List_.ActiveTask();
  const TVpTaskDisplayOptions& options = List_.DisplayOptions();
  const double today = DateOf(Now_);
  for (int i = StartLine_; i < Layout_.ShownCount; ++i) {
    // On screen a row shows when its upper half does; on paper only a whole row is printed, and
    // the next page starts with the one cut off. A page that takes no row hands back its first
    // one, which the page renderer takes as a list it cannot go on with.
    const bool fits = DisplayOnly() ? row.Bottom <= f.Bottom - 2 : row.Top + rowHeight / 2 <= f.Bottom;
    if (!fits || Layout_.Rows.size() == capacity) {
      Layout_.NextPrintLine = Layout_.Rows.empty() && !DisplayOnly() ? -1 : i;
      break;
    }
    const TVpTask& task = *shown[static_cast<size_t>(i)];
    TFont font = List_.Font().Font();
    if (task.Complete()) {
      font.Style |= fsStrikeOut;
      font.Color = Colors_.Completed;
    } else {
      font.Style &= ~static_cast<TFontStyles>(fsStrikeOut);
      const double due = DateOf(task.DueDate());
      if (due != 0 && due < today) font.Color = Colors_.Overdue;
    }
    if (&task == active && !DisplayOnly()) {
      font.Color = Colors_.SelectionText;
      Fill(row, Colors_.Selection);
    }
    const TRect check = DrawCheckBox(row.Left, row.Top, task.Complete());
    const int c = check.Right - f.Left;
    std::string text = task.Description();
    if (options.ShowDueDate() && DateOf(task.DueDate()) != 0)
      text = FormatDateTime(options.DueDateFormat(), task.DueDate(), List_.Locale()) + " - " + text;
    int textRight = row.Right;
    // On paper the priority stands at the row's right end.
    if (const char* priority = DisplayOnly() ? PriorityCaption(task.Priority()) : nullptr) {
      textRight -= TextWidth(priority, font) + 12;
      Text(textRight + 6, row.Top + 6, priority, font);
    }
    Canvas().Font = font;
    text = EllipsisFit(Canvas(), text, kMinShortenedChars, textRight - row.Left - c - 6);
    Text(f.Left + c + 12, row.Top + 6, text, font);
    Layout_.Rows.push_back({&task, task.RecordID(), Rect(f.Left + c + 6, row.Top, row.Right, row.Bottom),
                            DisplayOnly() ? TRect{} : check});
    if (DisplayOnly()) Line(f.Left, row.Bottom, f.Right - 2, row.Bottom, Colors_.Line);
    row.Top += rowHeight;
    row.Bottom += rowHeight;
  }
}

TRect TVpTaskListPass::DrawCheckBox(int x, int y, bool complete) {
  const int s = Layout_.RowHeight - 12;
  // Paper takes the box in black; the screen's box has shaded edges.
  const bool paper = DisplayOnly();
  Canvas().Pen.Color = paper ? clBlack : RGB(192, 204, 216);
  Canvas().Brush.Color = Colors_.CheckBG;
  Ex().Rectangle(Rect(x + 6, y + 6, x + 6 + s, y + 6 + s));
  const auto polyline = [this](TColor color, std::initializer_list<TPoint> points) {
    Canvas().Pen.Color = color;
    Ex().Polyline(std::span<const TPoint>(points.begin(), points.size()));
  };
  if (!paper) {
    polyline(RGB(80, 100, 128), {{x + 6, y + 4 + s}, {x + 6, y + 6}, {x + 5 + s, y + 6}});
    polyline(Colors_.Check, {{x + 7, y + 3 + s}, {x + 7, y + 7}, {x + 4 + s, y + 7}});
    polyline(RGB(128, 152, 176), {{x + 7, y + 4 + s}, {x + 4 + s, y + 4 + s}, {x + 4 + s, y + 6}});
  }
  const TRect c = Rect(x + 9, y + 9, x + 3 + s, y + 3 + s);
  if (!complete) return c;
  if (List_.DisplayOptions().CheckStyle() == csX) {
    const std::array<std::array<int, 4>, 6> strokes = {{{c.Left, c.Top, c.Right, c.Bottom},
                                                        {c.Left, c.Top + 1, c.Right - 1, c.Bottom},
                                                        {c.Left + 1, c.Top, c.Right, c.Bottom - 1},
                                                        {c.Left, c.Bottom - 1, c.Right, c.Top - 1},
                                                        {c.Left, c.Bottom - 2, c.Right - 1, c.Top - 1},
                                                        {c.Left + 1, c.Bottom - 1, c.Right, c.Top}}};
    for (const auto& [x1, y1, x2, y2] : strokes) Line(x1, y1, x2, y2, Colors_.Check);
  } else {
    const int qh = (c.Bottom - c.Top) / 4, qw = (c.Right - c.Left) / 4;
    for (int k = 0; k < 3; ++k)
      polyline(Colors_.Check, {{c.Left, c.Bottom - qh - k}, {c.Left + qw, c.Bottom - k}, {c.Right, c.Top + 2 - k}});
  }
  return c;
}

void TVpTaskListPass::DrawBorder() {
  if (List_.DrawingStyle() == dsFlat)
    BorderBevels(Colors_.Shadow, Colors_.Highlight, Colors_.Highlight, Colors_.Shadow);
  else BorderBevels(Colors_.Shadow, Colors_.Highlight, Colors_.DarkShadow, Colors_.Face);
}
