#include "Messages.h"

#include <QApplication>
#include <QMessageBox>

namespace tavenko::platform {
namespace {
MessageHook& messageHook() {
  static MessageHook hook;
  return hook;
}
BeepHook& beepHook() {
  static BeepHook hook;
  return hook;
}
}  // namespace

void ShowMessage(QWidget* parent, const QString& text, MessageKind kind) {
  if (messageHook()) {
    messageHook()(text);
    return;
  }
  QMessageBox box(kind == MessageKind::Information ? QMessageBox::Information : QMessageBox::NoIcon,
                  QApplication::applicationName(), text, QMessageBox::Ok, parent);
  box.exec();
}

void Beep() {
  if (beepHook()) {
    beepHook()();
    return;
  }
  QApplication::beep();
}

void SetMessageHook(MessageHook hook) { messageHook() = std::move(hook); }
void SetBeepHook(BeepHook hook) { beepHook() = std::move(hook); }

}  // namespace tavenko::platform
