// The environment's message dispatcher: queued posts, synchronous sends, changes of the
// subscriber list during a delivery and subscribers that throw.
#include "TestSupport.h"

#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvNavEnv.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

struct NavDeleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
template <class T>
using Owned = std::unique_ptr<T, NavDeleter>;

// Delivers every notification posted so far (and what those deliveries post in turn).
void FlushPosted() {
    for (int i = 0; i < 5; ++i) QCoreApplication::sendPostedEvents();
}

// A subscriber that keeps every notification it received.
struct TRecorder {
    std::vector<TNavNotification> Got;
    static void Proc(void *data, TNavNotification *n) {
        static_cast<TRecorder *>(data)->Got.push_back(*n);
    }
    std::vector<int32_t> Codes() const {
        std::vector<int32_t> codes;
        for (const TNavNotification &n : Got) codes.push_back(n.Code);
        return codes;
    }
};

// While alive, the library's exception handler logs into a file of its own, which Text reads.
class TExceptionLog {
public:
    TExceptionLog() {
        const TStrWRec *old = GetExceptionLogFileName();
        FOld = QString::fromUtf16(old->Text, old->Length);
        FFile = testsupport::MakeTempDir(QStringLiteral("exceptions")) + QStringLiteral("/log.txt");
        const std::u16string name = FFile.toStdU16String();
        SetExceptionLogFileName({int32_t(name.size()), name.c_str()});
    }
    ~TExceptionLog() {
        const std::u16string name = FOld.toStdU16String();
        SetExceptionLogFileName({int32_t(name.size()), name.c_str()});
    }
    QString Text() const {
        QFile f(FFile);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    int Lines() const { return int(Text().count(QLatin1Char('\n'))); }

private:
    QString FOld;
    QString FFile;
};

// A subscriber whose reaction a test chooses.
struct TActor {
    std::function<void(TNavNotification *)> Act;
    int Calls = 0;
    static void Proc(void *data, TNavNotification *n) {
        auto *self = static_cast<TActor *>(data);
        ++self->Calls;
        if (self->Act) self->Act(n);
    }
};

class Dispatcher : public ::testing::Test {
protected:
    void SetUp() override {
        FEnv.reset(NavEnvCreate());
        ASSERT_NE(FEnv, nullptr);
    }
    void TearDown() override { FlushPosted(); }
    INavMessageDispatcher *Disp() { return FEnv->GetDispatcher(); }
    void Post(int32_t code, intptr_t p1 = 0) { Disp()->Post(code, p1, 0, 0, 0, 0, 0, 0); }

    Owned<INavEnv> FEnv;
};

}  // namespace

TEST_F(Dispatcher, PostedNotificationsArriveLaterInPostingOrderAtEverySubscriber) {
    TRecorder first, second;
    Disp()->Subscribe(TRecorder::Proc, &first);
    Disp()->Subscribe(TRecorder::Proc, &second);
    Post(NavNotify::RouteChanged, 11);
    Post(NavNotify::RouteCalcBegin, 12);
    Post(NavNotify::RouteCalcEnd, 13);
    EXPECT_TRUE(first.Got.empty()) << "a post must not be delivered inside Post";

    FlushPosted();
    const std::vector<int32_t> expected = {NavNotify::RouteChanged, NavNotify::RouteCalcBegin,
                                           NavNotify::RouteCalcEnd};
    EXPECT_EQ(first.Codes(), expected);
    EXPECT_EQ(second.Codes(), expected);
    ASSERT_EQ(first.Got.size(), 3u);
    EXPECT_EQ(first.Got[2].P1, 13);
}

TEST_F(Dispatcher, EveryParameterAndTheValueTravel) {
    TRecorder rec;
    Disp()->Subscribe(TRecorder::Proc, &rec);
    Disp()->Post(NavNotify::ShowSectionDetails, 1, 2, 3, 4, 5, 6, 7, 1234.5);
    Disp()->Send(NavNotify::DownloadProgress, 7, 6, 5, 4, 3, 2, 1, 65536.0);
    FlushPosted();
    ASSERT_EQ(rec.Got.size(), 2u);
    // The send is delivered at once, the post only when the event loop runs.
    const TNavNotification &sent = rec.Got[0];
    const TNavNotification &posted = rec.Got[1];
    EXPECT_EQ(sent.Code, NavNotify::DownloadProgress);
    EXPECT_EQ(sent.Value, 65536.0);
    EXPECT_EQ(posted.Code, NavNotify::ShowSectionDetails);
    const intptr_t params[] = {posted.P1, posted.P2, posted.P3, posted.P4,
                               posted.P5, posted.P6, posted.P7};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(params[i], i + 1);
    EXPECT_EQ(sent.P1, 7);
    EXPECT_EQ(sent.P7, 1);
    EXPECT_EQ(posted.Value, 1234.5);
    EXPECT_EQ(posted.Result, 0);
    EXPECT_FALSE(posted.Handled);
}

