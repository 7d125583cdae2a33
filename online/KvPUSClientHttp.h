// The HTTP side of the update client behind a small interface, so the protocol can be fed
// from a test; TPUSHttpQt is the real one on QNetworkAccessManager. GUI thread.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <cstdint>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// Completion codes in the style of socket errors (0 = the transfer ended normally).
namespace PUSHttpError {
inline constexpr uint16_t HostNotFound = 11001;
inline constexpr uint16_t NoData = 11004;  // also: a redirect to another origin
inline constexpr uint16_t Unreachable = 10065;
inline constexpr uint16_t TimedOut = 10060;
inline constexpr uint16_t Refused = 10061;
inline constexpr uint16_t Reset = 10054;
inline constexpr uint16_t Other = 10050;
// No byte came for the idle time: not a socket error, the client's own.
inline constexpr uint16_t IdleTimeout = 65001;
}  // namespace PUSHttpError

class IPUSHttp {
public:
    virtual ~IPUSHttp() = default;
    // Starts an asynchronous form POST; 0 when started, else a send result (-101 busy,
    // -2000 no usable address) and nothing will follow.
    virtual int32_t Post(const QString &url, const QByteArray &agent, const QByteArray &body) = 0;
    // Stops the transfer; OnRequestDone may still come (callers ignore it).
    virtual void Abort() = 0;
    // The response's status; 0 before the headers arrived.
    virtual int StatusCode() const = 0;

    std::function<void(const QByteArray &chunk)> OnDocData;
    std::function<void(int64_t sent, int64_t total)> OnSendData;
    std::function<void(uint16_t error)> OnRequestDone;
};

// True for an https address, or http to this machine.
bool PUSUrlAllowed(const QUrl &url);

class TPUSHttpQt : public QObject, public IPUSHttp {
    Q_OBJECT
public:
    explicit TPUSHttpQt(QObject *parent = nullptr);
    ~TPUSHttpQt() override;

    int32_t Post(const QString &url, const QByteArray &agent, const QByteArray &body) override;
    void Abort() override;
    int StatusCode() const override { return FStatus; }
    // Time without a byte after which the transfer ends with IdleTimeout.
    void SetIdleTimeoutMs(int ms);

private:
    void ReadChunk();
    void Finished();
    void Redirected(const QUrl &url);
    void IdleTimedOut();
    uint16_t ErrorCode() const;

    QNetworkAccessManager *FManager;
    QPointer<QNetworkReply> FReply;
    QTimer *FIdle;
    QUrl FUrl;
    int FStatus = 0;
    uint16_t FForcedError = 0;
};
