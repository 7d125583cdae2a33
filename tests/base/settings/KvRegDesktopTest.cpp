// Panel, toolbar and window placements against the real settings store.
#include "SettingsDoubles.h"

#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegDesktop.h"

using namespace settingstest;

namespace {

constexpr int32_t Root = AppRegRoot::Product;
const QString Key = QStringLiteral("Desktop\\ToolWindowTest");
const QStringList Docks = {QStringLiteral("DockTop"), QStringLiteral("DockBottom"),
                           QStringLiteral("DockLeft"), QStringLiteral("MultiDockLeft"),
                           QStringLiteral("MultiDockRight")};
const TDesktopGeometry Screen{QRect(0, 0, 1200, 760), QSize(1280, 800)};

class DesktopLayout : public SettingsStoreTest {
protected:
    void Int(const char16_t *name, int v) {
        int32_t err = 0;
        RegWriteInteger(GetAppReg(), Root, Key, Named(name), v, err);
        ASSERT_EQ(err, 0);
    }
    void Bool(const char16_t *name, bool v) {
        int32_t err = 0;
        RegWriteBool(GetAppReg(), Root, Key, Named(name), v, err);
    }
    void Str(const char16_t *name, const QString &v) {
        int32_t err = 0;
        RegWriteString(GetAppReg(), Root, Key, Named(name), v, err);
    }
    bool Exists(const char16_t *name) {
        int32_t err = 0;
        QString out;
        RegReadString(GetAppReg(), Root, Key, Named(name), err, out);
        int32_t err2 = 0;
        RegReadInteger(GetAppReg(), Root, Key, Named(name), err2);
        int32_t err3 = 0;
        RegReadBool(GetAppReg(), Root, Key, Named(name), err3);
        return err == 0 || err2 == 0 || err3 == 0;
    }
    TDockableLayout Read(uint32_t flags, int topDefault = 0) {
        TDockableLayout l;
        l.FloatWidth = 300;
        l.FloatHeight = 250;
        l.MinClientHeight = 150;
        l.MinClientWidth = 300;
        ReadDockablePanelLayout(l, Key, Docks, topDefault, flags, QStringLiteral("MultiDockLeft"),
                                Screen);
        return l;
    }
};

}  // namespace

TEST(Placement, CheckPlacementTable) {
    struct Case { const char *name; QPoint p; int h, w; bool centre; QPoint expected; };
    const Case cases[] = {
        {"on screen stays", {100, 50}, 200, 300, false, {100, 50}},
        {"left off screen", {-500, 50}, 200, 300, false, {20, 50}},
        {"partly left stays", {-100, 50}, 200, 300, false, {-100, 50}},
        {"origin centres in the work area", {0, 0}, 200, 300, false, {450, 280}},
        {"beyond the right edge", {1500, 50}, 200, 300, false, {1280 - 300 - 20, 50}},
        {"above the top", {100, -300}, 200, 300, false, {100, 20}},
        {"below the bottom", {100, 900}, 200, 300, false, {100, 800 - 200 - 20}},
        {"centred horizontally", {100, 50}, 200, 300, true, {450, 50}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CheckPlacement(c.p, c.h, c.w, c.centre, Screen), c.expected);
    }
}

TEST_F(DesktopLayout, FlagsDecideWhatIsReadAndItsDefaults) {
    // Nothing stored: the defaults of each flag set.
    struct Case { const char *name; uint32_t flags; bool visible, floating; };
    const Case empty[] = {
        {"144: hidden, floats", 144, false, true},
        {"307: hidden, docked", 307, false, false},
        {"2355: hidden by default", 2355, false, false},
        {"6515: shown and floating by default", 6515, true, true},
        {"1168: hidden, floats", 1168, false, true},
    };
    for (const Case &c : empty) {
        SCOPED_TRACE(c.name);
        const TDockableLayout l = Read(c.flags);
        EXPECT_EQ(l.Visible, c.visible);
        EXPECT_EQ(l.Floating, c.floating);
        EXPECT_EQ(l.DockSite, QStringLiteral("MultiDockLeft"));
    }
    Bool(u"Visible", true);
    EXPECT_FALSE(Read(307).Visible) << "307 reads no \"Visible\": always starts hidden";
    EXPECT_TRUE(Read(2355).Visible);
    Int(u"FloatHeight", 900);
    Int(u"DockHeight", 50);
    TDockableLayout limited;
    limited.MaxClientHeight = 400;
    ReadDockablePanelLayout(limited, Key, Docks, 0, 2355, QStringLiteral("DockBottom"), Screen);
    EXPECT_EQ(limited.FloatHeight, 400) << "limited to the maximum client height";
    EXPECT_EQ(limited.DockHeight, 50);
}

TEST_F(DesktopLayout, FloatingPositionIsPulledBackAndCentred) {
    Int(u"FloatLeft", -500);
    Int(u"FloatTop", 100);
    Int(u"FloatWidth", 300);
    EXPECT_EQ(Read(2355).FloatPos, QPoint(20, 100));
    // Top at its default: centred horizontally.
    Int(u"FloatLeft", 40);
    Int(u"FloatTop", 650);
    EXPECT_EQ(Read(1168, 650).FloatPos, QPoint((1200 - 300) / 2, 650));
    EXPECT_EQ(Read(1168, 0).FloatPos, QPoint(40, 650)) << "top default 0 never centres";
}

