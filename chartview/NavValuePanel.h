// The value panels of the navigation blocks (a caption, a large value with its unit beside
// it and an optional footer line) and their shared layout: value and unit centred as a
// pair, all texts greyed to the panel header colour while the panel is disabled. Used by
// the GPS, route and next-point blocks and the route-navigation window. GUI thread only.
#pragma once

#include <KvLibNav6/KvGraphics.h>

#include <QLabel>
#include <QWidget>
#include <initializer_list>

// A panel filled with one of the shared colour variables, read at every paint: the night
// screen recolours the variable in place, so the panel follows night mode by itself.
class TNavColourPanel : public QWidget {
    Q_OBJECT
public:
    explicit TNavColourPanel(QWidget *parent = nullptr) : QWidget(parent) {}
    // The variable outlives the panel (the palette's variables live for the whole run).
    void SetColour(const TColor *variable);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const TColor *FColour = nullptr;
};

class QHBoxLayout;

// A label in a pixel-sized font of the navigation blocks.
QLabel *MakeNavLabel(QWidget *parent, int pixels, bool bold, const QString &text = {});
// A row of fixed height with a horizontal layout (margins 4 at the sides, no spacing).
QWidget *MakeNavRow(QWidget *parent, int height, QHBoxLayout *&layout);
// Sets the label's text colour when it differs (a tick must not repaint for nothing).
void SetNavTextColour(QLabel *label, const QColor &colour);

struct TNavValuePanel {
    QWidget *Panel = nullptr;
    QLabel *Caption = nullptr;
    QLabel *Value = nullptr;
    QLabel *Unit = nullptr;    // nullptr: the value stands alone, centred
    QLabel *Footer = nullptr;  // nullptr: none
};

// What a panel is made of and where its rows go, in 96-dpi pixels.
struct TNavValuePanelShape {
    int Width = 91;
    int Height = 56;
    bool WithUnit = true;
    bool UnitAtTop = false;      // the unit's top follows the value's top, else its bottom
    bool CaptionBelow = false;   // the caption under the value (GPS block), else above it
    bool WithFooter = true;
    int ValuePixels = 19;
};

// A panel with its labels as children of parent; the caller places the panel.
TNavValuePanel MakeNavValuePanel(QWidget *parent, const TNavValuePanelShape &shape);

// One panel of a row of value panels: where it goes, its shape and its caption.
struct TNavValueSpec {
    TNavValuePanel *Panel;
    TNavValuePanelShape Shape;
    QString Caption;
};
// A row of height pixels on the panel colour holding the panels (91 × 56 each) side by side.
QWidget *MakeNavValueRow(QWidget *parent, int height, std::initializer_list<TNavValueSpec> panels);

// Sizes value and unit to their texts, centres them as a pair (2 pixels apart; the value
// alone when there is no unit), puts the unit's top 2 pixels below the value's top or its
// bottom 2 pixels above the value's bottom, and colours every label: window text while
// the panel is enabled, the panel header colour while it is disabled.
void LayoutNavValuePanel(const TNavValuePanel &v);
