#include "shell/MarivoImages.h"

#include "base/charts/KvCharts.h"
#include "base/geodesy/KvGeodetic.h"
#include "base/graphics/KvGraphics.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvLib.h"
#include "base/kvlib/KvStrings.h"
#include "base/strings/KvFormatSettings.h"
#include "base/texts/KvLanguage.h"
#include "base/texts/KvStr.h"
#include "base/units/KvAngles.h"
#include "base/units/KvUnitsTime.h"
#include "shell/MarivoColors.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPalette>

#include <cfenv>
#include <cmath>
#include <memory>

namespace {

using TBmp32Ptr = TNavPtr<IBmp32>;

const TLanguageStrings SName = {"Name", "Naam", "Name", "Nom", "Nombre", "Nome", "Navn", "Namn"};
const TLanguageStrings SEdition = {"Edition", "Editie", "Ausgabe", "\u00C9dition", "Edici\u00F3n",
                                   "Edizione", "Udgave", "Utg\u00E5va"};

// The system colours the program paints with, by their index.
QPalette::ColorRole SystemColorRole(int index) {
    switch (index) {
    case 5: return QPalette::Base;              // window
    case 8: return QPalette::Text;              // window text
    case 13: return QPalette::Highlight;
    case 14: return QPalette::HighlightedText;
    case 15: return QPalette::Button;           // button face
    case 16: return QPalette::Dark;             // button shadow
    case 17: return QPalette::PlaceholderText;  // grey text
    case 18: return QPalette::ButtonText;
    case 20: return QPalette::Light;            // button highlight
    case 21: return QPalette::Shadow;
    case 22: return QPalette::Midlight;
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    default: return QPalette::Window;
    }
}

TRectD RectD(double l, double t, double r, double b) {
    TRectD rect;
    rect.Left = l;
    rect.Top = t;
    rect.Right = r;
    rect.Bottom = b;
    return rect;
}

TRectD FullRectD(IBmp32 *bmp) {
    return RectD(0, 0, bmp->GetWidth(), bmp->GetHeight());
}

TRect FullRect(IBmp32 *bmp) {
    TRect r;
    bmp->GetBounds(r);
    return r;
}

uint32_t NightColour(uint32_t argb) {
    INightScreen *ns = NightScreen();
    if (!ns || !ns->IsActive()) return argb;
    return (argb & 0xFF000000u) | (ns->ConvertRGB(argb & 0x00FFFFFFu) & 0x00FFFFFFu);
}

void LoadByReader(const QString &fileName, IBmp32 *bmp, int32_t &bitsPerPixel, int32_t &err,
                  bool png) {
    QImageReader reader(fileName, png ? "png" : "jpeg");
    QImage image = reader.read();
    if (image.isNull()) {
        if (png)
            err = QFileInfo::exists(fileName) ? KvErr::ImageSize : KvErr::ImageDecode;
        else
            err = JPEGErrorToCode(reader.errorString(), KvErr::ImageDecode);
        return;
    }
    bitsPerPixel = image.hasAlphaChannel() ? 32 : (image.depth() == 32 ? 24 : image.depth());
    if (!image.hasAlphaChannel()) image = image.convertToFormat(QImage::Format_RGB32);
    Bmp32FromImage(bmp, image.convertToFormat(QImage::Format_ARGB32));
}

}  // namespace

// ---- colours and icons ------------------------------------------------------------------

uint32_t ColorToARGB(TColor color, uint8_t alpha) {
    uint32_t rgb;
    if (color < 0) {
        const QColor c = QApplication::palette().color(SystemColorRole(color & 0xFF));
        rgb = (uint32_t(c.red()) << 16) | (uint32_t(c.green()) << 8) | uint32_t(c.blue());
    } else {
        rgb = SwapRedBlue(uint32_t(color));
    }
    return (uint32_t(alpha) << 24) | rgb;
}

