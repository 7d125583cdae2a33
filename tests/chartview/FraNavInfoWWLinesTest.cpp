// The four waterway lines on the demo network: details clicks, route-point and stop texts,
// pictures read once, and the block's picture day and night.
#include "NavInfoWWFakes.h"
#include "NavInfoWWFixture.h"

#include "base/graphics/KvNightScreen.h"
#include "chartview/FraNavInfoWWTexts.h"
#include "objectinfo/KvWWNetwork.h"
#include "shell/MarivoColors.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace navinfotest;

namespace {

struct TRaised {
    IWWSection *Section;
    IWWStruct *Structure;
    bool Flag1, Flag2;
    int32_t Value1;
    IWptWaypoint *Waypoint;
    int32_t Value2, Value3;
    bool Flag3;
    bool operator==(const TRaised &) const = default;
};

TNavInfoDetailsEvent Recorder(std::vector<TRaised> &log) {
    return [&log](IWWSection *a, IWWStruct *b, bool c, bool d, int32_t e, IWptWaypoint *f, int32_t g,
                  int32_t h, bool i) { log.push_back({a, b, c, d, e, f, g, h, i}); };
}

}  // namespace

class NavInfoWWLines : public NavInfoWWFixture {
protected:
    IWWStruct *Struct(const QString &name) {
        for (int32_t i = 0; i < Env->WaterwayNetwork->GetStructCount(); ++i)
            if (WWStructGetName(Env->WaterwayNetwork->GetStruct(i)) == name) return Env->WaterwayNetwork->GetStruct(i);
        return nullptr;
    }
    // A structure of the demo network without pictures.
    IWWStruct *PlainStruct() {
        for (int32_t i = 0; i < Env->WaterwayNetwork->GetStructCount(); ++i) {
            IWWStruct *s = Env->WaterwayNetwork->GetStruct(i);
            QStringList images;
            WWStructGetImages(s, images);
            if (images.isEmpty() && s->GetKind() == WWStructKind::Lock) return s;
        }
        return nullptr;
    }
    QWidget *NewSlot() {
        auto *slot = new QWidget(Host.get());
        slot->resize(420, 104);
        return slot;
    }
    IWptWaypoint *UserWaypoint() {
        return Env->UserDatabase->NewWaypoint(nullptr, {0.9, 0.08, 0.0}, nullptr);
    }
};

TEST_F(NavInfoWWLines, DetailsClicks) {
    IWWStruct *pictured = Struct(QStringLiteral("Harbour Bridge"));
    IWWStruct *plain = PlainStruct();
    ASSERT_TRUE(pictured && plain);
    IWptWaypoint *marina = UserWaypoint();
    ASSERT_TRUE(marina);
    Host->show();
    struct TCase {
        const char *What;
        IWWStruct *Structure;  // for a structure line
        IWptWaypoint *Marina;  // for a marina line
        bool Handler;
        std::vector<TRaised> Expected;
    };
    const std::vector<TCase> cases = {
        {"structure picture", pictured, nullptr, true, {{nullptr, pictured, true, true, 0, nullptr, 0, 0, false}}},
        {"default symbol", plain, nullptr, true, {{nullptr, plain, true, true, 0, nullptr, 0, 0, false}}},
        {"empty structure line", nullptr, nullptr, true, {}},
        {"structure without handler", pictured, nullptr, false, {}},
        {"marina", nullptr, marina, true, {{nullptr, nullptr, true, true, 0, marina, 0, 0, false}}},
        {"marina without handler", nullptr, marina, false, {}},
    };
    for (const TCase &c : cases) {
        std::vector<TRaised> log;
        if (c.Marina || std::string(c.What).starts_with("marina")) {
            auto *line = new TFrameNavInfoWWMarina(NewSlot(), *Env);
            if (c.Handler) line->SetDetailsEvent(Recorder(log));
            line->SetMarina(c.Marina, 120.0);
            EXPECT_TRUE(line->PanelShown()) << c.What;
            QTest::mouseClick(line->MarinaImage(), Qt::LeftButton);
            EXPECT_EQ(line->MarinaImage()->toolTip(), "Click for more information");
        } else {
            auto *line = new TFrameNavInfoWWStruct(NewSlot(), *Env);
            if (c.Handler) line->SetDetailsEvent(Recorder(log));
            line->SetStructure(c.Structure, 120.0);
            QWidget *box = c.Structure == plain ? line->DefaultBox() : line->PictureBox();
            EXPECT_EQ(box->toolTip(), "Click for more information");
            QTest::mouseClick(box, Qt::LeftButton);
        }
        EXPECT_EQ(log, c.Expected) << c.What;
    }
}

