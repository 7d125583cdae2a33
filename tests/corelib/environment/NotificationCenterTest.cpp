// The user-notification centre: shown kinds and their texts, expiry on the loop's time,
// filters, route-explore notice, water-level notice and what clicks report back.
#include "environment/NotificationCenter.h"

#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvNavEnv.h>

#include <QCoreApplication>
#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct NavDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
template <class T>
using Owned = std::unique_ptr<T, NavDeleter>;

void FlushPosted() {
    for (int i = 0; i < 5; ++i) QCoreApplication::sendPostedEvents();
}

struct TRecorder {
    std::vector<TNavNotification> Got;
    static void Proc(void *data, TNavNotification *n) {
        static_cast<TRecorder *>(data)->Got.push_back(*n);
    }
    std::vector<TNavNotification> OfCode(int32_t code) const {
        std::vector<TNavNotification> out;
        for (const TNavNotification &n : Got)
            if (n.Code == code) out.push_back(n);
        return out;
    }
};

class TLanguage {
public:
    explicit TLanguage(int32_t lang) : FBefore(GetCurrentLanguage()) { SetCurrentLanguage(lang); }
    ~TLanguage() { SetCurrentLanguage(FBefore); }

private:
    int32_t FBefore;
};

// Texts of the library stay English whatever an earlier test left behind.
class NotificationCenter : public ::testing::Test {
public:
    void SetUp() override {
        FEnv.reset(NavEnvCreate());
        FTime.reset(NavPredictedTimeCreate(nullptr));
        FCentre.reset(NavNotificationCenterCreate());
        ASSERT_NE(FCentre, nullptr);
        Disp()->Subscribe(TRecorder::Proc, &FRec);
        Owned<IBmp32> off(Bmp32Create(2, 2, 1));
        Owned<IBmp32> on(Bmp32Create(3, 3, 1));
        FCentre->SetResources(FEnv.get(), off.get(), on.get(), FTime.get());
    }
    void TearDown() override {
        FlushPosted();
        Disp()->Unsubscribe(TRecorder::Proc, &FRec);
    }

    INavMessageDispatcher *Disp() { return FEnv->GetDispatcher(); }

    void Show(int32_t kind, const std::u16string &text = {}) {
        FCentre->Show(kind, {int32_t(text.size()), text.c_str()});
    }
    void Message(const std::u16string &text, int32_t seconds, bool flag = false,
                 int32_t value = 0) {
        FCentre->ShowMessage({int32_t(text.size()), text.c_str()}, seconds, flag, value);
    }
    // One loop tick after that many seconds; several of one second each for whole numbers.
    void Tick(float seconds) {
        TLoopRecord rec;
        rec.ElapsedSec = seconds;
        FCentre->Tick(rec);
    }
    void TickSeconds(int seconds) {
        for (int i = 0; i < seconds; ++i) Tick(1.0f);
    }

    std::vector<kv::TNotificationItem> Items(bool includeHidden = false) {
        return kv::NotificationCenterItems(FCentre.get(), includeHidden);
    }
    std::vector<int32_t> Kinds(bool includeHidden = false) {
        std::vector<int32_t> kinds;
        for (const kv::TNotificationItem &i : Items(includeHidden)) kinds.push_back(i.Kind);
        return kinds;
    }
    const kv::TNotificationItem *Item(int32_t kind) {
        FLastItems = Items(true);
        for (const kv::TNotificationItem &i : FLastItems)
            if (i.Kind == kind) return &i;
        return nullptr;
    }
    std::vector<TNavNotification> Reports() {
        FlushPosted();
        return FRec.OfCode(NavNotify::UserNotificationReport);
    }

    TLanguage FEnglish{KvLang::English};
    Owned<INavEnv> FEnv;
    Owned<INavPredictedTime> FTime;
    Owned<INavNotificationCenter> FCentre;
    TRecorder FRec;
    std::vector<kv::TNotificationItem> FLastItems;
};

