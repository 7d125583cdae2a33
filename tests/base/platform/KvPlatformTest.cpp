#include "TestSupport.h"

#include "base/files/KvFiles.h"
#include "base/platform/KvKeepAwake.h"
#include "base/platform/KvPortWatcher.h"
#include "base/platform/KvShell.h"
#include "base/platform/KvSystemInfo.h"
#include "platform/ShellOpener.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvFiles.h>

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct TEvent {
    TDeviceChange Change;
    QString Port;
    bool operator==(const TEvent &o) const { return Change == o.Change && Port == o.Port; }
};

}  // namespace

TEST(TPortWatcher, ReportsAPseudoTerminalComingAndGoingOnceEach) {
    int master = -1, slave = -1;
    char name[128] = {};
    termios tio{};
    cfmakeraw(&tio);
    ASSERT_EQ(openpty(&master, &slave, name, &tio, nullptr), 0);
    const QString port = QString::fromLocal8Bit(name);
    ::close(master);
    ::close(slave);
    ASSERT_FALSE(QFileInfo::exists(port)) << "a closed pseudo-terminal leaves no device";

    QObject owner;
    TPortWatcher watcher(&owner, TPortWatcher::ExistingPaths({port}));
    std::vector<TEvent> events;
    const int handle = watcher.RegisterDeviceInterfaceNotification(
        [&](TDeviceChange c, const QString &p) { events.push_back({c, p}); });
    ASSERT_NE(handle, 0);

    // Re-open until the same device number comes back (the kernel hands out the lowest).
    ASSERT_EQ(openpty(&master, &slave, name, &tio, nullptr), 0);
    if (QString::fromLocal8Bit(name) != port) {
        ::close(master);
        ::close(slave);
        GTEST_SKIP() << "another process took the pseudo-terminal number";
    }
    watcher.Poll();
    watcher.Poll();  // no change: nothing new
    ::close(master);
    ::close(slave);
    watcher.Poll();
    watcher.Poll();
    const std::vector<TEvent> expected = {{TDeviceChange::Arrival, port},
                                          {TDeviceChange::Removal, port}};
    EXPECT_EQ(events, expected);
}

TEST(TPortWatcher, ReceiversGetEventsOnlyWhileRegistered) {
    QStringList ports = {"/dev/ttyS0"};
    QObject owner;
    TPortWatcher watcher(&owner, [&] { return ports; });
    EXPECT_EQ(watcher.RegisterDeviceInterfaceNotification({}), 0) << "no receiver, null handle";
    int a = 0, b = 0;
    const int ha = watcher.RegisterDeviceInterfaceNotification([&](auto, auto &) { ++a; });
    const int hb = watcher.RegisterDeviceInterfaceNotification([&](auto, auto &) { ++b; });
    EXPECT_NE(ha, hb);
    ports << "/dev/ttyUSB0";
    watcher.Poll();
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 1);
    watcher.UnregisterDeviceNotification(ha);
    ports.removeAll("/dev/ttyS0");
    watcher.Poll();
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    watcher.UnregisterDeviceNotification(hb);
    watcher.UnregisterDeviceNotification(12345);  // unknown handles are ignored
    EXPECT_EQ(watcher.Ports(), QStringList{"/dev/ttyUSB0"});
}

TEST(TPortWatcher, AReceiverThatRaisesIsReportedAndOthersStillHear) {
    testsupport::TExpectReports reports;
    QStringList ports;
    QObject owner;
    TPortWatcher watcher(&owner, [&] { return ports; });
    int heard = 0;
    watcher.RegisterDeviceInterfaceNotification(
        [](auto, auto &) { throw std::runtime_error("receiver failed"); });
    watcher.RegisterDeviceInterfaceNotification([&](auto, auto &) { ++heard; });
    ports << "/dev/ttyACM0";
    watcher.Poll();
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(reports.Count(), 1);
}

namespace {

class TFakeInhibit : public TInhibitBackend {
public:
    explicit TFakeInhibit(int &held, bool available = true) : FHeld(held), FAvailable(available) {}
    std::optional<uint32_t> Inhibit(const QString &, const QString &) override {
        if (!FAvailable) return std::nullopt;
        ++FHeld;
        return 42u;
    }
    void UnInhibit(uint32_t cookie) override {
        EXPECT_EQ(cookie, 42u);
        --FHeld;
    }

private:
    int &FHeld;
    bool FAvailable;
};

}  // namespace

TEST(TKeepAwake, InhibitAndReleaseStayBalanced) {
    int held = 0;
    {
        TKeepAwake keep(std::make_unique<TFakeInhibit>(held));
        keep.SetKeepAwake(true);
        keep.SetKeepAwake(true);
        EXPECT_EQ(held, 1);
        EXPECT_TRUE(keep.Inhibited());
        keep.SetKeepAwake(false);
        keep.SetKeepAwake(false);
        EXPECT_EQ(held, 0);
        keep.SetKeepAwake(true);
    }
    EXPECT_EQ(held, 0) << "released when the object goes";

    TKeepAwake absent(std::make_unique<TFakeInhibit>(held, false));
    absent.SetKeepAwake(true);
    EXPECT_TRUE(absent.KeepAwake());
    EXPECT_FALSE(absent.Inhibited());
    absent.SetKeepAwake(false);
    EXPECT_EQ(held, 0);
}

TEST(TKeepAwake, WithoutASessionBusNothingHappens) {
    const QByteArray saved = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
    TKeepAwake keep;
    keep.SetKeepAwake(true);
    keep.SetKeepAwake(false);
    if (saved.isNull())
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    else
        qputenv("DBUS_SESSION_BUS_ADDRESS", saved);
    EXPECT_FALSE(keep.Inhibited());
}

TEST(SystemInfo, NameVersionAndStockIcons) {
    EXPECT_FALSE(GetOperatingSystemName().isEmpty());
    EXPECT_FALSE(GetOperatingSystemVersion().isEmpty());
    EXPECT_FALSE(GetStockIcon(KvStockIcon::Folder).isNull());
    EXPECT_FALSE(GetStockIcon(KvStockIcon::Warning).isNull());
    EXPECT_TRUE(GetStockIcon(-7).isNull());
}

TEST(KvShell, WrappersReachTheOpener) {
    QList<QUrl> urls;
    kv::TShellOpener recorder;
    recorder.OpenUrl = [&](const QUrl &u) { urls << u; return true; };
    recorder.StartDetached = [](const QString &, const QStringList &, const QString &) {
        return true;
    };
    const kv::TShellOpener previous = kv::SetShellOpener(recorder);
    int32_t err = -1;
    ExecuteDocument(nullptr, QStringLiteral("https://example.org/"), 1, err);
    EXPECT_EQ(err, KvErr::Ok);
    ExecuteDocument(nullptr, QString(), 1, err);
    EXPECT_EQ(err, KvErr::InvalidArgument);
    ExecuteFile(nullptr, QStringLiteral("open"), QStringLiteral("/bin/sh"), QString(), QString(),
                1, err);
    EXPECT_EQ(err, KvErr::Ok);
    kv::SetShellOpener(previous);
    EXPECT_EQ(urls, QList<QUrl>{QUrl("https://example.org/")});

    QString path = QStringLiteral("stale");
    EXPECT_TRUE(GetSpecialFolderPath(KvSpecialFolder::Documents, path));
    EXPECT_FALSE(path.isEmpty());
    EXPECT_FALSE(GetSpecialFolderPath(-1, path));
    EXPECT_TRUE(path.isEmpty());
}
