// Hands an e-mail with file attachments to the desktop's mail program (xdg-email), so the
// program can mail its data files without a mail protocol of its own. The mail program
// always shows its compose window: nothing is sent silently. GUI thread only.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Result codes of Send (besides 0 = handed to the mail program).
namespace MapiMailResult {
inline constexpr int NoMailProgram = -1;
inline constexpr int UserAbort = 1;
inline constexpr int Failure = 2;
inline constexpr int LoginFailure = 3;
inline constexpr int InsufficientMemory = 5;
inline constexpr int TooManyFiles = 9;
inline constexpr int TooManyRecipients = 10;
inline constexpr int AttachmentNotFound = 11;
inline constexpr int AttachmentOpenFailure = 12;
inline constexpr int UnknownRecipient = 14;
inline constexpr int BadRecipientType = 15;
inline constexpr int TextTooLarge = 18;
inline constexpr int AmbiguousRecipient = 21;
}  // namespace MapiMailResult

// Starts the mail hand-off program with these arguments (never through a shell) and answers
// its exit code, or -1 when it cannot be started. Tests install one that records the call.
using TMailSender = std::function<int(const QString &program, const QStringList &arguments)>;
// Returns the previous sender; an empty one restores the real hand-off.
TMailSender SetMailSender(TMailSender sender);

class TMAPIMail {
public:
    using TEvent = std::function<void(TMAPIMail *sender)>;

    TMAPIMail();

    QString FromAddress;  // ignored: the desktop has no mail accounts to switch
    QStringList Body;     // one line per entry
    QStringList ToList, CcList, BccList;
    QString Subject;
    QStringList Attachments;  // full paths
    QStringList Accounts;     // stays empty on this platform
    bool ShowDialog = false;  // the compose window opens either way

    TEvent OnAttachmentNotFound, OnAttachmentOpenFailure, OnTooManyFiles, OnTooManyRecipients, OnTextTooLarge,
        OnUserAbort;

    // 0 when handed over; otherwise a result code, passed to DoError first.
    int Send();
    static QString ErrorText(int code);
    // Fires the event of the code when it is set; True then.
    bool DoError(int code);
    int SendMail(const QString &subject, const QString &body, const QStringList &attachments,
                 const QStringList &to, const QStringList &cc, const QStringList &bcc, const QString &from);
    void LoadAccounts();
    bool SelectAccount(const QString &address);
    void RestoreDefaultAccount();

    // The arguments of the hand-off for a message (exposed for its checks).
    static QStringList Arguments(const QString &subject, const QString &body, const QStringList &attachments,
                                 const QStringList &to, const QStringList &cc, const QStringList &bcc);
};

// The simple form for callers that mail files.
struct TMailMessage {
    QString Subject;
    QStringList Body;
    QStringList To, Cc, Bcc;
    QStringList Attachments;
};
// True when handed to the mail program; otherwise errorText says why.
bool SendMailMessage(const TMailMessage &message, QString &errorText);
