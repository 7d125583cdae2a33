// A colour swatch of the view settings pages: the colour as the night screen shows it with
// the "COLOR_OVERLAY" picture over it, and the colour dialog behind an injectable prompter.
// GUI thread.
#pragma once

#include <KvLibNav6/KvGraphics.h>

#include <QImage>
#include <QWidget>
#include <functional>

class TSettingsColorSwatch : public QWidget {
    Q_OBJECT
public:
    // colour: the working copy's field the swatch shows and changes.
    TSettingsColorSwatch(TColor &colour, QWidget *parent = nullptr);
    ~TSettingsColorSwatch() override;

    // Opens the colour dialog on the current colour; the field takes the chosen one.
    // Returns whether the user confirmed.
    bool ChooseColor();

    // The colour dialog: true with the chosen colour, false when cancelled. Tests answer it.
    using TColorPrompter = std::function<bool(QWidget *owner, QColor &colour)>;
    static TColorPrompter SetColorPrompter(TColorPrompter prompter);

    // The picture drawn over every swatch (converted for night mode when it is on).
    static QImage OverlayImage();

signals:
    void DoubleClicked();

protected:
    void paintEvent(QPaintEvent *) override;
    void mouseDoubleClickEvent(QMouseEvent *) override;

private:
    static void NightModeChanged(void *data, int32_t ignored, int32_t kind) noexcept;
    TColor &FColour;
    QImage FOverlay;
};
