// The numeric field under real key, mouse, focus and clipboard events.
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QInputMethod>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleHints>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

#include "controls/NValEdit.h"
#include "platform/Fonts.h"
#include "platform/Messages.h"

namespace platform = tavenko::platform;

// A window with fields in tab order, shown and active, beeps and messages
// counted instead of sounded and shown.
struct FieldWindow {
  QDialog window;
  QList<TNValEdit*> fields;
  QPushButton* okButton = nullptr;
  int beeps = 0;
  QStringList messages;

  explicit FieldWindow(int count = 3) {
    auto* layout = new QVBoxLayout(&window);
    for (int i = 0; i < count; ++i) {
      auto* field = new TNValEdit(&window);
      field->setObjectName(QStringLiteral("NValEdit%1").arg(i + 1));
      field->setMaxDigits(12);
      field->setFixDecimal(0);
      layout->addWidget(field);
      fields << field;
    }
    okButton = new QPushButton(QStringLiteral("OK"), &window);
    okButton->setDefault(true);
    layout->addWidget(okButton);
    LoadNumericFields(&window);
    platform::SetBeepHook([this] { ++beeps; });
    platform::SetMessageHook([this](const QString& text) { messages << text; });
  }
  ~FieldWindow() {
    platform::SetBeepHook({});
    platform::SetMessageHook({});
  }
  bool Show() {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
  }
};

// Keys as text: characters are typed; "<" Backspace, "#" Delete, "!" Escape,
// "^" Home (selects all).
void Press(QWidget* target, const QString& keys) {
  for (QChar key : keys) {
    switch (key.unicode()) {
      case '<': QTest::keyClick(target, Qt::Key_Backspace); break;
      case '#': QTest::keyClick(target, Qt::Key_Delete); break;
      case '!': QTest::keyClick(target, Qt::Key_Escape); break;
      case '^': QTest::keyClick(target, Qt::Key_Home); break;
      default: QTest::keyClick(target, key.toLatin1());
    }
  }
}

class NumericFieldKeysTest : public QObject {
  Q_OBJECT

 private slots:
  void typing_data();
  void typing();
  void tabInSelectsClickInDoesNot();
  void enterMovesFocusWithEnterNextElseReachesTheDefaultButton();
  void arrowsMoveFocusWithArrowNext();
  void leftIsIgnoredAndHomeSelects();
  void focusLossNormalisesAndSavesForEscape();
  void doubleClickKeepsTheSelection();
  void pasteReadsFullWidthTextAndGivesZeroForAPicture();
  void hugePastesAreRefusedAtOnce_data();
  void hugePastesAreRefusedAtOnce();
  void cutUndoAndDeleteThroughKeysAndMenu();
  void readOnlyFieldRefusesEditsButCopies();
  void inputMethodIsOffWhileFocused();
  void inputMethodIsToldTheFieldTakesNoComposedText();
  void onChangeOnlyWhenTheShownTextChanges();
  void textPutFromOutsideIsReformatted();
  void coloursOfNegatives();
  void designModeReportsConflicts();
  void displayDemo();
};