TEST_F(DesktopLayout, DockSiteRowAndPosition) {
    Str(u"DockSite", QStringLiteral("MultiDockRight"));
    Int(u"DockRow", 2);
    Int(u"DockPos", 40);
    TDockableLayout l = Read(2355);
    EXPECT_EQ(l.DockSite, QStringLiteral("MultiDockRight"));
    EXPECT_EQ(l.DockRow, 2);
    EXPECT_EQ(l.DockPos, 40);
    Str(u"DockSite", QStringLiteral("NoSuchDock"));
    EXPECT_EQ(Read(2355).DockSite, QStringLiteral("MultiDockLeft")) << "unknown site: default dock";
    Str(u"DockSite", QStringLiteral("garbage"));
    Str(u"DockRow", QStringLiteral("x; drop table"));
    l = Read(2355);
    EXPECT_EQ(l.DockRow, 0) << "garbage reads as the default";
}

TEST_F(DesktopLayout, WriteThenReadGivesTheSameLayout) {
    TDockableLayout out;
    out.Visible = true;
    out.Floating = true;
    out.FloatPos = QPoint(120, 80);
    out.FloatWidth = 333;
    out.FloatHeight = 222;
    out.DockWidth = 310;
    out.DockHeight = 160;
    out.DockRow = 1;
    out.DockPos = 7;
    out.DockSite = QStringLiteral("MultiDockRight");
    WriteDockablePanelLayout(out, Key, 2419);
    QString site;
    RegReadStringDef(GetAppReg(), Root, Key, Named(u"DockSite"), QString(), site);
    EXPECT_EQ(site, DockSiteNone) << "while floating";
    TDockableLayout in;
    ReadDockablePanelLayout(in, Key, Docks, 0, 2419, QStringLiteral("MultiDockLeft"), Screen);
    EXPECT_TRUE(in.Visible);
    EXPECT_TRUE(in.Floating);
    EXPECT_EQ(in.FloatPos, out.FloatPos);
    EXPECT_EQ(in.FloatWidth, 333);
    EXPECT_EQ(in.FloatHeight, 222);
    EXPECT_EQ(in.DockWidth, 310);
    EXPECT_EQ(in.DockHeight, 160);
    EXPECT_EQ(in.DockRow, 1);
    EXPECT_EQ(in.DockPos, 7);

    // 144 stores the floating position and the site, but neither "Floating" nor "Visible".
    const QString other = Key + QStringLiteral("2");
    WriteDockablePanelLayout(out, other, 144);
    int32_t err = 0;
    EXPECT_EQ(RegReadInteger(GetAppReg(), Root, other, Named(u"FloatLeft"), err), 120);
    EXPECT_EQ(err, 0);
    RegReadBool(GetAppReg(), Root, other, Named(u"Floating"), err);
    EXPECT_NE(err, 0);
    err = 0;
    RegReadBool(GetAppReg(), Root, other, Named(u"Visible"), err);
    EXPECT_NE(err, 0);
}

TEST_F(DesktopLayout, ToolbarsKeepNoSizes) {
    TDockableLayout bar;
    bar.Visible = true;
    bar.DockSite = QStringLiteral("DockLeft");
    bar.DockRow = 3;
    bar.DockPos = 12;
    bar.FloatHeight = 999;
    WriteToolbarLayout(bar, Key, 307);
    EXPECT_FALSE(Exists(u"FloatHeight"));
    EXPECT_FALSE(Exists(u"DockHeight"));
    TDockableLayout in;
    ReadToolbarLayout(in, Key, Docks, 307, QStringLiteral("DockTop"), Screen);
    EXPECT_FALSE(in.Visible) << "307 never reads \"Visible\"";
    EXPECT_EQ(in.DockSite, QStringLiteral("DockLeft"));
    EXPECT_EQ(in.DockRow, 3);
    EXPECT_EQ(in.DockPos, 12);
}

TEST_F(DesktopLayout, FormPlacement) {
    const QString key = QStringLiteral("Window");
    TFormPlacement f;
    ReadFormPlacement(f, key, 0x4C000, 10, 10, 1180, 740, Screen);
    EXPECT_EQ(f.Bounds, QRect(10, 10, 1180, 740)) << "defaults";
    EXPECT_EQ(f.State, 0);

    f.Bounds = QRect(-900, 30, 640, 0);
    f.State = 2;
    WriteFormPlacement(f, key, 0x4C000);
    ReadFormPlacement(f, key, 0x4C000, 10, 10, 1180, 740, Screen);
    EXPECT_EQ(f.Bounds.height(), 760 - 100) << "stored height 0";
    EXPECT_EQ(f.Bounds.x(), 20) << "off the screen: pulled back";
    EXPECT_EQ(f.State, 2);
    WriteFormState(1, key);  // minimised
    ReadFormPlacement(f, key, 0x4C000, 10, 10, 1180, 740, Screen);
    EXPECT_EQ(f.State, 0) << "a minimised window comes back normal";
    ReadFormPlacement(f, key, 0x0C000, 10, 10, 1180, 740, Screen);
    EXPECT_EQ(f.State, 0) << "state not read";
}
