// The windows the main window opens: comprehensive taxation (TForm2),
// additional and delinquency tax (TForm3), the incorporation comparison
// (TForm4) and the quick-reference table. Each is owned by `owner`, is a
// window of its own, frees itself when closed, opens the usage help on F1,
// and starts hidden.
#pragma once

#include <functional>

#include "calc/MainSheet.h"

class QWidget;

// Each computes under `edition`, which its title names (but 平成29年版).
QWidget* CreateComprehensiveTaxWindow(QWidget* owner, tavenko::law::EditionId edition);  // TForm2 "総合課税"
QWidget* CreateAdditionalTaxWindow(QWidget* owner, tavenko::law::EditionId edition);     // TForm3 "加算税の計算"
QWidget* CreateIncorporationWindow(QWidget* owner, tavenko::law::EditionId edition);     // TForm4 "法人成りの節税額計算"
// "早見表" of one calculation button over a range of one of its figures, with
// the main window's inputs.
QWidget* CreateQuickTableWindow(QWidget* owner, const tavenko::calc::MainCase& button,
                                const tavenko::calc::MainInputs& inputs);

// The three windows of start-up, TForm2, TForm3 and TForm4 in that order,
// under 平成29年版, each hidden and owned by `mainWindow`.
void CreateHiddenWindows(QWidget* mainWindow);

// Runs `work` once, as soon as `window`'s first paint is on the screen: what
// start-up builds there, the main window appears without waiting for.
void RunAfterFirstPaint(QWidget* window, std::function<void()> work);
