#include "views/contacts/contact_grid_pass.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "model/contact.h"
#include "model/contacts.h"
#include "model/record_captions.h"
#include "views/contacts/contact_grid.h"
#include "views/drawing/drawing_helpers.h"
#include "views/drawing/line_fitter.h"

namespace {

const TVpContactGridColors kPrintColors = {clWhite, clBlack, clBlack, clBlack, clBlack, clBlack, RGB(192, 192, 192)};

TVpContactGridColors ScreenColors(const TVpContactGrid& grid) {
  return {grid.Color(),
          cl3DDkShadow,
          clBtnShadow,
          clBtnHighlight,
          clBtnFace,
          grid.BarColor(),
          grid.ContactHeadAttributes().Color()};
}

}  // namespace

std::vector<TVpContactGridPass::TCardLine> TVpContactGridPass::CardLines(const TVpContact& contact) {
  std::vector<TCardLine> lines;
  for (const std::string& text : {contact.Company(), contact.Address(), ContactCityLine(contact)})
    if (!text.empty()) lines.push_back({"", text, false});
  for (int k = 1; k <= 5; ++k)
    if (!contact.Phone(k).empty())
      lines.push_back({PhoneTypeCaption(contact.PhoneType(k)) + ": ", contact.Phone(k), true});
  if (!contact.EMail().empty()) lines.push_back({"E-Mail: ", contact.EMail(), true});
  return lines;
}

TVpContactGridPass::TVpContactGridPass(const TVpContactGrid& grid, const TVpContacts* contacts, TCanvas& canvas,
                                       const TRect& rect, TVpRotationAngle angle, int firstContact, bool displayOnly)
    : TVpDrawingPass(canvas, rect, angle, displayOnly),
      Grid_(grid),
      Contacts_(contacts),
      First_(firstContact),
      Colors_(PassColors(displayOnly, ScreenColors(grid), kPrintColors)) {
  const int n = grid.PrintNumColumns();
  ColumnWidth_ = displayOnly && n > 0 ? (Frame().Width() - 4 * (n - 1)) / n : grid.ColumnWidth();
  CardWidth_ = ColumnWidth_ - 24;
}

TVpContactGridLayout TVpContactGridPass::Draw() {
  if (Contacts_ != nullptr) Layout_.Cards.assign(static_cast<size_t>(Contacts_->Count()), kUndrawnRect);
  // A print that draws no card of those left says so: the first of them is where the next page
  // would start again.
  if (DisplayOnly() && Contacts_ != nullptr && First_ >= 0 && First_ < Contacts_->Count())
    Layout_.NextPrintLine = First_;
  if (Frame().Width() <= 0 || Frame().Height() <= 0) return std::move(Layout_);
  BeginDrawing();
  Fill(Frame(), Colors_.Background);
  // The rectangle drawn into counts, not the grid's size on screen, which a print does not use.
  if (Frame().Height() >= 20) {
    if (First_ != -2) DrawCards();
    DrawBars();
  }
  if (Grid_.DrawingStyle() == dsFlat)
    BorderBevels(Colors_.Shadow, Colors_.Highlight, Colors_.Highlight, Colors_.Shadow);
  else BorderBevels(Colors_.Shadow, Colors_.Highlight, Colors_.DarkShadow, Colors_.Face);
  return std::move(Layout_);
}

void TVpContactGridPass::DrawCards() {
  if (Contacts_ == nullptr || First_ < 0) return;
  const int count = Contacts_->Count();
  // A card without width cannot be drawn: a print pass then reports that nothing fitted, so that
  // printing stops.
  if (CardWidth_ <= 0) return;
  const TRect& frame = Frame();
  const int pitch = CardWidth_ + Grid_.BarWidth() + 4 + 19;
  int x = 14, y = 14, inColumn = 0, columns = 1;
  for (int index = First_; index < count; ++index) {
    const TVpContact& contact = *Contacts_->Items(index);
    int height = DrawCard(contact, 0, 0, true);
    if (frame.Top + y + height >= frame.Bottom - 18 && inColumn > 0) {
      x += pitch;
      y = 14;
      if (columns == 1) Layout_.ContactsPerColumn = inColumn;
      ++columns;
      inColumn = 0;
    }
    // Both sides of the right-edge test are in the frame's coordinates.
    if (DisplayOnly() && frame.Left + x + CardWidth_ >= frame.Right) {
      Layout_.NextPrintLine = index;
      return;
    }
    DrawCard(contact, frame.Left + x, frame.Top + y, false);
    height += 12;
    Layout_.Cards[static_cast<size_t>(index)] = Rect(x, y, x + CardWidth_, y + height);
    if (!DisplayOnly() && Grid_.Focused() && &contact == Grid_.ActiveContact())
      Ex().FocusRect(
          Rect(frame.Left + x, frame.Top + y - 3, frame.Left + x + CardWidth_ + 6, frame.Top + y + height - 2));
    y += height;
    ++inColumn;
    if (!DisplayOnly() && frame.Right < frame.Left + x && index + 1 < count) {
      Layout_.HiddenCount = count - index;
      Layout_.VisibleCount = count - First_ - Layout_.HiddenCount;
      return;
    }
    Layout_.HiddenCount = 0;
    Layout_.VisibleCount = count - First_;
  }
  Layout_.NextPrintLine = -2;
}

