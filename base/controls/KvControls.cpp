#include "base/controls/KvControls.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvExceptions.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionProgressBar>
#include <QStyleOptionSlider>
#include <cmath>

TColor ColorToTColor(const QColor &c) {
    return TColor(uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16));
}

QColor TColorToColor(TColor c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// ---- TCheckBoxEx -------------------------------------------------------------------------

TCheckBoxEx::TCheckBoxEx(const QString &text, QWidget *parent) : QCheckBox(text, parent) {
    connect(this, &QCheckBox::stateChanged, this, [this] { StateChanged(); });
}

void TCheckBoxEx::nextCheckState() {
    if (FReadOnly) return;
    FUserToggle = true;
    QCheckBox::nextCheckState();
    FUserToggle = false;
}

bool TCheckBoxEx::event(QEvent *e) {
    if (FReadOnly) {
        // Swallow what would toggle the box; focus, hover and hints still work.
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) return true;
            break;
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const int key = static_cast<QKeyEvent *>(e)->key();
            if (key == Qt::Key_Space || key == Qt::Key_Select) return true;
            break;
        }
        default:
            break;
        }
    }
    return QCheckBox::event(e);
}

void TCheckBoxEx::StateChanged() {
    if ((FUserToggle || FCheckedDoClick) && OnClick) OnClick(this);
}

// ---- TLabelEx ----------------------------------------------------------------------------

TLabelEx::TLabelEx(const QString &text, QWidget *parent) : QLabel(text, parent) {}

void TLabelEx::SetEllipsis(TLabelEllipsis value) {
    if (value == FEllipsis) return;
    FEllipsis = value;
    if (value != leNone) {
        // No auto size: the label keeps its width and shortens the caption instead.
        setMinimumWidth(0);
        QSizePolicy sp = sizePolicy();
        sp.setHorizontalPolicy(QSizePolicy::Ignored);
        setSizePolicy(sp);
    }
    update();
}

void TLabelEx::SetAutoHint(bool value) {
    FAutoHint = value;
    UpdateHint();
    update();
}

QString TLabelEx::DisplayedText() const {
    const QString caption = text();
    if (FEllipsis == leNone) return caption;
    const Qt::TextElideMode mode = FEllipsis == leEnd ? Qt::ElideRight : Qt::ElideMiddle;
    return fontMetrics().elidedText(caption, mode, contentsRect().width());
}

void TLabelEx::UpdateHint() {
    if (!FAutoHint) {
        setToolTip(QString());
        return;
    }
    const bool fits = fontMetrics().horizontalAdvance(text()) <= contentsRect().width();
    setToolTip(fits ? QString() : text());
}

void TLabelEx::paintEvent(QPaintEvent *e) {
    UpdateHint();
    if (FEllipsis == leNone) {
        QLabel::paintEvent(e);
        return;
    }
    QPainter p(this);
    drawFrame(&p);
    // A disabled label draws in the grey text colour, without an embossed look.
    style()->drawItemText(&p, contentsRect(), int(alignment()), palette(), isEnabled(),
                          DisplayedText(), foregroundRole());
}

void TLabelEx::resizeEvent(QResizeEvent *e) {
    QLabel::resizeEvent(e);
    UpdateHint();
}

// ---- TPaintBoxEx -------------------------------------------------------------------------

TPaintBoxEx::TPaintBoxEx(QWidget *parent) : QWidget(parent) {}

void TPaintBoxEx::paintEvent(QPaintEvent *) {
    if (!OnPaint) return;
    QPainter p(this);
    OnPaint(this, p);
}

void TPaintBoxEx::enterEvent(QEnterEvent *e) {
    QWidget::enterEvent(e);
    if (OnMouseEnter) OnMouseEnter(this);
}

void TPaintBoxEx::leaveEvent(QEvent *e) {
    QWidget::leaveEvent(e);
    if (OnMouseLeave) OnMouseLeave(this);
}

// ---- TPanelEx ----------------------------------------------------------------------------

namespace {

QColor Blend(const QColor &a, double wa, const QColor &b, double wb) {
    return QColor(qRound(a.red() * wa + b.red() * wb), qRound(a.green() * wa + b.green() * wb),
                  qRound(a.blue() * wa + b.blue() * wb));
}

}  // namespace

