// TNValEdit: the numeric field of every window. A right-aligned one-line edit
// that holds an extended Value and shows it with grouping, a digit limit,
// fixed or free decimals and a colour for negatives.
//
// The widget is a façade over tavenko::field::FieldModel: it turns key,
// mouse, focus and clipboard events into model calls, copies the model's
// text and font colour onto the screen, and raises OnChange in one place
// (FinishChange) when the shown text has changed. The line edit itself never
// inserts or deletes a character.
//
// Windows call LoadNumericFields(this) right after setupUi: until then the
// fields only store their designed settings (in any order), show nothing and
// raise no OnChange.
#pragma once

#include <QChar>
#include <QColor>
#include <QFont>
#include <QLineEdit>

#include "controls/model/FieldModel.h"

class QMenu;

class TNValEdit : public QLineEdit, private tavenko::field::FieldHost {
  Q_OBJECT
  Q_PROPERTY(int MaxDigits READ MaxDigits WRITE setMaxDigits)
  Q_PROPERTY(bool PrmtNegative READ PrmtNegative WRITE setPrmtNegative)
  Q_PROPERTY(int FixDecimal READ FixDecimal WRITE setFixDecimal)
  Q_PROPERTY(bool DelAllClear READ DelAllClear WRITE setDelAllClear)
  Q_PROPERTY(QChar LeadingChar READ LeadingChar WRITE setLeadingChar)
  Q_PROPERTY(bool ZeroDisplay READ ZeroDisplay WRITE setZeroDisplay)
  Q_PROPERTY(bool PutAComma READ PutAComma WRITE setPutAComma)
  Q_PROPERTY(bool EnterNext READ EnterNext WRITE setEnterNext)
  Q_PROPERTY(bool ArrowNext READ ArrowNext WRITE setArrowNext)
  Q_PROPERTY(QColor MinusColor READ MinusColor WRITE setMinusColor)
  Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE setAutoSelect)

 public:
  explicit TNValEdit(QWidget* parent = nullptr);

  long double Value() const { return model_.Value(); }
  void setValue(long double v);

  // The designed properties below, all together.
  const tavenko::field::FieldSettings& Settings() const { return model_.Settings(); }
  int MaxDigits() const { return model_.Settings().maxDigits; }
  void setMaxDigits(int n);
  bool PrmtNegative() const { return model_.Settings().prmtNegative; }
  void setPrmtNegative(bool allowed);
  int FixDecimal() const { return model_.Settings().fixDecimal; }
  void setFixDecimal(int n);
  bool DelAllClear() const { return model_.Settings().delAllClear; }
  void setDelAllClear(bool on);
  QChar LeadingChar() const;
  void setLeadingChar(QChar ch);
  bool ZeroDisplay() const { return model_.Settings().zeroDisplay; }
  void setZeroDisplay(bool on);
  bool PutAComma() const { return model_.Settings().putAComma; }
  void setPutAComma(bool on);
  bool EnterNext() const { return model_.Settings().enterNext; }
  void setEnterNext(bool on);
  bool ArrowNext() const { return model_.Settings().arrowNext; }
  void setArrowNext(bool on);
  QColor MinusColor() const;
  void setMinusColor(const QColor& colour);
  // Entering the field by Tab, Enter or an arrow selects its figure.
  bool AutoSelect() const { return autoSelect_; }
  void setAutoSelect(bool on) { autoSelect_ = on; }

  // The font colour of non-negative values (the text colour of the palette).
  // Set it here or through the palette, not through a style sheet.
  QColor FontColor() const;
  void setFontColor(const QColor& colour);

  // Design mode, for a form designer hosting the field: inconsistent settings
  // beep and show their messages instead of being resolved silently.
  void setDesigning(bool designing) { model_.SetDesigning(designing); }
  bool Designing() const { return model_.Designing(); }

  // The form has applied the designed settings: shows the first real text
  // without raising OnChange and remembers the value for Escape.
  void Loaded();

  // The font the window gives the field. A figure too wide for the field at
  // that size is shown smaller, down to what fits, with the whole figure in
  // the field's tooltip; font() is then the smaller one.
  QFont DesignedFont() const { return designedFont_; }

  // The input method stays closed in the field: the platform is told it
  // takes no composed text, and numbers only.
  // (The platform asks through either form.)
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  Q_INVOKABLE QVariant inputMethodQuery(Qt::InputMethodQuery query, QVariant argument) const;

  // The typing state, for tests and for windows that need to know.
  const tavenko::field::FieldModel& Model() const { return model_; }

  // The edit menu of the field; its actions call the same handlers as the
  // keyboard shortcuts. The caller owns the menu.
  QMenu* CreateEditMenu();

 public slots:
  // Clipboard and undo, as the shortcuts and the edit menu run them.
  void CopyText();
  void PasteText();
  void CutText();
  void ClearText();
  void UndoText();

 signals:
  // Raised exactly when the shown text changes (never while the form is set up).
  void OnChange();

 protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void changeEvent(QEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  // FieldHost: what the model asks of the screen.
  void Beep() override;
  void Message(const std::string& text) override;
  void TextShown(const std::string& text) override;
  void SetFontColor(tavenko::field::Colour colour) override;

  // Runs one model operation, reports a design-time conflict, then raises
  // OnChange if the shown text changed.
  template <class Operation>
  void Drive(Operation operation);
  void FinishChange();
  void TextPutFromOutside();
  void TypeCharacter(QChar ch);
  bool HandleEditingKey(QKeyEvent* e);
  bool WantsKeyBeforeShortcuts(const QKeyEvent* e) const;
  void FitFigure();
  int FigureRoom() const;

  tavenko::field::FieldModel model_{this};
  bool textWatch_ = false;  // a text put in from outside is read back into Value
  bool doubleClicked_ = false;
  bool autoSelect_ = true;
  bool loadingOnChange_ = false;  // OnChange detached while the first text is shown
  QString announcedText_;         // the text the last OnChange announced
  QFont designedFont_;            // the font from the window (FitFigure shrinks a copy)
  bool fitting_ = false;          // FitFigure itself is changing the font
};

// Runs Loaded() on every TNValEdit below `window` (call after setupUi).
void LoadNumericFields(QWidget* window);