// The numbers and the address start after the card's widest label, so that they keep the rest of
// the card (labels of kinds the card does not show would take room from them).
int TVpContactGridPass::LabelWidthOf(const std::vector<TCardLine>& lines) {
  int width = 0;
  for (const TCardLine& line : lines)
    if (!line.Label.empty()) width = std::max(width, TextWidth(line.Label, Grid_.Font().Font()) + 6);
  return width;
}

std::vector<TVpContactGridPass::TCardLine> TVpContactGridPass::PrintedLines(const TVpContact& contact) {
  std::vector<TCardLine> lines;
  Canvas().Font = Grid_.Font().Font();
  const TVpLineFitter fitter(Canvas());
  std::vector<TCardLine> whole = CardLines(contact);
  const int labelWidth = LabelWidthOf(whole);
  for (TCardLine& line : whole) {
    const int width = std::max(CardWidth_ - (line.ValueColumn ? labelWidth + 12 : 12), 1);
    std::string_view rest = line.Text;
    std::string label = std::move(line.Label);
    while (!rest.empty()) {
      const TVpFittedLine piece = fitter.Next(rest, width);
      lines.push_back({std::exchange(label, std::string()), std::string(piece.Text), line.ValueColumn});
      rest.remove_prefix(piece.Consumed);
    }
  }
  return lines;
}

int TVpContactGridPass::DrawCard(const TVpContact& contact, int left, int top, bool measureOnly) {
  const TFont& headFont = Grid_.ContactHeadAttributes().Font().Font();
  const TFont& font = Grid_.Font().Font();
  const int headHeight = TextHeight(headFont);
  const int lineHeight = TextHeight(font);
  // On screen a text too long for the card ends in "..."; on paper it goes on in the next line.
  const std::vector<TCardLine> lines = DisplayOnly() ? PrintedLines(contact) : CardLines(contact);
  const int W = CardWidth_;
  if (measureOnly) return headHeight + 3 + static_cast<int>(lines.size()) * (lineHeight + 6);

  Fill(Rect(left, top, left + W, top + headHeight + 3), Colors_.Background);
  const std::string name = ContactDisplayName(contact, Grid_.SortBy() == csFirstLast);
  if (!name.empty()) {
    const TRect box = Rect(left + 6, top, left + W, top + headHeight + 3);
    Fill(box, Colors_.NameBox);
    if (Grid_.ContactHeadAttributes().Bordered()) Bevel(box, Colors_.DarkShadow, Colors_.DarkShadow);
    Canvas().Font = headFont;
    Text(left + 9, top + 2, EllipsisFit(Canvas(), name, 2, W - 12), headFont);
  }
  int bottom = top + headHeight + 3;
  Canvas().Font = font;
  const int labelWidth = LabelWidthOf(lines);
  for (const TCardLine& line : lines) {
    const int t = bottom + 3;
    if (!line.ValueColumn) {
      Text(left + 12, t + 3, EllipsisFit(Canvas(), line.Text, 2, W - 12), font);
    } else {
      if (!line.Label.empty()) Text(left + 12, t + 3, line.Label, font);
      Text(left + 6 + labelWidth, t + 3, EllipsisFit(Canvas(), line.Text, 2, W - labelWidth - 12), font);
    }
    bottom = t + lineHeight + 3;
  }
  return bottom - top;
}

void TVpContactGridPass::DrawBars() {
  const TRect& frame = Frame();
  const int barWidth = Grid_.BarWidth();
  const auto drawBars = [&](int width, TPenStyle style, TColor color, std::vector<TRect>& table) {
    Canvas().Pen.Style = style;
    int a = frame.Left + width + 4;
    for (int drawn = 0; a < frame.Right && drawn < kMaxContactGridBars; ++drawn) {
      table.push_back(Rect(a - 2, frame.Top, a + barWidth + 2, frame.Bottom));
      for (int line = 0; line < barWidth; ++line) Line(a + line, frame.Top + 14, a + line, frame.Bottom - 12, color);
      a += barWidth + width;
    }
    Canvas().Pen.Style = psSolid;
  };
  drawBars(ColumnWidth_, psSolid, Colors_.Bar, Layout_.Bars);
  if (!DisplayOnly() && Grid_.Dragging()) drawBars(Grid_.ProposedWidth(), psDash, clBlack, Layout_.DragBars);
}
