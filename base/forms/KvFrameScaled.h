// Base of the program's panel and page frames, laid out at 96 dpi.
#pragma once

#include <QWidget>

class TFrameScaled : public QWidget {
    Q_OBJECT
public:
    explicit TFrameScaled(QWidget *owner = nullptr);

    int ScreenDpi() const;
    // Scales the frame's size, the geometry of every child widget and the font of every
    // child that has its own font by m/d. Derived frames call ScaleToScreen at the end of
    // their constructor; at 96 dpi it does nothing.
    void ScaleBy(int m, int d);
    void ScaleToScreen();
};