uint32_t SwapRedBlue(uint32_t color) {
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

int AddShieldIconToImageList(TImageList *) {
    return -1;
}

// ---- bitmaps ------------------------------------------------------------------------------

int32_t JPEGErrorToCode(const QString &message, int32_t def) {
    int number = 0;
    return ParseJpegErrorNumber(message, number) ? KvErr::ImageFormat : def;
}

int32_t Bmp32FormatBitsPerPixel(int32_t format) {
    switch (format) {
    case 0: return 1;
    case 2: return 4;
    case 3: return 8;
    case 4: case 5: case 6: return 16;
    case 7: return 24;
    case 8: case 9: return 32;
    default: return 0;
    }
}

void LoadBmp32FromFile(const QString &fileName, IBmp32 *bmp, int32_t &bitsPerPixel,
                       int32_t &err) {
    err = 0;
    bitsPerPixel = 0;
    const QString ext = QFileInfo(fileName).suffix().toLower();
    if (ext == u"bmp" || ext == u"tga") {
        Bmp32LoadFromFile(bmp, fileName, 1, err, nullptr, ext == u"tga");
        if (err == 0) bitsPerPixel = Bmp32FormatBitsPerPixel(bmp->GetPixelFormat());
    } else if (ext == u"jpg" || ext == u"png") {
        LoadByReader(fileName, bmp, bitsPerPixel, err, ext == u"png");
    } else {
        // Reporting success for a format nobody reads would leave the caller with an empty
        // picture and no reason.
        bmp->SetSize(0, 0);
        err = KvErr::ImageFormat;
    }
}

bool ScaleBmp32(IBmp32 *bmp, float factor) {
    if (factor == 1.0f) return true;
    if (!(factor > 0.0f) || !std::isfinite(factor)) return false;
    const int oldRounding = std::fegetround();
    std::fesetround(FE_TONEAREST);  // halves go to the even neighbour
    const int w = std::max(1, int(std::nearbyint(double(factor) * bmp->GetWidth())));
    const int h = std::max(1, int(std::nearbyint(double(factor) * bmp->GetHeight())));
    std::fesetround(oldRounding);
    TBmp32Ptr scaled(Bmp32Create(w, h, 1));
    bmp->DrawScaled(scaled.get());
    bmp->Assign(scaled.get());
    return true;
}

void DrawCheckerboard(int columns, int rows, uint32_t colour1, IBmp32 *bmp, uint32_t colour2) {
    if (columns <= 0 || rows <= 0) return;
    const double cw = double(bmp->GetWidth()) / columns;
    const double ch = double(bmp->GetHeight()) / rows;
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < columns; ++col) {
            const double left = -0.5 + col * cw, top = -0.5 + row * ch;
            const uint32_t c = (col + row) % 2 == 0 ? colour1 : colour2;
            bmp->FillRect(RectD(left, top, left + cw + 1.0, top + ch + 1.0), c, c, 0, 1.0f);
        }
    }
}

void DrawBmp32Centered(IBmp32 *image, QPainter &canvas, const QRect &rect, bool copyBackground,
                       uint32_t colour2, uint32_t colour1, int checkerCells, float factor) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    TBmp32Ptr work(Bmp32Create(rect.width(), rect.height(), 1));
    if (copyBackground) {
        TPoint at;
        TRect src;
        src.Left = rect.left();
        src.Top = rect.top();
        src.Right = rect.right() + 1;
        src.Bottom = rect.bottom() + 1;
        work->CopyFromDC(&canvas, at, src);
    } else if (checkerCells != 0) {
        DrawCheckerboard(checkerCells, checkerCells, colour1, work.get(), colour2);
    } else {
        work->Fill(colour1);
    }
    if (image) {
        TBmp32Ptr copy(Bmp32Create(0, 0, 0));
        copy->Assign(image);
        ScaleBmp32(copy.get(), factor);
        const double x = (work->GetWidth() - copy->GetWidth()) / 2.0 - 0.5;
        const double y = (work->GetHeight() - copy->GetHeight()) / 2.0 - 0.5;
        copy->Blend(work.get(), RectD(x, y, x + copy->GetWidth(), y + copy->GetHeight()),
                    FullRectD(copy.get()), 2, 0);
    }
    TRect dst;
    dst.Left = rect.left();
    dst.Top = rect.top();
    dst.Right = rect.right() + 1;
    dst.Bottom = rect.bottom() + 1;
    work->DrawTo(&canvas, dst, FullRect(work.get()));
}

TRectD NamePositionCell(int width, int height, int position) {
    const double cw = width / 3.0, ch = height / 3.0;
    const int col = position / 3, row = position % 3;
    return RectD(col * cw, row * ch, (col + 1) * cw, (row + 1) * ch);
}