// Flags: Z zero shown, N negatives refused, C Delete clears all, R read-only.
void NumericFieldKeysTest::typing_data() {
  QTest::addColumn<int>("maxDigits");
  QTest::addColumn<int>("fixDecimal");
  QTest::addColumn<QString>("flags");
  QTest::addColumn<double>("start");
  QTest::addColumn<QString>("keys");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("beeps");

  // clang-format off
  QTest::newRow("digits enter grouped") << 12 << 0 << "" << 0.0 << "1234" << "1,234" << 0;
  QTest::newRow("thirteenth digit beeps") << 12 << 0 << "" << 0.0 << "1234567890123" << "123,456,789,012" << 1;
  QTest::newRow("point refused without decimals") << 12 << 0 << "" << 0.0 << "1." << "1" << 1;
  QTest::newRow("rate field: third integer digit") << 4 << 2 << "" << 0.0 << "123" << "12" << 1;
  QTest::newRow("rate field: decimals") << 4 << 2 << "" << 0.0 << "12.34" << "12.34" << 0;
  QTest::newRow("rate field: a decimal too many") << 4 << 2 << "" << 0.0 << "12.345" << "12.34" << 1;
  QTest::newRow("head count") << 2 << 0 << "" << 0.0 << "999" << "99" << 1;
  QTest::newRow("shown zero replaced") << 12 << 0 << "Z" << 0.0 << "5" << "5" << 0;
  QTest::newRow("digits at the right end") << 12 << 0 << "" << 1234.0 << "7" << "12,347" << 0;
  QTest::newRow("minus alone") << 12 << 0 << "" << 0.0 << "-" << "-" << 0;
  QTest::newRow("minus before zero shown") << 12 << 0 << "Z" << 0.0 << "-" << "-0" << 0;
  QTest::newRow("minus then digit") << 12 << 0 << "" << 0.0 << "-5" << "-5" << 0;
  QTest::newRow("minus again") << 12 << 0 << "" << 0.0 << "-5-" << "5" << 0;
  QTest::newRow("minus flips a shown figure") << 12 << 0 << "" << 1234.0 << "-" << "-1,234" << 0;
  QTest::newRow("minus refused") << 12 << 0 << "N" << 0.0 << "-5" << "5" << 1;
  QTest::newRow("point and decimal") << 9 << -1 << "" << 0.0 << "1.5" << "1.5" << 0;
  QTest::newRow("second point") << 9 << -1 << "" << 0.0 << "1.." << "1." << 1;
  QTest::newRow("backspace takes point and digit") << 9 << -1 << "" << 0.0 << "12.<" << "1" << 0;
  QTest::newRow("backspace a decimal") << 9 << -1 << "" << 0.0 << "1.25<" << "1.2" << 0;
  QTest::newRow("backspace to empty") << 12 << 0 << "" << 0.0 << "7<" << "" << 0;
  QTest::newRow("backspace the last negative digit") << 12 << 0 << "" << 0.0 << "-5<" << "" << 0;
  QTest::newRow("backspace a shown figure") << 12 << 0 << "" << 1234.0 << "<" << "123" << 0;
  QTest::newRow("delete without selection") << 12 << 0 << "" << 1234.0 << "#" << "1,234" << 0;
  QTest::newRow("delete with selection") << 12 << 0 << "" << 1234.0 << "^#" << "" << 0;
  QTest::newRow("delete clears all") << 12 << 0 << "C" << 1234.0 << "#" << "" << 0;
  QTest::newRow("escape restores") << 12 << 0 << "" << 1234.0 << "99!" << "1,234" << 0;
  QTest::newRow("letters and spaces swallowed") << 12 << 0 << "" << 0.0 << "1a 2" << "12" << 0;
  QTest::newRow("read-only swallows") << 12 << 0 << "R" << 1234.0 << "5-.<#!" << "1,234" << 0;
  // clang-format on
}

void NumericFieldKeysTest::typing() {
  QFETCH(int, maxDigits);
  QFETCH(int, fixDecimal);
  QFETCH(QString, flags);
  QFETCH(double, start);
  QFETCH(QString, keys);
  QFETCH(QString, text);
  QFETCH(int, beeps);

  FieldWindow w;
  TNValEdit* field = w.fields[0];
  field->setMaxDigits(maxDigits);
  field->setFixDecimal(fixDecimal);
  field->setZeroDisplay(flags.contains('Z'));
  field->setPrmtNegative(!flags.contains('N'));
  field->setDelAllClear(flags.contains('C'));
  field->setReadOnly(flags.contains('R'));
  field->setValue(start);
  QVERIFY(w.Show());
  QTest::mouseClick(field, Qt::LeftButton);  // caret at the end, nothing selected
  QVERIFY(field->hasFocus());
  QVERIFY(!field->hasSelectedText());

  Press(field, keys);
  QCOMPARE(field->text(), text);
  QCOMPARE(w.beeps, beeps);
  QCOMPARE(field->cursorPosition(), field->text().size());
}

