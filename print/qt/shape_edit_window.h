#pragma once

#include <QDialog>

#include "print/format_editors.h"

class QButtonGroup;
class QComboBox;
class QSpinBox;
class TVpRadioGroup;

// The shape editor: the shape type, the pen (colour grid, style, width, mode) and the brush
// (colour grid, style). OK writes the window's values into the form and closes it; the form must
// outlive the window.
class TfrmEditShape : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmEditShape(TVpShapeEditForm& form, QWidget* parent = nullptr);

 private:
  void Confirm();

  TVpShapeEditForm& Form_;
  TVpRadioGroup* Shape_ = nullptr;
  QButtonGroup* PenColors_ = nullptr;
  QComboBox* PenStyle_ = nullptr;
  QSpinBox* PenWidth_ = nullptr;
  QComboBox* PenMode_ = nullptr;
  QButtonGroup* BrushColors_ = nullptr;
  QComboBox* BrushStyle_ = nullptr;
};

// Edits the shape in the shape editor over the parent; true when the user pressed OK.
bool EditShape(TVpPrintShape& shape, QWidget* parent);
