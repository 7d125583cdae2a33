// Base of the program's own dialogs and main window: layouts are made at 96 dpi and the
// pixel constants that Qt does not scale by itself are scaled by the screen's logical dpi.
#pragma once

#include <QDialog>

class TFormScaled : public QDialog {
    Q_OBJECT
public:
    explicit TFormScaled(QWidget *owner = nullptr, Qt::WindowFlags flags = {});

    // MulDiv(value, dpi, 96): 64-bit product, rounded to the nearest integer.
    static int ScaleValue(int value, int dpi);
    // The logical dpi of the screen the form is on (96 without a screen).
    int ScreenDpi() const;
    // Scales the size constraints, in the order max height, max width, min height, min
    // width; 0 (no minimum) and the unlimited maximum stay as they are. Derived forms call
    // it at the end of their constructor, when their constraints are set.
    void ScaleConstraints(int dpi);
    void ScaleConstraints() { ScaleConstraints(ScreenDpi()); }
};
