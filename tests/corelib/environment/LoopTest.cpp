// The navigation loop: which callbacks run when, what they are told, switching, and
// callbacks that throw or release the loop. Driven by the manual clock, except one check
// that the real timers run.
#include "TestSupport.h"

#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvNavEnv.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QTest>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct NavDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
using OwnedLoop = std::unique_ptr<INavLoop, NavDeleter>;

enum TKind { Fast, Tick, Ui };

struct TCall {
    TKind Kind;
    float ElapsedSec;
    TDateTime TimeUTC;
};

// Collects the calls of all three callbacks in the order they came.
struct TJournal {
    std::vector<TCall> Calls;
    std::function<void(TKind)> Act;  // optional reaction, after recording

    int Count(TKind k) const {
        int n = 0;
        for (const TCall &c : Calls) n += c.Kind == k;
        return n;
    }
    template <TKind K>
    static void Proc(void *data, const TLoopRecord *rec) {
        auto *self = static_cast<TJournal *>(data);
        self->Calls.push_back({K, rec->ElapsedSec, rec->TimeUTC});
        if (self->Act) self->Act(K);
    }
};

OwnedLoop MakeLoop(TJournal &j, float fast, float normal, float slow) {
    return OwnedLoop(NavLoopCreate(fast, TJournal::Proc<Fast>, &j, normal, TJournal::Proc<Tick>,
                                   &j, slow, TJournal::Proc<Ui>, &j));
}

// While alive, the library's exception handler logs into a file of its own.
class TExceptionLog {
public:
    TExceptionLog() {
        const TStrWRec *old = GetExceptionLogFileName();
        FOld = QString::fromUtf16(old->Text, old->Length);
        FFile = testsupport::MakeTempDir(QStringLiteral("loop-exceptions")) + QStringLiteral("/log.txt");
        Use(FFile);
    }
    ~TExceptionLog() { Use(FOld); }
    QString Text() const {
        QFile f(FFile);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

private:
    static void Use(const QString &file) {
        const std::u16string name = file.toStdU16String();
        SetExceptionLogFileName({int32_t(name.size()), name.c_str()});
    }
    QString FOld;
    QString FFile;
};

}  // namespace

TEST(Loop, CreatedOffAndQuietUntilSwitchedOn) {
    TJournal j;
    OwnedLoop loop = MakeLoop(j, 0.1f, 1.0f, 1.0f);
    EXPECT_FALSE(loop->IsOn());
    loop->SetManualClock(true);
    loop->Advance(5.0f);
    EXPECT_TRUE(j.Calls.empty());
    loop->SetOn(true);
    EXPECT_TRUE(loop->IsOn());
    loop->Advance(1.0f);
    EXPECT_EQ(j.Count(Tick), 1);
}

