// The companion programs (chart manager and update program): where they are installed,
// whether one runs, their command lines and the run itself around a release and reload of
// the charts; the Help menu's web links.
#include "shell/MarivoNavEnv.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvFileVersionInfo.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/platform/KvShell.h"
#include "base/strings/KvStrUtils.h"
#include "shell/MarivoNavEnvTexts.h"
#include "chartview/ChartViewAdapters.h"

#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLanguage.h>
#include <KvLibNav6/KvObjectUpdate.h>

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QUrl>

const TGUID ChartManagerProductGUID = {
    0x5E1A7C42, 0x93B0, 0x4D6E, {0x8A, 0x1F, 0x2C, 0x74, 0xB9, 0x03, 0x6D, 0x15}};
const TGUID UpdateProgramProductGUID = {
    0xA3C85D19, 0x47F2, 0x4B8E, {0x9D, 0x60, 0x1E, 0x2B, 0x85, 0xC7, 0x4A, 0x3F}};

namespace {

const QString ChartManagerKey = QStringLiteral("Software\\Korvane\\MRC Manager\\1");
const QString ChartManagerFileName = QStringLiteral("MRCManager");
const QString WebSite = QStringLiteral("https://www.korvane.example");
const QString HelpSite = QStringLiteral("https://help.korvane.example");

QString &MachineRegistryOverride() {
    static QString file;
    return file;
}

void RealRunner(const QString &program, const QString &commandLine, intptr_t data,
                int32_t &exitValue, int32_t &err) {
    RunAndWaitA(program, commandLine, QString(), nullptr, int32_t(data), true, exitValue, err);
}

TCompanionRunner &Runner() {
    static TCompanionRunner runner = RealRunner;
    return runner;
}

// "-NL" / "nl" for Dutch, "-DE" / "de" for German, English for every other language.
QString LanguageSwitch(int32_t language) {
    if (language == KvLang::Dutch) return QStringLiteral("NL");
    if (language == KvLang::German) return QStringLiteral("DE");
    return QStringLiteral("EN");
}

}  // namespace

TCompanionRunner SetCompanionRunner(TCompanionRunner runner) {
    TCompanionRunner old = Runner();
    Runner() = runner ? std::move(runner) : TCompanionRunner(RealRunner);
    return old;
}

void SetMachineRegistryFile(const QString &file) {
    MachineRegistryOverride() = file;
}

QString MachineRegistryFile() {
    if (!MachineRegistryOverride().isEmpty()) return MachineRegistryOverride();
    const QString named = qEnvironmentVariable("KORVANE_MACHINE_REGISTRY");
    if (!named.isEmpty()) return named;
    return QStringLiteral("/etc/xdg/Korvane/machine-registry.ini");
}

bool ReadMachineRegistryString(const QString &key, const QString &name, QString &value) {
    QFile file(MachineRegistryFile());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    bool inKey = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            inKey = line.mid(1, line.size() - 2).trimmed().compare(key, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inKey || equals < 0) continue;
        if (line.left(equals).trimmed().compare(name, Qt::CaseInsensitive) != 0) continue;
        value = line.mid(equals + 1).trimmed();
        return true;
    }
    return false;
}

namespace {

// The program file and its packed version; False when not installed or unreadable.
bool LocateChartManager(QString &fileName, int32_t &version) {
    QString root;
    if (!ReadMachineRegistryString(ChartManagerKey, QStringLiteral("RootDir"), root)) return false;
    const QString file = QDir(root).filePath(ChartManagerFileName);
    if (root.isEmpty() || !QFileInfo(file).isFile()) return false;
    QString name;
    int32_t err = 0;
    VersionInfoGetProgNameAndVersionA(file, name, version, err);
    if (err != KvErr::Ok) return false;
    fileName = file;
    return true;
}

}  // namespace

