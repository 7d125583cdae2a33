#include "shell/MarivoFramesInstruments.h"

#include "chartview/FraNMEAMonitor.h"

#include <QDockWidget>
#include <QPointer>

namespace {

class TNMEAMonitorAdapter : public IFrameNMEAMonitor {
public:
    TNMEAMonitorAdapter(QWidget *host, TMarivoNavEnv &env)
        : FFrame(new TFrameNMEAMonitor(qobject_cast<QDockWidget *>(host), env)) {}
    ~TNMEAMonitorAdapter() override { delete FFrame.data(); }
    QWidget *Widget() override { return FFrame; }
    void UpdateTexts() override {
        if (FFrame) FFrame->UpdateTexts();
    }
    void OnTick(const TLoopRecord &rec) override {
        if (FFrame) FFrame->Tick(rec);
    }
    void UpdatePortLists() override {
        if (FFrame) FFrame->UpdatePortLists();
    }

private:
    QPointer<TFrameNMEAMonitor> FFrame;  // the dock panel's client; deleted with the adapter
};

}  // namespace

std::unique_ptr<IFrameNMEAMonitor> MakeNMEAMonitorFrame(QWidget *host, TMarivoNavEnv &env) {
    return std::make_unique<TNMEAMonitorAdapter>(host, env);
}
