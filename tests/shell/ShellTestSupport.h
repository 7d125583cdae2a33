// Helpers of the shell tests: a fresh copy of the demo data set, the program folder with
// the sounds and pictures it ships, and the answers tests give to the start-up dialogs.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QImage;
class QWidget;
class TFormMsgDisclaimer;

namespace shelltest {

// A fresh copy of the demo data set (made once per test program by the demo generator);
// the test may change it at will. Empty when the set could not be written.
QString FreshDemoData(const QString &name);
// The program folder the build fills (Sounds/, Images/ beside the program).
QString BuiltProgramFolder();
// A program folder of the test's own: a copy of the built one, minus the files named.
QString ProgramFolderWithout(const QStringList &missing);

// Saves what the widget shows as <build>/test-output/<name>.png, for a look by eye.
void SaveScreenshot(QWidget *widget, const QString &name);
void SaveScreenshot(const QImage &image, const QString &name);

// While alive the program folder is the one given, the splash never waits and the
// disclaimer is answered with OK at once; the previous state comes back afterwards.
class TShellScope {
public:
    explicit TShellScope(const QString &programFolder = BuiltProgramFolder());
    ~TShellScope();

private:
    QByteArray FOldProgDir;
    std::function<void(int)> FOldWait;
    std::function<int(TFormMsgDisclaimer &)> FOldDisclaimer;
};

}  // namespace shelltest
