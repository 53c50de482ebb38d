#include <QApplication>
#include <QLabel>
#include <QMainWindow>

// The floor of a first paint: a main window of the same size as the organizer's with one label,
// started the same way (see bench/first_paint.py).
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle("Bare Window");
  window.setCentralWidget(new QLabel("bare"));
  window.resize(1000, 800);
  window.show();
  return app.exec();
}
