#include "ScenarioRun.h"

#include "base/files/KvFiles.h"
#include "shell/MarivoFrames.h"
#include "chartview/NavViewerControl.h"
#include "shell/FrmMarivo6Main.h"
#include "shell/KvAppInit.h"
#include "shell/MarivoNavEnv.h"
#include "shell/MarivoUtils.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace acceptance {

namespace {

constexpr int PollMs = 20;

bool MainReady(TFormMarivo6Main &main) {
    return main.isVisible() && main.NavEnv() && main.NavEnv()->State == NavEnvState::Ready;
}

}  // namespace

TScenarioRun::TScenarioRun() {
    FOldPrompter = SetMsgBoxPrompter([this](TMessageForm &form) {
        Messages << form.MessageLabel()->text();
        QPushButton *button = form.Button(Answer);
        const auto &kinds = form.ButtonKinds();
        if (!button && !kinds.empty()) button = form.Button(kinds.front());
        if (!button) return int(mrNone);
        button->click();
        return form.result();
    });
}

TScenarioRun::~TScenarioRun() {
    SetMsgBoxPrompter(std::move(FOldPrompter));
    SetApplicationTerminated(false);
}

void TScenarioRun::WhenReady(const QString &what, std::function<void(TFormMarivo6Main &)> act) {
    When(what, MainReady, std::move(act));
}

void TScenarioRun::When(const QString &what, std::function<bool(TFormMarivo6Main &)> ready,
                        std::function<void(TFormMarivo6Main &)> act, int timeoutMs) {
    FSteps.push_back(TStep{what, std::move(ready), std::move(act), timeoutMs});
}

void TScenarioRun::Close() {
    WhenReady(QStringLiteral("close the window"), [this](TFormMarivo6Main &main) {
        Answer = mbYes;
        main.close();
    });
}

int TScenarioRun::Run(const TStartOptions &options) {
    FNext = 0;
    FWaited = 0;
    QTimer timer;
    timer.setInterval(PollMs);
    QObject::connect(&timer, &QTimer::timeout, [this] { Poll(); });
    timer.start();
    const int result = StartUp(21, 3, 2024, options);
    timer.stop();
    EXPECT_TRUE(Finished()) << "the program ended before step \""
                            << (Finished() ? QString() : FSteps[FNext].What).toStdString() << "\"";
    return result;
}

void TScenarioRun::Poll() {
    // A step that opens a modal dialog runs the loop inside it; the next poll waits for it.
    if (FBusy || Finished()) return;
    TFormMarivo6Main *main = TFormMarivo6Main::Current();
    TStep &step = FSteps[FNext];
    if (!main || !step.Ready(*main)) {
        if ((FWaited += PollMs) < step.TimeoutMs) return;
        ADD_FAILURE() << "never got to step \"" << step.What.toStdString() << "\"";
        FNext = FSteps.size();
        ApplicationTerminate();
        return;
    }
    FWaited = 0;
    ++FNext;
    FBusy = true;
    SCOPED_TRACE(step.What.toStdString());
    step.Act(*main);
    FBusy = false;
}

QAction *UserAction(TFormMarivo6Main &main, const char *name) {
    QAction *a = main.Action(name);
    EXPECT_TRUE(a) << name;
    if (a) EXPECT_TRUE(a->isEnabled()) << name << " is not enabled";
    return a;
}

TNavViewerControl *Chart(TFormMarivo6Main &main) {
    return main.ViewerMain() ? main.ViewerMain()->ViewerControl() : nullptr;
}

bool ChartsDrawn(TFormMarivo6Main &main) {
    TNavViewerControl *chart = Chart(main);
    return chart && chart->isVisible() && DrawnPixels(chart->grab().toImage()) > chart->width() * chart->height() / 4;
}

int DrawnPixels(const QImage &image) {
    if (image.isNull()) return 0;
    const QRgb back = image.pixel(0, 0);
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) != back;
    return n;
}

void Screenshot(QWidget *window, const QString &name) {
    const QString dir = QStringLiteral(MARIVO_BINARY_DIR "/acceptance");
    QDir().mkpath(dir);
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    const QString suffix = platform == QLatin1String("offscreen") ? QString() : QStringLiteral("-") + platform;
    EXPECT_TRUE(window->grab().save(dir + QLatin1Char('/') + name + suffix + QStringLiteral(".png"))) << name.toStdString();
}

}  // namespace acceptance
