// marivo-servicestub [--port N] [--fixtures DIR]: the loopback stand-in for the online
// services. Listens on 127.0.0.1 (port 0: any free one) and prints the port on its first
// line, for the test or script that started it.
#include "ServiceStub.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("port"), QStringLiteral("Port to listen on (0: any)."),
                      QStringLiteral("port"), QStringLiteral("0")});
    parser.addOption({QStringLiteral("fixtures"), QStringLiteral("Folder of the JSON answers."),
                      QStringLiteral("dir"), QStringLiteral(MARIVO_SERVICESTUB_FIXTURES)});
    parser.process(app);

    servicestub::TServiceStub stub;
    servicestub::RegisterStandardHandlers(stub, parser.value(QStringLiteral("fixtures")));
    if (!stub.Listen(QHostAddress::LocalHost, quint16(parser.value(QStringLiteral("port")).toUInt()))) {
        std::fprintf(stderr, "cannot listen\n");
        return 1;
    }
    std::printf("%u\n", unsigned(stub.Port()));
    std::fflush(stdout);
    return app.exec();
}
