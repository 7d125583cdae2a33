#include "base/graphics/KvNightScreen.h"

#include "base/graphics/KvGraphics.h"
#include "base/graphics/KvImageList.h"
#include "base/kvlib/KvExceptions.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <memory>
#include <vector>

namespace {

struct TImageListEntry {
    QPointer<TImageList> List;
    // The unconverted copy while night mode is on; empty while off (the list is its own
    // original then).
    std::unique_ptr<TImageList> Saved;
};

struct TPictureEntry {
    QPointer<QLabel> Image;
    QPixmap Saved;             // the day picture while night mode is on
    qint64 ConvertedKey = 0;   // what the label shows after conversion
    bool Converted = false;
};

struct TService {
    INightScreen *NS = nullptr;
    bool Started = false;
    bool PaletteSaved = false;
    QPalette DayPalette;
    std::unique_ptr<std::vector<TImageListEntry>> ImageLists;
    std::unique_ptr<std::vector<TPictureEntry>> Pictures;
};

TService &Service() {
    static TService service;
    return service;
}

bool Active(INightScreen *ns) { return ns && ns->IsActive(); }

void ConvertList(INightScreen *ns, TImageListEntry &e) {
    if (!e.Saved) {
        e.Saved = std::make_unique<TImageList>();
        e.Saved->Assign(*e.List);
    }
    NightScreenCopyImageList(ns, *e.List, *e.Saved);
}

void RestoreList(TImageListEntry &e) {
    if (!e.Saved) return;
    if (e.List) e.List->Assign(*e.Saved);
    e.Saved.reset();
}

void ConvertPicture(INightScreen *ns, TPictureEntry &e) {
    const QPixmap current = e.Image->pixmap();
    // A picture the form set after the last conversion is the new day picture.
    if (!e.Converted || current.cacheKey() != e.ConvertedKey) e.Saved = current;
    QImage night;
    NightScreenConvertGraphic(ns, night, e.Saved.toImage());
    e.Image->setPixmap(night.isNull() ? e.Saved : QPixmap::fromImage(night));
    e.ConvertedKey = e.Image->pixmap().cacheKey();
    e.Converted = true;
}

void RestorePicture(TPictureEntry &e) {
    if (!e.Converted) return;
    if (e.Image && e.Image->pixmap().cacheKey() == e.ConvertedKey) e.Image->setPixmap(e.Saved);
    e.Saved = QPixmap();
    e.Converted = false;
}

void ApplyPalette(INightScreen *ns, int32_t kind) {
    auto &s = Service();
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) return;
    if (kind == 1) {
        if (s.PaletteSaved) QApplication::setPalette(s.DayPalette);
        s.PaletteSaved = false;
        return;
    }
    if (!s.PaletteSaved) {
        s.DayPalette = QApplication::palette();
        s.PaletteSaved = true;
    }
    QApplication::setPalette(NightScreenPalette(ns, s.DayPalette));
}

void HandleModeChange(INightScreen *ns, int32_t kind) {
    auto &s = Service();
    if (s.ImageLists) {
        auto &lists = *s.ImageLists;
        for (auto it = lists.rbegin(); it != lists.rend(); ++it) {
            if (!it->List) continue;
            if (kind == 1) RestoreList(*it);
            else ConvertList(ns, *it);
        }
    }
    if (s.Pictures) {
        auto &pictures = *s.Pictures;
        for (auto it = pictures.rbegin(); it != pictures.rend(); ++it) {
            if (!it->Image) continue;
            if (kind == 1) RestorePicture(*it);
            else ConvertPicture(ns, *it);
        }
    }
    ApplyPalette(ns, kind);
}

void ModeChanged(void *data, int32_t, int32_t kind) noexcept {
    try {
        HandleModeChange(static_cast<INightScreen *>(data), kind);
    } catch (...) {
        ReportCurrentException();
    }
}

}  // namespace

INightScreen *NightScreen() {
    NightScreenStart();
    return Service().NS;
}

void NightScreenStart() {
    auto &s = Service();
    if (s.Started) return;
    s.NS = GetNightScreen();
    if (s.NS) s.NS->AddModeCallback(&ModeChanged, s.NS);
    s.Started = true;
}

void NightScreenStop() {
    auto &s = Service();
    if (!s.Started) return;
    if (s.NS) s.NS->RemoveModeCallback(&ModeChanged, s.NS);
    if (s.PaletteSaved && qobject_cast<QApplication *>(QCoreApplication::instance()))
        QApplication::setPalette(s.DayPalette);
    s.PaletteSaved = false;
    s.NS = nullptr;
    s.Started = false;
}

void NightScreenAddImageList(INightScreen *ns, TImageList *list) {
    if (!list) return;
    NightScreenStart();
    auto &s = Service();
    if (!s.ImageLists) s.ImageLists = std::make_unique<std::vector<TImageListEntry>>();
    s.ImageLists->push_back(TImageListEntry{list, nullptr});
    if (Active(ns)) ConvertList(ns, s.ImageLists->back());
}

