// A new user's first start against the online services: the loopback stand-in started as the
// run script starts it, and the user's walk through the start-up wizard.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QProcess;
class TFormWizardStartup;

namespace acceptance {

// The stand-in (tools/servicestub) on a free loopback port, offering the demo chart of the
// data folder and the shared test chart, named as the program's online services in the
// settings of the machine (the configuration folder set when it starts). Stopped, and its
// name taken out of the settings again, when it goes.
class TServicesStandIn {
public:
    explicit TServicesStandIn(const QString &dataFolder);
    ~TServicesStandIn();
    TServicesStandIn(const TServicesStandIn &) = delete;
    TServicesStandIn &operator=(const TServicesStandIn &) = delete;
    bool Started() const { return FPort != 0; }
    // "http://127.0.0.1:<port>".
    QString BaseUrl() const;
    // Ends it as the run script does (SIGTERM) and waits for it.
    void Stop();

private:
    std::unique_ptr<QProcess> FProcess;
    quint16 FPort = 0;
};

// The account of the stand-in.
inline const QString StandInEmail = QStringLiteral("zeiler@example.nl");
inline const QString StandInPassword = QStringLiteral("a&b = \u00E9");

// What the user does in the wizard, in Dutch: logs in with the stand-in's account, chooses a
// ship saved in it, ticks every offered chart set, installs them and closes the wizard. A
// screenshot of each page goes to <build>/acceptance/.
struct TStartupWizardWalk {
    QString Ship = QStringLiteral("Albatros");
    // Where the installation is expected (the documents folder's default chart folder).
    QString ChartFolder;
    int Runs = 0;
    bool Done = false;
    QStringList ChartSetsTicked;
    // Captions of the message boxes shown during the installation, with the page the wizard
    // showed meanwhile.
    QStringList InstallMessages;

    // For TFormWizardStartup::SetPrompter.
    int operator()(TFormWizardStartup &wizard);

private:
    void LogIn(TFormWizardStartup &wizard);
    void ChooseShip(TFormWizardStartup &wizard);
    void TickChartSets(TFormWizardStartup &wizard);
    void Install(TFormWizardStartup &wizard);
};

}  // namespace acceptance
