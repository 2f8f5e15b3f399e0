// The printed quick-reference table: a heading, the chart as drawn in the
// window (in lines, not as a picture, so that it stays sharp on paper and in
// a PDF file), then every row of the table over as many pages as it takes,
// the column captions at the top of each page and the page number at the
// foot. Rows whose click shows a message are grey, and the heading names
// their messages.
#pragma once

#include <QStringList>

#include "face/QuickTable.h"

class QChartView;
class QPainter;
class QPrinter;

// Prints with `painter`, open on `printer`. `heading` is its lines, the
// first one the title.
void PrintQuickTable(QPainter& painter, QPrinter& printer, const QStringList& heading,
                     const tavenko::face::QuickTable& table, QChartView& chart);
