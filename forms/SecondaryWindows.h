// The three windows the main window opens: comprehensive taxation (TForm2),
// additional and delinquency tax (TForm3) and the incorporation comparison
// (TForm4). Each is owned by `owner`, is a window of its own, frees itself
// when closed, opens the usage help on F1, and starts hidden.
#pragma once

class QWidget;

QWidget* CreateComprehensiveTaxWindow(QWidget* owner);  // TForm2 "総合課税"
QWidget* CreateAdditionalTaxWindow(QWidget* owner);     // TForm3 "加算税の計算"
QWidget* CreateIncorporationWindow(QWidget* owner);     // TForm4 "法人成りの節税額計算"
