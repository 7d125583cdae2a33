#include "exchange/KvMapiMail.h"

#include "base/texts/KvLanguage.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace {

const QString Program = QStringLiteral("xdg-email");
// A compose window still open after this long counts as handed over.
constexpr int HandOverWaitMs = 15000;

const TLanguageStrings TextNoMailProgram = {
    "No mail program is available.", "Er is geen e-mailprogramma beschikbaar.", "Es ist kein E-Mail-Programm verfügbar.",
    "Aucun programme de messagerie n'est disponible.", "No hay ningún programa de correo disponible.",
    "Nessun programma di posta disponibile.", "Der er intet e-mailprogram til rådighed.",
    "Det finns inget e-postprogram tillgängligt."};

// Waits for the hand-off with the event loop running, so the window never freezes.
int RunMailProgram(const QString &program, const QStringList &arguments) {
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) return MapiMailResult::NoMailProgram;
    auto *process = new QProcess(QCoreApplication::instance());
    QEventLoop loop;
    bool done = false;
    int code = 0;
    QObject::connect(process, &QProcess::finished, &loop, [&](int exitCode, QProcess::ExitStatus status) {
        code = status == QProcess::NormalExit ? exitCode : 4;
        done = true;
        loop.quit();
    });
    QObject::connect(process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        code = MapiMailResult::NoMailProgram;
        done = true;
        loop.quit();
    });
    QTimer::singleShot(HandOverWaitMs, &loop, &QEventLoop::quit);
    process->start(path, arguments);
    if (!done) loop.exec();
    if (done) {
        process->deleteLater();
        return code;
    }
    // The composer is still open: it has the message; the process object goes when it ends.
    QObject::disconnect(process, nullptr, &loop, nullptr);
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    return 0;
}

TMailSender &Sender() {
    static TMailSender sender = RunMailProgram;
    return sender;
}

// xdg-email's exit codes as the results callers know.
int MapExitCode(int code) {
    switch (code) {
    case 0: return 0;
    case 2: return MapiMailResult::AttachmentNotFound;
    case 5: return MapiMailResult::AttachmentOpenFailure;
    case 3:
    case MapiMailResult::NoMailProgram: return MapiMailResult::NoMailProgram;
    default: return MapiMailResult::Failure;
    }
}

}  // namespace

TMailSender SetMailSender(TMailSender sender) {
    TMailSender previous = Sender();
    Sender() = sender ? std::move(sender) : TMailSender(RunMailProgram);
    return previous;
}

TMAPIMail::TMAPIMail() { LoadAccounts(); }

int TMAPIMail::Send() {
    QString body;
    for (const QString &line : Body) body += line + QLatin1Char('\n');
    const int result = SendMail(Subject, body, Attachments, ToList, CcList, BccList, FromAddress);
    if (result != 0) DoError(result);
    return result;
}

QString TMAPIMail::ErrorText(int code) {
    switch (code) {
    case MapiMailResult::NoMailProgram: return LanguageText(TextNoMailProgram);
    case 1: return QStringLiteral("The user canceled one of the dialog boxes. No message was sent.");
    case 2: return QStringLiteral("One or more unspecified errors occurred. No message was sent.");
    case 3:
        return QStringLiteral("There was no default logon, and the user failed to log on successfully when the "
                              "logon dialog box was displayed. No message was sent.");
    case 5: return QStringLiteral("There was insufficient memory to proceed. No message was sent.");
    case 9: return QStringLiteral("There were too many file attachments. No message was sent.");
    case 10: return QStringLiteral("There were too many recipients. No message was sent.");
    case 11: return QStringLiteral("The specified attachment was not found. No message was sent.");
    case 12: return QStringLiteral("The specified attachment could not be opened. No message was sent.");
    case 14: return QStringLiteral("A recipient did not appear in the address list. No message was sent.");
    case 15:
        return QStringLiteral("The type of a recipient was not MAPI_TO, MAPI_CC, or MAPI_BCC. No message was sent.");
    case 18: return QStringLiteral("The text in the message was too large to sent. The message was not sent.");
    case 21:
        return QStringLiteral("A recipient matched more than one of the recipient descriptor structures and "
                              "MAPI_DIALOG was not set. No message was sent.");
    default: return {};
    }
}

bool TMAPIMail::DoError(int code) {
    const TEvent *event = nullptr;
    switch (code) {
    case MapiMailResult::UserAbort: event = &OnUserAbort; break;
    case MapiMailResult::TooManyFiles: event = &OnTooManyFiles; break;
    case MapiMailResult::TooManyRecipients: event = &OnTooManyRecipients; break;
    case MapiMailResult::AttachmentNotFound: event = &OnAttachmentNotFound; break;
    case MapiMailResult::AttachmentOpenFailure: event = &OnAttachmentOpenFailure; break;
    case MapiMailResult::TextTooLarge: event = &OnTextTooLarge; break;
    default: return false;
    }
    if (!*event) return false;
    (*event)(this);
    return true;
}

QStringList TMAPIMail::Arguments(const QString &subject, const QString &body, const QStringList &attachments,
                                 const QStringList &to, const QStringList &cc, const QStringList &bcc) {
    QStringList args{QStringLiteral("--utf8")};
    // An empty subject or body is left out rather than passed empty.
    if (!subject.isEmpty()) args << QStringLiteral("--subject") << subject;
    if (!body.isEmpty()) args << QStringLiteral("--body") << body;
    for (const QString &a : cc) args << QStringLiteral("--cc") << a;
    for (const QString &a : bcc) args << QStringLiteral("--bcc") << a;
    for (const QString &f : attachments) args << QStringLiteral("--attach") << f;
    args << to;
    return args;
}

int TMAPIMail::SendMail(const QString &subject, const QString &body, const QStringList &attachments,
                        const QStringList &to, const QStringList &cc, const QStringList &bcc, const QString &) {
    // A recipient that reads as an option would change what the mail program does.
    for (const QStringList *list : {&to, &cc, &bcc})
        for (const QString &a : *list)
            if (a.trimmed().startsWith(QLatin1Char('-'))) return MapiMailResult::UnknownRecipient;
    for (const QString &f : attachments) {
        const QFileInfo info(f);
        if (!info.isFile()) return MapiMailResult::AttachmentNotFound;
        if (!info.isReadable()) return MapiMailResult::AttachmentOpenFailure;
    }
    return MapExitCode(Sender()(Program, Arguments(subject, body, attachments, to, cc, bcc)));
}

void TMAPIMail::LoadAccounts() { Accounts.clear(); }

bool TMAPIMail::SelectAccount(const QString &) { return false; }

void TMAPIMail::RestoreDefaultAccount() {}

bool SendMailMessage(const TMailMessage &message, QString &errorText) {
    TMAPIMail mail;
    mail.ShowDialog = true;
    mail.Subject = message.Subject;
    mail.Body = message.Body;
    mail.ToList = message.To;
    mail.CcList = message.Cc;
    mail.BccList = message.Bcc;
    mail.Attachments = message.Attachments;
    const int result = mail.Send();
    errorText = result == 0 ? QString() : TMAPIMail::ErrorText(result);
    return result == 0;
}
