// The wire format of the program update service, without any network: the request encoder
// and the incremental reply parser. The parser reads byte by byte and keeps its state
// between chunks, so a reply may be split anywhere; what it finds goes out through the
// callbacks of TPUSReplyEvents. Plain objects, any thread.
#pragma once

#include <KvLibNav6/KvTypes.h>

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <functional>

enum class TPUSCommand {
    pcNone,
    pcReqVersion,         // "vi2"
    pcReqHistory,         // "vh"
    pcReqUpdateFile,      // "uf"
    pcPostUpdate,         // "su": replies handled only
    pcMaxUploadSize,      // "us": replies handled only
    pcReqVersionForKind,  // "vp2": replies handled only
    pcUpdateValidation,   // "uv": replies handled only
};

// One version entry of a version reply. The update service fills Value2 with the update
// file's size in bytes and Text3 with its SHA-256 (hexadecimal) for the version it offers.
struct TPUSVersionInfo {
    TGUID GUID{};
    int32_t Version = 0;  // packed: major shl 24, minor shl 16, release shl 8, build
    TDateTime Date1 = 0;
    TDateTime Date2 = 0;
    int32_t Value1 = 0;
    QString Text1;
    QString Text2;
    int32_t Value2 = 0;
    QString Text3;
    QString Text4;
};

using TGUIDsArray = QList<TGUID>;

// Results of the client besides the server's and HTTP codes.
namespace PUSResult {
inline constexpr int32_t Ok = 0;
inline constexpr int32_t Malformed = -1;
inline constexpr int32_t EmptyResult = -1000;
inline constexpr int32_t StartFailed = -1001;
inline constexpr int32_t WriteFailed = -1002;
// The file's size or SHA-256 differ from the version record: the file was deleted.
inline constexpr int32_t Damaged = -1003;
inline constexpr int32_t NoConnection = -2000;
inline constexpr int32_t SocketError = -2001;
inline constexpr int32_t NoAnswerInTime = -2002;
}  // namespace PUSResult

// The longest line a reply may hold, and the most a version or history reply may carry.
inline constexpr int PUSMaxLineBytes = 4096;
inline constexpr int64_t PUSMaxReplyBytes = 1024 * 1024;

QString PUSCommandCode(TPUSCommand command);
// The form text "c=<code>&..." of a request: gc/g0.. for versions and files, g for a history.
QByteArray PUSFormText(TPUSCommand command, const TGUIDsArray &guids);
// The body sent: "d=" followed by each byte XOR 0xB5 in upper-case hexadecimal without
// leading zeros. Bytes whose XOR result is below 16 give one digit, which a decoder cannot
// tell apart from two; the form text is ASCII, whose XOR results are all 0x80 or more, so
// every byte of it gives two digits.
QByteArray PUSEncodeRequest(const QByteArray &formText);
// The service's side: digit pairs back to bytes. False when the text is not "d=" and an
// even number of hexadecimal digits.
bool PUSDecodeRequest(const QByteArray &body, QByteArray &formText);
// "YYYY-MM-DD[ hh:mm:ss]"; an empty text is 0. False for anything else.
bool PUSStrToDate(const QString &text, TDateTime &value);
// A received file name that may be joined to the download folder: not empty, no folder
// part, no "..", no control character.
bool PUSIsPlainFileName(const QString &name);

// What the parser reports. A callback that returns a non-zero result finishes the command
// with it.
struct TPUSReplyEvents {
    std::function<void(int32_t index, const TPUSVersionInfo &info)> OnVersion;
    std::function<void(const TPUSVersionInfo &info)> OnVersionForKind;
    std::function<void(const QByteArray &history)> OnHistory;
    // A file's name and size lines were read (index 1-based).
    std::function<int32_t(int32_t index, const QString &name, int64_t size)> OnFileStart;
    std::function<int32_t(const char *data, int64_t size)> OnFileData;
    // The announced size was reached (not called for a size below 1).
    std::function<int32_t()> OnFileEnd;
    // After each chunk's content, and once for a file whose size is below 1.
    std::function<void(int64_t written, int64_t size)> OnFileProgress;
    // The command finished early (a non-zero result line, a malformed reply, a callback's
    // result).
    std::function<void(int32_t result)> OnFinish;
};

class TPUSReplyParser {
public:
    TPUSReplyEvents Events;

    void Reset(TPUSCommand command, int32_t guidCount, bool skipNoUpdateError = false);
    // An HTTP status of 400 or more finishes the command with it before any byte is read.
    void Feed(const char *data, int64_t size, int httpStatus = 200);
    void Feed(const QByteArray &chunk, int httpStatus = 200) { Feed(chunk.constData(), chunk.size(), httpStatus); }

    bool Finished() const { return FFinished; }
    int32_t Result() const { return FResult; }
    // The reply ended where it may: just after the final 0xFF, or after the last file.
    bool Complete() const { return FState == sDone && FLine.isEmpty(); }
    // Version records or files seen so far.
    int32_t Received() const { return FReceived; }
    TPUSCommand Command() const { return FCommand; }
    // The reply of a command without a parser of its own, as received.
    const QByteArray &Collected() const { return FCollected; }
    // The file being received.
    const QString &FileName() const { return FFileName; }
    int64_t FileSize() const { return FFileSize; }
    int64_t FileWritten() const { return FFileWritten; }

    // Ends the command with result (early finish from outside, e.g. an HTTP status).
    void Finish(int32_t result);

private:
    enum TState { sResult, sRecord, sAfterRecord, sHistory, sFileName, sFileSize, sFileData, sDone };

    void FeedByte(char byte);
    bool TakeLine(char byte, QByteArray &line);
    void ResultLine(const QByteArray &line);
    void RecordLine(const QByteArray &line);
    void RecordEnd();
    void FileLine(const QByteArray &line);
    void FileDone();
    int64_t FeedFileData(const char *data, int64_t size);
    void ReportProgress();

    TPUSCommand FCommand = TPUSCommand::pcNone;
    int32_t FGUIDCount = 0;
    bool FSkipNoUpdateError = false;
    TState FState = sResult;
    bool FFinished = false;
    int32_t FResult = 0;
    QByteArray FLine;
    QByteArray FCollected;
    int64_t FReplyBytes = 0;
    int32_t FReceived = 0;
    int FRecordLine = 0;
    TPUSVersionInfo FRecord;
    QString FFileName;
    int64_t FFileSize = 0;
    int64_t FFileWritten = 0;
};
