#include "controls/NValEdit.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <cmath>

#include "platform/Messages.h"

namespace platform = tavenko::platform;

namespace {

// The smallest size a figure is drawn at when it does not fit its field.
constexpr int kSmallestFigurePixels = 4;
// QLineEdit keeps this much free on either side of its text.
constexpr int kLineEditSideMargin = 2;
// After the text: one pixel QLineEdit always adds, one for the caret.
constexpr int kCaretRoom = 2;

}  // namespace

TNValEdit::TNValEdit(QWidget* parent) : QLineEdit(parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // A drop would insert text in the middle of the figure; figures arrive by
  // typing and pasting only.
  setAcceptDrops(false);
  model_.InitColours(palette().color(QPalette::Active, QPalette::Text).rgba());
  designedFont_ = font();
  connect(this, &QLineEdit::textChanged, this, &TNValEdit::TextPutFromOutside);
  connect(this, &QLineEdit::textChanged, this, &TNValEdit::FitFigure);
}

// ---- The one commit step ----------------------------------------------------

template <class Operation>
void TNValEdit::Drive(Operation operation) {
  try {
    operation();
  } catch (const tavenko::field::SettingConflict& conflict) {
    Message(conflict.what());  // design mode only: the value is unchanged
  }
  FinishChange();
}

void TNValEdit::FinishChange() {
  if (model_.IsLoading() || loadingOnChange_ || text() == announcedText_) return;
  announcedText_ = text();
  setModified(true);
  if (isReadOnly()) {
    // A result the program wrote: a screen reader announces the new figure.
    QAccessibleValueChangeEvent changed(this, announcedText_);
    QAccessible::updateAccessibility(&changed);
  }
  emit OnChange();
}

void TNValEdit::Loaded() {
  loadingOnChange_ = true;
  model_.Loaded();
  loadingOnChange_ = false;
  announcedText_ = text();
  textWatch_ = true;
}

void LoadNumericFields(QWidget* window) {
  for (TNValEdit* field : window->findChildren<TNValEdit*>()) field->Loaded();
}

void TNValEdit::showEvent(QShowEvent* e) {
  // A field shown before its window loaded it still comes alive.
  if (model_.IsLoading()) Loaded();
  QLineEdit::showEvent(e);
}

// ---- FieldHost --------------------------------------------------------------

void TNValEdit::Beep() { platform::Beep(); }

void TNValEdit::Message(const std::string& text) {
  platform::ShowMessage(this, QString::fromStdString(text));
}

void TNValEdit::TextShown(const std::string& text) {
  const QString shown = QString::fromStdString(text);
  textWatch_ = false;
  setText(shown);  // also drops the selection
  textWatch_ = true;
  setCursorPosition(static_cast<int>(shown.size()));
}

void TNValEdit::SetFontColor(tavenko::field::Colour colour) {
  QPalette p = palette();
  p.setColor(QPalette::Text, QColor::fromRgba(colour));
  setPalette(p);
}

// ---- Properties -------------------------------------------------------------

void TNValEdit::setValue(long double v) {
  model_.ForgetUndo();
  Drive([&] { model_.SetValue(v); });
}
void TNValEdit::setMaxDigits(int n) {
  Drive([&] { model_.SetMaxDigits(n); });
}
void TNValEdit::setPrmtNegative(bool allowed) {
  Drive([&] { model_.SetPrmtNegative(allowed); });
}
void TNValEdit::setFixDecimal(int n) {
  Drive([&] { model_.SetFixDecimal(n); });
}
void TNValEdit::setDelAllClear(bool on) { model_.SetDelAllClear(on); }
QChar TNValEdit::LeadingChar() const { return QChar(static_cast<char16_t>(model_.Settings().leadingChar)); }
void TNValEdit::setLeadingChar(QChar ch) {
  Drive([&] { model_.SetLeadingChar(ch.unicode()); });
}
void TNValEdit::setZeroDisplay(bool on) {
  Drive([&] { model_.SetZeroDisplay(on); });
}
void TNValEdit::setPutAComma(bool on) {
  Drive([&] { model_.SetPutAComma(on); });
}
void TNValEdit::setEnterNext(bool on) { model_.SetEnterNext(on); }
void TNValEdit::setArrowNext(bool on) { model_.SetArrowNext(on); }
QColor TNValEdit::MinusColor() const { return QColor::fromRgba(model_.MinusColor()); }
void TNValEdit::setMinusColor(const QColor& colour) {
  Drive([&] { model_.SetMinusColor(colour.rgba()); });
}

