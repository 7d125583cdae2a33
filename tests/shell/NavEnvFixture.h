// The navigation environment on a fresh copy of the demo data with the real core library:
// a private settings store, the built program folder, message boxes answered and recorded.
#pragma once

#include "ShellTestSupport.h"
#include "TestSupport.h"
#include "base/dialogs/KvMsgBox.h"
#include "shell/MarivoNavEnv.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QString>
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