void NumericFieldKeysTest::tabInSelectsClickInDoesNot() {
  FieldWindow w;
  TNValEdit* first = w.fields[0];
  TNValEdit* second = w.fields[1];
  second->setValue(1234);
  QVERIFY(w.Show());

  first->setFocus();
  QTest::keyClick(first, Qt::Key_Tab);
  QVERIFY(second->hasFocus());
  QCOMPARE(second->selectedText(), QStringLiteral("1,234"));
  QTest::keyClick(second, '7');
  QCOMPARE(second->text(), QStringLiteral("7"));

  second->setValue(1234);
  QTest::mouseClick(first, Qt::LeftButton);
  QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(5, second->height() / 2));
  QVERIFY(second->hasFocus());
  QVERIFY(!second->hasSelectedText());
  QCOMPARE(second->cursorPosition(), 5);
  QTest::keyClick(second, '7');
  QCOMPARE(second->text(), QStringLiteral("12,347"));
}

void NumericFieldKeysTest::enterMovesFocusWithEnterNextElseReachesTheDefaultButton() {
  FieldWindow w;
  w.fields[0]->setEnterNext(true);
  w.fields[1]->setValue(55);
  QSignalSpy okClicks(w.okButton, &QPushButton::clicked);
  QVERIFY(w.Show());

  w.fields[0]->setFocus();
  QTest::keyClick(w.fields[0], Qt::Key_Return);
  QVERIFY(w.fields[1]->hasFocus());
  QCOMPARE(w.fields[1]->selectedText(), QStringLiteral("55"));  // entered by Enter: selected
  QCOMPARE(okClicks.count(), 0);

  QTest::keyClick(w.fields[1], Qt::Key_Return);
  QCOMPARE(okClicks.count(), 1);
}

void NumericFieldKeysTest::arrowsMoveFocusWithArrowNext() {
  FieldWindow w;
  w.fields[1]->setArrowNext(true);
  QVERIFY(w.Show());
  w.fields[1]->setFocus();
  QTest::keyClick(w.fields[1], Qt::Key_Down);
  QVERIFY(w.fields[2]->hasFocus());
  QTest::keyClick(w.fields[2], Qt::Key_Up);  // no ArrowNext here: stays
  QVERIFY(w.fields[2]->hasFocus());
  w.fields[1]->setFocus();
  QTest::keyClick(w.fields[1], Qt::Key_Up);
  QVERIFY(w.fields[0]->hasFocus());
}

void NumericFieldKeysTest::leftIsIgnoredAndHomeSelects() {
  FieldWindow w;
  TNValEdit* field = w.fields[0];
  field->setValue(1234);
  QVERIFY(w.Show());
  QTest::mouseClick(field, Qt::LeftButton);
  QTest::keyClick(field, Qt::Key_Left);
  QCOMPARE(field->cursorPosition(), 5);
  QTest::keyClick(field, Qt::Key_Home);
  QCOMPARE(field->selectedText(), QStringLiteral("1,234"));
}

void NumericFieldKeysTest::focusLossNormalisesAndSavesForEscape() {
  FieldWindow w;
  TNValEdit* field = w.fields[0];
  field->setFixDecimal(-1);
  field->setMaxDigits(9);
  QVERIFY(w.Show());
  QTest::mouseClick(field, Qt::LeftButton);
  Press(field, "12.");
  QCOMPARE(field->text(), QStringLiteral("12."));
  QTest::keyClick(field, Qt::Key_Tab);
  QCOMPARE(field->text(), QStringLiteral("12"));

  QTest::mouseClick(field, Qt::LeftButton);
  Press(field, "-");
  QTest::keyClick(field, Qt::Key_Tab);
  QTest::mouseClick(field, Qt::LeftButton);
  QCOMPARE(field->Value(), -12.0L);
  Press(field, "3!");  // back to the value at the last focus change
  QCOMPARE(field->text(), QStringLiteral("-12"));
}

