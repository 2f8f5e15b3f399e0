// Message boxes and the beep, routed through one place so that tests can see
// what the user would be shown without a modal box blocking them.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace tavenko::platform {

enum class MessageKind { Plain, Information };

// A modal message box with an OK button, titled with the application title.
void ShowMessage(QWidget* parent, const QString& text, MessageKind kind = MessageKind::Plain);

// From now on messages are written to standard error instead of shown:
// while the program ends on a signal, no one is there to answer a box.
void SendMessagesToStandardError();

// The platform's default message beep.
void Beep();

// For tests: while a hook is set, messages and beeps go to it instead of the
// screen and the speaker. Pass an empty function to restore the real ones.
using MessageHook = std::function<void(const QString& text)>;
using BeepHook = std::function<void()>;
void SetMessageHook(MessageHook hook);
void SetBeepHook(BeepHook hook);

}  // namespace tavenko::platform