TEST_F(NotificationCenter, ShowsOneNotificationPerKindWithTheCallersOrTheLibrarysText) {
    struct Case {
        const char *name;
        int32_t kind;
        std::u16string text;
        bool shown;
        const char *expected;
        kv::TNotificationSeverity severity;
    };
    const Case cases[] = {
        {"cross-track alarm without text", NavUserNotify::CrossTrackAlarm, u"", true,
         "Cross-track error too large", kv::TNotificationSeverity::Alarm},
        {"port detected with the caller's text", NavUserNotify::PortDetected,
         u"COM-port connection detected. Checking for GPS...", true,
         "COM-port connection detected. Checking for GPS...", kv::TNotificationSeverity::Info},
        {"charts missing without text", NavUserNotify::ChartsMissing, u"", true,
         "Charts are missing for the shown route", kv::TNotificationSeverity::Warning},
        {"current-data files", NavUserNotify::CurrentDataFile, u"", true,
         "Downloading current data...", kv::TNotificationSeverity::Info},
        {"water levels", NavUserNotify::CurrentDataWaterLevel, u"", true,
         "Downloading water levels...", kv::TNotificationSeverity::Info},
        {"a kind of the program's own with text", 42, u"Own notice ✓", true, "Own notice ✓",
         kv::TNotificationSeverity::Info},
        {"a kind without any text has nothing to draw", 42, u"", false, "",
         kv::TNotificationSeverity::Info},
        {"negative kinds are refused", -1, u"x", false, "", kv::TNotificationSeverity::Info},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Show(c.kind, c.text);
        const kv::TNotificationItem *item = Item(c.kind);
        ASSERT_EQ(item != nullptr, c.shown);
        if (item) {
            EXPECT_EQ(item->Text, QString::fromUtf8(c.expected));
            EXPECT_EQ(item->Severity, c.severity);
            EXPECT_EQ(item->HasSoundButton, c.kind == NavUserNotify::CrossTrackAlarm);
            const double nowDays = QDateTime::currentMSecsSinceEpoch() / 86400000.0 + 25569.0;
            EXPECT_NEAR(item->TimeUTC, nowDays, 60.0 / 86400.0) << "stamped with the time shown";
        }
        FCentre->Withdraw(c.kind);
        EXPECT_EQ(Item(c.kind), nullptr);
    }
}

TEST_F(NotificationCenter, ShowingAKindAgainReplacesItAndWithdrawLeavesTheOthers) {
    Show(NavUserNotify::PortDetected, u"first");
    Show(NavUserNotify::ChartsMissing);
    Show(NavUserNotify::PortDetected, u"second");
    ASSERT_EQ(Items().size(), 2u);
    EXPECT_EQ(Item(NavUserNotify::PortDetected)->Text, QStringLiteral("second"));

    FCentre->Withdraw(NavUserNotify::PortDetected);
    EXPECT_EQ(Kinds(), std::vector<int32_t>{NavUserNotify::ChartsMissing});
    FCentre->Withdraw(NavUserNotify::PortDetected);  // nothing shown of that kind: no effect
    FCentre->Withdraw(NavUserNotify::CrossTrackAlarm);
    EXPECT_EQ(Kinds(), std::vector<int32_t>{NavUserNotify::ChartsMissing});
}

TEST_F(NotificationCenter, AlarmsComeFirstThenTheOrderShown) {
    Show(NavUserNotify::ChartsMissing);
    Message(u"Route point 3 passed, distance 12 m", 4);
    Show(NavUserNotify::CrossTrackAlarm);
    const std::vector<int32_t> expected = {NavUserNotify::CrossTrackAlarm,
                                           NavUserNotify::ChartsMissing, NavUserNotify::Message};
    // Warning before information, within a severity the order shown.
    std::vector<int32_t> kinds = Kinds();
    EXPECT_EQ(kinds.front(), NavUserNotify::CrossTrackAlarm);
    EXPECT_EQ(kinds, expected);
}