QColor TNValEdit::FontColor() const { return palette().color(QPalette::Active, QPalette::Text); }
void TNValEdit::setFontColor(const QColor& colour) {
  QPalette p = palette();
  p.setColor(QPalette::Text, colour);
  setPalette(p);  // reaches changeEvent as an outside change
}

void TNValEdit::changeEvent(QEvent* e) {
  QLineEdit::changeEvent(e);
  if (e->type() == QEvent::PaletteChange) model_.FontColorChanged(FontColor().rgba());
  if (e->type() == QEvent::ReadOnlyChange) {
    // A result field looks like one: the window's colour behind the figure.
    // A typed field keeps the ground its window gives fields.
    QPalette p = palette();
    const QPalette around = parentWidget() ? parentWidget()->palette() : QGuiApplication::palette();
    p.setColor(QPalette::Base, isReadOnly() ? p.color(QPalette::Window) : around.color(QPalette::Base));
    setPalette(p);
  }
  if (e->type() == QEvent::FontChange && !fitting_) {
    designedFont_ = font();
    FitFigure();
  }
}

void TNValEdit::resizeEvent(QResizeEvent* e) {
  QLineEdit::resizeEvent(e);
  FitFigure();
}

// ---- A figure wider than the field ------------------------------------------

// The width the text may take without the line edit scrolling it.
int TNValEdit::FigureRoom() const {
  QStyleOptionFrame panel;
  initStyleOption(&panel);
  const QRect contents =
      style()->subElementRect(QStyle::SE_LineEditContents, &panel, this).marginsRemoved(textMargins());
  return contents.width() - 2 * kLineEditSideMargin - kCaretRoom;
}

// A right-aligned figure too wide for the field would scroll to the caret at
// its end and lose its leading digits. It is shown in the largest smaller
// size that fits instead, with the whole figure in the tooltip; a figure
// that fits again gets the designed font back.
void TNValEdit::FitFigure() {
  const QString shown = text();
  const int room = FigureRoom();
  const int designedPixels = QFontInfo(designedFont_).pixelSize();
  QFont fitted = designedFont_;
  int pixels = designedPixels;
  while (pixels > kSmallestFigurePixels && std::ceil(QFontMetricsF(fitted).horizontalAdvance(shown)) > room)
    fitted.setPixelSize(--pixels);
  const bool shrunk = pixels < designedPixels;
  const QFont wanted = shrunk ? fitted : designedFont_;
  if (font() != wanted) {
    fitting_ = true;
    setFont(wanted);
    fitting_ = false;
  }
  // Set only when it changes: every change is announced to the screen reader.
  if (const QString tip = shrunk ? shown : QString(); toolTip() != tip) setToolTip(tip);
}

// A text put into the field by someone else (setText) is read back into
// Value and shown in the field's own form.
void TNValEdit::TextPutFromOutside() {
  if (!textWatch_) return;
  const std::string put = text().toStdString();
  model_.ForgetUndo();
  Drive([&] { model_.SetValue(model_.ParseText(put)); });
}

// ---- Keys -------------------------------------------------------------------

bool TNValEdit::WantsKeyBeforeShortcuts(const QKeyEvent* e) const {
  switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: return EnterNext();  // otherwise the window's default and cancel buttons come first
    case Qt::Key_Up:
    case Qt::Key_Down: return ArrowNext();
    default: return false;
  }
}

bool TNValEdit::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride && WantsKeyBeforeShortcuts(static_cast<QKeyEvent*>(e))) {
    e->accept();
    return true;
  }
  return QLineEdit::event(e);
}

