// The start of the program: identity, help, crash detection, main window and message loop.
#include "shell/MarivoUtils.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/graphics/KvNightScreen.h"
#include "base/help/KvHTMLHelp.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvExceptions.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/platform/KvShell.h"
#include "base/registry/KvRegistry.h"
#include "base/texts/KvLanguage.h"
#include "shell/FrmHelp.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/FrmMsgCloseError.h"
#include "shell/FrmSplash.h"
#include "shell/KvAppInit.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoSignals.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvLanguage.h>

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QPainter>

Q_LOGGING_CATEGORY(lcStartup, "marivo.startup", QtWarningMsg)

namespace {

constexpr int32_t CommonAppData = 35;

QString WithDelimiter(const QString &folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString CommonDataPath() {
    QString path;
    GetSpecialFolderPath(CommonAppData, path);
    return path;
}

// While alive: every reported exception is also shown to the user, as the application's
// own exception handling does.
class TExceptionBoxScope {
public:
    TExceptionBoxScope() {
        FPrevious = SetExceptionListener([this](const QString &className, const QString &message) {
            if (FPrevious) FPrevious(className, message);
            if (FShowing) return;  // an exception while the box is open is in the log only
            FShowing = true;
            MsgBox(message.isEmpty() ? className : message, mtError, MsgButtons({mbOK}));
            FShowing = false;
        });
    }
    ~TExceptionBoxScope() { SetExceptionListener(std::move(FPrevious)); }

private:
    TExceptionListener FPrevious;
    bool FShowing = false;
};

// The palette colours are registered with the night screen for the whole run.
class TPaletteScope {
public:
    TPaletteScope() {
        RegisterPaletteColors(NightScreen());
        RegisterUtilsColors(NightScreen());
    }
    ~TPaletteScope() {
        UnregisterUtilsColors(NightScreen());
        UnregisterPaletteColors(NightScreen());
    }
};

// A start that ends before the main window was shown leaves no splash behind.
struct TSplashScope {
    ~TSplashScope() { delete Splash(); }
};

// Every modal dialog gives up (as if cancelled), from the innermost outwards.
void RejectModalDialogs() {
    for (int guard = 0; guard < 64; ++guard) {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->done(QDialog::Rejected);
        else
            modal->close();
    }
}

void OnTerminationSignal() {
    RejectModalDialogs();
    if (TFormMarivo6Main *main = TFormMarivo6Main::Current())
        main->CloseOnRequest();
    else
        ApplicationTerminate();  // nothing to close yet: "ExecState" stays as it is
}

// The close-error dialog's "Find": the program's update dialog, from the same slot the Help
// menu's update command uses (the program ends after it either way).
bool CheckForUpdate(QString &updateFile, bool option, bool noStart) {
    const TMainDialogs dialogs = ProgramDialogs();
    return dialogs.CheckUpdates && dialogs.CheckUpdates(nullptr, updateFile, option ? 1 : 0, noStart);
}

QIcon ApplicationIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x13, 0x3C, 0x6E));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(2, 2, 60, 60));
    p.setBrush(QColor(0xE8, 0x4A, 0x3C));
    p.drawPolygon(QPolygonF({QPointF(32, 6), QPointF(40, 32), QPointF(24, 32)}));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(32, 58), QPointF(40, 32), QPointF(24, 32)}));
    return QIcon(pixmap);
}

}  // namespace

TExecState ReadExecState() {
    switch (RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, QString(), RegName(u"ExecState"), 0)) {
    case 1: return TExecState::Running;
    case 2: return TExecState::TerminatedByLibrary;
    default: return TExecState::None;
    }
}

void WriteExecState(TExecState state) {
    int32_t value = 0;
    if (state == TExecState::Running) value = 1;
    if (state == TExecState::TerminatedByLibrary) value = 2;
    int32_t err = 0;
    RegWriteInteger(GetAppReg(), AppRegRoot::Product, QString(), RegName(u"ExecState"), value, err);
    RaiseIfError(err);
}

