#pragma once

#include <QGroupBox>
#include <QStringList>
#include <functional>

// The controls the format, element and shape editors share.

class QButtonGroup;
class QDialog;
class QLayout;
class QSpinBox;

// A framed group of radio buttons in columns, filled row by row; the chosen one is its index.
class TVpRadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  TVpRadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent = nullptr);

  // The chosen entry, or -1.
  int ItemIndex() const;
  // An index outside the entries chooses none.
  void SetItemIndex(int index);

 signals:
  void Chosen(int index);

 private:
  QButtonGroup* Buttons_ = nullptr;
};

// The four units of a date step as the editors' radio groups name them, in TVpDayUnits order.
QStringList DayUnitNames();
// An OK and a Cancel button at the right of the window's last row; Enter is OK (running
// `confirm`), Escape Cancel.
void AddOkCancel(QDialog& window, QLayout& layout, std::function<void()> confirm);
// A spin field over 0 to 100 that keeps a value read from a file outside that range.
QSpinBox* MakeSpinField(int value, QWidget* parent);
