// Alarm sounds: WAV files checked when loaded, played through Qt Multimedia.
#include "kernel/KvInternal.h"
#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvSound.h"

#include <QAudioDevice>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>
#include <memory>

Q_LOGGING_CATEGORY(lcSound, "kvlibnav6.sound")

namespace {

// Reads a chunk header {id, little-endian size}; false at the end of the file.
bool ReadChunk(QFile &f, QByteArray &id, quint32 &size) {
    const QByteArray h = f.read(8);
    if (h.size() != 8) return false;
    id = h.left(4);
    size = qFromLittleEndian<quint32>(h.constData() + 4);
    return true;
}

// A RIFF/WAVE file with a PCM or float format chunk and a complete data chunk.
// Checked here because QSoundEffect loads in the background and only reports a bad
// file later through its status, long after the caller could have told the user.
int32_t CheckWav(const QString &file) {
    const QFileInfo fi(file);
    if (!fi.exists()) return KvErr::NotFound;
    if (!fi.isFile()) return KvErr::ReadFailed;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return f.error() == QFileDevice::PermissionsError ? KvErr::AccessDenied : KvErr::ReadFailed;
    const QByteArray riff = f.read(12);
    if (riff.size() != 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return KvErr::BadFormat;

    bool haveFormat = false;
    QByteArray id;
    quint32 size = 0;
    while (ReadChunk(f, id, size)) {
        const qint64 start = f.pos();
        if (qint64(size) > f.size() - start) return KvErr::BadFormat;  // cut short
        if (id == "fmt ") {
            if (size < 16) return KvErr::BadFormat;
            const QByteArray fmt = f.read(16);
            const auto tag = qFromLittleEndian<quint16>(fmt.constData());
            const auto channels = qFromLittleEndian<quint16>(fmt.constData() + 2);
            const auto rate = qFromLittleEndian<quint32>(fmt.constData() + 4);
            const auto bits = qFromLittleEndian<quint16>(fmt.constData() + 14);
            // 1 PCM, 3 IEEE float, 0xFFFE extensible (PCM or float inside).
            if ((tag != 1 && tag != 3 && tag != 0xFFFE) || channels == 0 || rate == 0 ||
                (bits != 8 && bits != 16 && bits != 24 && bits != 32))
                return KvErr::BadFormat;
            haveFormat = true;
        } else if (id == "data") {
            return haveFormat && size > 0 ? KvErr::Ok : KvErr::BadFormat;
        }
        f.seek(start + size + (size & 1));  // chunks are padded to even length
    }
    return KvErr::BadFormat;
}

class TSound final : public ISound {
public:
    explicit TSound(QString file) : FFile(std::move(file)) {}

    void Play(int32_t mode) override {
        if (!FEnabled) return;
        // Without an audio output (servers, tests) the sound stays silent rather than
        // making the backend wait for a device.
        if (QMediaDevices::audioOutputs().isEmpty()) {
            qCDebug(lcSound) << "No audio output; not playing" << FFile;
            return;
        }
        if (!FEffect) {
            FEffect = std::make_unique<QSoundEffect>();
            FEffect->setSource(QUrl::fromLocalFile(FFile));
        }
        // play() only queues the sound; an effect still loading starts once it is ready.
        FEffect->play();
    }

    void SetEnabled(bool enabled) override {
        FEnabled = enabled;
        if (!enabled && FEffect) FEffect->stop();
    }

private:
    QString FFile;
    bool FEnabled = true;
    std::unique_ptr<QSoundEffect> FEffect;  // made at the first play
};

}  // namespace

ISound *SoundCreate1(const TStrWRec &wavFile, int32_t &err) {
    const QString file = kv::ToQString(wavFile);
    err = file.isEmpty() ? KvErr::NotFound : CheckWav(file);
    if (err != KvErr::Ok) return nullptr;
    return new TSound(QFileInfo(file).absoluteFilePath());
}
