// Keeps the computer from going to sleep or blanking the screen while navigating, through
// the desktop's inhibit call on the session bus. Without a session bus it silently does
// nothing. GUI thread.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

// The inhibit service; tests replace it with a recorder.
class TInhibitBackend {
public:
    virtual ~TInhibitBackend() = default;
    // A cookie for UnInhibit, or nothing when the service is absent or refused.
    virtual std::optional<uint32_t> Inhibit(const QString &application, const QString &reason) = 0;
    virtual void UnInhibit(uint32_t cookie) = 0;
};

// org.freedesktop.ScreenSaver on the session bus.
std::unique_ptr<TInhibitBackend> CreateDBusInhibitBackend();

class TKeepAwake {
public:
    explicit TKeepAwake(std::unique_ptr<TInhibitBackend> backend = CreateDBusInhibitBackend());
    ~TKeepAwake();  // releases a held inhibit
    TKeepAwake(const TKeepAwake &) = delete;
    TKeepAwake &operator=(const TKeepAwake &) = delete;

    // Idempotent: on twice inhibits once, off releases what on took.
    void SetKeepAwake(bool on);
    bool KeepAwake() const { return FOn; }
    // True while the desktop actually holds our inhibit.
    bool Inhibited() const { return FCookie.has_value(); }

private:
    std::unique_ptr<TInhibitBackend> FBackend;
    std::optional<uint32_t> FCookie;
    bool FOn = false;
};

// The program's one instance, created on first use.
TKeepAwake &GetKeepAwake();
