// Base of the program's own dialogs and main window: layouts are made at 96 dpi and the
// pixel constants that Qt does not scale by itself are scaled by the screen's logical dpi.
#pragma once

#include <QDialog>
#include <QMainWindow>

// MulDiv(value, dpi, 96): 64-bit product, rounded to the nearest integer.
int ScaleFormValue(int value, int dpi);
// The logical dpi of the screen the widget is on (96 without a screen).
int FormScreenDpi(const QWidget *form);
// Scales the size constraints, in the order max height, max width, min height, min width;
// 0 (no minimum) and the unlimited maximum stay as they are.
void ScaleFormConstraints(QWidget *form, int dpi);

class TFormScaled : public QDialog {
    Q_OBJECT
public:
    explicit TFormScaled(QWidget *owner = nullptr, Qt::WindowFlags flags = {});

    static int ScaleValue(int value, int dpi) { return ScaleFormValue(value, dpi); }
    int ScreenDpi() const { return FormScreenDpi(this); }
    // Derived forms call it at the end of their constructor, when their constraints are set.
    void ScaleConstraints(int dpi) { ScaleFormConstraints(this, dpi); }
    void ScaleConstraints() { ScaleConstraints(ScreenDpi()); }
};

// The same base for the main window, which needs menus, toolbars and docks.
class TMainFormScaled : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainFormScaled(QWidget *owner = nullptr, Qt::WindowFlags flags = {});

    static int ScaleValue(int value, int dpi) { return ScaleFormValue(value, dpi); }
    int ScreenDpi() const { return FormScreenDpi(this); }
    void ScaleConstraints(int dpi) { ScaleFormConstraints(this, dpi); }
    void ScaleConstraints() { ScaleConstraints(ScreenDpi()); }
};
