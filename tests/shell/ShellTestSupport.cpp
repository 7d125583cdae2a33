#include "ShellTestSupport.h"

#include "DemoData.h"
#include "TestSupport.h"
#include "shell/FrmMsgDisclaimer.h"
#include "shell/FrmSplash.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace shelltest {

namespace {

bool CopyTree(const QString &from, const QString &to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        if (QFileInfo(source).isDir()) {
            if (!QDir().mkpath(target)) return false;
        } else if (!QFile::copy(source, target)) {
            return false;
        }
    }
    return true;
}

}  // namespace

QString FreshDemoData(const QString &name) {
    static const QString master = [] {
        const QString folder = testsupport::MakeTempDir(QStringLiteral("demo-master"));
        QString error;
        return demo::WriteDemoData(folder, error) ? folder : QString();
    }();
    if (master.isEmpty()) return {};
    const QString copy = testsupport::MakeTempDir(name);
    if (!CopyTree(master, copy)) return {};
    // The chart manager's folder registration names the folder it was written for.
    const QString ini = copy + QStringLiteral("/Cache/S57ChartBaseData.ini");
    QFile file(ini);
    if (file.open(QIODevice::ReadOnly)) {
        QByteArray text = file.readAll();
        file.close();
        text.replace(master.toUtf8(), copy.toUtf8());
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(text);
    }
    return copy;
}

void SaveScreenshot(QWidget *widget, const QString &name) {
    SaveScreenshot(widget->grab().toImage(), name);
}

void SaveScreenshot(const QImage &image, const QString &name) {
    const QString dir = QStringLiteral(MARIVO_BINARY_DIR "/test-output");
    QDir().mkpath(dir);
    image.save(dir + QLatin1Char('/') + name + QStringLiteral(".png"), "PNG");
}

QString BuiltProgramFolder() {
    return QStringLiteral(MARIVO_BINARY_DIR "/bin/");
}

QString ProgramFolderWithout(const QStringList &missing) {
    const QString folder = testsupport::MakeTempDir(QStringLiteral("program")) + QLatin1Char('/');
    for (const QString &sub : {QStringLiteral("Sounds"), QStringLiteral("Images"), QStringLiteral("Manual")})
        CopyTree(BuiltProgramFolder() + sub, folder + sub);
    for (const QString &file : missing) QFile::remove(folder + file);
    return folder;
}

TShellScope::TShellScope(const QString &programFolder) : FOldProgDir(qgetenv("MARIVO_PROG_DIR")) {
    qputenv("MARIVO_PROG_DIR", programFolder.toLocal8Bit());
    FOldWait = SetSplashWait([](int) {});
    FOldDisclaimer = TFormMsgDisclaimer::SetPrompter([](TFormMsgDisclaimer &) {
        return int(QDialog::Accepted);
    });
}

TShellScope::~TShellScope() {
    TFormMsgDisclaimer::SetPrompter(std::move(FOldDisclaimer));
    SetSplashWait(std::move(FOldWait));
    if (FOldProgDir.isEmpty())
        qunsetenv("MARIVO_PROG_DIR");
    else
        qputenv("MARIVO_PROG_DIR", FOldProgDir);
}

}  // namespace shelltest
