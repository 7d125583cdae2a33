// The splash window of the start: a borderless 450 × 300 picture with per-pixel alpha that
// shows the version, the notice, a status line and a progress bar. It is painted from a
// 32-bit drawing surface of the core library into which its labels are drawn; it exists
// at most once, and every routine below does nothing while it does not exist.
// GUI thread only.
#pragma once

#include "base/kvlib/KvLib.h"

#include <KvLibNav6/KvCallbacks.h>
#include <KvLibNav6/KvGraphics.h>

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>

class QLabel;

class TFormSplash : public QWidget {
    Q_OBJECT
public:
    explicit TFormSplash(int minimumMs);
    ~TFormSplash() override;

    // Both texts, stage 0 (the status line shows the main text).
    void SetText(const QString &text, const QString &detail);
    // Moves the bar: fill end = left + width × position / maximum (left for maximum 0),
    // never beyond the right edge. Redraws only when the end moves to another whole pixel
    // or the stage changes; the status line then shows the detail text for a stage other
    // than 0 when there is one, else the main text.
    void Progress(int32_t position, int32_t maximum, int32_t stage);

    // The bar's track in surface pixels (half-pixel edges).
    static constexpr TRectD Track{19.5, 274.5, 434.5, 279.5};
    double FillEnd() const { return FFillEnd; }
    int RedrawCount() const { return FRedraws; }
    QString StatusText() const;
    int MinimumMs() const { return FMinimumMs; }
    // Clock value (ms) at creation.
    int64_t CreatedAtMs() const { return FCreatedAt; }
    // What the window shows.
    QImage Picture() const;

    // Texts drawn into the picture; the labels themselves stay hidden.
    QLabel *LabelVersion;
    QLabel *LabelNotice;
    QLabel *LabelStatus;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void BuildSurface();
    void Redraw();
    void DrawLabel(QLabel *label, int flags);

    int FMinimumMs;
    int64_t FCreatedAt;
    TNavPtr<IBmp32> FSurface;
    QImage FSavedStatus;  // the background under the status line
    double FFillEnd = Track.Left;
    QString FText, FDetail;
    int32_t FStage = 0;
    int FRedraws = 0;
};

// Creates, shows and paints the splash (the main window passes 2000 ms).
void ShowSplash(int minimumMs);
void SplashText(const QString &text, const QString &detail = QString());
void SplashProgress(int32_t position, int32_t maximum, int32_t stage);
// The splash's progress procedure and the splash, for the loading steps of the core
// library (chart manager, chart data cache); both nullptr without a splash.
struct TSplashProgressCallback {
    LoadProgressProc Proc = nullptr;
    void *Data = nullptr;
};
TSplashProgressCallback SplashProgressCallback();
// Frees the splash once its minimum display time since creation has passed; until then it
// waits with the event loop running, so the splash (and everything else) keeps painting.
void CloseSplash();
// The one splash, or nullptr.
TFormSplash *Splash();

// Where the splash takes its time from (milliseconds, monotonic) and how it waits; tests
// replace them. Each setter returns the previous one.
using TSplashClock = std::function<int64_t()>;
TSplashClock SetSplashClock(TSplashClock clock);
using TSplashWait = std::function<void(int ms)>;
TSplashWait SetSplashWait(TSplashWait wait);