TEST_F(NotificationCenter, MessagesStayTheirSecondsAndThenGo) {
    struct Case {
        const char *name;
        int32_t seconds;
        int lifetime;  // whole ticks of one second it stays
        bool viaShow;  // kind 8 given to Show instead of ShowMessage
    };
    const Case cases[] = {
        {"four seconds", 4, 4, false},
        {"display category, two seconds", 2, 2, false},
        {"zero seconds stays the default", 0, 4, false},
        {"negative seconds stay the default", -5, 4, false},
        {"kind 8 through Show stays the default", 0, 4, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.viaShow)
            Show(NavUserNotify::Message, u"GPS found (ttyUSB0), starting communication...");
        else
            Message(u"GPS found (ttyUSB0), starting communication...", c.seconds);
        TickSeconds(c.lifetime - 1);
        const kv::TNotificationItem *item = Item(NavUserNotify::Message);
        ASSERT_NE(item, nullptr) << "gone before its time";
        EXPECT_NEAR(item->RemainingSec, 1.0f, 0.1f);
        Tick(1.0f);
        EXPECT_EQ(Item(NavUserNotify::Message), nullptr) << "still shown after its time";
    }
}

TEST_F(NotificationCenter, ExpiryCountsTheTicksElapsedTimeNotTheirNumber) {
    Message(u"m", 4);
    Tick(0.0f);
    Tick(std::numeric_limits<float>::quiet_NaN());
    Tick(-3.0f);
    ASSERT_NE(Item(NavUserNotify::Message), nullptr) << "no time passed in these ticks";
    Tick(2.5f);
    ASSERT_NE(Item(NavUserNotify::Message), nullptr);
    Tick(1.5f);
    EXPECT_EQ(Item(NavUserNotify::Message), nullptr);
}

TEST_F(NotificationCenter, ANewMessageRestartsTheTime) {
    Message(u"first", 4);
    TickSeconds(3);
    Message(u"second", 4);
    TickSeconds(3);
    const kv::TNotificationItem *item = Item(NavUserNotify::Message);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Text, QStringLiteral("second"));
}

TEST_F(NotificationCenter, StandingNoticesStayUntilWithdrawnAndDownloadNoticesGoByThemselves) {
    for (int32_t kind : {NavUserNotify::CrossTrackAlarm, NavUserNotify::PortDetected,
                         NavUserNotify::ChartsMissing, NavUserNotify::CurrentDataFile,
                         NavUserNotify::CurrentDataWaterLevel})
        Show(kind);
    FCentre->ShowWaterLevelOffset(0.5f);
    EXPECT_EQ(Items().size(), 6u);
    TickSeconds(int(kv::DownloadNoticeSeconds) - 1);
    EXPECT_EQ(Items().size(), 6u);
    Tick(1.0f);
    const std::vector<int32_t> standing = {NavUserNotify::CrossTrackAlarm,
                                           NavUserNotify::ChartsMissing,
                                           NavUserNotify::PortDetected,
                                           NavUserNotify::WaterLevelOffset};
    EXPECT_EQ(Kinds(), standing);
    Tick(100000.0f);
    EXPECT_EQ(Kinds(), standing);
}

TEST_F(NotificationCenter, TheLoopsManualClockDrivesExpiry) {
    struct TTicker {
        INavNotificationCenter *Centre;
        static void Proc(void *data, const TLoopRecord *rec) {
            static_cast<TTicker *>(data)->Centre->Tick(*rec);
        }
    } ticker{FCentre.get()};
    Owned<INavLoop> loop(
        NavLoopCreate(0.1f, nullptr, nullptr, 1.0f, TTicker::Proc, &ticker, 1.0f, nullptr, nullptr));
    loop->SetManualClock(true);
    loop->SetOn(true);
    Message(u"Display category Standard", 2, false, 1);
    loop->Advance(1.0f);
    EXPECT_NE(Item(NavUserNotify::Message), nullptr);
    loop->Advance(1.0f);
    EXPECT_EQ(Item(NavUserNotify::Message), nullptr);
}

