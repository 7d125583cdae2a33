// The navigation-information panel in a dock of a bare main window over the running
// navigation environment on the demo data.
#pragma once

#include "chartview/FraNavInfo.h"
#include "chartview/FraNavInfoGPSStatus.h"
#include "chartview/FraNavInfoRoute.h"
#include "chartview/FraNavInfoRouteOpen.h"
#include "tests/shell/NavEnvRouteSupport.h"

#include "base/registry/KvRegistry.h"

#include <QDockWidget>
#include <QMainWindow>

class NavInfoFixture : public routetest::NavEnvRoutes {
protected:
    void SetUp() override {
        NavEnvRoutes::SetUp();
        Window = std::make_unique<QMainWindow>();
        Window->resize(900, 1000);
        Window->setCentralWidget(new QWidget(Window.get()));
        Dock = new QDockWidget(Window.get());
        Dock->setObjectName(QStringLiteral("DockablePanelNavInfo"));
        Window->addDockWidget(Qt::RightDockWidgetArea, Dock);
    }
    void TearDown() override {
        Window.reset();
        NavEnvRoutes::TearDown();
    }
    TFrameNavInfo &MakePanel() {
        Panel = new TFrameNavInfo(Dock, *Env);
        Dock->setWidget(Panel);
        Window->show();
        return *Panel;
    }
    static void StorePanelGPS(int value) {
        int32_t error = 0;
        RegWriteInteger(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\NavInfo"), RegName(u"PanelGPS"),
                        value, error);
    }
    static int StoredPanelGPS() {
        return RegReadIntegerDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\NavInfo"),
                                 RegName(u"PanelGPS"), -1);
    }

    std::unique_ptr<QMainWindow> Window;
    QDockWidget *Dock = nullptr;
    TFrameNavInfo *Panel = nullptr;
};
