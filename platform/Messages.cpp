#include "platform/Messages.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

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
bool toStandardError = false;
}  // namespace

void ShowMessage(QWidget* parent, const QString& text, MessageKind kind) {
  if (messageHook()) {
    messageHook()(text);
    return;
  }
  if (toStandardError) {
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(QApplication::applicationName()),
                 qUtf8Printable(QString(text).replace('\n', ' ')));
    return;
  }
  QMessageBox box(kind == MessageKind::Information ? QMessageBox::Information : QMessageBox::NoIcon,
                  QApplication::applicationName(), text, QMessageBox::Ok, parent);
  box.exec();
}

void SendMessagesToStandardError() { toStandardError = true; }

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