void NumericFieldKeysTest::doubleClickKeepsTheSelection() {
  FieldWindow w;
  TNValEdit* field = w.fields[0];
  field->setValue(-1234567);
  QVERIFY(w.Show());
  QTest::mouseClick(field, Qt::LeftButton);
  // On a real display the double click is followed by its release.
  const QPoint lastDigit(field->width() - 12, field->height() / 2);
  QTest::mouseDClick(field, Qt::LeftButton, {}, lastDigit);
  QTest::mouseRelease(field, Qt::LeftButton, {}, lastDigit);
  // The whole figure, so that a copy or a cut takes all of it.
  QCOMPARE(field->selectedText(), QStringLiteral("-1,234,567"));
  QTest::keyClick(field, '8');  // a selection means a new figure
  QCOMPARE(field->text(), QStringLiteral("8"));

  // A partial drag selection is dropped at release.
  field->setValue(1234567);
  const int y = field->height() / 2;
  const int afterDoubleClick = QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50;
  QTest::mousePress(field, Qt::LeftButton, {}, QPoint(field->width() - 30, y), afterDoubleClick);
  QTest::mouseMove(field, QPoint(field->width() - 5, y));
  QTest::mouseRelease(field, Qt::LeftButton, {}, QPoint(field->width() - 5, y));
  QVERIFY(!field->hasSelectedText());
  QCOMPARE(field->cursorPosition(), field->text().size());
}

void NumericFieldKeysTest::pasteReadsFullWidthTextAndGivesZeroForAPicture() {
  FieldWindow w;
  TNValEdit* field = w.fields[0];
  field->setValue(99);
  QVERIFY(w.Show());
  QTest::mouseClick(field, Qt::LeftButton);
  QClipboard* clipboard = QGuiApplication::clipboard();

  clipboard->setText(QStringLiteral("１２，３４５"));
  QTest::keySequence(field, QKeySequence::Paste);
  QCOMPARE(field->Value(), 12345.0L);  // the whole figure, not inserted at the caret
  QCOMPARE(field->text(), QStringLiteral("12,345"));

  QImage picture(4, 4, QImage::Format_RGB32);
  picture.fill(Qt::red);
  clipboard->setImage(picture);
  QTest::keySequence(field, QKeySequence::Paste);
  QCOMPARE(field->Value(), 0.0L);

  clipboard->setText(QStringLiteral("－７，０００"));
  std::unique_ptr<QMenu> menu(field->CreateEditMenu());
  menu->findChild<QAction*>(QStringLiteral("PasteAction"))->trigger();
  QCOMPARE(field->text(), QStringLiteral("-7,000"));

  clipboard->setText(QStringLiteral("12a"));
  QTest::keySequence(field, QKeySequence::Paste);
  QCOMPARE(field->Value(), 0.0L);
}

void NumericFieldKeysTest::hugePastesAreRefusedAtOnce_data() {
  QTest::addColumn<QString>("clipboard");
  QTest::addColumn<double>("value");
  QTest::newRow("1,000,000 blanks then 5") << QString(1000000, ' ') + '5' << 0.0;
  QTest::newRow("1,000,000 digits") << QString(1000000, '7') << 0.0;
  QTest::newRow("300,000 blanks then 5") << QString(300000, ' ') + '5' << 0.0;
  QTest::newRow("a figure in 200 blanks") << QString(100, ' ') + "1,234" + QString(100, ' ') << 1234.0;
}

// Pasting a huge text keeps the window responsive: the field refuses it at
// once, as it refuses any text that is no figure.
void NumericFieldKeysTest::hugePastesAreRefusedAtOnce() {
  QFETCH(QString, clipboard);
  QFETCH(double, value);
  FieldWindow w;
  TNValEdit* field = w.fields[0];
  field->setValue(99);
  QVERIFY(w.Show());
  QTest::mouseClick(field, Qt::LeftButton);
  QGuiApplication::clipboard()->setText(clipboard);
  QElapsedTimer clock;
  clock.start();
  QTest::keySequence(field, QKeySequence::Paste);
  const qint64 elapsed = clock.nsecsElapsed() / 1000;
  qInfo("paste of %lld characters: %lld µs", qint64(clipboard.size()), elapsed);
  QCOMPARE(double(field->Value()), value);
  QVERIFY2(elapsed < 200000, qPrintable(QString::number(elapsed)));
}

