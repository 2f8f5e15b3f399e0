#include "forms/EditionFace.h"

#include <QLabel>
#include <QMetaProperty>

#include "controls/NValEdit.h"

void TitleForEdition(QWidget* window, const tavenko::law::Edition& law) {
  if (&law == tavenko::law::Editions().front()) return;  // the specified edition: the designed title
  window->setWindowTitle(window->windowTitle() + QStringLiteral("　") +
                         QString::fromUtf8(law.titleName.data(), qsizetype(law.titleName.size())));
}

TNValEdit* NewFieldLike(const TNValEdit* model, QWidget* parent, const QString& name, const QRect& geometry,
                        const QString& accessibleName) {
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
  field->setAccessibleName(accessibleName);
  return field;
}

QLabel* NewLabel(QWidget* parent, const QString& name, const QRect& geometry, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  return label;
}