TEST_F(NavInfoWWLines, StructureLineTextsAndPicturesReadOnce) {
    IWWStruct *bridge = Struct(QStringLiteral("Harbour Bridge"));
    ASSERT_TRUE(bridge);
    auto *line = new TFrameNavInfoWWStruct(NewSlot(), *Env);
    const int loads = TFrameNavInfoWWStruct::PictureLoads();
    line->SetStructure(bridge, 1234.0);
    EXPECT_EQ(line->NameText(), "Harbour Bridge");
    EXPECT_EQ(line->InfoText(), WWClearanceText(bridge, 0, Env->UnitDistanceSmall, LocaleFormatSettings()));
    EXPECT_FALSE(line->InfoText().isEmpty());
    EXPECT_EQ(line->VHFChannel(), WWStructGetVHFChannel(bridge));
    const QString beside = QFileInfo(Env->WaterwayNetworkFile).absolutePath() + "/harbour-bridge.jpg";
    EXPECT_EQ(line->PictureFile(), beside);
    EXPECT_FALSE(line->Picture().isNull()) << "the demo data writes the picture its network names";
    for (int i = 0; i < 5; ++i) line->SetStructure(bridge, 1200.0 - i);
    EXPECT_EQ(TFrameNavInfoWWStruct::PictureLoads(), loads + 1) << "one read per name, not per refresh";
    EXPECT_EQ(line->DistanceText().isEmpty(), false);

    line->SetStructure(nullptr, 0.0);
    EXPECT_FALSE(line->ShowsSomething());
    EXPECT_TRUE(line->NameText().isEmpty());
    EXPECT_TRUE(line->PictureFile().isEmpty());

    // An unreadable picture leaves the picture empty and says nothing.
    QFile damaged(beside);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write("not a picture");
    damaged.close();
    auto *other = new TFrameNavInfoWWStruct(NewSlot(), *Env);
    other->SetStructure(bridge, 10.0);
    EXPECT_EQ(other->PictureFile(), beside);
    EXPECT_TRUE(other->Picture().isNull());
    EXPECT_TRUE(Messages.isEmpty());
}

// The badge prints "VHF" above the channel itself, so the network's channel text is the
// bare channel: a text that repeats "VHF" would read "VHF / VHF 18" on the badge.
TEST_F(NavInfoWWLines, VHFBadgeShowsTheBareChannel) {
    struct Case { QString Structure, Channel; };
    const Case cases[] = {
        {QStringLiteral("Harbour Bridge"), QStringLiteral("18")},
        {QStringLiteral("Kessel Lock"), QStringLiteral("22")},
        {QStringLiteral("Saltmere Sea Lock"), QStringLiteral("22")},
    };
    for (const Case &c : cases) {
        IWWStruct *s = Struct(c.Structure);
        ASSERT_TRUE(s) << c.Structure.toStdString();
        auto *line = new TFrameNavInfoWWStruct(NewSlot(), *Env);
        line->SetStructure(s, 500.0);
        EXPECT_EQ(line->VHFChannel(), c.Channel) << c.Structure.toStdString();
    }
}

TEST_F(NavInfoWWLines, RoutePointAndStopTexts) {
    IWptRoute *route = NetworkRoute(3);
    ASSERT_EQ(route->GetPointCount(), 3);
    TFakeTimePoint arrive(45444.5), leave(45444.5 + 0.05), later(45444.5 + 0.1);
    struct TCase {
        int32_t Index;
        std::u16string Name;
        IWptRouteTimePoint *Arrival, *Departure;
        QString Title, Info;
    };
    const QString a = TimePointText(45444.5), d = TimePointText(45444.5 + 0.05);
    const std::vector<TCase> cases = {
        {2, u"Dunmeer", &arrive, &leave, "WP 3: Dunmeer (Destination)", "A: " + a + ", D: " + d},
        {1, u"2", &arrive, &arrive, "WP 2", "A: " + a},
        {0, u"Saltmere", &arrive, nullptr, "WP 1: Saltmere", "A: " + a},
        {1, u"Via", nullptr, &leave, "WP 2: Via", ""},
    };
    auto *line = new TFrameNavInfoWWRoutePoint(NewSlot(), *Env);
    for (const TCase &c : cases) {
        TFakePlanPoint p;
        p.Index = c.Index;
        p.Name = c.Name;
        p.Arrival = c.Arrival;
        p.Departure = c.Departure;
        line->SetRoutePoint(&p, route, 300.0);
        EXPECT_EQ(line->TitleText(), c.Title);
        EXPECT_EQ(line->InfoText(), c.Info) << c.Title.toStdString();
        EXPECT_TRUE(line->PanelShown());
    }
    // A stop never keeps the moments the line showed before, and shows a new departure.
    EXPECT_TRUE(line->SetStop(&arrive, &arrive, 50.0, route));
    EXPECT_EQ(line->TitleText(), "Sailing times stop");
    EXPECT_EQ(line->InfoText(), "A: " + a);
    EXPECT_TRUE(line->SetStop(&arrive, &later, 50.0, route));
    EXPECT_EQ(line->InfoText(), "A: " + a + ", D: " + TimePointText(45444.5 + 0.1));
    EXPECT_FALSE(line->SetStop(&arrive, &later, 40.0, route)) << "nothing new";
    // A cleared line that shows a stop again reports it, so that the block lays it out.
    line->SetRoutePoint(nullptr, nullptr, 0.0);
    EXPECT_FALSE(line->ShowsSomething());
    EXPECT_FALSE(line->PanelShown());
    EXPECT_TRUE(line->SetStop(&arrive, &later, 40.0, route));
    EXPECT_TRUE(line->ShowsSomething());
}

