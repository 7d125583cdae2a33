#include "online/KvPUSClientParser.h"

#include "base/kvlib/KvErrors.h"
#include "base/strings/KvStrUtils.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <algorithm>
#include <cctype>

namespace {

constexpr char EndByte = char(0xFF);
constexpr uint8_t RequestKey = 0xB5;
constexpr int RecordLines = 10;

// A decimal integer and nothing else: no blank, no CR.
bool StrictInt64(const QByteArray &text, int64_t &value) {
    static const QRegularExpression pattern(QStringLiteral("^-?[0-9]{1,18}$"));
    if (!pattern.match(QString::fromLatin1(text)).hasMatch()) return false;
    value = text.toLongLong();
    return true;
}

bool StrictInt32(const QByteArray &text, int32_t &value) {
    int64_t v = 0;
    if (!StrictInt64(text, v) || v < INT32_MIN || v > INT32_MAX) return false;
    value = int32_t(v);
    return true;
}

bool ReadVersion(const QString &text, int32_t &version) {
    try {
        version = StrToVersion(text);
        return true;
    } catch (const EConvertError &) {
        return false;
    }
}

}  // namespace

QString PUSCommandCode(TPUSCommand command) {
    switch (command) {
    case TPUSCommand::pcReqVersion: return QStringLiteral("vi2");
    case TPUSCommand::pcReqHistory: return QStringLiteral("vh");
    case TPUSCommand::pcReqUpdateFile: return QStringLiteral("uf");
    case TPUSCommand::pcPostUpdate: return QStringLiteral("su");
    case TPUSCommand::pcMaxUploadSize: return QStringLiteral("us");
    case TPUSCommand::pcReqVersionForKind: return QStringLiteral("vp2");
    case TPUSCommand::pcUpdateValidation: return QStringLiteral("uv");
    case TPUSCommand::pcNone: break;
    }
    return QString();
}

QByteArray PUSFormText(TPUSCommand command, const TGUIDsArray &guids) {
    QByteArray form = "c=" + PUSCommandCode(command).toLatin1();
    if (command == TPUSCommand::pcReqHistory) {
        form += "&g=" + GUIDToStr(guids.value(0)).toLatin1();
        return form;
    }
    form += "&gc=" + QByteArray::number(guids.size());
    for (qsizetype i = 0; i < guids.size(); ++i)
        form += "&g" + QByteArray::number(i) + '=' + GUIDToStr(guids[i]).toLatin1();
    return form;
}

QByteArray PUSEncodeRequest(const QByteArray &formText) {
    QByteArray body = "d=";
    for (char c : formText) body += QByteArray::number(uint8_t(c) ^ RequestKey, 16).toUpper();
    return body;
}

bool PUSDecodeRequest(const QByteArray &body, QByteArray &formText) {
    formText.clear();
    if (!body.startsWith("d=") || (body.size() - 2) % 2 != 0) return false;
    for (qsizetype i = 2; i < body.size(); i += 2) {
        bool ok = false;
        const uint value = body.mid(i, 2).toUInt(&ok, 16);
        if (!ok || !std::isxdigit(uchar(body[i])) || !std::isxdigit(uchar(body[i + 1]))) return false;
        formText += char(uint8_t(value) ^ RequestKey);
    }
    return true;
}

bool PUSStrToDate(const QString &text, TDateTime &value) {
    value = 0;
    if (text.isEmpty()) return true;
    QDateTime dt = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
        if (!d.isValid()) return false;
        dt = QDateTime(d, QTime(0, 0));
    }
    value = double(QDate(1899, 12, 30).daysTo(dt.date())) + dt.time().msecsSinceStartOfDay() / 86400000.0;
    return true;
}

bool PUSIsPlainFileName(const QString &name) {
    if (name.isEmpty() || name == QLatin1String(".") || name.contains(QLatin1String(".."))) return false;
    return std::none_of(name.cbegin(), name.cend(), [](QChar c) {
        return c == u'/' || c == u'\\' || c == u':' || c.unicode() < 32 || c.unicode() == 127;
    });
}

// ---- parser ---------------------------------------------------------------------------------

void TPUSReplyParser::Reset(TPUSCommand command, int32_t guidCount, bool skipNoUpdateError) {
    FCommand = command;
    FGUIDCount = guidCount;
    FSkipNoUpdateError = skipNoUpdateError;
    FState = sResult;
    FFinished = false;
    FResult = 0;
    FLine.clear();
    FCollected.clear();
    FReplyBytes = 0;
    FReceived = 0;
    FRecordLine = 0;
    FRecord = TPUSVersionInfo();
    FFileName.clear();
    FFileSize = 0;
    FFileWritten = 0;
}

void TPUSReplyParser::Finish(int32_t result) {
    if (FFinished) return;
    FFinished = true;
    FResult = result;
    if (Events.OnFinish) Events.OnFinish(result);
}

void TPUSReplyParser::Feed(const char *data, int64_t size, int httpStatus) {
    if (FFinished || size <= 0) return;
    if (httpStatus >= 400) {
        Finish(httpStatus);
        return;
    }
    switch (FCommand) {
    case TPUSCommand::pcReqVersion:
    case TPUSCommand::pcReqVersionForKind:
    case TPUSCommand::pcReqHistory:
        FReplyBytes += size;
        if (FReplyBytes > PUSMaxReplyBytes) return Finish(PUSResult::Malformed);
        break;
    case TPUSCommand::pcReqUpdateFile: break;
    default:
        if (FCollected.size() + size > PUSMaxReplyBytes) return Finish(PUSResult::Malformed);
        FCollected.append(data, size);
        return;
    }
    bool content = false;
    int64_t i = 0;
    while (i < size && !FFinished) {
        if (FState == sFileData) {
            const int64_t used = FeedFileData(data + i, size - i);
            content = content || used > 0;
            i += used;
        } else {
            FeedByte(data[i++]);
        }
    }
    if (content && !FFinished && FState == sFileData) ReportProgress();
}

