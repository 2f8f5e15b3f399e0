// TNValEdit: the numeric field of every window. A right-aligned one-line edit
// that holds an extended Value and shows it with grouping, a digit limit,
// fixed or free decimals and a colour for negatives.
//
// (Placeholder: the full field lands with its own change; the public face
// below is what the windows use.)
#pragma once

#include <QColor>
#include <QLineEdit>

class TNValEdit : public QLineEdit {
  Q_OBJECT
  Q_PROPERTY(int MaxDigits READ MaxDigits WRITE setMaxDigits)
  Q_PROPERTY(bool PrmtNegative READ PrmtNegative WRITE setPrmtNegative)
  Q_PROPERTY(int FixDecimal READ FixDecimal WRITE setFixDecimal)
  Q_PROPERTY(bool DelAllClear READ DelAllClear WRITE setDelAllClear)
  Q_PROPERTY(bool ZeroDisplay READ ZeroDisplay WRITE setZeroDisplay)
  Q_PROPERTY(bool PutAComma READ PutAComma WRITE setPutAComma)
  Q_PROPERTY(bool EnterNext READ EnterNext WRITE setEnterNext)
  Q_PROPERTY(bool ArrowNext READ ArrowNext WRITE setArrowNext)
  Q_PROPERTY(QColor MinusColor READ MinusColor WRITE setMinusColor)

 public:
  explicit TNValEdit(QWidget* parent = nullptr);

  long double Value() const { return value_; }
  void setValue(long double v);

  int MaxDigits() const { return maxDigits_; }
  void setMaxDigits(int n) { maxDigits_ = n; }
  bool PrmtNegative() const { return prmtNegative_; }
  void setPrmtNegative(bool b) { prmtNegative_ = b; }
  int FixDecimal() const { return fixDecimal_; }
  void setFixDecimal(int n) { fixDecimal_ = n; }
  bool DelAllClear() const { return delAllClear_; }
  void setDelAllClear(bool b) { delAllClear_ = b; }
  bool ZeroDisplay() const { return zeroDisplay_; }
  void setZeroDisplay(bool b) { zeroDisplay_ = b; }
  bool PutAComma() const { return putAComma_; }
  void setPutAComma(bool b) { putAComma_ = b; }
  bool EnterNext() const { return enterNext_; }
  void setEnterNext(bool b) { enterNext_ = b; }
  bool ArrowNext() const { return arrowNext_; }
  void setArrowNext(bool b) { arrowNext_ = b; }
  QColor MinusColor() const { return minusColor_; }
  void setMinusColor(const QColor& c) { minusColor_ = c; }

  // Called once the window has applied the designed settings (after setupUi):
  // shows the first real text without raising OnChange.
  void Loaded();

 signals:
  // Raised exactly when the shown text changes.
  void OnChange();

 private:
  long double value_ = 0;
  int maxDigits_ = 9;
  bool prmtNegative_ = true;
  int fixDecimal_ = -1;
  bool delAllClear_ = false;
  bool zeroDisplay_ = false;
  bool putAComma_ = true;
  bool enterNext_ = false;
  bool arrowNext_ = false;
  QColor minusColor_;
};

// Runs Loaded() on every TNValEdit below `window` (call after setupUi).
void LoadNumericFields(QWidget* window);
