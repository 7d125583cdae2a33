#include "exchange/Timex.h"

#include "exchange/TimexTexts.h"

#include <QDate>
#include <QFile>
#include <QSaveFile>
#include <QTime>
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace {

using namespace LoggerRecord;

double Angle24(const uint8_t *b) {
    int32_t v = (int32_t(b[0]) << 16) | (int32_t(b[1]) << 8) | int32_t(b[2]);
    if (v & 0x800000) v -= 0x1000000;
    return v * AngleScale;
}

// The 7-byte motion group shared by kinds 5 and 15.
TLoggerMotion DecodeMotion(const uint8_t *g) {
    TLoggerMotion m;
    m.Speed = float(((g[0] >> 4) << 8) | g[1]) * SpeedScale;
    m.E = float(((g[0] & 0x0F) << 8) | g[2]);
    m.F = float((g[3] << 8) | g[4]);
    m.Heading = float(g[5]) * HeadingScale;
    m.Angle2 = float(g[6]) * HeadingScale;
    return m;
}

int32_t RecordBytes(int32_t kind) {
    switch (kind) {
    case KindFix: return FixBytes;
    case KindState: return StateBytes;
    case KindMotion: return MotionBytes;
    case KindMotionFix: return MotionFixBytes;
    default: return 0;
    }
}

TTimexRecord DecodeRecord(const uint8_t *b) {
    switch (b[0] >> 4) {
    case KindFix: {
        TLoggerFixRecord r;
        r.A = b[0] & 0x0F;
        r.Lat = Angle24(b + 1);
        r.Lon = Angle24(b + 4);
        return r;
    }
    case KindState: {
        TLoggerStateRecord r;
        r.A = b[0] & 0x0F;
        r.B = b[1] >> 4;
        r.C = b[1] & 0x0F;
        r.D = b[2] >> 2;
        r.E = ((b[2] & 0x03) << 3) | (b[3] >> 5);
        r.F = b[3] & 0x1F;
        r.G = b[4] >> 2;
        r.H = float(b[4] & 0x03) * 0.25f;
        return r;
    }
    case KindMotion: {
        TLoggerMotionRecord r;
        r.A = b[0] & 0x0F;
        r.B = b[1] >> 4;
        r.C = (b[1] >> 2) & 0x03;
        r.D = b[1] & 0x03;
        r.Motion = DecodeMotion(b + 2);
        return r;
    }
    default: {
        TLoggerMotionFixRecord r;
        r.A = ((b[0] & 0x0F) << 8) | b[1];
        r.B = b[2] >> 4;
        r.C = (b[2] >> 2) & 0x03;
        r.D = b[2] & 0x03;
        r.Motion = DecodeMotion(b + 3);
        r.Lat = Angle24(b + 10);
        r.Lon = Angle24(b + 13);
        r.G = b[16] >> 2;
        r.H = float(b[16] & 0x03) * 0.25f;
        return r;
    }
    }
}

// One decimal digit per byte; false for a digit above 9 or an impossible date or time.
bool ReadDateTime(const uint8_t *d, TDateTime &out) {
    int32_t v[LoggerSession::DateTimeBytes];
    for (int32_t k = 0; k < LoggerSession::DateTimeBytes; ++k) {
        if (d[k] > 9) return false;
        v[k] = d[k];
    }
    const QDate date(v[0] * 1000 + v[1] * 100 + v[2] * 10 + v[3], v[4] * 10 + v[5],
                     v[6] * 10 + v[7]);
    const QTime time(v[8] * 10 + v[9], v[10] * 10 + v[11], v[12] * 10 + v[13]);
    if (!date.isValid() || !time.isValid()) return false;
    static const qint64 epoch = QDate(1899, 12, 30).toJulianDay();
    out = double(date.toJulianDay() - epoch) + time.msecsSinceStartOfDay() / 86400000.0;
    return true;
}

}  // namespace

void TTimexSession::Assign(const TTimexSession &source) {
    EndTime = source.EndTime;
    Profile = source.Profile;
    StartTime = source.StartTime;
    Records = source.Records;
}

std::vector<TTimexParseIssue> TimexParseSessions(const uint8_t *raw, int64_t size,
                                                 std::vector<TTimexSession> &sessions) {
    using namespace LoggerSession;
    std::vector<TTimexParseIssue> issues;
    auto report = [&](TTimexParseIssue::TKind kind, int64_t offset) {
        issues.push_back({kind, int32_t(sessions.size()) - 1, offset});
    };
    int64_t pos = 0;
    while (pos < size) {
        if (size - pos < LengthBytes) {
            issues.push_back({TTimexParseIssue::Truncated, int32_t(sessions.size()), size});
            break;
        }
        const int64_t length = qFromBigEndian<quint32>(raw + pos);
        if (length < FixedBytes) {
            issues.push_back({TTimexParseIssue::ShortSession, int32_t(sessions.size()), pos});
            break;
        }
        const int64_t start = pos + LengthBytes;
        const int64_t sessionEnd = start + length;
        const int64_t recordsEnd = sessionEnd - DateTimeBytes;
        TTimexSession &session = sessions.emplace_back();
        if (size - start < ProfileBytes + DateTimeBytes) {
            report(TTimexParseIssue::Truncated, size);
            break;
        }
        session.Profile = raw[start];
        if (!ReadDateTime(raw + start + ProfileBytes, session.StartTime)) {
            report(TTimexParseIssue::BadDateTime, start + ProfileBytes);
            break;
        }
        int64_t rp = start + ProfileBytes + DateTimeBytes;
        const int64_t limit = std::min(recordsEnd, size);
        // In a session cut off by the block's end only the cut is reported.
        const bool cut = sessionEnd > size;
        while (rp < limit) {
            const int32_t bytes = RecordBytes(raw[rp] >> 4);
            if (bytes == 0) {
                if (!cut) report(TTimexParseIssue::UnknownKind, rp);
                break;
            }
            if (rp + bytes > recordsEnd) {
                if (!cut) report(TTimexParseIssue::RecordPastEnd, rp);
                break;
            }
            if (rp + bytes > size) break;
            session.Records.push_back(DecodeRecord(raw + rp));
            rp += bytes;
        }
        if (cut) {
            report(TTimexParseIssue::Truncated, size);
            break;
        }
        // The trailer sits at the records' end whatever the last record left behind.
        if (!ReadDateTime(raw + recordsEnd, session.EndTime)) {
            report(TTimexParseIssue::BadDateTime, recordsEnd);
            break;
        }
        pos = sessionEnd;
    }
    return issues;
}