void NumericFieldKeysTest::cutUndoAndDeleteThroughKeysAndMenu() {
  FieldWindow w;
  TNValEdit* field = w.fields[0];
  field->setValue(1234);
  QVERIFY(w.Show());
  QTest::mouseClick(field, Qt::LeftButton);
  QClipboard* clipboard = QGuiApplication::clipboard();

  QTest::keySequence(field, QKeySequence::Cut);  // nothing selected: nothing cut
  QCOMPARE(field->Value(), 1234.0L);

  QTest::keyClick(field, Qt::Key_Home);
  QTest::keySequence(field, QKeySequence::Cut);
  QCOMPARE(clipboard->text(), QStringLiteral("1,234"));
  QCOMPARE(field->Value(), 0.0L);
  QTest::keySequence(field, QKeySequence::Undo);
  QCOMPARE(field->Value(), 1234.0L);
  QTest::keySequence(field, QKeySequence::Undo);  // a second undo redoes
  QCOMPARE(field->Value(), 0.0L);

  field->setValue(5678);
  QTest::keyClick(field, Qt::Key_Home);
  auto trigger = [&](const char* name) {
    std::unique_ptr<QMenu> menu(field->CreateEditMenu());
    QAction* action = menu->findChild<QAction*>(QString::fromLatin1(name));
    QVERIFY(action->isEnabled());
    action->trigger();
  };
  trigger("CopyAction");
  QCOMPARE(clipboard->text(), QStringLiteral("5,678"));
  trigger("DeleteAction");
  QCOMPARE(field->text(), QString());
  trigger("UndoAction");
  QCOMPARE(field->text(), QStringLiteral("5,678"));
  QTest::keyClick(field, Qt::Key_Home);
  trigger("CutAction");
  QCOMPARE(field->Value(), 0.0L);

  std::unique_ptr<QMenu> menu(field->CreateEditMenu());
  QVERIFY(!menu->findChild<QAction*>(QStringLiteral("CutAction"))->isEnabled());  // nothing selected

  // A figure the window sets, or a text put in from outside, is not the
  // user's edit: undo does not bring back what was typed before it.
  Press(field, "12");
  field->setValue(300);
  QTest::keySequence(field, QKeySequence::Undo);
  QCOMPARE(field->text(), QStringLiteral("300"));
  Press(field, "4");
  field->setText(QStringLiteral("77"));
  QTest::keySequence(field, QKeySequence::Undo);
  QCOMPARE(field->text(), QStringLiteral("77"));
  std::unique_ptr<QMenu> afterSet(field->CreateEditMenu());
  QVERIFY(!afterSet->findChild<QAction*>(QStringLiteral("UndoAction"))->isEnabled());
}

void NumericFieldKeysTest::readOnlyFieldRefusesEditsButCopies() {
  FieldWindow w;
  TNValEdit* field = w.fields[0];
  field->setValue(4321);
  field->setReadOnly(true);
  QVERIFY(w.Show());
  QTest::mouseClick(field, Qt::LeftButton);
  QTest::keyClick(field, Qt::Key_Home);
  QGuiApplication::clipboard()->setText(QStringLiteral("1"));
  QTest::keySequence(field, QKeySequence::Paste);
  QTest::keySequence(field, QKeySequence::Cut);
  QCOMPARE(field->text(), QStringLiteral("4,321"));
  QTest::keySequence(field, QKeySequence::Copy);
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("4,321"));
  std::unique_ptr<QMenu> menu(field->CreateEditMenu());
  QVERIFY(!menu->findChild<QAction*>(QStringLiteral("PasteAction"))->isEnabled());
  QVERIFY(menu->findChild<QAction*>(QStringLiteral("CopyAction"))->isEnabled());
}

void NumericFieldKeysTest::inputMethodIsOffWhileFocused() {
  FieldWindow w;
  QVERIFY(w.Show());
  w.fields[0]->setFocus();
  QCOMPARE(QInputMethod::queryFocusObject(Qt::ImEnabled, {}).toBool(), false);
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("４２"));
  QCoreApplication::sendEvent(w.fields[0], &commit);
  QCOMPARE(w.fields[0]->text(), QStringLiteral("42"));
}

