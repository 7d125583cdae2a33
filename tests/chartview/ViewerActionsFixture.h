// The chart-viewer frame over an environment whose notification centre is the real one with
// a record of every call, and helpers to open the context menu and find its items.
#pragma once

#include "ViewerFrameFixture.h"

#include <KvLibNav6/KvNavEnv.h>

#include <QAction>
#include <QMenu>

class TCentreLog final : public INavNotificationCenter {
public:
    struct TCall {
        QString What;  // "show", "message", "offset", "withdraw"
        int32_t Kind = 0;
        QString Text;
        float Metres = 0.0f;
    };
    explicit TCentreLog(std::vector<TCall> &log) : FReal(NavNotificationCenterCreate()), FLog(log) {}
    ~TCentreLog() override { ObjectDelete(FReal); }
    void Show(int32_t kind, const TStrWRec &text) override {
        FLog.push_back({QStringLiteral("show"), kind, testsupport::Q(&text)});
        FReal->Show(kind, text);
    }
    void ShowMessage(const TStrWRec &text, int32_t seconds, bool flag, int32_t value) override {
        FLog.push_back({QStringLiteral("message"), 8, testsupport::Q(&text)});
        FReal->ShowMessage(text, seconds, flag, value);
    }
    void ShowWaterLevelOffset(float metres) override {
        FLog.push_back({QStringLiteral("offset"), 18, {}, metres});
        FReal->ShowWaterLevelOffset(metres);
    }
    void Tick(const TLoopRecord &rec) override { FReal->Tick(rec); }
    bool GetShowAlarms() override { return FReal->GetShowAlarms(); }
    bool GetShowOthers() override { return FReal->GetShowOthers(); }
    void SetResources(INavEnv *env, IBmp32 *off, IBmp32 *on, INavPredictedTime *time) override {
        FReal->SetResources(env, off, on, time);
    }
    void Withdraw(int32_t kind) override {
        FLog.push_back({QStringLiteral("withdraw"), kind});
        FReal->Withdraw(kind);
    }
    void SetExploreMode(bool explore) override { FReal->SetExploreMode(explore); }
    void SetShowAlarms(bool show) override { FReal->SetShowAlarms(show); }
    void SetShowOthers(bool show) override { FReal->SetShowOthers(show); }

private:
    INavNotificationCenter *FReal;
    std::vector<TCall> &FLog;
};

// Every notification the dispatcher delivers, in order.
struct TDispatchLog {
    std::vector<TNavNotification> Items;
    static void Receive(void *data, TNavNotification *n) {
        static_cast<TDispatchLog *>(data)->Items.push_back(*n);
    }
    int Count(int32_t code) const {
        int n = 0;
        for (const auto &item : Items) n += item.Code == code;
        return n;
    }
};

class ViewerActionsFixture : public ViewerFrameFixture {
protected:
    void SetUp() override {
        NavEnvFixture::SetUp();
        TNavEnvSeams seams;
        seams.Factories.NavNotificationCenterCreate = [this]() -> INavNotificationCenter * {
            return new TCentreLog(Centre);
        };
        Env = Make(std::move(seams));
        ASSERT_TRUE(Env);
        Env->CoreEnv->GetDispatcher()->Subscribe(TDispatchLog::Receive, &Dispatched);
    }
    void TearDown() override {
        if (Env) Env->CoreEnv->GetDispatcher()->Unsubscribe(TDispatchLog::Receive, &Dispatched);
        ViewerFrameFixture::TearDown();
    }
    std::vector<QString> Messages8() const {
        std::vector<QString> texts;
        for (const auto &c : Centre)
            if (c.What == QStringLiteral("message")) texts.push_back(c.Text);
        return texts;
    }
    // A right-click at the point; the menu the frame pops up.
    QMenu *RightClick(QPoint at) {
        using namespace chartviewtest;
        TNavViewerControl &v = Viewer();
        SendMouse(&v, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        SendMouse(&v, QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
        SendMouse(&v, QEvent::MouseButtonRelease, at, Qt::RightButton, Qt::NoButton);
        return Frame->PopupMenu;
    }
    static QAction *FindAction(QMenu *menu, const QString &text) {
        for (QAction *a : menu->actions()) {
            if (a->text() == text) return a;
            if (a->menu())
                if (QAction *inner = FindAction(a->menu(), text)) return inner;
        }
        return nullptr;
    }
    static QStringList Texts(QMenu *menu) {
        QStringList texts;
        for (QAction *a : menu->actions()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return texts;
    }

    std::vector<TCentreLog::TCall> Centre;
    TDispatchLog Dispatched;
};
