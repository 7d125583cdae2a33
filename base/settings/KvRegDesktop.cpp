#include "base/settings/KvRegDesktop.h"

#include "base/registry/KvRegistry.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace {

constexpr int32_t Root = AppRegRoot::Product;

bool Has(uint32_t flags, uint32_t bits) {
    return (flags & bits) != 0;
}

bool ReadBool(const QString &key, const char16_t *name, bool def) {
    return RegReadBoolDef(GetAppReg(), Root, key, RegName(QString::fromUtf16(name)), def);
}

int ReadInt(const QString &key, const char16_t *name, int def) {
    return RegReadIntegerDef(GetAppReg(), Root, key, RegName(QString::fromUtf16(name)), def);
}

void WriteBool(const QString &key, const char16_t *name, bool value) {
    int32_t err = 0;
    RegWriteBool(GetAppReg(), Root, key, RegName(QString::fromUtf16(name)), value, err);
}

void WriteInt(const QString &key, const char16_t *name, int value) {
    int32_t err = 0;
    RegWriteInteger(GetAppReg(), Root, key, RegName(QString::fromUtf16(name)), value, err);
}

int Limited(int value, int maximum) {
    return maximum > 0 ? std::min(value, maximum) : value;
}

void ReadVisibleAndFloating(TDockableLayout &l, const QString &key, uint32_t flags) {
    using namespace LayoutFlag;
    l.Visible = Has(flags, Visible) ? ReadBool(key, u"Visible", Has(flags, VisibleDefault))
                                    : Has(flags, ShownUnread);
    l.Floating = Has(flags, Floating) ? ReadBool(key, u"Floating", Has(flags, FloatingDefault))
                                      : Has(flags, FloatsUnread);
}

void ReadFloatPos(TDockableLayout &l, const QString &key, uint32_t flags, int topDefault,
                  bool centring, const TDesktopGeometry &desktop) {
    QPoint p;
    if (Has(flags, LayoutFlag::FloatPos))
        p = QPoint(ReadInt(key, u"FloatLeft", 0), ReadInt(key, u"FloatTop", topDefault));
    const bool centre = centring && topDefault != 0 && p.y() == topDefault;
    l.FloatPos = CheckPlacement(p, l.FloatHeight, l.FloatWidth, centre, desktop);
}

void ReadDockSite(TDockableLayout &l, const QString &key, const QStringList &docks,
                  uint32_t flags, const QString &defaultDock) {
    if (Has(flags, LayoutFlag::DockPosRow)) {
        l.DockPos = ReadInt(key, u"DockPos", l.DockPos);
        l.DockRow = ReadInt(key, u"DockRow", l.DockRow);
    }
    if (!l.Floating || l.DockSite.isEmpty()) l.DockSite = defaultDock;
    QString site;
    RegReadStringDef(GetAppReg(), Root, key, RegName(u"DockSite"), l.DockSite, site);
    if (docks.contains(site)) l.DockSite = site;
}

void WriteCommon(const TDockableLayout &l, const QString &key, uint32_t flags) {
    using namespace LayoutFlag;
    if (Has(flags, Visible)) WriteBool(key, u"Visible", l.Visible);
    if (Has(flags, Floating)) WriteBool(key, u"Floating", l.Floating);
}

void WriteDockPlace(const TDockableLayout &l, const QString &key, uint32_t flags) {
    if (Has(flags, LayoutFlag::DockPosRow)) {
        WriteInt(key, u"DockPos", l.DockPos);
        WriteInt(key, u"DockRow", l.DockRow);
    }
    int32_t err = 0;
    RegWriteString(GetAppReg(), Root, key, RegName(u"DockSite"),
                   l.Floating ? DockSiteNone : l.DockSite, err);
}

}  // namespace

TDesktopGeometry CurrentDesktopGeometry() {
    TDesktopGeometry g;
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen) {
        g.WorkArea = QRect(0, 0, 1024, 768);
        g.Desktop = QSize(1024, 768);
        return g;
    }
    g.WorkArea = screen->availableGeometry();
    g.Desktop = screen->virtualSize();
    return g;
}

QPoint CheckPlacement(const QPoint &position, int height, int width, bool centre,
                      const TDesktopGeometry &desktop) {
    QPoint r = position;
    if (position.isNull()) {
        r.setX((desktop.WorkArea.width() - width) / 2);
        r.setY((desktop.WorkArea.height() - height) / 2);
    }
    if (centre) r.setX((desktop.WorkArea.width() - width) / 2);
    if (position.x() + width < 0)
        r.setX(20);
    else if (position.x() > desktop.Desktop.width())
        r.setX(desktop.Desktop.width() - width - 20);
    if (position.y() + height < 0)
        r.setY(20);
    else if (position.y() > desktop.Desktop.height())
        r.setY(desktop.Desktop.height() - height - 20);
    return r;
}

