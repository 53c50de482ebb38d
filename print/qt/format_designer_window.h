#pragma once

#include <QDialog>

#include "print/format_designer.h"
#include "print/print_preview.h"

class QListWidget;
class QPushButton;
class QToolButton;
class TVpPrintPreviewWidget;

// The print format designer: the formats and the selected format's elements with their
// commands, the print order buttons, the preview of the selected format (redrawn after every
// change), and the file commands. OK and Cancel first settle unsaved changes; closing never undoes
// a change to the formats.
class TfrmPrnFormat : public QDialog, private TVpFormatDesignerWindows {
  Q_OBJECT

 public:
  // `now` is the date the preview shows; `device` the printer whose page it shows, if any.
  TfrmPrnFormat(TVpPrinter& printer, TVpPageRenderer& renderer, TMessageBoxes& messages, double now,
                const TVpPrintTarget* device, QWidget* parent = nullptr);
  ~TfrmPrnFormat() override;

  const TVpFormatDesigner& Designer() const { return Designer_; }
  void accept() override;
  void reject() override;

 private:
  bool EditFormat(TVpFormatEditForm& form) override;
  bool EditElement(TVpElementEditForm& form) override;
  std::optional<std::string> ChooseFileToOpen() override;
  std::optional<std::string> ChooseFileToSave(const std::string& proposed) override;

  QPushButton* AddButton(QLayout& row, const QString& caption, const char* name, std::function<void()> command);
  // Runs a command of the designer, then shows where it left the lists and buttons.
  void Run(const std::function<void()>& command);
  void ShowState();
  void ShowCaption();
  // OK or Cancel once the changes are settled.
  void CloseWith(int result);

  TMessageBoxes& Messages_;
  TVpFormatDesigner Designer_;
  TVpPrintPreview Preview_;
  QListWidget* Formats_ = nullptr;
  QListWidget* Elements_ = nullptr;
  QPushButton* FormatEdit_ = nullptr;
  QPushButton* FormatDelete_ = nullptr;
  QPushButton* ElementNew_ = nullptr;
  QPushButton* ElementEdit_ = nullptr;
  QPushButton* ElementDelete_ = nullptr;
  QToolButton* Up_ = nullptr;
  QToolButton* Down_ = nullptr;
  TVpPrintPreviewWidget* PreviewWidget_ = nullptr;
};
