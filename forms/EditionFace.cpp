#include "forms/EditionFace.h"

#include <QLabel>
#include <QMetaProperty>

#include "calc/LawTexts.h"
#include "controls/NValEdit.h"

void TitleForEdition(QWidget* window, const tavenko::law::Edition& law) {
  window->setWindowTitle(
      QString::fromStdString(tavenko::calc::EditionTitle(window->windowTitle().toStdString(), law)));
}

TNValEdit* NewFieldLike(const TNValEdit* model, QWidget* parent, const QString& name, const QRect& geometry) {
  auto* field = new TNValEdit(parent);
  field->setObjectName(name);
  // The field's own settings (MaxDigits, EnterNext...), as Designer sets them.
  const QMetaObject& meta = TNValEdit::staticMetaObject;
  for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
    const QMetaProperty property = meta.property(i);
    property.write(field, property.read(model));
  }
  field->setCursor(model->cursor());
  field->setReadOnly(model->isReadOnly());
  field->setFocusPolicy(model->focusPolicy());
  field->setPalette(model->palette());
  field->setGeometry(geometry);
  return field;
}

QLabel* NewLabel(QWidget* parent, const QString& name, const QRect& geometry, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  return label;
}