TPanelEx::TPanelEx(QWidget *parent) : QFrame(parent), FHeader(new TPaintBoxEx(this)) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    const QPalette pal = palette();
    CollapseColorBack = pal.color(QPalette::Button);
    CollapseColorBackOver = Blend(pal.color(QPalette::Highlight), 0.2, pal.color(QPalette::Base), 0.8);
    CollapseColorBorder = pal.color(QPalette::Dark);
    CollapseColorBorderOver = pal.color(QPalette::Highlight);
    FHeaderFont = font();
    FHeaderFont.setBold(true);
    HeaderFontColor = pal.color(QPalette::Highlight);
    FHeader->setVisible(false);
    FHeader->setFixedHeight(0);
    FHeader->setMouseTracking(true);
    FHeader->installEventFilter(this);
    FHeader->OnPaint = [this](TPaintBoxEx *, QPainter &p) { PaintHeader(p); };
    FExpandedHeight = height();
}

bool TPanelEx::HeaderVisible() const { return !FHeader->isHidden(); }

QRect TPanelEx::CollapseButtonRect() const {
    const int left = contentsRect().width() - FCollapseSize - FCollapseMargin;
    const int top = (FHeader->height() - FCollapseSize) / 2;
    return QRect(left, top, FCollapseSize, FCollapseSize);
}

void TPanelEx::SetCollapsed(bool value) {
    if (value && !HeaderVisible()) {
        MsgBox(QStringLiteral("Collapsing only works when the header is visible"), mtError,
               MsgButtons({mbOK}));
        return;
    }
    ApplyCollapsed(value);
}

void TPanelEx::ApplyCollapsed(bool value) {
    if (value == FCollapsed) return;
    FCollapsed = value;
    if (value) {
        FExpandedHeight = height();
        FSavedMinHeight = minimumHeight();
        FSavedMaxHeight = maximumHeight();
        setFixedHeight(FHeader->height() + 2 * frameWidth());
    } else {
        setMinimumHeight(FSavedMinHeight);
        setMaximumHeight(FSavedMaxHeight);
        resize(width(), FExpandedHeight);
    }
    if (OnCollapsed) OnCollapsed(this);
    FHeader->update();
}

void TPanelEx::SetColors() { FHeader->update(); }

void TPanelEx::SetCollapseMargin(int value) {
    if (value == FCollapseMargin) return;
    FCollapseMargin = value;
    FHeader->update();
}

void TPanelEx::SetCollapseGlyphScale(bool value) {
    FGlyphScale = value;
    FHeader->update();
}

void TPanelEx::SetCollapseGlyphType(TCollapseGlyphType value) {
    FGlyphType = value;
    FHeader->update();
}

void TPanelEx::SetCollapseSize(int value) {
    if (value == FCollapseSize) return;
    // Round half to even of value + 0.5, minus one: odd values stay, even ones drop by one.
    FCollapseSize = int(std::nearbyint(value + 0.5)) - 1;
    FHeader->update();
}

void TPanelEx::SetCollapseVisible(bool value) {
    if (value == FCollapseVisible) return;
    FCollapseVisible = value;
    FHeader->update();
}

void TPanelEx::SetHeaderFont(const QFont &font) {
    FHeaderFont = font;
    FHeader->update();
}

void TPanelEx::SetHeaderHeight(int value) {
    if (value == FHeader->height() && value == FHeaderHeight) return;
    FHeaderHeight = value;
    if (HeaderVisible()) {
        FHeader->setFixedHeight(value);
        LayoutHeader();
    }
    FHeader->update();
}

void TPanelEx::SetHeaderImage(const QPixmap &image) {
    FHeaderImage = image;
    FHeader->update();
}

void TPanelEx::SetHeaderMargin(int value) {
    if (value == FHeaderMargin) return;
    FHeaderMargin = value;
    FHeader->update();
}

void TPanelEx::SetHeaderVisible(bool value) {
    if (value == HeaderVisible()) return;
    FHeader->setVisible(value);
    FHeader->setFixedHeight(value ? FHeaderHeight : 0);
    if (!value && FCollapsed) ApplyCollapsed(false);
    LayoutHeader();
    update();
}

void TPanelEx::SetCaption(const QString &caption) {
    FCaption = caption;
    update();
    FHeader->update();
}

void TPanelEx::LayoutHeader() {
    const QRect r = QFrame::contentsRect();
    FHeader->setGeometry(r.left(), r.top(), r.width(), FHeader->height());
    // Children laid out by a layout start below the header.
    setContentsMargins(0, HeaderVisible() ? FHeader->height() : 0, 0, 0);
}

void TPanelEx::resizeEvent(QResizeEvent *e) {
    QFrame::resizeEvent(e);
    const int header = HeaderVisible() ? FHeader->height() : 0;
    const int frame = frameWidth();
    FHeader->setGeometry(frame, frame, width() - 2 * frame, header);
}

