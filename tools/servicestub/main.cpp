// marivo-servicestub [--port N] [--fixtures DIR] [--settings]: the loopback stand-in for the
// online services. Listens on 127.0.0.1 (port 0: any free one) and prints the port on its
// first line, for the test or script that started it. With --settings it names itself as the
// program's online services in this user's settings before it prints the port, and takes the
// name out again when it is ended (SIGTERM, SIGINT, SIGHUP).
#include "ServiceStub.h"
#include "StubSettings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int GSignalPipe[2] = {-1, -1};

void OnEndSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(GSignalPipe[0], &byte, 1);
}

// The end signals quit the event loop, so that what follows exec() runs.
void QuitOnEndSignals(QCoreApplication &app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, GSignalPipe) != 0) return;
    auto *notifier = new QSocketNotifier(GSignalPipe[1], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    struct sigaction action = {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &action, nullptr);
}

}  // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("port"), QStringLiteral("Port to listen on (0: any)."),
                      QStringLiteral("port"), QStringLiteral("0")});
    parser.addOption({QStringLiteral("fixtures"), QStringLiteral("Folder of the JSON answers."),
                      QStringLiteral("dir"), QStringLiteral(MARIVO_SERVICESTUB_FIXTURES)});
    parser.addOption({QStringLiteral("settings"),
                      QStringLiteral("Name this stand-in as the program's online services in this user's "
                                     "settings while it runs.")});
    parser.process(app);

    servicestub::TServiceStub stub;
    servicestub::RegisterStandardHandlers(stub, parser.value(QStringLiteral("fixtures")));
    if (!stub.Listen(QHostAddress::LocalHost, quint16(parser.value(QStringLiteral("port")).toUInt()))) {
        std::fprintf(stderr, "cannot listen\n");
        return 1;
    }
    const bool named = parser.isSet(QStringLiteral("settings"));
    const QString baseUrl = QStringLiteral("http://127.0.0.1:%1").arg(stub.Port());
    if (named) {
        QuitOnEndSignals(app);
        QString problem;
        if (!servicestub::NameInProgramSettings(baseUrl, problem)) {
            std::fprintf(stderr, "cannot name the stand-in in the settings: %s\n", qPrintable(problem));
            return 1;
        }
    }
    std::printf("%u\n", unsigned(stub.Port()));
    std::fflush(stdout);
    const int result = app.exec();
    if (named) servicestub::ForgetInProgramSettings(baseUrl);
    return result;
}
