#include "TestSupport.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>
#include <KvLibNav6/KvSound.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QtEndian>
#include <memory>

namespace {

struct Deleter {
    void operator()(NavObject *o) const { ObjectDelete(o); }
};
using SoundPtr = std::unique_ptr<ISound, Deleter>;

TStrWRec Rec(const QString &s) {
    return TStrWRec{int32_t(s.size()), reinterpret_cast<const char16_t *>(s.utf16())};
}

QByteArray LE32(quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    return QByteArray(b, 4);
}
QByteArray LE16(quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    return QByteArray(b, 2);
}

QByteArray Chunk(const QByteArray &id, const QByteArray &body, qint64 claimed = -1) {
    QByteArray c = id + LE32(quint32(claimed < 0 ? body.size() : claimed)) + body;
    if (body.size() & 1) c += '\0';
    return c;
}

QByteArray Fmt(quint16 tag, quint16 channels, quint32 rate, quint16 bits) {
    const quint16 align = quint16(channels * bits / 8);
    return Chunk("fmt ", LE16(tag) + LE16(channels) + LE32(rate) + LE32(rate * align) +
                             LE16(align) + LE16(bits));
}

QByteArray Riff(const QByteArray &chunks) { return "RIFF" + LE32(quint32(4 + chunks.size())) + "WAVE" + chunks; }

// A 50 ms 8-bit mono beep.
QByteArray Beep() {
    QByteArray samples;
    for (int i = 0; i < 400; ++i) samples += char((i / 8) % 2 ? 200 : 56);
    return samples;
}

}  // namespace

TEST(Sound, LoadingChecksTheWaveFile) {
    const QString dir = testsupport::MakeTempDir(QStringLiteral("sounds"));
    struct Case { const char *name; QByteArray data; int32_t err; };
    const Case cases[] = {
        {"8-bit mono PCM", Riff(Fmt(1, 1, 8000, 8) + Chunk("data", Beep())), KvErr::Ok},
        {"16-bit stereo after an odd-sized list chunk",
         Riff(Fmt(1, 2, 44100, 16) + Chunk("LIST", "abc") + Chunk("data", QByteArray(400, '\0'))),
         KvErr::Ok},
        {"empty file", QByteArray(), KvErr::BadFormat},
        {"text", QByteArray("GPS lost\n"), KvErr::BadFormat},
        {"RIFF but not WAVE", "RIFF" + LE32(4) + "AVI ", KvErr::BadFormat},
        {"no data chunk", Riff(Fmt(1, 1, 8000, 8)), KvErr::BadFormat},
        {"data before format", Riff(Chunk("data", Beep()) + Fmt(1, 1, 8000, 8)), KvErr::BadFormat},
        {"data chunk cut short", Riff(Fmt(1, 1, 8000, 8) + Chunk("data", Beep(), 100000)), KvErr::BadFormat},
        {"empty data chunk", Riff(Fmt(1, 1, 8000, 8) + Chunk("data", QByteArray())), KvErr::BadFormat},
        {"compressed format", Riff(Fmt(0x55, 1, 8000, 16) + Chunk("data", Beep())), KvErr::BadFormat},
        {"12-bit samples", Riff(Fmt(1, 1, 8000, 12) + Chunk("data", Beep())), KvErr::BadFormat},
        {"no channels", Riff(Fmt(1, 0, 8000, 8) + Chunk("data", Beep())), KvErr::BadFormat},
        {"short format chunk", Riff(Chunk("fmt ", LE16(1) + LE16(1)) + Chunk("data", Beep())),
         KvErr::BadFormat},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = dir + QStringLiteral("/sound%1.wav").arg(++n);
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.data);
        f.close();
        int32_t err = -1;
        SoundPtr sound(SoundCreate1(Rec(file), err));
        EXPECT_EQ(err, c.err);
        EXPECT_EQ(sound != nullptr, c.err == KvErr::Ok);
    }

    int32_t err = 0;
    EXPECT_FALSE(SoundPtr(SoundCreate1(Rec(dir + "/GPS lost.wav"), err)));
    EXPECT_EQ(err, KvErr::NotFound);
    EXPECT_FALSE(SoundPtr(SoundCreate1(Rec(QString()), err)));
    EXPECT_EQ(err, KvErr::NotFound);
    EXPECT_FALSE(SoundPtr(SoundCreate1(Rec(dir), err))) << "a folder";
    EXPECT_EQ(err, KvErr::ReadFailed);
}

TEST(Sound, PlayingWithoutAnAudioDeviceReturnsAtOnce) {
    const QString file = testsupport::MakeTempDir(QStringLiteral("play")) + "/XTE alarm.wav";
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Riff(Fmt(1, 1, 8000, 8) + Chunk("data", Beep())));
    f.close();
    int32_t err = -1;
    SoundPtr sound(SoundCreate1(Rec(file), err));
    ASSERT_EQ(err, 0);
    ASSERT_TRUE(sound);
    for (int i = 0; i < 3; ++i) sound->Play(0);
    sound->SetEnabled(false);
    sound->Play(0);
    sound->SetEnabled(true);
    sound->Play(0);
    // Releasing while a play may be pending must not wait for the audio backend either.
    sound.reset();
}
