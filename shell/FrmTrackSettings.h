// The track settings: the default colour of tracks recorded from now on, stored by the
// environment on OK only. GUI thread.
#pragma once

#include "shell/FrmSettingsCommon.h"

#include <KvLibNav6/KvGraphics.h>

#include <QColor>
#include <QImage>
#include <QWidget>
#include <functional>

class QLabel;
class TMarivoNavEnv;

// The colour field: the colour as the screen shows it now (night colours included) under
// the shine and rim of the overlay image.
class TColorSwatch : public QWidget {
    Q_OBJECT
public:
    explicit TColorSwatch(QWidget *parent = nullptr);
    TColor Color = 0;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage FOverlay;  // night-converted when night mode was on at creation
};

class TFormTrackSettings : public TFormSettingsDialog {
    Q_OBJECT
public:
    explicit TFormTrackSettings(TMarivoNavEnv &env, QWidget *parent = nullptr);

    // Shows the dialog; with OK the environment's default track colour becomes the chosen
    // one (opaque). True when closed with OK.
    static bool Execute(TMarivoNavEnv &env, QWidget *parent = nullptr);

    using TPrompter = std::function<int(TFormTrackSettings &form)>;
    static TPrompter SetPrompter(TPrompter prompter) {
        return TSettingsPrompter<TFormTrackSettings>::Set(std::move(prompter));
    }
    // Asks for a colour starting at color; True with color the choice. The default is the
    // desktop's colour dialog. Returns the previous one.
    using TColorPrompter = std::function<bool(QColor &color, QWidget *parent)>;
    static TColorPrompter SetColorPrompter(TColorPrompter prompter);

    // The working colour, $00BBGGRR.
    TColor WorkingColor() const { return PaintBoxColorDefault->Color; }

    QLabel *LabelGeneral;
    QLabel *LabelDefaultColor;
    TColorSwatch *PaintBoxColorDefault;
    QPushButton *ButtonSelectColor;

protected:
    void CloseQuery(bool ok) override;

private:
    void ButtonSelectColorClick();
    TMarivoNavEnv &FEnv;
};

// The overlay drawn over colour swatches of size: a rim and a shine, transparent elsewhere.
QImage ColorOverlayImage(const QSize &size);
