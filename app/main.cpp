#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("タベンコ"));
  QWidget window;
  window.setWindowTitle(QStringLiteral("タベンコ　平成２９年版 　v5.9"));
  window.setFixedSize(714, 482);
  window.show();
  return QApplication::exec();
}