void FindChartManagerProgram(QString &fileName, int32_t &flags) {
    fileName.clear();
    flags = 0;
    int32_t version = 0;
    if (!LocateChartManager(fileName, version)) return;
    // Packed versions compare unsigned: major versions from 128 on set the top bit.
    const auto packed = uint32_t(version);
    if (packed >= uint32_t(MakeVersion(1, 0, 1, 0))) flags |= 1;
    if (packed >= uint32_t(MakeVersion(1, 5, 0, 0))) flags |= 2;
}

bool GetChartManagerProgramVersion(int32_t &version) {
    version = 0;
    QString file;
    if (LocateChartManager(file, version)) return true;
    version = 0;
    return false;
}

QString CompanionLockFile(const TGUID &product) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return QDir(folder).filePath(GUIDToStr(product) + QLatin1Char('1'));
}

bool CompanionProgramRunning(const TGUID &product) {
    // Probed only: taking the lock for a moment tells whether a companion holds it.
    QLockFile lock(CompanionLockFile(product));
    if (lock.tryLock(0)) {
        lock.unlock();
        return false;
    }
    return lock.error() == QLockFile::LockFailedError;
}

QString ChartManagerCommandLine(const QString &switchText, int32_t language) {
    return switchText + QStringLiteral(" -") + LanguageSwitch(language) + QStringLiteral(" -lang ") +
           LanguageToLanguageIDA(language);
}

QString UpdateProgramCommandLine(const QString &arguments, int32_t language) {
    return arguments + QStringLiteral(" -") + LanguageSwitch(language).toLower();
}

QString UpdateProgramArguments(bool helpFlag, bool networkInstallFlag, bool networkUpdateFlag,
                               IWWNetwork *network) {
    QStringList switches;
    if (helpFlag) switches << QStringLiteral("-hp");
    if (networkInstallFlag) switches << QStringLiteral("-wwi");
    if (networkUpdateFlag)
        switches << QStringLiteral("-ww -wv ") +
                        (network ? VersionToStr(network->GetVersion(), 4) : QStringLiteral("1.0.0.0"));
    QString arguments = switches.join(QLatin1Char(' '));
    arguments += QStringLiteral(" -p \"Ostrel\"");
    return arguments;
}

QString WebLinkAddress(TWebLink link, int32_t language, int32_t programVersion,
                       const QString &programFolder) {
    switch (link) {
    case TWebLink::Forum: return WebSite + QStringLiteral("/forum");
    case TWebLink::Help: return HelpSite + QStringLiteral("/varnock14/");
    case TWebLink::Homepage: return WebSite + QLatin1Char('/');
    case TWebLink::Shop: return WebSite + QStringLiteral("/shop");
    case TWebLink::TeamViewer: return WebSite + QStringLiteral("/teamviewer");
    case TWebLink::BuyCharts:
        return WebSite + QStringLiteral("/applinks/redirect.php?url=marivo5brevobuycharts&lang=") +
               LanguageSwitch(language).toLower() + QStringLiteral("&ref=marivo5brevo") +
               VersionToStr(programVersion, 4).remove(QLatin1Char('.'));
    case TWebLink::ReleaseHistory: {
        const QString file =
            QDir(programFolder).filePath(QStringLiteral("Release History.html"));
        if (!QFileInfo::exists(file)) return QString();
        QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
        if (language == KvLang::Dutch) url.setFragment(QStringLiteral("NL"));
        return url.toString();
    }
    }
    return QString();
}

void OpenWebLink(WindowHandle window, TWebLink link) {
    const QString address =
        WebLinkAddress(link, GetCurrentLanguage(), ProgInfoGetVersion(), ProgInfoGetProgDir());
    if (address.isEmpty()) return;
    int32_t err = 0;
    ExecuteDocument(window, address, 1, err);
    RaiseIfError(err);
}