void TNValEdit::keyPressEvent(QKeyEvent* e) {
  // Standard sequences first, then editing keys, then characters.
  if (e->matches(QKeySequence::Copy)) return CopyText();
  if (e->matches(QKeySequence::Paste)) return PasteText();
  if (e->matches(QKeySequence::Cut)) return CutText();
  if (e->matches(QKeySequence::Undo)) return UndoText();
  if (e->matches(QKeySequence::Redo)) return;
  if (e->matches(QKeySequence::SelectAll)) return selectAll();
  if (HandleEditingKey(e)) return;

  const QString typed = e->text();
  const bool commandKey = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (!typed.isEmpty() && !commandKey && typed.front().isPrint()) {
    for (QChar ch : typed) TypeCharacter(ch);
    return;
  }
  e->ignore();  // shortcuts and mnemonics of the window
}

bool TNValEdit::HandleEditingKey(QKeyEvent* e) {
  const bool editable = !isReadOnly();
  switch (e->key()) {
    case Qt::Key_Backspace:
      if (editable) Drive([&] { model_.Backspace(hasSelectedText()); });
      return true;
    case Qt::Key_Delete:
      // Never a single character: the whole figure or nothing.
      if (editable) Drive([&] { model_.Delete(hasSelectedText()); });
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (EnterNext())
        focusNextChild();
      else
        QLineEdit::keyPressEvent(e);  // returnPressed, then on to the window
      return true;
    case Qt::Key_Escape:
      if (editable)
        Drive([&] { model_.Escape(); });
      else
        e->ignore();
      return true;
    case Qt::Key_Home: selectAll(); return true;
    case Qt::Key_Left: return true;  // the caret stays at the end
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (ArrowNext())
        e->key() == Qt::Key_Up ? focusPreviousChild() : focusNextChild();
      else
        e->ignore();
      return true;
    case Qt::Key_Right:
    case Qt::Key_End:
      QLineEdit::keyPressEvent(e);  // moves or extends the selection only
      return true;
    default: return false;
  }
}

void TNValEdit::TypeCharacter(QChar ch) {
  if (isReadOnly()) return;  // swallowed without a beep
  const bool selected = hasSelectedText();
  Drive([&] { model_.TypeCharacter(ch.unicode(), selected); });
}

// Figures are typed as plain keys, whatever state the user's input method
// is in: the field takes no composed text, and says it takes numbers only.
QVariant TNValEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
  return inputMethodQuery(query, QVariant());
}

QVariant TNValEdit::inputMethodQuery(Qt::InputMethodQuery query, QVariant argument) const {
  switch (query) {
    case Qt::ImEnabled: return false;
    case Qt::ImHints: {
      const bool digitsOnly = !PrmtNegative() && FixDecimal() == 0;
      const Qt::InputMethodHints hints = (digitsOnly ? Qt::ImhDigitsOnly : Qt::ImhFormattedNumbersOnly) |
                                         Qt::ImhPreferNumbers | Qt::ImhNoPredictiveText;
      return static_cast<int>(hints);
    }
    default: return QLineEdit::inputMethodQuery(query, argument);
  }
}

// Should an input method still commit text, it is typed like keys.
void TNValEdit::inputMethodEvent(QInputMethodEvent* e) {
  for (QChar ch : e->commitString()) TypeCharacter(ch);
  e->accept();
}

// ---- Focus ------------------------------------------------------------------

void TNValEdit::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  if (e->reason() == Qt::PopupFocusReason) return;  // back from the edit menu
  // The input method closes: it is asked again whether the field takes
  // composed text (it does not), and drops whatever it was composing.
  QInputMethod* inputMethod = QGuiApplication::inputMethod();
  inputMethod->update(Qt::ImEnabled | Qt::ImHints);
  inputMethod->reset();
  model_.FocusGained();
  const bool clickActivated = e->reason() == Qt::MouseFocusReason;
  if (autoSelect_ && !clickActivated)
    selectAll();  // the next digit replaces the figure
  else
    setCursorPosition(static_cast<int>(text().size()));
}

void TNValEdit::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  if (e->reason() == Qt::PopupFocusReason) return;  // the edit menu opened
  Drive([&] { model_.FocusLost(); });
}