TEST_F(NotificationCenter, FiltersHideAlarmsOrOthersWithoutForgettingThem) {
    struct Case {
        const char *name;
        bool alarms, others;
        std::vector<int32_t> visible;
    };
    const Case cases[] = {
        {"both", true, true,
         {NavUserNotify::CrossTrackAlarm, NavUserNotify::Message, NavUserNotify::ChartsMissing,
          NavUserNotify::WaterLevelOffset}},
        {"alarms only", true, false, {NavUserNotify::CrossTrackAlarm}},
        {"others only", false, true,
         {NavUserNotify::Message, NavUserNotify::ChartsMissing, NavUserNotify::WaterLevelOffset}},
        {"none", false, false, {}},
    };
    Show(NavUserNotify::CrossTrackAlarm);
    // The outdated-chart notice is a warning, yet not an alarm.
    Message(u"Attention! You may be navigating on outdated maps. Check the chart manager.", 30,
            true);
    Show(NavUserNotify::ChartsMissing);
    FCentre->ShowWaterLevelOffset(-0.5f);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FCentre->SetShowAlarms(c.alarms);
        FCentre->SetShowOthers(c.others);
        EXPECT_EQ(FCentre->GetShowAlarms(), c.alarms);
        EXPECT_EQ(FCentre->GetShowOthers(), c.others);
        EXPECT_EQ(Kinds(), c.visible);
        EXPECT_EQ(Items(true).size(), 4u);
    }
    EXPECT_EQ(Item(NavUserNotify::Message)->Severity, kv::TNotificationSeverity::Warning);
}

TEST_F(NotificationCenter, ExploreModeShowsThePlanningTimeWhileARouteIsExplored) {
    struct Case {
        const char *name;
        bool explore;
        int32_t mode;
        bool others;
        bool shown;
    };
    const Case cases[] = {
        {"off", false, NavPredictedTimeMode::RouteExplore, true, false},
        {"on, real time", true, NavPredictedTimeMode::RealTime, true, false},
        {"on, exploring", true, NavPredictedTimeMode::RouteExplore, true, true},
        {"on, exploring, others hidden", true, NavPredictedTimeMode::RouteExplore, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FCentre->SetExploreMode(c.explore);
        FTime->SetMode(c.mode);
        FCentre->SetShowOthers(c.others);
        const std::vector<kv::TNotificationItem> items = Items();
        const auto it = std::find_if(items.begin(), items.end(), [](const auto &i) {
            return i.Kind == kv::NotificationKindRouteExplore;
        });
        ASSERT_EQ(it != items.end(), c.shown);
        if (it == items.end()) continue;
        EXPECT_NEAR(it->TimeUTC, FTime->GetTime(), 5.0 / 86400.0);
        EXPECT_TRUE(it->Text.startsWith(QStringLiteral("Route explore: "))) << it->Text.toStdString();
        EXPECT_GT(it->Text.size(), QStringLiteral("Route explore: ").size());
        EXPECT_LT(it->RemainingSec, 0.0f);
    }
    FTime->SetMode(NavPredictedTimeMode::RealTime);
}

TEST_F(NotificationCenter, WaterLevelNoticeFollowsTheOffset) {
    struct Case {
        const char *name;
        int32_t lang;
        float metres;
        const char *expected;  // empty: no notice
    };
    const Case cases[] = {
        {"positive", KvLang::English, 0.5f, "Water-level offset: +0.5 m"},
        {"negative", KvLang::English, -1.5f, "Water-level offset: -1.5 m"},
        {"German separator", KvLang::German, 2.5f, "Wasserstandskorrektur: +2,5 m"},
        {"too small for one decimal", KvLang::English, 0.03f, "Water-level offset: +0.03 m"},
        {"not a number changes nothing", KvLang::English,
         std::numeric_limits<float>::quiet_NaN(), "Water-level offset: +0.03 m"},
        {"zero removes it", KvLang::English, 0.0f, ""},
        {"shown again", KvLang::Dutch, -0.5f, "Waterstandcorrectie: -0,5 m"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TLanguage lang(c.lang);
        FCentre->ShowWaterLevelOffset(c.metres);
        const kv::TNotificationItem *item = Item(NavUserNotify::WaterLevelOffset);
        ASSERT_EQ(item != nullptr, std::strlen(c.expected) > 0);
        if (item) {
            EXPECT_EQ(item->Text, QString::fromUtf8(c.expected));
            EXPECT_LT(item->RemainingSec, 0.0f) << "a standing notice";
        }
    }
    FCentre->Withdraw(NavUserNotify::WaterLevelOffset);
    EXPECT_EQ(Item(NavUserNotify::WaterLevelOffset), nullptr) << "its kind in Withdraw is 18";
}

TEST_F(NotificationCenter, LibraryTextsFollowALanguageSwitchWhileShown) {
    Show(NavUserNotify::CrossTrackAlarm);
    Show(NavUserNotify::PortDetected, u"given text");
    {
        TLanguage swedish(KvLang::Swedish);
        EXPECT_EQ(Item(NavUserNotify::CrossTrackAlarm)->Text,
                  QString::fromUtf8("Kursavvikelse för stor"));
        EXPECT_EQ(Item(NavUserNotify::PortDetected)->Text, QStringLiteral("given text"));
    }
    EXPECT_EQ(Item(NavUserNotify::CrossTrackAlarm)->Text,
              QStringLiteral("Cross-track error too large"));
}

TEST_F(NotificationCenter, ASoundClickIsReportedOnceAtTheNextTick) {
    Show(NavUserNotify::CrossTrackAlarm);
    ASSERT_TRUE(Item(NavUserNotify::CrossTrackAlarm)->SoundOn);
    ASSERT_TRUE(kv::NotificationCenterClick(FCentre.get(), NavUserNotify::CrossTrackAlarm));
    EXPECT_FALSE(Item(NavUserNotify::CrossTrackAlarm)->SoundOn);
    EXPECT_TRUE(Reports().empty()) << "reported by the tick, not by the click";

    Tick(1.0f);
    std::vector<TNavNotification> got = Reports();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].P1, reinterpret_cast<intptr_t>(FCentre.get()));
    EXPECT_EQ(got[0].P2, NavUserNotify::CrossTrackAlarm);
    EXPECT_EQ(got[0].P3, 0) << "sound off";

    Tick(1.0f);
    EXPECT_EQ(Reports().size(), 1u) << "posted once";

    // Two clicks before a tick: one report with the final state.
    kv::NotificationCenterClick(FCentre.get(), NavUserNotify::CrossTrackAlarm);
    kv::NotificationCenterClick(FCentre.get(), NavUserNotify::CrossTrackAlarm);
    kv::NotificationCenterClick(FCentre.get(), NavUserNotify::CrossTrackAlarm);
    Tick(1.0f);
    got = Reports();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[1].P2, NavUserNotify::CrossTrackAlarm);
    EXPECT_EQ(got[1].P3, 1) << "sound on again";

    // Showing the alarm again keeps the sound state the user chose.
    kv::NotificationCenterClick(FCentre.get(), NavUserNotify::CrossTrackAlarm);
    Show(NavUserNotify::CrossTrackAlarm);
    EXPECT_FALSE(Item(NavUserNotify::CrossTrackAlarm)->SoundOn);
}

