// What the tests of the online pages and wizards share: message boxes answered and
// recorded, and a fresh settings store.
#pragma once

#include "base/dialogs/KvMsgBox.h"

#include <QLabel>
#include <QStringList>
#include <deque>

namespace onlinetest {

// While alive, every message box is recorded (its text) and answered: from the queue of
// answers first, else with the default.
class TMessages {
public:
    explicit TMessages(int defaultAnswer = mrOk) : FDefault(defaultAnswer) {
        FOld = SetMsgBoxPrompter([this](TMessageForm &form) {
            Texts << form.MessageLabel()->text();
            Captions << form.windowTitle();
            if (FAnswers.empty()) return FDefault;
            const int answer = FAnswers.front();
            FAnswers.pop_front();
            return answer;
        });
    }
    ~TMessages() { SetMsgBoxPrompter(std::move(FOld)); }
    void Answer(int result) { FAnswers.push_back(result); }

    QStringList Texts;
    QStringList Captions;

private:
    int FDefault;
    std::deque<int> FAnswers;
    TMsgBoxPrompter FOld;
};

}  // namespace onlinetest

#include "ServiceStubProcess.h"
#include "base/registry/KvRegistry.h"
#include "shell/MarivoNavEnv.h"
#include "tests/shell/NavEnvFixture.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvNavEnv.h>
#include <KvLibNav6/KvWebServices.h>

#include <QAbstractItemModel>
#include <QTest>
#include <vector>

namespace onlinetest {

// Checks exactly the rows named (by their text), at any level of the model.
inline void CheckRows(QAbstractItemModel *model, const QStringList &names, const QModelIndex &parent = {}) {
    for (int r = 0; r < model->rowCount(parent); ++r) {
        const QModelIndex index = model->index(r, 0, parent);
        if ((model->flags(index) & Qt::ItemIsUserCheckable) && names.contains(index.data().toString()))
            model->setData(index, Qt::Checked, Qt::CheckStateRole);
        CheckRows(model, names, index);
    }
}

// The account of the stand-in's fixture.
inline const QString StubEmail = QStringLiteral("zeiler@example.nl");
inline const QString StubPassword = QStringLiteral("a&b = \u00E9");

// Starts the services stand-in offering the demo chart of the data folder and the shared
// test chart, and makes it the services' address in the settings store.
inline bool StartStubWithCharts(testsupport::TServiceStubProcess &stub, const QString &data) {
    qputenv("MARIVO_STUB_FILES", (data + QStringLiteral("/Charts/BSB:") +
                                  testsupport::TestDataPath(QStringLiteral("charts/bsb")))
                                     .toLocal8Bit());
    if (!stub.Start()) return false;
    int32_t err = 0;
    RegWriteString(GetAppReg(), AppRegRoot::Product, QStringLiteral("Services"), RegName(u"BaseURL"),
                   stub.BaseUrl(), err);
    return err == 0;
}

// The navigation environment on the demo data, talking to the services stand-in, which
// offers the demo chart and the shared test chart.
class OnlineEnvFixture : public NavEnvFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        ASSERT_TRUE(StartStubWithCharts(FStub, FData));
        Env = Make();
        ASSERT_TRUE(Env && Env->OnlineService && Env->ChartManager);
        Env->CoreEnv->GetDispatcher()->Subscribe(&OnlineEnvFixture::Record, this);
    }
    void TearDown() override {
        if (Env) Env->CoreEnv->GetDispatcher()->Unsubscribe(&OnlineEnvFixture::Record, this);
        Env.reset();
        FStub.Stop();
        qunsetenv("MARIVO_STUB_FILES");
        NavEnvFixture::TearDown();
    }
    static void Record(void *data, TNavNotification *n) {
        auto *self = static_cast<OnlineEnvFixture *>(data);
        self->Notifications.push_back(*n);
        if (self->OnNotification) self->OnNotification(*n);
    }
    // Waits for the next notification of code (and kind in P2 unless -1).
    bool WaitFor(int32_t code, intptr_t kind = -1, int timeoutMs = 30000) {
        const size_t from = Notifications.size();
        return QTest::qWaitFor(
            [&] {
                for (size_t i = from; i < Notifications.size(); ++i)
                    if (Notifications[i].Code == code && (kind < 0 || Notifications[i].P2 == kind)) return true;
                return false;
            },
            timeoutMs);
    }

    testsupport::TServiceStubProcess FStub;
    std::unique_ptr<TMarivoNavEnv> Env;
    std::vector<TNavNotification> Notifications;
    std::function<void(const TNavNotification &)> OnNotification;
};

}  // namespace onlinetest
