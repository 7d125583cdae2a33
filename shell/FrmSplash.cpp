#include "shell/FrmSplash.h"

#include "base/graphics/KvGraphics.h"
#include "base/kvlib/KvExceptions.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"

#include <KvLibNav6/KvLib.h>

#include <QDate>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int SplashWidth = 450, SplashHeight = 300;
constexpr uint32_t TrackColour = 0xFFC0C0C0u;
constexpr uint32_t FillColour = 0xFF5F7596u;
constexpr uint32_t TextColour = 0xFFFFFFFFu;

const TLanguageStrings SNotice = {
    "\u00A9 %1 Korvane Software. All rights reserved.",
    /*nl*/ "\u00A9 %1 Korvane Software. Alle rechten voorbehouden.",
    /*de*/ "\u00A9 %1 Korvane Software. Alle Rechte vorbehalten.",
    /*fr*/ "\u00A9 %1 Korvane Software. Tous droits r\u00E9serv\u00E9s.",
    /*es*/ "",
    /*it*/ "\u00A9 %1 Korvane Software. Tutti i diritti riservati.",
    /*da*/ "\u00A9 %1 Korvane Software. Alle rettigheder forbeholdes.",
    /*sv*/ "\u00A9 %1 Korvane Software. Alla r\u00E4ttigheter f\u00F6rbeh\u00E5llna."};

TFormSplash *GSplash = nullptr;

TSplashClock &Clock() {
    static TSplashClock clock;
    return clock;
}

TSplashWait &Wait() {
    static TSplashWait wait;
    return wait;
}

int64_t NowMs() {
    if (Clock()) return Clock()();
    static QElapsedTimer timer;
    if (!timer.isValid()) timer.start();
    return timer.elapsed();
}