TEST_F(NotificationCenter, AClickedMessageReportsItsValueAndCloses) {
    Message(u"Verbindingsfout bij aanmelden bruggen en sluizen", 0, false, 4);
    ASSERT_TRUE(kv::NotificationCenterClick(FCentre.get(), NavUserNotify::Message));
    EXPECT_EQ(Item(NavUserNotify::Message), nullptr);
    Tick(1.0f);
    const std::vector<TNavNotification> got = Reports();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].P2, NavUserNotify::Message);
    EXPECT_EQ(got[0].P3, 4);
}

TEST_F(NotificationCenter, ClicksThatReportNothing) {
    struct Case {
        const char *name;
        int32_t kind;
    };
    Show(NavUserNotify::ChartsMissing);
    FCentre->ShowWaterLevelOffset(1.0f);
    const Case cases[] = {
        {"not shown", NavUserNotify::CrossTrackAlarm},
        {"standing notice", NavUserNotify::ChartsMissing},
        {"water-level notice", NavUserNotify::WaterLevelOffset},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(kv::NotificationCenterClick(FCentre.get(), c.kind));
    }
    EXPECT_FALSE(kv::NotificationCenterClick(nullptr, NavUserNotify::CrossTrackAlarm));
    Tick(1.0f);
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(Items().size(), 2u);
}

TEST_F(NotificationCenter, AClickOnAnAlarmThatEndedBeforeTheTickIsNotReported) {
    Show(NavUserNotify::CrossTrackAlarm);
    kv::NotificationCenterClick(FCentre.get(), NavUserNotify::CrossTrackAlarm);
    FCentre->Withdraw(NavUserNotify::CrossTrackAlarm);
    Tick(1.0f);
    EXPECT_TRUE(Reports().empty());
    // The next alarm starts with its sound on.
    Show(NavUserNotify::CrossTrackAlarm);
    EXPECT_TRUE(Item(NavUserNotify::CrossTrackAlarm)->SoundOn);
}