// The platform decides whether the input method may compose for the focused
// control when the focus arrives, before the control hears of it: at that
// moment, and whenever asked, a figure field says no (a text field beside it
// says yes), and it hints at numbers.
void NumericFieldKeysTest::inputMethodIsToldTheFieldTakesNoComposedText() {
  FieldWindow w;
  auto* text = new QLineEdit(&w.window);
  w.window.layout()->addWidget(text);
  TNValEdit* signedField = w.fields[0];
  TNValEdit* digitsField = w.fields[1];
  digitsField->setPrmtNegative(false);
  QVERIFY(w.Show());
  w.okButton->setFocus();

  QList<QPair<QObject*, bool>> askedOnArrival;
  QObject listening;
  connect(qApp, &QGuiApplication::focusObjectChanged, &listening, [&](QObject* focused) {
    askedOnArrival << qMakePair(focused, QInputMethod::queryFocusObject(Qt::ImEnabled, {}).toBool());
  });
  // In by a click, out by Tab, and back in by Shift+Tab: each arrival counts.
  QTest::mouseClick(signedField, Qt::LeftButton);
  QTest::keyClick(signedField, Qt::Key_Tab);
  QTest::keyClick(digitsField, Qt::Key_Tab);
  QTest::keyClick(w.fields[2], Qt::Key_Tab);
  QTest::keyClick(w.okButton, Qt::Key_Tab);
  QTest::keyClick(text, Qt::Key_Backtab);
  QTest::keyClick(w.okButton, Qt::Key_Backtab);
  QTest::keyClick(w.fields[2], Qt::Key_Backtab);
  QVERIFY(digitsField->hasFocus());
  QList<QPair<QObject*, bool>> expected;
  for (QObject* arrival : std::initializer_list<QObject*>{signedField, digitsField, w.fields[2], w.okButton,
                                                          text, w.okButton, w.fields[2], digitsField})
    expected << qMakePair(arrival, arrival == text);
  QCOMPARE(askedOnArrival, expected);

  const auto hints = [](QWidget* field) {
    return Qt::InputMethodHints(field->inputMethodQuery(Qt::ImHints).toInt());
  };
  QVERIFY(hints(digitsField) & Qt::ImhDigitsOnly);            // no sign, no point
  QVERIFY(hints(signedField) & Qt::ImhFormattedNumbersOnly);  // a sign may be typed
  QVERIFY(!(hints(text) & (Qt::ImhDigitsOnly | Qt::ImhFormattedNumbersOnly)));
}

void NumericFieldKeysTest::onChangeOnlyWhenTheShownTextChanges() {
  TNValEdit field;
  QSignalSpy changes(&field, &TNValEdit::OnChange);
  field.setMaxDigits(12);
  field.setFixDecimal(0);
  field.setZeroDisplay(true);
  field.setValue(5);  // while the form is set up: no OnChange
  field.Loaded();
  QCOMPARE(field.text(), QStringLiteral("5"));
  QCOMPARE(changes.count(), 0);

  struct Step {
    long double value;
    int changes;
  } steps[] = {{5, 0}, {5.2L, 0}, {6, 1}, {6.4L, 0}, {0, 1}, {0.3L, 0}, {-1, 1}};
  for (const Step& step : steps) {
    changes.clear();
    field.setValue(step.value);
    QCOMPARE(changes.count(), step.changes);
  }
  QVERIFY(field.isModified());
  changes.clear();
  field.setPutAComma(false);  // "-1" either way
  QCOMPARE(changes.count(), 0);
}

void NumericFieldKeysTest::textPutFromOutsideIsReformatted() {
  FieldWindow w;
  TNValEdit* field = w.fields[0];
  QSignalSpy changes(field, &TNValEdit::OnChange);
  field->setText(QStringLiteral("1234567"));
  QCOMPARE(field->Value(), 1234567.0L);
  QCOMPARE(field->text(), QStringLiteral("1,234,567"));
  QCOMPARE(changes.count(), 1);
  field->setText(QStringLiteral("abc"));
  QCOMPARE(field->Value(), 0.0L);
  QCOMPARE(field->text(), QString());
}

