// The font dialog of the waypoint type editor: size, colour and style of one label text.
// GUI thread.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

// One label font of a waypoint type: colour $AARRGGBB (the library's BGRA pixel), size in
// points, style bits 1 bold, 2 italic, 4 underline.
struct TTypeFont {
    uint32_t Colour = 0xFF000000u;
    int32_t Size = 8;
    uint8_t Style = 0;
    bool operator==(const TTypeFont &o) const { return Colour == o.Colour && Size == o.Size && Style == o.Style; }
};

class TFormWaypointTypeEditFont : public QDialog {
    Q_OBJECT
public:
    TFormWaypointTypeEditFont(const TTypeFont &font, QWidget *owner = nullptr);

    // True on OK; font then holds the edited values.
    static bool Execute(TTypeFont &font, QWidget *owner = nullptr);
    using TPrompter = std::function<int(TFormWaypointTypeEditFont &form)>;
    static TPrompter SetPrompter(TPrompter prompter);
    // Picks a colour (the system colour dialog); tests answer it. nullopt-like: False keeps.
    using TColorPicker = std::function<bool(uint32_t &argb, QWidget *owner)>;
    static TColorPicker SetColorPicker(TColorPicker picker);

    TTypeFont Font() const;
    void SetColour(uint32_t argb);
    // A label showing "Sample" in the font.
    static void ShowSample(QLabel *sample, const TTypeFont &font);

    QSpinBox *EditSize;
    QLabel *ShapeColor, *LabelSample;
    QPushButton *ButtonPickColor, *ButtonHelp, *ButtonOk, *ButtonCancel;
    QCheckBox *CheckBold, *CheckItalic, *CheckUnderline;

private:
    void UpdateSample();
    uint32_t FColour;
};
