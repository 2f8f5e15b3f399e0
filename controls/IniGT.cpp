#include "IniGT.h"

TIniGT::TIniGT(QObject* owner) : QObject(owner) {}
