#include "exchange/MAPIMail.h"

#include <QProcess>

namespace {

TMAPIMail::TRunner &Runner() {
    static TMAPIMail::TRunner runner = [](const QString &program, const QStringList &arguments) {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForStarted()) return TMAPIMail::NotFound;
        // The command returns once the mail client has the message.
        process.waitForFinished(-1);
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : 4;
    };
    return runner;
}

}  // namespace

TMAPIMail::TRunner TMAPIMail::SetRunner(TRunner runner) { return std::exchange(Runner(), std::move(runner)); }

QStringList TMAPIMail::Arguments() const {
    QStringList args{QStringLiteral("--utf8"), QStringLiteral("--subject"), Subject, QStringLiteral("--body"),
                     Body.join(u'\n')};
    for (const QString &file : Attachments) args << QStringLiteral("--attach") << file;
    return args;
}

int TMAPIMail::Send() const { return Runner()(QStringLiteral("xdg-email"), Arguments()); }

QString TMAPIMail::ErrorText(int result) {
    switch (result) {
    case 0: return QStringLiteral("The message was handed to the mail program.");
    case 1: return QStringLiteral("The mail program was called with invalid arguments.");
    case 2: return QStringLiteral("One of the files to attach does not exist.");
    case 3: return QStringLiteral("No mail program is set up on this computer.");
    case 4: return QStringLiteral("The mail program could not create the message.");
    case 5: return QStringLiteral("There is no permission to read one of the files to attach.");
    case NotFound: return QStringLiteral("The command \"xdg-email\" that opens the mail program is not installed.");
    default: return QStringLiteral("The mail program reported error %1.").arg(result);
    }
}