void TMarivoNavEnv::FindChartManager() {
    FindChartManagerProgram(ChartManagerProgramFolder, ChartManagerProgramFlags);
    if (ObjectUpdateManager)
        ObjectUpdateSetFolder(ObjectUpdateManager, ObjectUpdateFolder::ChartUpdates,
                              ChartManagerUpdateFolder(ChartManagerProgramFolder));
}

QString ChartManagerUpdateFolder(const QString &programFile) {
    // The chart-manager program takes the same folder from its environment when it is set.
    const QString named = qEnvironmentVariable("KORVANE_UPDATE_DIR");
    if (!named.isEmpty()) return named;
    return programFile.isEmpty() ? QString() : QFileInfo(programFile).absolutePath() + QStringLiteral("/Updates");
}

namespace {

// Switches the loop off for a companion's run and restores its state on every way out.
struct TLoopPause {
    INavLoop *Loop;
    bool WasOn;
    explicit TLoopPause(INavLoop *loop) : Loop(loop), WasOn(loop->IsOn()) { Loop->SetOn(false); }
    ~TLoopPause() { Loop->SetOn(WasOn); }
};

}  // namespace

void TMarivoNavEnv::RunChartManager(intptr_t data, bool update) {
    const TLoopPause pause(Loop);
    RunChartManagerProgram(update ? QStringLiteral("-update") : QStringLiteral("-internet"), data);
}

void TMarivoNavEnv::RunUpdate(bool helpFlag, bool networkInstallFlag, bool networkUpdateFlag) {
    const TLoopPause pause(Loop);
    RunUpdateProgram(
        UpdateProgramArguments(helpFlag, networkInstallFlag, networkUpdateFlag, WaterwayNetwork), 0);
}

void TMarivoNavEnv::RunChartManagerProgram(const QString &switchText, intptr_t data) {
    RunCompanion(ChartManagerProductGUID, ChartManagerProgramFolder,
                 ChartManagerCommandLine(switchText, GetCurrentLanguage()),
                 NavEnvText::ChartManagerRunning, NavEnvText::ChartManagerClose,
                 NavEnvText::ChartManagerNotExecuted, data);
}

void TMarivoNavEnv::RunUpdateProgram(const QString &arguments, intptr_t data) {
    RunCompanion(UpdateProgramProductGUID, UpdateProgramFile,
                 UpdateProgramCommandLine(arguments, GetCurrentLanguage()),
                 NavEnvText::UpdateServiceRunning, NavEnvText::UpdateServiceClose,
                 NavEnvText::UpdateServiceNotExecuted, data);
}

void TMarivoNavEnv::RunCompanion(const TGUID &lockGuid, const QString &program,
                                 const QString &commandLine, const TLanguageStrings &running,
                                 const TLanguageStrings &close,
                                 const TLanguageStrings &notExecuted, intptr_t data) {
    // The window stays responsive while a companion runs: a second run waits its turn.
    if (FCompanionRunning || CompanionProgramRunning(lockGuid)) {
        MsgBox(LanguageText(running) + QStringLiteral("\n\n") + LanguageText(close), mtError,
               MsgButtons({mbOK}));
        return;
    }
    FCompanionRunning = true;
    struct TDone {
        bool &Flag;
        ~TDone() { Flag = false; }
    } done{FCompanionRunning};
    ReleaseCharts(true);
    // The companions work on this run's folders.
    qputenv("KORVANE_SHARED_DIR", QFile::encodeName(SharedFolder));
    qputenv("KORVANE_DATA_DIR", QFile::encodeName(DataFolder));
    int32_t exitValue = 0, err = 0;
    try {
        Runner()(program, commandLine, data, exitValue, err);
    } catch (...) {
        ReloadCharts(true);
        throw;
    }
    if (err != KvErr::Ok)
        MsgBox(LanguageText(notExecuted), mtError, MsgButtons({mbOK}));
    else if (exitValue != 0)
        qWarning().noquote() << QStringLiteral("%1 ended with exit code %2").arg(program).arg(exitValue);
    ReloadCharts(true);
}
