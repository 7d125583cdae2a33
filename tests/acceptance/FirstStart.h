// A machine where the program never ran: an empty settings store, a fresh copy of the demo
// data, the program folder of the build, the machine-wide settings the run script names, and
// a documents folder of its own (where installed chart sets go by default).
#pragma once

#include "tests/shell/ShellTestSupport.h"
#include "TestSupport.h"
#include "shell/FrmLanguage.h"
#include "shell/FrmMsgDisclaimer.h"
#include "shell/MarivoUtils.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>

namespace acceptance {

class TFirstStart {
public:
    explicit TFirstStart(const QString &name) : FOldConfig(qgetenv("XDG_CONFIG_HOME")) {
        const QString home = testsupport::MakeTempDir(name);
        const QString config = home + QStringLiteral("/config");
        qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
        Documents = home + QStringLiteral("/Documents");
        QDir().mkpath(Documents);
        // The desktop's folders are named in the configuration folder.
        QFile dirs(config + QStringLiteral("/user-dirs.dirs"));
        if (QDir().mkpath(config) && dirs.open(QIODevice::WriteOnly))
            dirs.write("XDG_DOCUMENTS_DIR=\"" + Documents.toLocal8Bit() + "\"\n");
        qputenv("KORVANE_MACHINE_REGISTRY", QByteArray(MARIVO_BINARY_DIR "/machine-registry.ini"));
        Options.DataFolder = shelltest::FreshDemoData(name);
        // The disclaimer is read and accepted with its own button.
        FOldDisclaimer = TFormMsgDisclaimer::SetPrompter([this](TFormMsgDisclaimer &form) {
            ++Disclaimers;
            form.ButtonOk->click();
            return form.result();
        });
    }
    ~TFirstStart() {
        TFormMsgDisclaimer::SetPrompter(std::move(FOldDisclaimer));
        qputenv("XDG_CONFIG_HOME", FOldConfig);
    }
    TStartOptions Options;
    QString Documents;
    int Disclaimers = 0;

private:
    QByteArray FOldConfig;
    shelltest::TShellScope FShell;
    TFormMsgDisclaimer::TPrompter FOldDisclaimer;
};

// The user picks the language by the name the list shows and clicks OK.
inline TFormLanguage::TPrompter PickLanguage(const QString &shown, int *asked) {
    return [shown, asked](TFormLanguage &form) {
        ++*asked;
        const auto items = form.ListView->findItems(shown, Qt::MatchExactly);
        EXPECT_EQ(items.size(), 1) << shown.toStdString();
        if (!items.isEmpty()) form.ListView->setCurrentItem(items.front());
        form.ButtonOK->click();
        return form.result();
    };
}

}  // namespace acceptance
