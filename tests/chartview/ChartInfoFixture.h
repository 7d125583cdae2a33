// The chart windows' tests: the viewer-frame fixture with every demo chart and the NOAA and
// S-58 test cells selected for viewer 0, as the chart manager dialog would leave them.
#pragma once

#include "ViewerFrameFixture.h"

#include "base/charts/KvCharts.h"
#include "TestSupport.h"

class ChartInfoFixture : public ViewerFrameFixture {
protected:
    void SetUp() override {
        ViewerFrameFixture::SetUp();
        IChartManager *m = Env->ChartManager;
        ChartManagerAddS57Folder(m, testsupport::TestDataPath("charts/s57"), true, Env->S57Registrar,
                                 Env->S52Library);
        int32_t err = 0;
        m->LoadS57ChartInfo(nullptr, 0, 0, 1, err);
        ASSERT_EQ(err, 0);
        for (int32_t i = 0; i < m->GetChartCount(); ++i) m->GetChart(i)->SetVisibleInViewer(0, true);
        std::unique_ptr<ISortedGUIDArray, void (*)(NavObject *)> guids(SortedGUIDArrayCreate(), ObjectDelete);
        for (int32_t i = 0; i < m->GetCatalogueCount(); ++i)
            if (IRasterChart *r = m->GetCatalogueEntry(i)->GetCatalogueObject()->GetRasterChart())
                guids->Add(*r->GetInfo()->GetGUID());
        m->SetSelectedCharts(0, guids.get());
    }
    // The demo BSB chart (the only raster chart of the demo data).
    TGUID DemoChart() {
        IChartManager *m = Env->ChartManager;
        for (int32_t i = 0; i < m->GetCatalogueCount(); ++i)
            if (IRasterChart *r = m->GetCatalogueEntry(i)->GetCatalogueObject()->GetRasterChart())
                return *r->GetInfo()->GetGUID();
        ADD_FAILURE() << "the demo catalogue has no raster chart";
        return {};
    }
};
