// The navigation environment on a fresh copy of the demo data with the real core library:
// a private settings store, the built program folder, message boxes answered and recorded.
#pragma once

#include "CoreTestSupport.h"
#include "ShellTestSupport.h"
#include "TestSupport.h"
#include "base/dialogs/KvMsgBox.h"
#include "shell/MarivoNavEnv.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QString>
#include <KvLibNav6/KvNavEnv.h>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

class NavEnvFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        FData = shelltest::FreshDemoData(QStringLiteral("navenv"));
        ASSERT_FALSE(FData.isEmpty()) << "the demo data set could not be written";
        FOldPrompter = SetMsgBoxPrompter([this](TMessageForm &form) {
            Messages << form.MessageLabel()->text();
            return Answer;
        });
    }
    void TearDown() override { SetMsgBoxPrompter(std::move(FOldPrompter)); }

    std::unique_ptr<TMarivoNavEnv> Make(TNavEnvSeams seams = {}, TNavEnvEvents events = {}) {
        bool failed = true;
        if (!seams.KeepAwake) seams.KeepAwake = [this](bool on) { KeepAwakeCalls.push_back(on); };
        auto env = std::make_unique<TMarivoNavEnv>(failed, nullptr, FData, FData, 1,
                                                   std::move(events), std::move(seams));
        EXPECT_FALSE(failed);
        return env;
    }

    testsupport::TPrivateSettingsStore FStore;
    shelltest::TShellScope FShell;
    QString FData;
    QStringList Messages;  // texts of the message boxes shown
    int Answer = mrOk;     // what every message box answers
    std::vector<bool> KeepAwakeCalls;

private:
    TMsgBoxPrompter FOldPrompter;
};

// The real notification centre with a record of what it was asked to show.
class TRecordingCentre final : public INavNotificationCenter {
public:
    struct TShown {
        int32_t Kind;  // 8 for ShowMessage
        QString Text;
        int32_t Seconds;
        bool Flag;
    };
    explicit TRecordingCentre(std::vector<TShown> &log)
        : FReal(NavNotificationCenterCreate()), FLog(log) {}
    ~TRecordingCentre() override { ObjectDelete(FReal); }
    void Show(int32_t kind, const TStrWRec &text) override {
        FLog.push_back({kind, testsupport::Q(&text), 0, false});
        FReal->Show(kind, text);
    }
    void ShowMessage(const TStrWRec &text, int32_t seconds, bool flag, int32_t value) override {
        FLog.push_back({NavUserNotify::Message, testsupport::Q(&text), seconds, flag});
        FReal->ShowMessage(text, seconds, flag, value);
    }
    void ShowWaterLevelOffset(float metres) override { FReal->ShowWaterLevelOffset(metres); }
    void Tick(const TLoopRecord &rec) override { FReal->Tick(rec); }
    bool GetShowAlarms() override { return FReal->GetShowAlarms(); }
    bool GetShowOthers() override { return FReal->GetShowOthers(); }
    void SetResources(INavEnv *env, IBmp32 *off, IBmp32 *on, INavPredictedTime *time) override {
        FReal->SetResources(env, off, on, time);
    }
    void Withdraw(int32_t kind) override { FReal->Withdraw(kind); }
    void SetExploreMode(bool explore) override { FReal->SetExploreMode(explore); }
    void SetShowAlarms(bool show) override { FReal->SetShowAlarms(show); }
    void SetShowOthers(bool show) override { FReal->SetShowOthers(show); }

private:
    INavNotificationCenter *FReal;
    std::vector<TShown> &FLog;
};

// Wraps a factory of the table so that each call is recorded (with what the splash shows
// at that moment) before the real one runs.
class TFactoryLog {
public:
    struct TCall {
        std::string Name;
        QString Splash;
    };
    template <class Sig>
    void Wrap(std::function<Sig> &factory, const char *name) {
        auto real = factory;
        factory = [this, real, name](auto &&...args) -> decltype(auto) {
            Calls.push_back({name, CurrentSplashText()});
            return real(std::forward<decltype(args)>(args)...);
        };
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const TCall &c : Calls) names.push_back(c.Name);
        return names;
    }
    QString SplashAt(const std::string &name) const {
        for (const TCall &c : Calls)
            if (c.Name == name) return c.Splash;
        return QStringLiteral("(not called)");
    }
    std::vector<TCall> Calls;

private:
    static QString CurrentSplashText();
};

// Every factory of the table wrapped, in the order the table lists them.
void WrapAllFactories(TNavEnvFactories &f, TFactoryLog &log);