void NightScreenRemoveImageList(INightScreen *ns, TImageList *list) {
    auto &s = Service();
    if (!s.ImageLists || !list) return;
    auto &lists = *s.ImageLists;
    for (auto i = lists.size(); i-- > 0;) {
        if (lists[i].List != list) continue;
        RestoreList(lists[i]);
        lists.erase(lists.begin() + ptrdiff_t(i));
        break;
    }
    if (lists.empty()) s.ImageLists.reset();
}

void NightScreenAddImage(INightScreen *ns, QLabel *image) {
    if (!image) return;
    NightScreenStart();
    auto &s = Service();
    if (!s.Pictures) s.Pictures = std::make_unique<std::vector<TPictureEntry>>();
    s.Pictures->push_back(TPictureEntry{image, {}, 0, false});
    if (Active(ns)) ConvertPicture(ns, s.Pictures->back());
}

void NightScreenRemoveImage(INightScreen *ns, QLabel *image) {
    auto &s = Service();
    if (!s.Pictures || !image) return;
    auto &pictures = *s.Pictures;
    for (auto i = pictures.size(); i-- > 0;) {
        if (pictures[i].Image != image) continue;
        RestorePicture(pictures[i]);
        pictures.erase(pictures.begin() + ptrdiff_t(i));
        break;
    }
    if (pictures.empty()) s.Pictures.reset();
}

void NightScreenConvertBitmap(INightScreen *ns, QImage &bitmap) {
    if (!ns || bitmap.isNull()) return;
    switch (bitmap.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        ns->ConvertRows32(bitmap.scanLine(bitmap.height() - 1), PixelFormatInfo(bitmap));
        break;
    case QImage::Format_BGR888:
        ns->ConvertRows24(bitmap.scanLine(bitmap.height() - 1), PixelFormatInfo(bitmap));
        break;
    case QImage::Format_RGB888: {
        // The library's 24-bit rows are blue, green, red.
        QImage bgr = bitmap.convertToFormat(QImage::Format_BGR888);
        ns->ConvertRows24(bgr.scanLine(bgr.height() - 1), PixelFormatInfo(bgr));
        bitmap = bgr.convertToFormat(QImage::Format_RGB888);
        break;
    }
    default:
        break;  // palette, grey and small formats pass unchanged
    }
}

void NightScreenConvertPNG(INightScreen *ns, QImage &png) { NightScreenConvertBitmap(ns, png); }

void NightScreenConvertGraphic(INightScreen *ns, QImage &target, const QImage &source) {
    target = source.copy();
    NightScreenConvertBitmap(ns, target);
}

void NightScreenCopyImageList(INightScreen *ns, TImageList &dest, const TImageList &source) {
    // One Changed signal for the whole rebuild: views refetch once.
    TImageList night(source.Width(), source.Height());
    for (int i = 0; i < source.Count(); ++i) {
        QImage img = source.Image(i);
        NightScreenConvertBitmap(ns, img);
        night.Add(img);
    }
    dest.Assign(night);
}

QPalette NightScreenPalette(INightScreen *ns, const QPalette &day) {
    if (!ns) return day;
    auto night = [ns](int grey) {
        const uint32_t rgb = ns->ConvertRGB(uint32_t(grey) * 0x010101u);
        return QColor::fromRgb(rgb & 0xFFFFFFu);
    };
    // Backgrounds near black, text and symbols in dim red: the brightest thing on screen
    // is red text, as on a bridge display at night.
    QPalette p = day;
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = g == QPalette::Disabled;
        p.setColor(g, QPalette::Window, night(36));
        p.setColor(g, QPalette::Base, night(18));
        p.setColor(g, QPalette::AlternateBase, night(28));
        p.setColor(g, QPalette::Button, night(50));
        p.setColor(g, QPalette::ToolTipBase, night(36));
        p.setColor(g, QPalette::Light, night(90));
        p.setColor(g, QPalette::Midlight, night(70));
        p.setColor(g, QPalette::Mid, night(45));
        p.setColor(g, QPalette::Dark, night(20));
        p.setColor(g, QPalette::Shadow, night(0));
        p.setColor(g, QPalette::Highlight, night(110));
        const QColor text = night(disabled ? 130 : 255);
        for (QPalette::ColorRole r : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                      QPalette::ToolTipText, QPalette::BrightText,
                                      QPalette::HighlightedText, QPalette::PlaceholderText})
            p.setColor(g, r, text);
        p.setColor(g, QPalette::Link, night(200));
        p.setColor(g, QPalette::LinkVisited, night(160));
    }
    return p;
}

bool NightScreenHasImageListRegistry() { return bool(Service().ImageLists); }
bool NightScreenHasPictureRegistry() { return bool(Service().Pictures); }
