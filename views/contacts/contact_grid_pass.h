#pragma once

#include <string>
#include <vector>

#include "platform/canvas.h"
#include "views/contacts/contact_grid_layout.h"
#include "views/drawing/drawing_pass.h"

class TVpContactGrid;
class TVpContacts;
class TVpContact;

// The colours of one pass: the grid's and the desktop's on screen, black, white and silver when
// printing.
struct TVpContactGridColors {
  TColor Background;
  TColor DarkShadow;
  TColor Shadow;
  TColor Highlight;
  TColor Face;
  TColor Bar;
  TColor NameBox;
};

// One drawing pass of a contact grid into a rectangle: the cards from the first contact on (none
// for -2), the column bars and the border. The contacts (already sorted) may be none. The pass
// changes nothing in the grid.
class TVpContactGridPass : private TVpDrawingPass {
 public:
  TVpContactGridPass(const TVpContactGrid& grid, const TVpContacts* contacts, TCanvas& canvas, const TRect& rect,
                     TVpRotationAngle angle, int firstContact, bool displayOnly);

  TVpContactGridLayout Draw();

 private:
  // One line of a card: a labelled value (phone, e-mail) or a plain line (company, address, city).
  struct TCardLine {
    std::string Label;  // empty for plain lines and for a value's further lines on paper
    std::string Text;
    bool ValueColumn;  // the text stands right of the labels
  };
  static std::vector<TCardLine> CardLines(const TVpContact& contact);
  // The card's lines with every text that is too long for the card broken into further lines.
  std::vector<TCardLine> PrintedLines(const TVpContact& contact);
  int LabelWidthOf(const std::vector<TCardLine>& lines);

  void DrawCards();
  // Draws the card with its top-left corner at the logical point; returns its height C.
  int DrawCard(const TVpContact& contact, int left, int top, bool measureOnly);
  void DrawBars();

  const TVpContactGrid& Grid_;
  const TVpContacts* Contacts_;
  int First_;
  TVpContactGridColors Colors_;
  int ColumnWidth_;
  int CardWidth_;
  TVpContactGridLayout Layout_;
};
