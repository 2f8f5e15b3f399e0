#include "NValEdit.h"

#include "NumberText.h"

TNValEdit::TNValEdit(QWidget* parent) : QLineEdit(parent) { setAlignment(Qt::AlignRight | Qt::AlignVCenter); }

void TNValEdit::setValue(long double v) {
  value_ = v;
  const QString text = QString::fromStdString(
      tavenko::FormatFixed(v, fixDecimal_ < 0 ? 0 : fixDecimal_, putAComma_));
  if (text != this->text()) {
    setText(text);
    emit OnChange();
  }
}

void TNValEdit::Loaded() {
  const QSignalBlocker blocker(this);
  setValue(value_);
}

void LoadNumericFields(QWidget* window) {
  for (TNValEdit* field : window->findChildren<TNValEdit*>()) field->Loaded();
}