bool TPUSReplyParser::TakeLine(char byte, QByteArray &line) {
    if (byte != '\n') {
        FLine += byte;
        if (FLine.size() > PUSMaxLineBytes) Finish(PUSResult::Malformed);
        return false;
    }
    line = FLine;
    FLine.clear();
    return true;
}

void TPUSReplyParser::FeedByte(char byte) {
    QByteArray line;
    switch (FState) {
    case sResult:
        if (TakeLine(byte, line)) ResultLine(line);
        break;
    case sAfterRecord:
        if (FRecordLine == RecordLines) RecordEnd();
        if (FFinished) break;
        if (byte == EndByte) {
            FState = sDone;
            break;
        }
        FState = sRecord;
        FRecordLine = 0;
        FRecord = TPUSVersionInfo();
        [[fallthrough]];
    case sRecord:
        if (TakeLine(byte, line)) RecordLine(line);
        break;
    case sHistory:
        if (byte != EndByte) {
            FCollected += byte;
            break;
        }
        FState = sDone;
        if (FCommand == TPUSCommand::pcReqHistory && Events.OnHistory) Events.OnHistory(FCollected);
        break;
    case sFileName:
    case sFileSize:
        if (TakeLine(byte, line)) FileLine(line);
        break;
    case sFileData: break;
    case sDone: Finish(PUSResult::Malformed); break;
    }
}

void TPUSReplyParser::ResultLine(const QByteArray &line) {
    if (line.isEmpty()) return Finish(PUSResult::EmptyResult);
    int32_t result = 0;
    if (!StrictInt32(line, result)) return Finish(PUSResult::Malformed);
    if (result != 0) {
        if (FCommand != TPUSCommand::pcReqVersionForKind || !FSkipNoUpdateError) return Finish(result);
        // No update for this kind: nothing to report, the reply still ends with its end byte.
        FState = sHistory;
        return;
    }
    switch (FCommand) {
    case TPUSCommand::pcReqHistory: FState = sHistory; break;
    case TPUSCommand::pcReqUpdateFile: FState = FGUIDCount > 0 ? sFileName : sDone; break;
    default: FState = sAfterRecord; break;
    }
}

void TPUSReplyParser::RecordLine(const QByteArray &bytes) {
    const QString text = QString::fromUtf8(bytes);
    bool ok = true;
    switch (FRecordLine) {
    case 0: ok = TryStrToGUID(text, FRecord.GUID); break;
    case 1: ok = ReadVersion(text, FRecord.Version); break;
    case 2: ok = PUSStrToDate(text, FRecord.Date1); break;
    case 3: ok = PUSStrToDate(text, FRecord.Date2); break;
    case 4: FRecord.Text2 = text; break;
    case 5: ok = StrictInt32(bytes, FRecord.Value1); break;
    case 6: FRecord.Text1 = text; break;
    case 7: FRecord.Text3 = text; break;
    case 8: FRecord.Text4 = text; break;
    case 9: ok = StrictInt32(bytes, FRecord.Value2); break;
    default: break;
    }
    if (!ok) return Finish(PUSResult::Malformed);
    if (++FRecordLine == RecordLines) FState = sAfterRecord;
}

void TPUSReplyParser::RecordEnd() {
    FRecordLine = 0;
    ++FReceived;
    if (FCommand == TPUSCommand::pcReqVersionForKind) {
        if (Events.OnVersionForKind) Events.OnVersionForKind(FRecord);
    } else if (Events.OnVersion) {
        Events.OnVersion(FReceived, FRecord);
    }
}

void TPUSReplyParser::FileLine(const QByteArray &line) {
    if (FState == sFileName) {
        ++FReceived;
        FFileName = QString::fromUtf8(line);
        FFileWritten = 0;
        FState = sFileSize;
        return;
    }
    if (!StrictInt64(line, FFileSize)) return Finish(PUSResult::Malformed);
    if (Events.OnFileStart) {
        if (const int32_t r = Events.OnFileStart(FReceived, FFileName, FFileSize)) return Finish(r);
    }
    if (FFileSize >= 1) {
        FState = sFileData;
        return;
    }
    ReportProgress();
    FileDone();
}

int64_t TPUSReplyParser::FeedFileData(const char *data, int64_t size) {
    const int64_t n = std::min(size, FFileSize - FFileWritten);
    if (Events.OnFileData) {
        if (const int32_t r = Events.OnFileData(data, n)) {
            Finish(r);
            return n;
        }
    }
    FFileWritten += n;
    if (FFileWritten < FFileSize) return n;
    if (Events.OnFileEnd) {
        if (const int32_t r = Events.OnFileEnd()) {
            Finish(r);
            return n;
        }
    }
    ReportProgress();
    FileDone();
    return n;
}

void TPUSReplyParser::ReportProgress() {
    if (Events.OnFileProgress) Events.OnFileProgress(FFileWritten, FFileSize);
}

void TPUSReplyParser::FileDone() {
    FFileWritten = 0;
    FState = FReceived < FGUIDCount ? sFileName : sDone;
}
