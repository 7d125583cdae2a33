// Pieces the text import pages share: their bold captions and the title row that heads the
// lines of one file or route in their lists. GUI thread only.
#pragma once

#include <QChar>
#include <QObject>
#include <QString>

class QFont;
class QGridLayout;
class QLineEdit;
class QRadioButton;
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

// The separator and decimal separator choices of a format profile: "Tab", "Semicolon",
// "Comma" or "Other" with a one-character edit, and "Point (0.0)" or "Comma (0,0)". They
// report the user's changes only; Show puts a profile's separators in without a report.
class TSeparatorControls : public QObject {
    Q_OBJECT
public:
    // Adds the labels and buttons to rows row and row + 1 of grid.
    TSeparatorControls(QWidget *parent, QGridLayout *grid, int row);

    void UpdateTexts();
    void Show(QChar fieldSeparator, QChar decimalSeparator);
    // QChar(0) for Other with an empty edit.
    QChar FieldSeparator() const;
    QChar DecimalSeparator() const;
    QRadioButton *SeparatorButton(QChar separator) const;  // tab, ';', ',', anything else Other
    QRadioButton *DecimalButton(QChar separator) const;    // '.' Point, else Comma

    QLabel *LabelSeparator, *LabelDecimal;
    QRadioButton *SepTab, *SepSemicolon, *SepComma, *SepOther, *DecPoint, *DecComma;
    QLineEdit *EditSeparator;

signals:
    void FieldSeparatorChanged(QChar separator);
    void DecimalSeparatorChanged(QChar separator);

private:
    void OnSeparatorClicked();
    bool FShowing = false;
};
