#include "print/qt/shape_edit_window.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/qt/qt_canvas.h"
#include "print/qt/editor_controls.h"

namespace {

constexpr int kSampleHeight = 16;

// Four by four cells of the grid colours; a click chooses one. A colour outside the grid chooses
// none.
QButtonGroup* AddColorGrid(QGroupBox& group, QFormLayout& fields, TColor chosen) {
  auto* buttons = new QButtonGroup(&group);
  auto* grid = new QGridLayout;
  grid->setSpacing(2);
  for (int cell = 0; cell < static_cast<int>(kShapeColorGrid.size()); ++cell) {
    auto* button = new QToolButton(&group);
    QPixmap swatch(18, 18);
    swatch.fill(TQtCanvas::QtColor(kShapeColorGrid[static_cast<size_t>(cell)]));
    button->setIcon(swatch);
    button->setCheckable(true);
    button->setAutoRaise(true);
    buttons->addButton(button, cell);
    grid->addWidget(button, cell / 4, cell % 4);
  }
  if (QAbstractButton* cell = buttons->button(ShapeColorCell(chosen))) cell->setChecked(true);
  fields.addRow(grid);
  return buttons;
}

// A list of styles, each entry with its sample left of its name.
QComboBox* AddStyleList(QGroupBox& group, QFormLayout& fields, const QString& label, const QStringList& names,
                        const std::function<void(QPainter&, const QRect&, int)>& drawSample, int width) {
  auto* list = new QComboBox(&group);
  list->setIconSize({width, kSampleHeight});
  const QColor text = list->palette().color(QPalette::Text);
  for (int i = 0; i < names.size(); ++i) {
    QPixmap sample(width, kSampleHeight);
    sample.fill(list->palette().color(QPalette::Base));
    QPainter painter(&sample);
    painter.setPen(text);
    drawSample(painter, sample.rect().adjusted(0, 0, -1, -1), i);
    painter.end();
    list->addItem(QIcon(sample), names[i]);
  }
  fields.addRow(label, list);
  return list;
}

Qt::BrushStyle QtBrushStyle(int style) {
  constexpr Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,   Qt::VerPattern,
                                       Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
  return style >= 0 && style < 8 ? styles[style] : Qt::SolidPattern;
}

// The pen style's sample: a framed box twice as wide as high, a two-pixel line across its middle.
void DrawPenSample(QPainter& painter, const QRect& box, int style) {
  const QColor text = painter.pen().color();
  painter.drawRect(box);
  painter.setPen(QPen(text, 2, TQtCanvas::QtPenStyle(static_cast<TPenStyle>(style))));
  painter.drawLine(box.left() + 2, box.center().y(), box.right() - 2, box.center().y());
}

// The brush style's sample: a framed square filled with the style.
void DrawBrushSample(QPainter& painter, const QRect& box, int style) {
  painter.setBrush(QBrush(painter.pen().color(), QtBrushStyle(style)));
  painter.drawRect(box);
}

// The chosen cell's colour, or the colour as it was when no cell is chosen.
TColor ChosenColor(const QButtonGroup& grid, TColor before) {
  const int cell = grid.checkedId();
  return cell >= 0 ? kShapeColorGrid[static_cast<size_t>(cell)] : before;
}

}  // namespace

TfrmEditShape::TfrmEditShape(TVpShapeEditForm& form, QWidget* parent) : QDialog(parent), Form_(form) {
  setObjectName("frmEditShape");
  setWindowTitle("Edit Shape");
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Shape_ = new TVpRadioGroup(" Shape ",
                             {"Rectangle", "Top line", "Bottom line", "Left line", "Right line",
                              "Diagonal from top left", "Diagonal from bottom left", "Ellipse"},
                             3, this);
  Shape_->setObjectName("rgShapeType");
  Shape_->SetItemIndex(form.ShapeType);
  layout->addWidget(Shape_);

  auto* colors = new QHBoxLayout;
  auto* pen = new QGroupBox("Border Color", this);
  auto* penFields = new QFormLayout(pen);
  PenColors_ = AddColorGrid(*pen, *penFields, form.PenColor);
  PenStyle_ = AddStyleList(*pen, *penFields, "&Style:",
                           {"Solid", "Dashed", "Dotted", "Dash dot", "Dash dot dot", "None", "Solid, inside the frame"},
                           DrawPenSample, 2 * kSampleHeight);
  PenStyle_->setObjectName("cbPenStyle");
  PenStyle_->setCurrentIndex(form.PenStyle);
  PenWidth_ = MakeSpinField(form.PenWidth, pen);
  PenWidth_->setObjectName("edPenWidth");
  penFields->addRow("&Width:", PenWidth_);
  PenMode_ = new QComboBox(pen);
  PenMode_->setObjectName("cbPenMode");
  // The pen's colour as it is, the inverse of what is below, or mixed with it (exclusive or).
  PenMode_->addItems(
      {"Normal", "Inverse of the background", "Mixed with the background", "Inverse mixed with the background"});
  PenMode_->setCurrentIndex(form.PenMode);
  penFields->addRow("&Mode:", PenMode_);
  colors->addWidget(pen);

  auto* brush = new QGroupBox("Fill Color", this);
  auto* brushFields = new QFormLayout(brush);
  BrushColors_ = AddColorGrid(*brush, *brushFields, form.BrushColor);
  BrushStyle_ = AddStyleList(*brush, *brushFields, "St&yle:",
                             {"Solid", "None", "Horizontal lines", "Vertical lines", "Falling diagonals",
                              "Rising diagonals", "Grid", "Diagonal grid"},
                             DrawBrushSample, kSampleHeight);
  BrushStyle_->setObjectName("cbBrushStyle");
  BrushStyle_->setCurrentIndex(form.BrushStyle);
  colors->addWidget(brush, 0, Qt::AlignTop);
  layout->addLayout(colors);
  AddOkCancel(*this, *layout, [this] { Confirm(); });
}

void TfrmEditShape::Confirm() {
  if (Shape_->ItemIndex() >= 0) Form_.ShapeType = static_cast<TVpShapeType>(Shape_->ItemIndex());
  Form_.PenStyle = static_cast<TPenStyle>(PenStyle_->currentIndex());
  Form_.PenMode = static_cast<TPenMode>(PenMode_->currentIndex());
  Form_.PenColor = ChosenColor(*PenColors_, Form_.PenColor);
  Form_.BrushStyle = static_cast<TVpPrintBrushStyle>(BrushStyle_->currentIndex());
  Form_.BrushColor = ChosenColor(*BrushColors_, Form_.BrushColor);
  Form_.PenWidth = PenWidth_->value();
  accept();
}

bool EditShape(TVpPrintShape& shape, QWidget* parent) {
  TVpShapeEditForm form;
  form.Fill(shape);
  TfrmEditShape window(form, parent);
  if (window.exec() != QDialog::Accepted) return false;
  form.WriteTo(shape);
  return true;
}