void DrawNamePositionPicker(QPainter &canvas, int width, int height, bool showName,
                            const QFont &font, int position, IBmp32 *icon) {
    if (width <= 0 || height <= 0) return;
    TBmp32Ptr work(Bmp32Create(width, height, 1));
    DrawCheckerboard(6, 6, IconBackColor1, work.get(), IconBackColor2);
    const TRectD cell = NamePositionCell(width, height, position);
    if (showName) {
        const TRectD inner = RectD(cell.Left - 0.5, cell.Top - 0.5, cell.Right - 0.5,
                                   cell.Bottom - 0.5);
        work->FillRect(inner, NightColour(0x80E0E0FFu), NightColour(0xFF8080FFu), 0, 1.0f);
    }
    if (icon) {
        TBmp32Ptr copy(Bmp32Create(0, 0, 0));
        copy->Assign(icon);
        ScaleBmp32(copy.get(), 0.5f);
        const double x = (width - copy->GetWidth()) / 2.0 - 0.5;
        const double y = (height - copy->GetHeight()) / 2.0 - 0.5;
        copy->Blend(work.get(), RectD(x, y, x + copy->GetWidth(), y + copy->GetHeight()),
                    FullRectD(copy.get()), 2, 0);
    }
    if (showName) {
        TRect r;
        r.Left = int(std::lround(cell.Left));
        r.Top = int(std::lround(cell.Top));
        r.Right = int(std::lround(cell.Right));
        r.Bottom = int(std::lround(cell.Bottom));
        Bmp32DrawTextRect(work.get(), LanguageText(SName).toLower(), r, 1 | 4, 0, 0, 0, &font);
    }
    TRect dst;
    dst.Right = width;
    dst.Bottom = height;
    work->DrawTo(&canvas, dst, FullRect(work.get()));
}

// ---- chart names --------------------------------------------------------------------------

QString ChartDisplayName(IRasterChart *chart) {
    IRasterChartInfo *info = chart->GetInfo();
    QString text = info ? RasterChartInfoGetName(info) : QString();
    if (text.isEmpty()) text = QFileInfo(RasterChartGetFileName(chart)).fileName();
    const QString number = info ? RasterChartInfoGetNumber(info) : QString();
    if (!number.isEmpty()) text = number + QStringLiteral(" - ") + text;
    return text;
}

QString ChartDisplayNameEx(IRasterChart *chart, bool withEdition) {
    QString text = ChartDisplayName(chart);
    IRasterChartInfo *info = chart->GetInfo();
    if (!info) return text;
    const QString scale = RasterChartInfoGetOriginalScale(info);
    if (!scale.isEmpty()) text = scale + QStringLiteral(", ") + text;
    const uint16_t edition = info->GetEditionNumber();
    if (withEdition && edition != 0)
        text += QStringLiteral(" (%1 %2)").arg(LanguageText(SEdition)).arg(edition);
    return text;
}

// ---- comparisons --------------------------------------------------------------------------

uint32_t WaypointListDifferences(const QList<IWptWaypoint *> &waypoints) {
    if (waypoints.size() < 2) return 0;
    IWptWaypoint *ref = waypoints.last();
    const QString refLink = StrWToWide(ref->GetLink());
    const QString refSub = StrWToWide(ref->GetSubName());
    uint32_t bits = 0;
    for (int i = 0; i < waypoints.size() - 1; ++i) {
        IWptWaypoint *w = waypoints[i];
        if (StrWToWide(w->GetLink()) != refLink) bits |= 1;
        if (w->GetType() != ref->GetType()) bits |= 2;
        if (w->GetProximity() != ref->GetProximity()) bits |= 4;
        if (w->GetScale() != ref->GetScale()) bits |= 8;
        if (StrWToWide(w->GetSubName()) != refSub) bits |= 16;
        if (w->GetCompareObject() != ref->GetCompareObject()) bits |= 32;
    }
    return bits;
}

bool SameFontSpec(const TFontSpec &a, const TFontSpec &b) {
    return a.Size == b.Size && a.Color == b.Color && a.Style == b.Style;
}

namespace {

TFontSpec LightCharFont(IWptWaypointType *t) {
    return {t->GetLightCharSize(), t->GetLightCharColor(), WptTypeGetLightCharFontStyle(t)};
}
TFontSpec MainTextFont(IWptWaypointType *t) {
    return {t->GetMainTextSize(), t->GetMainTextColor(), WptTypeGetMainTextFontStyle(t)};
}
TFontSpec SubtextFont(IWptWaypointType *t) {
    return {t->GetSubtextSize(), t->GetSubtextColor(), WptTypeGetSubtextFontStyle(t)};
}

}  // namespace

uint32_t WaypointTypeFontDifferences(const QList<IWptWaypointType *> &types) {
    if (types.size() < 2) return 0;
    IWptWaypointType *ref = types.last();
    uint32_t bits = 0;
    for (int i = types.size() - 2; i >= 0; --i) {
        if (!SameFontSpec(LightCharFont(types[i]), LightCharFont(ref))) bits |= 1;
        if (!SameFontSpec(MainTextFont(types[i]), MainTextFont(ref))) bits |= 2;
        if (!SameFontSpec(SubtextFont(types[i]), SubtextFont(ref))) bits |= 4;
    }
    return bits;
}