QString TimexIssueText(const TTimexParseIssue &issue) {
    const TLanguageStrings *table = &TimexText::SIssueTruncated;
    switch (issue.Kind) {
    case TTimexParseIssue::Truncated: table = &TimexText::SIssueTruncated; break;
    case TTimexParseIssue::UnknownKind: table = &TimexText::SIssueUnknownKind; break;
    case TTimexParseIssue::RecordPastEnd: table = &TimexText::SIssueRecordPastEnd; break;
    case TTimexParseIssue::ShortSession: table = &TimexText::SIssueShortSession; break;
    case TTimexParseIssue::BadDateTime: table = &TimexText::SIssueBadDateTime; break;
    }
    return LanguageText(*table).arg(issue.Session + 1).arg(issue.Offset);
}

TTimex::TTimex(const TLoggerDriver &driver) : FDriver(driver) {}

bool TTimex::Connect() { return FDriver.ConnectToDevice && FDriver.ConnectToDevice(); }

void TTimex::Release() {
    if (FDriver.ReleaseDevice) FDriver.ReleaseDevice();
}

bool TTimex::ClearMemory() { return FDriver.ClearDeviceMemory && FDriver.ClearDeviceMemory(); }

void TTimex::ClearSessions() {
    FSessions.clear();
    FIssues.clear();
}

bool TTimex::ReadFromDevice() {
    ClearSessions();
    FRawData.clear();
    FErrorText.clear();
    if (!FDriver.GetDeviceData) return false;
    int32_t headerSize = 0, dataSize = 0;
    FDriver.GetDeviceData(nullptr, &headerSize, nullptr, &dataSize);
    if (dataSize <= 0 || dataSize > MaxDeviceDataSize || headerSize < 0 ||
        headerSize > MaxDeviceDataSize)
        return false;
    QByteArray header(headerSize, '\0');
    QByteArray data(dataSize, '\0');
    int32_t headerRead = headerSize, dataRead = dataSize;
    if (!FDriver.GetDeviceData(reinterpret_cast<uint8_t *>(header.data()), &headerRead,
                               reinterpret_cast<uint8_t *>(data.data()), &dataRead)) {
        FErrorText = LanguageText(TimexText::SReadFailed);
        return false;
    }
    // A driver may deliver less than it announced, never more than the buffer holds.
    data.truncate(std::clamp(dataRead, 0, dataSize));
    FRawData = data;
    ParseSessions();
    return true;
}

void TTimex::ParseSessions() {
    ClearSessions();
    FIssues = TimexParseSessions(reinterpret_cast<const uint8_t *>(FRawData.constData()),
                                 FRawData.size(), FSessions);
}

bool TTimex::SaveToFile(const QString &fileName) {
    FErrorText.clear();
    QSaveFile file(fileName);
    QByteArray head(FileSignature, FileSignatureBytes);
    char words[8];
    qToLittleEndian<qint32>(FileVersion, words);
    qToLittleEndian<qint32>(qint32(FRawData.size()), words + 4);
    head.append(words, sizeof words);
    if (!file.open(QIODevice::WriteOnly) || file.write(head) != head.size() ||
        file.write(FRawData) != FRawData.size() || !file.commit()) {
        FErrorText = LanguageText(TimexText::SFileNotWritten).arg(fileName);
        return false;
    }
    return true;
}

bool TTimex::LoadFromFile(const QString &fileName) {
    FErrorText.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        FErrorText = LanguageText(TimexText::SFileNotOpened).arg(fileName);
        return false;
    }
    const int32_t headBytes = FileSignatureBytes + 8;
    const QByteArray head = file.read(headBytes);
    if (head.size() != headBytes ||
        std::memcmp(head.constData(), FileSignature, FileSignatureBytes) != 0 ||
        qFromLittleEndian<qint32>(head.constData() + FileSignatureBytes) != FileVersion) {
        FErrorText = LanguageText(TimexText::SFileNoRecorderData).arg(fileName);
        return false;
    }
    const qint32 size = qFromLittleEndian<qint32>(head.constData() + FileSignatureBytes + 4);
    // The size is checked against the file before anything is allocated for it.
    if (size < 0 || size > file.size() - headBytes) {
        FErrorText = LanguageText(TimexText::SFileDamaged).arg(fileName);
        return false;
    }
    const QByteArray data = file.read(size);
    if (data.size() != size) {
        FErrorText = LanguageText(TimexText::SFileDamaged).arg(fileName);
        return false;
    }
    FRawData = data;
    ParseSessions();
    return true;
}