TEST_F(Dispatcher, SendReturnsWhatTheSubscribersAnswered) {
    struct Case {
        const char *name;
        int32_t firstResult;   // -1: the first subscriber leaves the record alone
        bool firstHandles;
        int32_t secondResult;  // -1: the second subscriber leaves it alone
        int32_t expectedResult;
        bool expectedHandled;
    };
    const Case cases[] = {
        {"nobody answers", -1, false, -1, 0, false},
        {"first answers", 1, true, -1, 1, true},
        {"last answer wins", 1, false, 2, 2, false},
        {"handled stays set by a later subscriber", 1, true, 3, 3, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TActor first, second;
        int32_t resultSeenBySecond = -99;
        first.Act = [&](TNavNotification *n) {
            if (c.firstResult >= 0) n->Result = c.firstResult;
            if (c.firstHandles) n->Handled = true;
        };
        second.Act = [&](TNavNotification *n) {
            resultSeenBySecond = n->Result;
            if (c.secondResult >= 0) n->Result = c.secondResult;
        };
        Disp()->Subscribe(TActor::Proc, &first);
        Disp()->Subscribe(TActor::Proc, &second);
        const TNavNotification answer =
            Disp()->Send(NavNotify::TrackClosed, 42, 0, 0, 0, 0, 0, 0);
        EXPECT_EQ(answer.Code, NavNotify::TrackClosed);
        EXPECT_EQ(answer.P1, 42);
        EXPECT_EQ(answer.Result, c.expectedResult);
        EXPECT_EQ(answer.Handled, c.expectedHandled);
        EXPECT_EQ(resultSeenBySecond, c.firstResult >= 0 ? c.firstResult : 0)
            << "subscribers share one record, in subscription order";
        Disp()->Unsubscribe(TActor::Proc, &first);
        Disp()->Unsubscribe(TActor::Proc, &second);
    }
}

TEST_F(Dispatcher, OnePairIsOneSubscription) {
    TRecorder rec, other;
    Disp()->Subscribe(TRecorder::Proc, &rec);
    Disp()->Subscribe(TRecorder::Proc, &rec);
    Disp()->Subscribe(TRecorder::Proc, &other);
    Disp()->Send(NavNotify::InvalidateViews, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(rec.Got.size(), 1u);

    Disp()->Unsubscribe(TRecorder::Proc, &rec);
    Disp()->Unsubscribe(TRecorder::Proc, reinterpret_cast<void *>(0x1234));  // unknown: ignored
    Disp()->Send(NavNotify::InvalidateViews, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(rec.Got.size(), 1u);
    EXPECT_EQ(other.Got.size(), 2u);
}

TEST_F(Dispatcher, SubscriberListChangesDuringADelivery) {
    struct Case {
        const char *name;
        // What the first subscriber does to the dispatcher during the first delivery.
        std::function<void(INavMessageDispatcher *, TActor &first, TRecorder &second,
                           TRecorder &late)> act;
        int firstCalls;                    // after two sends
        size_t secondGot, lateGot;
    };
    const Case cases[] = {
        {"unsubscribes itself", [](INavMessageDispatcher *d, TActor &first, TRecorder &, TRecorder &) {
             d->Unsubscribe(TActor::Proc, &first);
         }, 1, 2, 0},
        {"unsubscribes the next one before its turn", [](INavMessageDispatcher *d, TActor &, TRecorder &second, TRecorder &) {
             d->Unsubscribe(TRecorder::Proc, &second);
         }, 2, 0, 0},
        {"subscribes a new one: it waits for the next notification", [](INavMessageDispatcher *d, TActor &, TRecorder &, TRecorder &late) {
             d->Subscribe(TRecorder::Proc, &late);
         }, 2, 2, 1},
        {"unsubscribes and subscribes itself again: no second call now", [](INavMessageDispatcher *d, TActor &first, TRecorder &, TRecorder &) {
             d->Unsubscribe(TActor::Proc, &first);
             d->Subscribe(TActor::Proc, &first);
         }, 2, 2, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TActor first;
        TRecorder second, late;
        bool acted = false;
        first.Act = [&](TNavNotification *) {
            if (acted) return;
            acted = true;
            c.act(Disp(), first, second, late);
        };
        Disp()->Subscribe(TActor::Proc, &first);
        Disp()->Subscribe(TRecorder::Proc, &second);
        Disp()->Send(NavNotify::RouteChanged, 1, 0, 0, 0, 0, 0, 0);
        Disp()->Send(NavNotify::RouteChanged, 2, 0, 0, 0, 0, 0, 0);
        EXPECT_EQ(first.Calls, c.firstCalls);
        EXPECT_EQ(second.Got.size(), c.secondGot);
        EXPECT_EQ(late.Got.size(), c.lateGot);
        Disp()->Unsubscribe(TActor::Proc, &first);
        Disp()->Unsubscribe(TRecorder::Proc, &second);
        Disp()->Unsubscribe(TRecorder::Proc, &late);
    }
}

TEST_F(Dispatcher, ASendInsideAPostedDeliveryIsDeliveredAtOnce) {
    TRecorder rec;
    TActor relay;
    relay.Act = [&](TNavNotification *n) {
        if (n->Code == NavNotify::ObjectsChanged)
            Disp()->Send(NavNotify::RouteObjectChanged, n->P1, 0, 0, 0, 0, 0, 0);
    };
    Disp()->Subscribe(TActor::Proc, &relay);
    Disp()->Subscribe(TRecorder::Proc, &rec);
    Post(NavNotify::ObjectsChanged, 5);
    FlushPosted();
    const std::vector<int32_t> expected = {NavNotify::RouteObjectChanged, NavNotify::ObjectsChanged};
    EXPECT_EQ(rec.Codes(), expected);
}

TEST_F(Dispatcher, AThrowingSubscriberIsReportedAndTheOthersStillReceive) {
    TExceptionLog log;
    TRecorder before, after;
    TActor thrower;
    thrower.Act = [](TNavNotification *n) {
        if (n->Code == NavNotify::RouteChanged) throw std::runtime_error("route table is gone");
        throw 7;  // not even a standard exception
    };
    Disp()->Subscribe(TRecorder::Proc, &before);
    Disp()->Subscribe(TActor::Proc, &thrower);
    Disp()->Subscribe(TRecorder::Proc, &after);

    const TNavNotification answer = Disp()->Send(NavNotify::RouteChanged, 3, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(answer.P1, 3);
    Post(NavNotify::RouteSettingsChanged);
    FlushPosted();

    EXPECT_EQ(before.Got.size(), 2u);
    EXPECT_EQ(after.Got.size(), 2u) << "a later subscriber must not miss its turn";
    EXPECT_EQ(thrower.Calls, 2);
    const QString text = log.Text();
    EXPECT_EQ(log.Lines(), 2) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("route table is gone"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("std::runtime_error"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("int"))) << text.toStdString();
}

TEST_F(Dispatcher, ReleasingTheEnvironmentDropsItsQueueAndEndsADelivery) {
    TRecorder rec;
    Disp()->Subscribe(TRecorder::Proc, &rec);
    Post(NavNotify::InvalidateViews);
    FEnv.reset();
    FlushPosted();
    EXPECT_TRUE(rec.Got.empty());

    // A subscriber that releases the environment while it is being called.
    FEnv.reset(NavEnvCreate());
    TActor killer;
    TRecorder later;
    killer.Act = [&](TNavNotification *) { FEnv.reset(); };
    FEnv->GetDispatcher()->Subscribe(TActor::Proc, &killer);
    FEnv->GetDispatcher()->Subscribe(TRecorder::Proc, &later);
    FEnv->GetDispatcher()->Send(NavNotify::InvalidateViews, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(killer.Calls, 1);
    EXPECT_TRUE(later.Got.empty());
    FEnv.reset(NavEnvCreate());
}

TEST(NavEnv, WorkFolderExistsForTheEnvironmentsLifetime) {
    QString folder;
    {
        Owned<INavEnv> env(NavEnvCreate());
        const TStrWRec *rec = env->GetWorkFolder();
        folder = QString::fromUtf16(rec->Text, rec->Length);
        EXPECT_TRUE(folder.endsWith(QLatin1Char('/')));
        EXPECT_TRUE(QFileInfo(folder).isDir());
        Owned<INavEnv> other(NavEnvCreate());
        const TStrWRec *otherRec = other->GetWorkFolder();
        EXPECT_NE(QString::fromUtf16(otherRec->Text, otherRec->Length), folder);
        EXPECT_EQ(env->GetDispatcher(), env->GetDispatcher());
    }
    EXPECT_FALSE(QFileInfo::exists(folder));
}