TEST_F(NavInfoWWLines, ScreenshotDayAndNight) {
    StartRun();
    IWWStruct *pictured = Struct(QStringLiteral("Harbour Bridge"));
    IWWStruct *plain = PlainStruct();
    ASSERT_TRUE(pictured && plain);
    TFakeStructPassage bridgePass, lockPass;
    bridgePass.Struct = pictured;
    lockPass.Struct = plain;
    TFakePeriod period;
    bridgePass.Operation.OperatingPeriod = &period;
    bridgePass.Start = 45444.5 + 65.0 / 1440;
    bridgePass.End = bridgePass.Start + 25.0 / 1440;
    TFakeRouteObject bridgeObj, lockObj, turn, marinaObj;
    bridgeObj.Kind = WptRouteObjectKind::Structure;
    bridgeObj.Passage = &bridgePass;
    bridgeObj.Values[0] = 850;
    bridgeObj.Values[3] = 45444.5 + 10.0 / 1440;
    turn.Kind = WptRouteObjectKind::Turn;
    turn.Angle = 1.2f;
    turn.Values[0] = 1900;
    lockObj.Kind = WptRouteObjectKind::Structure;
    lockObj.Passage = &lockPass;
    lockObj.Values[0] = 3200;
    marinaObj.Kind = WptRouteObjectKind::Marina;
    IWptWaypoint *marina = UserWaypoint();
    int32_t err = 0;
    marina->SetName(testsupport::Rec(QStringLiteral("Dunmeer Marina")), err);
    marinaObj.Waypoint = marina;
    marinaObj.Values[0] = 5400;
    TFakeObjectList list;
    list.Items = {&bridgeObj, &turn, &lockObj, &marinaObj};

    // The shared colours follow night mode as the program registers them at start.
    RegisterPaletteColors(NightScreen());
    TFrameNavInfoWW &block = MakeBlock();
    block.SetIndicationCount(4);
    block.ShowRouteObjects(nullptr, &list, 45444.5, 100.0, 0);
    ASSERT_EQ(ShownLines().size(), 4u);
    EXPECT_EQ(Panel->height(), 27 + 104 + 48 + 104 + 48);
    Host->resize(420, Panel->height());
    QApplication::processEvents();
    const QImage day = Host->grab().toImage();
    shelltest::SaveScreenshot(day, QStringLiteral("navinfo-ww-day"));
    NightScreen()->SetActive(true);
    QApplication::processEvents();
    const QImage night = Host->grab().toImage();
    shelltest::SaveScreenshot(night, QStringLiteral("navinfo-ww-night"));
    NightScreen()->SetActive(false);
    UnregisterPaletteColors(NightScreen());
    EXPECT_NE(day, night);

    // The event given to the block reaches the lines it holds already.
    std::vector<TRaised> log;
    block.SetDetailsEvent(Recorder(log));
    auto *nearest = dynamic_cast<TFrameNavInfoWWStruct *>(block.Line(14));
    ASSERT_TRUE(nearest);
    QTest::mouseClick(nearest->PictureBox(), Qt::LeftButton);
    EXPECT_EQ(log, (std::vector<TRaised>{{nullptr, pictured, true, true, 0, nullptr, 0, 0, false}}));
}
