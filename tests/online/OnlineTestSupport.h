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
