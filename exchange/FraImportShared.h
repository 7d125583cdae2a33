// Pieces the text import pages share: their bold captions and the title row that heads the
// lines of one file or route in their lists. GUI thread only.
#pragma once

#include <QString>

class QFont;
class QLabel;
class QPainter;
class QPalette;
class QRect;
class QWidget;

QLabel *ImportBoldLabel(QWidget *parent);
// Over the whole row: a window-coloured frame around a button-coloured face, the title 3
// pixels in, 7 points bold, one line, shortened in the middle.
void DrawImportTitleRow(QPainter &painter, const QRect &row, const QPalette &palette, const QFont &font,
                        const QString &title);