void TPanelEx::SetHot(bool hot) {
    if (hot == FHot) return;
    FHot = hot;
    FHeader->update();
}

bool TPanelEx::eventFilter(QObject *watched, QEvent *e) {
    if (watched != FHeader || !HeaderVisible()) return QFrame::eventFilter(watched, e);
    switch (e->type()) {
    case QEvent::MouseMove:
        SetHot(CollapseButtonRect().contains(static_cast<QMouseEvent *>(e)->position().toPoint()));
        break;
    case QEvent::Leave:
        SetHot(false);
        break;
    case QEvent::MouseButtonRelease:
        if (FHot) {
            SetCollapsed(!FCollapsed);
            SetHot(false);
        }
        break;
    case QEvent::MouseButtonDblClick:
        SetCollapsed(!FCollapsed);
        break;
    default:
        break;
    }
    return QFrame::eventFilter(watched, e);
}

void TPanelEx::PaintHeader(QPainter &p) {
    const QRect r = FHeader->rect();
    p.setPen(HeaderColorBorder.isValid() ? QPen(HeaderColorBorder) : QPen(Qt::NoPen));
    p.setBrush(HeaderColorBack.isValid() ? QBrush(HeaderColorBack) : QBrush(Qt::NoBrush));
    p.drawRect(r.adjusted(0, 0, -1, -1));

    int textLeft = FHeaderMargin;
    if (!FHeaderImage.isNull()) {
        p.drawPixmap(FHeaderMargin, (r.height() - FHeaderImage.height()) / 2, FHeaderImage);
        textLeft = FHeaderImage.width() + 2 * FHeaderMargin;
    }
    if (FCollapseVisible) {
        const QRect b = CollapseButtonRect();
        const QColor pen = FHot ? CollapseColorBorderOver : CollapseColorBorder;
        const QColor back = FHot ? CollapseColorBackOver : CollapseColorBack;
        p.setPen(pen.isValid() ? QPen(pen) : QPen(Qt::NoPen));
        p.setBrush(back.isValid() ? QBrush(back) : QBrush(Qt::NoBrush));
        p.drawRect(b.adjusted(0, 0, -1, -1));
        const int cx = (b.left() + b.left() + b.width()) / 2;
        const int cy = (b.top() + b.top() + b.height()) / 2;
        const QColor glyph = pen.isValid() ? pen : palette().color(QPalette::ButtonText);
        if (FGlyphType == cgtArrowUpDown) {
            const int d1 = FGlyphScale ? FCollapseSize / 6 : 1;
            const int d2 = FGlyphScale ? 2 * d1 : 2;
            QPolygon tri;
            if (FCollapsed) tri << QPoint(cx - d2, cy - d1) << QPoint(cx + d2, cy - d1) << QPoint(cx, cy + d1);
            else tri << QPoint(cx - d2, cy + d1) << QPoint(cx + d2, cy + d1) << QPoint(cx, cy - d1);
            p.setPen(glyph);
            p.setBrush(glyph);
            p.drawPolygon(tri);
        } else {
            const int d = FGlyphScale ? FCollapseSize / 5 : 2;
            p.setPen(QPen(glyph, 1));
            p.drawLine(cx - d, cy, cx + d, cy);
            if (FCollapsed) p.drawLine(cx, cy - d, cx, cy + d);
        }
    }
    int textRight = r.right() + 1;
    if (FCollapseVisible) textRight -= FCollapseSize + 2 * FCollapseMargin;
    const QFontMetrics fm(FHeaderFont);
    const int h = fm.boundingRect(QStringLiteral("X")).height();
    const QRect textRect(textLeft, (r.height() - fm.height()) / 2, qMax(0, textRight - textLeft), qMax(h, fm.height()));
    p.setFont(FHeaderFont);
    p.setPen(HeaderFontColor);
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
               fm.elidedText(FCaption, Qt::ElideRight, textRect.width()));
}

void TPanelEx::paintEvent(QPaintEvent *e) {
    QFrame::paintEvent(e);
    if (HeaderVisible() || FCaption.isEmpty()) return;
    QPainter p(this);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(QFrame::contentsRect(), int(CaptionAlignment | Qt::AlignVCenter), FCaption);
}

// ---- TScrollBoxEx ------------------------------------------------------------------------

TScrollBoxEx::TScrollBoxEx(QWidget *parent) : QScrollArea(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setWidgetResizable(true);
}

// ---- TTrackBarEx -------------------------------------------------------------------------

