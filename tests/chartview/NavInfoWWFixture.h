// The waterway-ahead block in a bare host frame over the running navigation environment on
// the demo data: the host panel takes the block's height as the navigation panel would.
#pragma once

#include "chartview/FraNavInfoWW.h"
#include "chartview/FraNavInfoWWDirection.h"
#include "chartview/FraNavInfoWWMarina.h"
#include "chartview/FraNavInfoWWRoutePoint.h"
#include "chartview/FraNavInfoWWStruct.h"
#include "tests/shell/NavEnvRouteSupport.h"

#include <QVBoxLayout>
#include <QWidget>

class NavInfoWWFixture : public routetest::NavEnvRoutes {
protected:
    void SetUp() override {
        NavEnvRoutes::SetUp();
        Host = std::make_unique<QWidget>();
        Host->resize(420, 900);
        auto *layout = new QVBoxLayout(Host.get());
        layout->setContentsMargins(0, 0, 0, 0);
        Panel = new QWidget(Host.get());
        layout->addWidget(Panel);
        layout->addStretch(1);
    }
    void TearDown() override {
        Host.reset();
        NavEnvRoutes::TearDown();
    }
    TFrameNavInfoWW &MakeBlock() {
        Block = new TFrameNavInfoWW(Panel, *Env);
        Block->OnHeightChanged = [this](TFrameNavInfoWW *) { ++HeightChanges; };
        Host->show();
        return *Block;
    }
    // The slots that hold a line showing something, from the bottom (nearest) up.
    std::vector<TFrameNavInfoWWLine *> ShownLines() const {
        std::vector<TFrameNavInfoWWLine *> lines;
        for (int slot = TFrameNavInfoWW::SlotCount; slot >= 1; --slot)
            if (TFrameNavInfoWWLine *l = Block->Line(slot); l && l->ShowsSomething()) lines.push_back(l);
        return lines;
    }

    std::unique_ptr<QWidget> Host;
    QWidget *Panel = nullptr;
    TFrameNavInfoWW *Block = nullptr;
    int HeightChanges = 0;
};
