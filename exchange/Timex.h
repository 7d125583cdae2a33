// The data recorder: its memory read through the driver as one raw block, the block split
// into recorded sessions of decoded records, the recorder's memory erased, and the raw block
// saved to or loaded from a file that begins with "Timex GPS data".
//
// The raw block comes from an outside device or a file and is untrusted: the parser never
// reads outside it. A damaged part ends what can be read (the sessions and records decoded so
// far stay) and is reported as a parse issue, never as an exception. Plain objects without
// widgets; GUI thread (the driver's).
#pragma once

#include <KvLibNav6/KvLoggerDriver.h>
#include <KvLibNav6/KvTypes.h>

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <variant>
#include <vector>

using TTimexRecord =
    std::variant<TLoggerFixRecord, TLoggerStateRecord, TLoggerMotionRecord, TLoggerMotionFixRecord>;

// One recorded session; times are local date-time values as the recorder keeps them.
class TTimexSession {
public:
    TDateTime EndTime = 0.0;
    QString Name;  // nothing fills it
    int32_t Profile = 0;
    TDateTime StartTime = 0.0;
    std::vector<TTimexRecord> Records;

    // Copies the times, the profile and every record.
    void Assign(const TTimexSession &source);
};

// What stopped the parse of part of the raw block. Offsets count bytes from its start.
struct TTimexParseIssue {
    enum TKind {
        // The block ends inside a session (its length or one of its fields runs past the end).
        Truncated,
        // A record of a kind without a known length: the session's remaining records are lost.
        UnknownKind,
        // A record that runs past its session's records.
        RecordPastEnd,
        // A session length too small for the profile and both times.
        ShortSession,
        // A date or time digit above 9, or an impossible date or time: the parse ends.
        BadDateTime,
    };
    TKind Kind = Truncated;
    int32_t Session = 0;  // index of the session concerned
    int64_t Offset = 0;
};

// Splits raw into sessions, appended to sessions; the issues met, in order (empty for a clean
// block). Reads only raw[0, size).
std::vector<TTimexParseIssue> TimexParseSessions(const uint8_t *raw, int64_t size,
                                                 std::vector<TTimexSession> &sessions);

// The issue in the current language, for the user.
QString TimexIssueText(const TTimexParseIssue &issue);

class TTimex {
public:
    // Signature and version of the saved raw-data file.
    static constexpr char FileSignature[] = "Timex GPS data";
    static constexpr int32_t FileSignatureBytes = 14;
    static constexpr int32_t FileVersion = 1;
    // Largest block taken from the driver; a recorder holds a few megabytes.
    static constexpr int32_t MaxDeviceDataSize = 256 * 1024 * 1024;

    // driver: the bound driver (TimexDriver()); it must outlive the object.
    explicit TTimex(const TLoggerDriver &driver);

    // False without the driver's entry.
    bool Connect();
    void Release();
    bool ClearMemory();
    // Reads the recorder's memory and parses it. False, with no sessions, when the driver
    // lacks the entry or reports no data (ErrorText() empty) or fails to deliver the data
    // (ErrorText() says so).
    bool ReadFromDevice();
    // False with ErrorText() when the file cannot be opened or is no raw-data file of
    // version 1, or claims more data than it holds.
    bool LoadFromFile(const QString &fileName);
    // False with ErrorText() when the file cannot be written; an existing file is replaced.
    bool SaveToFile(const QString &fileName);
    // Re-splits the raw block; the issues are also kept for ParseIssues().
    void ParseSessions();

    int32_t GetSessionCount() const { return static_cast<int32_t>(FSessions.size()); }
    const TTimexSession &GetSession(int32_t index) const { return FSessions.at(index); }
    const std::vector<TTimexParseIssue> &ParseIssues() const { return FIssues; }
    const QByteArray &RawData() const { return FRawData; }
    const QString &ErrorText() const { return FErrorText; }

    // Radians per unit of a 24-bit angle.
    const double Scale = LoggerRecord::AngleScale;

private:
    void ClearSessions();

    const TLoggerDriver &FDriver;
    std::vector<TTimexSession> FSessions;
    std::vector<TTimexParseIssue> FIssues;
    QByteArray FRawData;
    QString FErrorText;
};