TTrackBarEx::TTrackBarEx(Qt::Orientation orientation, QWidget *parent)
    : QSlider(orientation, parent), FSavedColor(ColorToTColor(palette().color(QPalette::Window))) {
    if (INightScreen *ns = NightScreen()) {
        ns->AddColor(&FSavedColor);
        // Called after the saved colour was recoloured for the new mode.
        ns->AddModeCallback(&NightModeChanged, this);
    }
}

TTrackBarEx::~TTrackBarEx() {
    if (INightScreen *ns = NightScreen()) {
        ns->RemoveModeCallback(&NightModeChanged, this);
        ns->RemoveColor(&FSavedColor);
    }
}

TColor TTrackBarEx::Color() const { return ColorToTColor(palette().color(QPalette::Window)); }

void TTrackBarEx::SetColor(TColor colour) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, TColorToColor(colour));
    setPalette(pal);
    setAutoFillBackground(true);
}

TTrackBarEx::TClickTarget TTrackBarEx::ClickTarget(const QPoint &point, const QRect &thumb,
                                                   const QRect &channel, bool horizontal,
                                                   int minimum, int maximum, int &position) {
    if (thumb.contains(point)) return ctThumb;
    // Work along the channel: a vertical bar's channel comes in horizontal orientation.
    const QPoint wp = horizontal ? point : QPoint(point.y(), point.x());
    const int half = horizontal ? thumb.width() / 2 : thumb.height() / 2;
    int left = channel.left();
    int right = channel.left() + channel.width();  // exclusive, as the platform's rectangles
    const int top = horizontal ? thumb.top() : thumb.left();
    const int bottom = horizontal ? thumb.top() + thumb.height() : thumb.left() + thumb.width();
    if (wp.x() < left || wp.x() >= right || wp.y() < top || wp.y() >= bottom) return ctOutside;
    left += half;
    right -= half;
    if (right <= left) return ctOutside;
    const double exact = double(wp.x() - left) * (maximum - minimum) / double(right - left);
    position = qBound(minimum, minimum + int(std::nearbyint(exact)), maximum);
    return ctChannel;
}

void TTrackBarEx::mousePressEvent(QMouseEvent *e) {
    if (ClickMethod != tecmSetPosition || !isEnabled() || e->button() != Qt::LeftButton) {
        QSlider::mousePressEvent(e);
        return;
    }
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    const QRect thumb = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
    QRect channel = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
    const bool horizontal = orientation() == Qt::Horizontal;
    if (!horizontal) channel = QRect(channel.top(), channel.left(), channel.height(), channel.width());
    int pos = value();
    switch (ClickTarget(e->position().toPoint(), thumb, channel, horizontal, minimum(), maximum(), pos)) {
    case ctThumb:
        QSlider::mousePressEvent(e);
        break;
    case ctChannel:
        // Qt draws a vertical bar's minimum at the bottom unless inverted.
        if (!horizontal && !invertedAppearance()) pos = maximum() - (pos - minimum());
        if (horizontal && invertedAppearance()) pos = maximum() - (pos - minimum());
        setValue(pos);
        e->accept();
        break;
    case ctOutside:
        e->accept();
        break;
    }
}

bool TTrackBarEx::event(QEvent *e) {
    const bool result = QSlider::event(e);
    if (e->type() == QEvent::ApplicationPaletteChange) ResetColor();
    return result;
}

void TTrackBarEx::ResetColor() {
    // Only a colour the form set; otherwise the palette already follows the application's.
    if (autoFillBackground()) SetColor(FSavedColor);
}

void TTrackBarEx::NightModeChanged(void *data, int32_t, int32_t) noexcept {
    try {
        static_cast<TTrackBarEx *>(data)->ResetColor();
    } catch (...) {
        ReportCurrentException();
    }
}

// ---- TProgressBarEx ----------------------------------------------------------------------

TProgressBarEx::TProgressBarEx(QWidget *parent) : QProgressBar(parent) { setTextVisible(false); }

QRect TProgressBarEx::FillRect() const {
    if (maximum() <= 0) return QRect();
    QStyleOptionProgressBar opt;
    initStyleOption(&opt);
    const QRect content = style()->subElementRect(QStyle::SE_ProgressBarContents, &opt, this);
    const int position = qMax(0, value());
    const int width = int(int64_t(qMin(position, maximum())) * content.width() / maximum());
    return QRect(content.left(), content.top(), width, content.height());
}

void TProgressBarEx::paintEvent(QPaintEvent *) {
    QPainter p(this);
    QStyleOptionProgressBar opt;
    initStyleOption(&opt);
    style()->drawControl(QStyle::CE_ProgressBarGroove, &opt, &p, this);
    const QRect fill = FillRect();
    if (fill.width() > 0) p.fillRect(fill, palette().brush(QPalette::Highlight));
}