// The event loop runs while waiting: the splash, the main window and the signal
// notifiers all keep being served.
void WaitWithEvents(int ms) {
    if (Wait()) {
        Wait()(ms);
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

TRect ToRect(const QRect &r) {
    return TRect{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

// Our picture: a rounded night-blue card with a compass rose, the program's name and a
// band of waves; transparent outside the rounded corners.
QImage BackgroundPicture() {
    QImage image(SplashWidth, SplashHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.addRoundedRect(QRectF(0.5, 0.5, SplashWidth - 1, SplashHeight - 1), 18, 18);
    QLinearGradient sky(0, 0, 0, SplashHeight);
    sky.setColorAt(0.0, QColor(0x0B, 0x25, 0x45));
    sky.setColorAt(1.0, QColor(0x13, 0x3C, 0x6E));
    p.fillPath(card, sky);
    p.setClipPath(card);
    for (int band = 0; band < 3; ++band) {
        QPainterPath wave;
        const double base = 200 + band * 14;
        wave.moveTo(0, base);
        for (int x = 0; x <= SplashWidth; x += 5)
            wave.lineTo(x, base + 6 * std::sin((x + band * 40) / 32.0));
        wave.lineTo(SplashWidth, SplashHeight);
        wave.lineTo(0, SplashHeight);
        wave.closeSubpath();
        p.fillPath(wave, QColor(0x5F, 0x95, 0xC6, 40 + band * 25));
    }
    const QPointF centre(88, 104);
    p.setPen(QPen(QColor(255, 255, 255, 170), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 46, 46);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    p.drawEllipse(centre, 36, 36);
    QPolygonF north, south;
    north << centre + QPointF(0, -52) << centre + QPointF(9, 0) << centre + QPointF(-9, 0);
    south << centre + QPointF(0, 52) << centre + QPointF(9, 0) << centre + QPointF(-9, 0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE8, 0x4A, 0x3C));
    p.drawPolygon(north);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawPolygon(south);
    p.setPen(QColor(255, 255, 255, 200));
    for (int i = 0; i < 4; ++i) {
        const double a = i * std::numbers::pi / 2 + std::numbers::pi / 4;
        p.drawLine(centre + QPointF(30 * std::cos(a), 30 * std::sin(a)),
                   centre + QPointF(44 * std::cos(a), 44 * std::sin(a)));
    }
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(46);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(158, 56, 280, 56), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Marivo"));
    QFont edition = title;
    edition.setPixelSize(24);
    edition.setBold(false);
    p.setFont(edition);
    p.setPen(QColor(0x9F, 0xD3, 0xF0));
    p.drawText(QRect(162, 112, 280, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Ostrel"));
    return image;
}

void SplashProgressProc(void *data, int32_t position, int32_t maximum, int32_t stage) {
    try {
        auto *splash = static_cast<TFormSplash *>(data);
        if (splash && splash == GSplash) splash->Progress(position, maximum, stage);
    } catch (...) {
        ReportCurrentException();
    }
}

QLabel *MakeLabel(QWidget *parent, const QRect &geometry, int pixelSize, bool bold) {
    auto *label = new QLabel(parent);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    label->setFont(f);
    label->setGeometry(geometry);
    label->hide();
    return label;
}

}  // namespace

TFormSplash::TFormSplash(int minimumMs)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      LabelVersion(MakeLabel(this, QRect(162, 146, 260, 18), 13, true)),
      LabelNotice(MakeLabel(this, QRect(20, 282, 414, 14), 10, false)),
      LabelStatus(MakeLabel(this, QRect(20, 252, 414, 18), 11, false)), FMinimumMs(minimumMs),
      FCreatedAt(NowMs()) {
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(SplashWidth, SplashHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    LabelStatus->setText(QStringLiteral(" "));
    LabelVersion->setText(QStringLiteral("v") + VersionToStr(ProgInfoGetVersion(), 4));
    const QDate versionDate =
        QDate(1899, 12, 30).addDays(qint64(std::floor(GetProgInfo()->GetVersionDate())));
    LabelNotice->setText(LanguageText(SNotice).arg(versionDate.toString(QStringLiteral("yyyy"))));
    BuildSurface();
    Redraw();
}

TFormSplash::~TFormSplash() {
    if (GSplash == this) GSplash = nullptr;
}

void TFormSplash::DrawLabel(QLabel *label, int flags) {
    const QFont font = label->font();
    const TRect r = ToRect(label->geometry());
    Bmp32DrawTextRect(FSurface.get(), label->text(), r, flags, int32_t(TextColour), 0, 0, &font);
    // The label's rectangle is opaque, also where the picture below is not.
    for (int y = r.Top; y < r.Bottom; ++y) {
        uint8_t *row = FSurface->GetRow(y);
        if (!row) continue;
        for (int x = r.Left; x < r.Right; ++x) row[4 * x + 3] = 255;
    }
}

void TFormSplash::BuildSurface() {
    FSurface.reset(Bmp32Create(SplashWidth, SplashHeight, 1));
    Bmp32FromImage(FSurface.get(), BackgroundPicture());
    DrawLabel(LabelVersion, 0);
    DrawLabel(LabelNotice, 0);
    FSavedStatus = Bmp32ToImage(FSurface.get()).copy(LabelStatus->geometry());
}

void TFormSplash::Redraw() {
    {
        auto *p = static_cast<QPainter *>(FSurface->GetDC());
        p->save();
        p->setCompositionMode(QPainter::CompositionMode_Source);
        p->drawImage(LabelStatus->geometry().topLeft(), FSavedStatus);
        p->restore();
    }
    LabelStatus->setText(StatusText());
    DrawLabel(LabelStatus, 2 | 4);  // right, vertically centred
    FSurface->FillRect(Track, TrackColour, TrackColour, 0, 1.0f);
    if (FFillEnd > Track.Left)
        FSurface->FillRect(TRectD{Track.Left, Track.Top, FFillEnd, Track.Bottom}, FillColour,
                           FillColour, 0, 1.0f);
    ++FRedraws;
    update();
}

QString TFormSplash::StatusText() const {
    return FStage != 0 && !FDetail.isEmpty() ? FDetail : FText;
}

QImage TFormSplash::Picture() const {
    return Bmp32ToImage(FSurface.get());
}

void TFormSplash::SetText(const QString &text, const QString &detail) {
    FText = text;
    FDetail = detail;
    FStage = 0;
    Redraw();
}

void TFormSplash::Progress(int32_t position, int32_t maximum, int32_t stage) {
    double end = Track.Left;
    if (maximum != 0)
        end = Track.Left + (Track.Right - Track.Left) * double(position) / double(maximum);
    end = std::clamp(end, Track.Left, Track.Right);
    const bool moved = std::floor(end) != std::floor(FFillEnd);
    FFillEnd = end;
    if (!moved && stage == FStage) return;
    FStage = stage;
    Redraw();
}

void TFormSplash::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    FSurface->DrawTo(&p, TRect{0, 0, SplashWidth, SplashHeight},
                     TRect{0, 0, SplashWidth, SplashHeight});
}

void TFormSplash::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    Redraw();
}

void ShowSplash(int minimumMs) {
    if (GSplash) return;
    GSplash = new TFormSplash(minimumMs);
    GSplash->show();
    GSplash->repaint();
}

void SplashText(const QString &text, const QString &detail) {
    if (GSplash) GSplash->SetText(text, detail);
}

void SplashProgress(int32_t position, int32_t maximum, int32_t stage) {
    if (GSplash) GSplash->Progress(position, maximum, stage);
}

TSplashProgressCallback SplashProgressCallback() {
    if (!GSplash) return {};
    return {&SplashProgressProc, GSplash};
}

void CloseSplash() {
    if (!GSplash) return;
    const int64_t remaining = GSplash->MinimumMs() - (NowMs() - GSplash->CreatedAtMs());
    if (remaining > 0) WaitWithEvents(int(remaining));
    delete GSplash;  // the destructor forgets it
}

TFormSplash *Splash() {
    return GSplash;
}

TSplashClock SetSplashClock(TSplashClock clock) {
    TSplashClock previous = std::move(Clock());
    Clock() = std::move(clock);
    return previous;
}

TSplashWait SetSplashWait(TSplashWait wait) {
    TSplashWait previous = std::move(Wait());
    Wait() = std::move(wait);
    return previous;
}