QString StartDataFolder(const TStartOptions &options) {
    if (!options.DataFolder.isEmpty()) return WithDelimiter(options.DataFolder);
    return CommonDataPath() + QStringLiteral("/Korvane/Marivo/Ostrel/");
}

QString StartSharedFolder(const TStartOptions &options) {
    if (!options.DataFolder.isEmpty()) return WithDelimiter(options.DataFolder);
    return CommonDataPath() + QStringLiteral("/Korvane/");
}

bool CheckPreviousRun(const TUpdateCheck &updateCheck) {
    const TExecState state = ReadExecState();
    if (state != TExecState::None) {
        qCInfo(lcStartup) << "asking about the previous run";
        const int answer = ShowCloseError(state);
        if (answer == 1) return false;  // the old state stays: the question comes again
        if (answer == 2) {
            QString updateFile;
            if (updateCheck) updateCheck(updateFile, false, false);
            return false;
        }
    }
    WriteExecState(TExecState::Running);
    return true;
}

QString SelectHelpFile(int32_t language, const QString &dataFolder, const QString &installedHelp) {
    const QString page = QStringLiteral("/index.html");
    if (language == KvLang::Dutch && !dataFolder.isEmpty()) {
        const QString dutch = WithDelimiter(dataFolder) + QStringLiteral("Help/nl") + page;
        if (QFileInfo::exists(dutch)) return dutch;
    }
    if (installedHelp.isEmpty()) return {};
    for (int32_t candidate : {language, KvLang::English}) {
        const QString file = installedHelp + QLatin1Char('/') +
                             LanguageToLanguageIDA(candidate) + page;
        if (QFileInfo::exists(file)) return file;
    }
    return {};
}

QString ChooseHelpFile(int32_t language, const QString &dataFolder) {
    const QString help = SelectHelpFile(language, dataFolder, GetHTMLHelper().HelpRoot());
    // The help root holds one folder per language.
    if (!help.isEmpty()) GetHTMLHelper().SetHelpRoot(QFileInfo(QFileInfo(help).absolutePath()).absolutePath());
    GetHelpManager().SetHelpFile(help);
    return help;
}

int StartUp(uint16_t day, uint16_t month, uint16_t year, const TStartOptions &options) {
    TPaletteScope palette;
    TExceptionBoxScope exceptionBox;
    TTerminationSignals terminationSignals(OnTerminationSignal);
    TSplashScope splash;
    try {
        QApplication::setWindowIcon(ApplicationIcon());
        const QString identity = QStringLiteral("TFormMarivo6Main") + QStringLiteral("Ostrel");
        if (!InitApplicationA(identity, day, month, year)) return 0;
        QCoreApplication::setApplicationName(ProgInfoGetTitle());
        ChooseHelpFile(GetCurrentLanguage(), StartDataFolder(options));
        if (!CheckPreviousRun(CheckForUpdate)) return 0;

        TFormMarivo6Main main(options);
        if (!main.StartFailed()) main.show();
        RunMessageLoop();
        if (TerminatedByLibrary()) WriteExecState(TExecState::TerminatedByLibrary);
        return main.StartFailed() ? 1 : 0;
    } catch (...) {
        ReportCurrentException();
        return 1;
    }
}

void AnswerBothTrueCallback(bool *a, bool *b) {
    *a = true;
    *b = true;
}

namespace {

TColor *const UtilsColors[] = {&AlternateRowColor, &SelectedBackColor, &ValidBackColor,
                               &InvalidTextColor};
uint32_t *const UtilsARGBColors[] = {&IconBackColor1, &IconBackColor2};

}  // namespace

void RegisterUtilsColors(INightScreen *nightScreen) {
    if (!nightScreen) return;
    for (TColor *c : UtilsColors) nightScreen->AddColor(c);
    for (uint32_t *c : UtilsARGBColors) nightScreen->AddColorARGB(c);
}

void UnregisterUtilsColors(INightScreen *nightScreen) {
    if (!nightScreen) return;
    for (TColor *c : UtilsColors) nightScreen->RemoveColor(c);
    for (uint32_t *c : UtilsARGBColors) nightScreen->RemoveColorARGB(c);
}