// ---- Mouse ------------------------------------------------------------------

void TNValEdit::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::MiddleButton) return;  // the selection paste runs at release
  QLineEdit::mousePressEvent(e);
}

void TNValEdit::mouseDoubleClickEvent(QMouseEvent* e) {
  QLineEdit::mouseDoubleClickEvent(e);
  // The figure has no blanks, so it is one word: a double click selects all
  // of it (sign and separators included), not the digits between two commas,
  // so that copy and cut take the whole figure.
  if (e->button() == Qt::LeftButton) selectAll();
  doubleClicked_ = true;
}

void TNValEdit::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::MiddleButton) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!isReadOnly() && clipboard->supportsSelection()) {
      const QString selection = clipboard->text(QClipboard::Selection);
      Drive([&] { model_.Paste(selection.toStdString()); });
    }
    return;
  }
  QLineEdit::mouseReleaseEvent(e);
  if (e->button() != Qt::LeftButton) return;
  if (!doubleClicked_) {
    // A click leaves the caret at the end; a whole selection stays whole.
    const int length = static_cast<int>(text().size());
    if (length > 0 && selectionStart() == 0 && selectedText().size() == length)
      selectAll();
    else
      setCursorPosition(length);
  }
  doubleClicked_ = false;
}

// ---- Clipboard, undo and the edit menu ----------------------------------------

void TNValEdit::CopyText() {
  if (hasSelectedText()) QGuiApplication::clipboard()->setText(selectedText());
}

void TNValEdit::PasteText() {
  if (isReadOnly()) return;
  // The clipboard's text replaces the whole figure; anything else gives 0.
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  std::optional<std::string> pasted;
  if (data && data->hasText()) pasted = data->text().toStdString();
  Drive([&] { model_.Paste(pasted); });
}

void TNValEdit::CutText() {
  if (isReadOnly() || !hasSelectedText()) return;
  CopyText();
  Drive([&] { model_.ClearValue(); });
}

void TNValEdit::ClearText() {
  if (isReadOnly() || !hasSelectedText()) return;
  Drive([&] { model_.ClearValue(); });
}

void TNValEdit::UndoText() {
  if (isReadOnly()) return;
  Drive([&] { model_.Undo(); });
}

QMenu* TNValEdit::CreateEditMenu() {
  auto* menu = new QMenu(this);
  const bool editable = !isReadOnly();
  const bool selected = hasSelectedText();
  const auto add = [&](const char* name, const QString& label, QKeySequence::StandardKey key, bool enabled,
                       void (TNValEdit::*handler)()) {
    const QString shortcut = QKeySequence(key).toString(QKeySequence::NativeText);
    QAction* action = menu->addAction(shortcut.isEmpty() ? label : label + '\t' + shortcut);
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(enabled);
    connect(action, &QAction::triggered, this, handler);
  };
  add("UndoAction", QStringLiteral("元に戻す(&U)"), QKeySequence::Undo, editable && model_.CanUndo(),
      &TNValEdit::UndoText);
  menu->addSeparator();
  add("CutAction", QStringLiteral("切り取り(&T)"), QKeySequence::Cut, editable && selected,
      &TNValEdit::CutText);
  add("CopyAction", QStringLiteral("コピー(&C)"), QKeySequence::Copy, selected, &TNValEdit::CopyText);
  add("PasteAction", QStringLiteral("貼り付け(&P)"), QKeySequence::Paste, editable, &TNValEdit::PasteText);
  add("DeleteAction", QStringLiteral("削除(&D)"), QKeySequence::Delete, editable && selected,
      &TNValEdit::ClearText);
  menu->addSeparator();
  QAction* selectAllAction = menu->addAction(QStringLiteral("すべて選択(&A)"), this, &QLineEdit::selectAll);
  selectAllAction->setObjectName(QStringLiteral("SelectAllAction"));
  selectAllAction->setEnabled(!text().isEmpty());
  return menu;
}

void TNValEdit::contextMenuEvent(QContextMenuEvent* e) {
  QMenu* menu = CreateEditMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(e->globalPos());
}