TEST(NotificationCenterResources, ReportsWaitForTheEnvironment) {
    Owned<INavEnv> env(NavEnvCreate());
    Owned<INavNotificationCenter> centre(NavNotificationCenterCreate());
    TRecorder rec;
    env->GetDispatcher()->Subscribe(TRecorder::Proc, &rec);
    centre->Show(NavUserNotify::CrossTrackAlarm, {0, u""});
    ASSERT_TRUE(kv::NotificationCenterClick(centre.get(), NavUserNotify::CrossTrackAlarm));
    centre->Tick(TLoopRecord{1.0f, 0.0});  // nowhere to post yet
    centre->SetResources(env.get(), nullptr, nullptr, nullptr);
    centre->Tick(TLoopRecord{1.0f, 0.0});
    FlushPosted();
    const std::vector<TNavNotification> got = rec.OfCode(NavNotify::UserNotificationReport);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].P2, NavUserNotify::CrossTrackAlarm);
    EXPECT_EQ(got[0].P3, 0);
    env->GetDispatcher()->Unsubscribe(TRecorder::Proc, &rec);
}

TEST(NotificationCenterResources, SoundPicturesAreCopiesThatOutliveTheBitmaps) {
    Owned<INavNotificationCenter> centre(NavNotificationCenterCreate());
    EXPECT_TRUE(kv::NotificationCenterSoundPicture(centre.get(), true).isNull());
    uint8_t offPixel[4] = {};
    {
        Owned<IBmp32> off(Bmp32Create(4, 3, 1));
        Owned<IBmp32> on(Bmp32Create(5, 6, 1));
        off->Fill(0xFF336699u);
        std::memcpy(offPixel, off->GetRow(2) + 4, 4);
        centre->SetResources(nullptr, off.get(), on.get(), nullptr);
    }
    const QImage off = kv::NotificationCenterSoundPicture(centre.get(), false);
    const QImage on = kv::NotificationCenterSoundPicture(centre.get(), true);
    EXPECT_EQ(off.size(), QSize(4, 3));
    EXPECT_EQ(on.size(), QSize(5, 6));
    ASSERT_FALSE(off.isNull());
    EXPECT_EQ(std::memcmp(off.constScanLine(2) + 4, offPixel, 4), 0);
}

TEST_F(NotificationCenter, ChangesAreAnnouncedToTheViews) {
    struct Case {
        const char *name;
        std::function<void(NotificationCenter &)> act;
        bool changes;
    };
    Show(NavUserNotify::PortDetected);
    const Case cases[] = {
        {"show", [](NotificationCenter &t) { t.Show(NavUserNotify::ChartsMissing); }, true},
        {"withdraw", [](NotificationCenter &t) { t.FCentre->Withdraw(NavUserNotify::PortDetected); },
         true},
        {"withdraw what is not shown",
         [](NotificationCenter &t) { t.FCentre->Withdraw(NavUserNotify::PortDetected); }, false},
        {"filter", [](NotificationCenter &t) { t.FCentre->SetShowAlarms(false); }, true},
        {"same filter again", [](NotificationCenter &t) { t.FCentre->SetShowAlarms(false); },
         false},
        {"explore mode", [](NotificationCenter &t) { t.FCentre->SetExploreMode(true); }, true},
        {"tick without expiry", [](NotificationCenter &t) { t.Tick(1.0f); }, false},
        {"expiry",
         [](NotificationCenter &t) {
             t.Message(u"m", 1);
             FlushPosted();
             t.FRec.Got.clear();
             t.Tick(1.0f);
         },
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FlushPosted();
        FRec.Got.clear();
        const uint64_t before = kv::NotificationCenterRevision(FCentre.get());
        c.act(*this);
        FlushPosted();
        EXPECT_EQ(!FRec.OfCode(NavNotify::InvalidateViews).empty(), c.changes);
        EXPECT_EQ(kv::NotificationCenterRevision(FCentre.get()) > before, c.changes);
    }
}

}  // namespace
