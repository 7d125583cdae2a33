#include "base/platform/KvKeepAwake.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>

namespace {

const char *const Service = "org.freedesktop.ScreenSaver";
const char *const Path = "/org/freedesktop/ScreenSaver";

class TDBusInhibit final : public TInhibitBackend {
public:
    std::optional<uint32_t> Inhibit(const QString &application, const QString &reason) override {
        auto iface = Interface();
        if (!iface) return std::nullopt;
        const QDBusReply<uint> reply = iface->call(QStringLiteral("Inhibit"), application, reason);
        if (!reply.isValid()) return std::nullopt;
        return uint32_t(reply.value());
    }
    void UnInhibit(uint32_t cookie) override {
        if (auto iface = Interface()) iface->call(QStringLiteral("UnInhibit"), uint(cookie));
    }

private:
    // Nothing when there is no session bus or nobody offers the service: no waiting, no
    // message, because the program runs fine without it.
    static std::unique_ptr<QDBusInterface> Interface() {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected() || !bus.interface()) return nullptr;
        if (!bus.interface()->isServiceRegistered(QString::fromLatin1(Service)).value())
            return nullptr;
        auto iface = std::make_unique<QDBusInterface>(QString::fromLatin1(Service),
                                                      QString::fromLatin1(Path),
                                                      QString::fromLatin1(Service), bus);
        iface->setTimeout(2000);
        return iface->isValid() ? std::move(iface) : nullptr;
    }
};

}  // namespace

std::unique_ptr<TInhibitBackend> CreateDBusInhibitBackend() {
    return std::make_unique<TDBusInhibit>();
}

TKeepAwake::TKeepAwake(std::unique_ptr<TInhibitBackend> backend) : FBackend(std::move(backend)) {}

TKeepAwake::~TKeepAwake() {
    if (FCookie && FBackend) FBackend->UnInhibit(*FCookie);
}

void TKeepAwake::SetKeepAwake(bool on) {
    if (on == FOn) return;
    FOn = on;
    if (!FBackend) return;
    if (on) {
        const QString app = QCoreApplication::applicationName().isEmpty()
                                ? QStringLiteral("Marivo")
                                : QCoreApplication::applicationName();
        FCookie = FBackend->Inhibit(app, QStringLiteral("Navigating"));
    } else if (FCookie) {
        FBackend->UnInhibit(*FCookie);
        FCookie.reset();
    }
}

TKeepAwake &GetKeepAwake() {
    static TKeepAwake instance;
    return instance;
}
