// The yardstick for the program's start-up: an empty Qt Widgets window of the
// main window's size, shown as soon as the application exists.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(714, 482);  // the main window, narrow
  window.show();
  return QApplication::exec();
}