TEST(Loop, CallbacksDueWithinAnAdvanceRun) {
    struct Case {
        const char *name;
        float fast, normal, slow;
        std::vector<float> advances;
        int fastCalls, tickCalls, uiCalls;
    };
    const Case cases[] = {
        {"program intervals, three seconds", 0.1f, 1.0f, 1.0f, {3.0f}, 30, 3, 3},
        {"same span in small steps", 0.1f, 1.0f, 1.0f, {0.25f, 0.25f, 0.5f, 2.0f}, 30, 3, 3},
        {"just before the first tick", 0.1f, 1.0f, 1.0f, {0.999f}, 9, 0, 0},
        {"slow interval of 3 s slows only the UI tick", 0.1f, 1.0f, 3.0f, {7.0f}, 70, 7, 2},
        {"interval below 1 s speeds up the other two", 0.1f, 0.5f, 0.5f, {2.0f}, 20, 4, 4},
        {"slow interval below the tick cannot outrun it", 0.1f, 1.0f, 0.2f, {2.0f}, 20, 2, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TJournal j;
        OwnedLoop loop = MakeLoop(j, c.fast, c.normal, c.slow);
        loop->SetManualClock(true);
        loop->SetOn(true);
        for (float a : c.advances) loop->Advance(a);
        EXPECT_EQ(j.Count(Fast), c.fastCalls);
        EXPECT_EQ(j.Count(Tick), c.tickCalls);
        EXPECT_EQ(j.Count(Ui), c.uiCalls);
    }
}

TEST(Loop, UiTickFollowsItsTickAndRecordsCarryElapsedAndTime) {
    TJournal j;
    OwnedLoop loop = MakeLoop(j, 0.1f, 1.0f, 2.0f);
    loop->SetManualClock(true);
    loop->SetOn(true);
    loop->Advance(4.0f);

    // Where the callbacks meet at a full second: the fast tick first, then the tick, then
    // (every second tick here) the UI tick.
    std::vector<TKind> order;
    for (const TCall &c : j.Calls)
        if (c.Kind != Fast || order.empty() || order.back() != Fast) order.push_back(c.Kind);
    const std::vector<TKind> expected = {Fast, Tick, Fast, Tick, Ui, Fast, Tick, Fast, Tick, Ui};
    EXPECT_EQ(order, expected);

    TDateTime previousTick = 0.0;
    for (const TCall &c : j.Calls) {
        const float expectedElapsed = c.Kind == Fast ? 0.1f : c.Kind == Tick ? 1.0f : 2.0f;
        EXPECT_NEAR(c.ElapsedSec, expectedElapsed, 1e-6);
        if (c.Kind == Tick) {
            if (previousTick != 0.0) {
                EXPECT_NEAR((c.TimeUTC - previousTick) * 86400.0, 1.0, 1e-3);
            }
            previousTick = c.TimeUTC;
        }
    }
}

TEST(Loop, ElapsedTimeStartsAgainWhenSwitchedOn) {
    TJournal j;
    OwnedLoop loop = MakeLoop(j, 0.1f, 1.0f, 1.0f);
    loop->SetManualClock(true);
    loop->SetOn(true);
    loop->Advance(1.0f);
    loop->SetOn(false);
    loop->Advance(30.0f);  // paused for modal work
    const size_t before = j.Calls.size();
    loop->SetOn(true);
    loop->Advance(1.0f);
    ASSERT_GT(j.Calls.size(), before);
    for (size_t i = before; i < j.Calls.size(); ++i)
        EXPECT_LT(j.Calls[i].ElapsedSec, 1.01f) << "the paused time must not reach a countdown";
}

TEST(Loop, SwitchingOffInsideACallbackStopsTheRest) {
    TJournal j;
    OwnedLoop loop = MakeLoop(j, 0.1f, 1.0f, 1.0f);
    INavLoop *raw = loop.get();
    j.Act = [&](TKind k) {
        if (k == Tick) raw->SetOn(false);
    };
    loop->SetManualClock(true);
    loop->SetOn(true);
    loop->Advance(3.0f);
    EXPECT_EQ(j.Count(Tick), 1);
    EXPECT_EQ(j.Count(Ui), 0) << "no UI tick after the loop went off";
    EXPECT_EQ(j.Count(Fast), 10);
    EXPECT_FALSE(loop->IsOn());
}

TEST(Loop, IntervalsKeepOnlyUsableValues) {
    struct Case {
        const char *name;
        float fast, normal, slow;
        float slowAfter;
        int ticksIn2s;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {"all usable", 0.1f, 0.5f, 5.0f, 5.0f, 4},
        {"zero slow keeps the old", 0.1f, 1.0f, 0.0f, 1.0f, 2},
        {"negative and NaN keep the old", -1.0f, nan, -3.0f, 1.0f, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TJournal j;
        OwnedLoop loop = MakeLoop(j, 0.1f, 1.0f, 1.0f);
        loop->SetManualClock(true);
        loop->SetOn(true);
        loop->SetIntervals(c.fast, c.normal, c.slow);
        EXPECT_FLOAT_EQ(loop->GetSlowInterval(), c.slowAfter);
        loop->Advance(2.0f);
        EXPECT_EQ(j.Count(Tick), c.ticksIn2s);
        EXPECT_EQ(j.Count(Fast), 20);
    }
}

TEST(Loop, AThrowingCallbackIsReportedAndTheUiTickStillRuns) {
    TExceptionLog log;
    TJournal j;
    j.Act = [](TKind k) {
        if (k == Tick) throw std::logic_error("device pump failed");
    };
    OwnedLoop loop = MakeLoop(j, 0.5f, 1.0f, 1.0f);
    loop->SetManualClock(true);
    loop->SetOn(true);
    loop->Advance(2.0f);
    EXPECT_EQ(j.Count(Tick), 2);
    EXPECT_EQ(j.Count(Ui), 2);
    EXPECT_EQ(j.Count(Fast), 4);
    const QString text = log.Text();
    EXPECT_EQ(text.count(QStringLiteral("device pump failed")), 2) << text.toStdString();
}

TEST(Loop, ACallbackMayReleaseTheLoop) {
    TJournal j;
    OwnedLoop loop = MakeLoop(j, 0.1f, 1.0f, 1.0f);
    j.Act = [&](TKind k) {
        if (k == Tick) loop.reset();
    };
    INavLoop *raw = loop.get();
    raw->SetManualClock(true);
    raw->SetOn(true);
    raw->Advance(5.0f);  // returns at once once the loop is gone
    EXPECT_EQ(loop, nullptr);
    EXPECT_EQ(j.Count(Tick), 1);
    EXPECT_EQ(j.Count(Ui), 0);
}

TEST(Loop, RealTimersRunOnTheEventLoop) {
    TJournal j;
    OwnedLoop loop = MakeLoop(j, 0.01f, 0.02f, 0.02f);
    loop->SetOn(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return j.Count(Ui) >= 3; }, 5000));
    EXPECT_GE(j.Count(Fast), j.Count(Tick));
    for (const TCall &c : j.Calls) EXPECT_GE(c.ElapsedSec, 0.0f);
    loop->SetOn(false);
    const size_t calls = j.Calls.size();
    QTest::qWait(60);
    EXPECT_EQ(j.Calls.size(), calls) << "no callback after switching off";

    // The manual clock stops the timers.
    loop->SetOn(true);
    loop->SetManualClock(true);
    const size_t manual = j.Calls.size();
    QTest::qWait(60);
    EXPECT_EQ(j.Calls.size(), manual);
}
