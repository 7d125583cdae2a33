// Extended standard controls used on forms and frames of every part of the program.
// GUI thread only. Events are std::function members called with the control as sender.
#pragma once

#include <KvLibNav6/KvGraphics.h>

#include <QCheckBox>
#include <QColor>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QScrollArea>
#include <QSlider>
#include <functional>

using TNotifyEvent = std::function<void(QObject *sender)>;

// User toggles (mouse, space bar) fire OnClick unless ReadOnly, and a read-only box never
// changes on user input. Changes made from code fire OnClick only when CheckedDoClick.
class TCheckBoxEx : public QCheckBox {
    Q_OBJECT
public:
    explicit TCheckBoxEx(const QString &text = QString(), QWidget *parent = nullptr);
    bool CheckedDoClick() const { return FCheckedDoClick; }
    void SetCheckedDoClick(bool value) { FCheckedDoClick = value; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }
    TNotifyEvent OnClick;

protected:
    void nextCheckState() override;
    bool event(QEvent *e) override;

private:
    void StateChanged();
    bool FCheckedDoClick = true;
    bool FReadOnly = false;
    bool FUserToggle = false;
};

enum TLabelEllipsis { leNone, leEnd, lePath };

// A label that can shorten its caption with "…" (at the end, or in the middle for paths)
// and manages its own hint: with AutoHint the hint is the caption while it does not fit,
// else empty; without AutoHint there is none.
class TLabelEx : public QLabel {
    Q_OBJECT
public:
    explicit TLabelEx(const QString &text = QString(), QWidget *parent = nullptr);
    TLabelEllipsis Ellipsis() const { return FEllipsis; }
    void SetEllipsis(TLabelEllipsis value);
    bool AutoHint() const { return FAutoHint; }
    void SetAutoHint(bool value);
    // The caption as painted now.
    QString DisplayedText() const;

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void UpdateHint();
    TLabelEllipsis FEllipsis = leNone;
    bool FAutoHint = false;
};

// A paint box: OnPaint draws it; OnMouseEnter and OnMouseLeave report the pointer.
class TPaintBoxEx : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBoxEx(QWidget *parent = nullptr);
    std::function<void(TPaintBoxEx *sender, QPainter &p)> OnPaint;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    void paintEvent(QPaintEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
};

enum TCollapseGlyphType { cgtArrowUpDown, cgtPlusMinus };

// A panel with an optional header (caption, picture, collapse button) that can collapse to
// the header's height. Child widgets go below the header (the header height is the top
// contents margin). Colours: an invalid QColor means "none" (no fill or no outline).
class TPanelEx : public QFrame {
    Q_OBJECT
public:
    explicit TPanelEx(QWidget *parent = nullptr);

    bool Collapsed() const { return FCollapsed; }
    // Collapsing without a visible header shows an error and changes nothing.
    void SetCollapsed(bool value);
    QColor CollapseColorBack, CollapseColorBackOver, CollapseColorBorder, CollapseColorBorderOver;
    QColor HeaderColorBack, HeaderColorBorder;
    void SetColors();  // repaints after the colour fields changed
    int CollapseMargin() const { return FCollapseMargin; }
    void SetCollapseMargin(int value);
    bool CollapseGlyphScale() const { return FGlyphScale; }
    void SetCollapseGlyphScale(bool value);
    TCollapseGlyphType CollapseGlyphType() const { return FGlyphType; }
    void SetCollapseGlyphType(TCollapseGlyphType value);
    // Odd sizes are kept, even ones lowered by one, so the glyph has a centre pixel.
    int CollapseSize() const { return FCollapseSize; }
    void SetCollapseSize(int value);
    bool CollapseVisible() const { return FCollapseVisible; }
    void SetCollapseVisible(bool value);
    const QFont &HeaderFont() const { return FHeaderFont; }
    void SetHeaderFont(const QFont &font);
    QColor HeaderFontColor;  // clHighlight at creation
    int HeaderHeight() const { return FHeaderHeight; }
    void SetHeaderHeight(int value);
    const QPixmap &HeaderImage() const { return FHeaderImage; }
    void SetHeaderImage(const QPixmap &image);
    int HeaderMargin() const { return FHeaderMargin; }
    void SetHeaderMargin(int value);
    bool HeaderVisible() const;
    void SetHeaderVisible(bool value);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &caption);
    Qt::Alignment CaptionAlignment = Qt::AlignHCenter;
    TNotifyEvent OnCollapsed;

    TPaintBoxEx *Header() const { return FHeader; }
    // In header coordinates.
    QRect CollapseButtonRect() const;
    bool Hot() const { return FHot; }
    int ExpandedHeight() const { return FExpandedHeight; }

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void PaintHeader(QPainter &p);
    void ApplyCollapsed(bool value);
    void LayoutHeader();
    void SetHot(bool hot);

    TPaintBoxEx *FHeader;
    bool FCollapsed = false;
    bool FHot = false;
    int FExpandedHeight = 0;
    int FSavedMinHeight = 0, FSavedMaxHeight = QWIDGETSIZE_MAX;
    int FCollapseMargin = 5;
    bool FGlyphScale = false;
    TCollapseGlyphType FGlyphType = cgtPlusMinus;
    int FCollapseSize = 11;
    bool FCollapseVisible = true;
    QFont FHeaderFont;
    int FHeaderHeight = 20;
    QPixmap FHeaderImage;
    int FHeaderMargin = 5;
    QString FCaption;
};

// A scroll area with the style's panel frame.
class TScrollBoxEx : public QScrollArea {
    Q_OBJECT
public:
    explicit TScrollBoxEx(QWidget *parent = nullptr);
};

enum TTrackBarExClickMethod { tecmDefault, tecmSetPosition };

// With tecmSetPosition a click in the channel jumps there; a press on the thumb still
// drags. Its background colour is registered with the night screen for its lifetime.
class TTrackBarEx : public QSlider {
    Q_OBJECT
public:
    explicit TTrackBarEx(Qt::Orientation orientation = Qt::Horizontal, QWidget *parent = nullptr);
    ~TTrackBarEx() override;
    TTrackBarExClickMethod ClickMethod = tecmDefault;
    // The background colour ($00BBGGRR); setting it does not change the saved colour.
    TColor Color() const;
    void SetColor(TColor colour);

    enum TClickTarget { ctThumb, ctChannel, ctOutside };
    // The click rule on plain rectangles: thumb and channel in widget coordinates, the
    // channel reported in horizontal orientation also for a vertical bar.
    static TClickTarget ClickTarget(const QPoint &point, const QRect &thumb, const QRect &channel,
                                    bool horizontal, int minimum, int maximum, int &position);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    bool event(QEvent *e) override;

private:
    void ResetColor();
    static void NightModeChanged(void *data, int32_t ignored, int32_t kind) noexcept;
    TColor FSavedColor;
};

// Draws the style's bar and fills Position × width ÷ Max of its content; Max 0 or less
// gives the empty bar (never the busy animation).
class TProgressBarEx : public QProgressBar {
    Q_OBJECT
public:
    explicit TProgressBarEx(QWidget *parent = nullptr);
    // The filled part in widget coordinates; empty when Max <= 0.
    QRect FillRect() const;

protected:
    void paintEvent(QPaintEvent *e) override;
};

TColor ColorToTColor(const QColor &c);
QColor TColorToColor(TColor c);