void NumericFieldKeysTest::coloursOfNegatives() {
  FieldWindow w;
  TNValEdit* field = w.fields[0];
  const QColor normal = field->FontColor();
  field->setMinusColor(Qt::red);
  field->setValue(-1);
  QCOMPARE(field->FontColor(), QColor(Qt::red));
  field->setValue(1);
  QCOMPARE(field->FontColor(), normal);
  field->setValue(-1);
  field->setFontColor(Qt::blue);  // the window recolours the field
  QCOMPARE(field->FontColor(), QColor(Qt::red));
  field->setValue(1);
  QCOMPARE(field->FontColor(), QColor(Qt::blue));

  // Without a colour for negatives, they follow the font.
  TNValEdit* plain = w.fields[1];
  plain->setValue(-1);
  plain->setFontColor(QColor(0x80, 0x80, 0));
  plain->setValue(-2);
  QCOMPARE(plain->FontColor(), QColor(0x80, 0x80, 0));
}

void NumericFieldKeysTest::designModeReportsConflicts() {
  FieldWindow w;
  TNValEdit* field = w.fields[0];
  field->setDesigning(true);
  field->setMaxDigits(16);
  field->setPrmtNegative(false);
  field->setValue(-3);
  QCOMPARE(w.messages, QStringList({QStringLiteral("MaxDigits は 1 から 15 までです。"),
                                    QStringLiteral("PrmtNegative と矛盾します")}));
  QCOMPARE(w.beeps, 1);
  QCOMPARE(field->MaxDigits(), 12);
  QCOMPARE(field->Value(), 0.0L);

  field->setDesigning(false);
  w.messages.clear();
  field->setValue(-3);
  QCOMPARE(field->Value(), 3.0L);
  QVERIFY(w.messages.isEmpty());
}

// Fields as the windows use them; set TAVENKO_SCREENSHOT_DIR to keep the picture.
void NumericFieldKeysTest::displayDemo() {
  QWidget window;
  window.setWindowTitle(QStringLiteral("タベンコ"));
  window.setFont(QFont(tavenko::platform::GothicFamilies(), 10));
  auto* layout = new QVBoxLayout(&window);
  auto add = [&](int maxDigits, int fixDecimal, long double value) {
    auto* field = new TNValEdit(&window);
    field->setMaxDigits(maxDigits);
    field->setFixDecimal(fixDecimal);
    field->setZeroDisplay(true);
    field->setMinusColor(Qt::red);
    field->setValue(value);
    layout->addWidget(field);
    return field;
  };
  TNValEdit* grouped = add(12, 0, 123456789012.0L);
  TNValEdit* rate = add(4, 2, 12.5L);
  TNValEdit* negative = add(12, 0, -1234567);
  TNValEdit* result = add(9, 1, 23.456L);
  result->setReadOnly(true);
  result->setFocusPolicy(Qt::NoFocus);
  result->setCursor(Qt::ArrowCursor);
  LoadNumericFields(&window);
  window.resize(220, 140);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  grouped->clearFocus();

  QCOMPARE(grouped->text(), QStringLiteral("123,456,789,012"));
  QCOMPARE(rate->text(), QStringLiteral("12.50"));
  QCOMPARE(negative->text(), QStringLiteral("-1,234,567"));
  QCOMPARE(negative->FontColor(), QColor(Qt::red));
  QCOMPARE(result->text(), QStringLiteral("23.5"));
  QVERIFY(result->alignment() & Qt::AlignRight);
  QCOMPARE(result->palette().color(QPalette::Base), result->palette().color(QPalette::Window));

  const QString dir = qEnvironmentVariable("TAVENKO_SCREENSHOT_DIR");
  if (!dir.isEmpty()) QVERIFY(window.grab().save(QDir(dir).filePath(QStringLiteral("numeric_fields.png"))));
}

QTEST_MAIN(NumericFieldKeysTest)
#include "numeric_field_keys_test.moc"
