// The yardsticks for the program's start-up: an empty Qt Widgets window of
// the main window's size, shown as soon as the application exists; with
// --text, one line of Japanese in it, which is the least a window of the
// program draws (the fonts and the font configuration are read for it).
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(714, 482);  // the main window, narrow
  if (QApplication::arguments().contains(QStringLiteral("--text"))) {
    auto* line = new QLabel(QStringLiteral("所得税の計算をする場合は所得金額を"), &window);
    line->move(56, 32);
  }
  window.show();
  return QApplication::exec();
}