void ReadDockablePanelLayout(TDockableLayout &panel, const QString &key,
                             const QStringList &docks, int topDefault, uint32_t flags,
                             const QString &defaultDock, const TDesktopGeometry &desktop) {
    using namespace LayoutFlag;
    ReadVisibleAndFloating(panel, key, flags);
    if (Has(flags, FloatHeight | FloatSize))
        panel.FloatHeight =
            Limited(ReadInt(key, u"FloatHeight", panel.FloatHeight), panel.MaxClientHeight);
    if (Has(flags, FloatWidth | FloatSize))
        panel.FloatWidth =
            Limited(ReadInt(key, u"FloatWidth", panel.FloatWidth), panel.MaxClientWidth);
    ReadFloatPos(panel, key, flags, topDefault, true, desktop);
    if (!panel.CanDock) {
        panel.Floating = true;
        return;
    }
    if (Has(flags, DockHeight | DockSize))
        panel.DockHeight =
            Limited(ReadInt(key, u"DockHeight", panel.MinClientHeight), panel.MaxClientHeight);
    if (Has(flags, DockWidth | DockSize))
        panel.DockWidth =
            Limited(ReadInt(key, u"DockWidth", panel.MinClientWidth), panel.MaxClientWidth);
    ReadDockSite(panel, key, docks, flags, defaultDock);
}

void ReadToolbarLayout(TDockableLayout &bar, const QString &key, const QStringList &docks,
                       uint32_t flags, const QString &defaultDock,
                       const TDesktopGeometry &desktop) {
    ReadVisibleAndFloating(bar, key, flags);
    ReadFloatPos(bar, key, flags, 0, false, desktop);
    ReadDockSite(bar, key, docks, flags, defaultDock);
}

void WriteDockablePanelLayout(const TDockableLayout &panel, const QString &key, uint32_t flags) {
    using namespace LayoutFlag;
    WriteCommon(panel, key, flags);
    if (Has(flags, FloatHeight | FloatSize)) WriteInt(key, u"FloatHeight", panel.FloatHeight);
    if (Has(flags, FloatWidth | FloatSize)) WriteInt(key, u"FloatWidth", panel.FloatWidth);
    if (Has(flags, FloatPos)) {
        WriteInt(key, u"FloatLeft", panel.FloatPos.x());
        WriteInt(key, u"FloatTop", panel.FloatPos.y());
    }
    if (!panel.CanDock) return;
    if (Has(flags, DockHeight | DockSize)) WriteInt(key, u"DockHeight", panel.DockHeight);
    if (Has(flags, DockWidth | DockSize)) WriteInt(key, u"DockWidth", panel.DockWidth);
    WriteDockPlace(panel, key, flags);
}

void WriteToolbarLayout(const TDockableLayout &bar, const QString &key, uint32_t flags) {
    using namespace LayoutFlag;
    WriteCommon(bar, key, flags);
    if (Has(flags, FloatWidth | FloatSize)) WriteInt(key, u"FloatWidth", bar.FloatWidth);
    if (Has(flags, FloatPos)) {
        WriteInt(key, u"FloatLeft", bar.FloatPos.x());
        WriteInt(key, u"FloatTop", bar.FloatPos.y());
    }
    WriteDockPlace(bar, key, flags);
}

void ReadFormPlacement(TFormPlacement &form, const QString &key, uint32_t flags, int leftDefault,
                       int topDefault, int widthDefault, int heightDefault,
                       const TDesktopGeometry &desktop) {
    using namespace LayoutFlag;
    int height = Has(flags, FormHeight | FormSize) ? ReadInt(key, u"Height", heightDefault)
                                                   : form.Bounds.height();
    if (height == 0) height = desktop.WorkArea.height() - 100;
    int width = Has(flags, FormWidth | FormSize) ? ReadInt(key, u"Width", widthDefault)
                                                 : form.Bounds.width();
    if (width == 0) width = desktop.WorkArea.width() - 100;
    QPoint p;
    if (Has(flags, FormPos))
        p = QPoint(ReadInt(key, u"Left", leftDefault), ReadInt(key, u"Top", topDefault));
    p = CheckPlacement(p, height, width, false, desktop);
    form.Bounds = QRect(p, QSize(width, height));
    form.State = Has(flags, FormState) && ReadInt(key, u"State", 0) == 2 ? 2 : 0;
}

void WriteFormPlacement(const TFormPlacement &form, const QString &key, uint32_t flags) {
    using namespace LayoutFlag;
    if (Has(flags, FormHeight | FormSize)) WriteInt(key, u"Height", form.Bounds.height());
    if (Has(flags, FormWidth | FormSize)) WriteInt(key, u"Width", form.Bounds.width());
    if (Has(flags, FormPos)) {
        WriteInt(key, u"Left", form.Bounds.x());
        WriteInt(key, u"Top", form.Bounds.y());
    }
    if (Has(flags, FormState)) WriteInt(key, u"State", form.State == 2 ? 2 : 0);
}

void WriteFormState(int state, const QString &key) {
    WriteInt(key, u"State", state);
}
