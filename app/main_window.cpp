#include "app/main_window.h"

#include "app/program.h"

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
  setObjectName("Form1");
  setWindowTitle(kProgramTitle);
  resize(500, 560);
}
