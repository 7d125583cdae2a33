// The frame's display settings: every value is handed to the viewer and written under the
// frame's key at once.
#include "chartview/FraViewer.h"

#include "base/registry/KvRegistry.h"
#include "shell/MarivoNavEnv.h"

#include <QToolBar>

namespace {

constexpr int32_t Root = AppRegRoot::Product;

struct TFlagName {
    uint32_t Bit;
    const char16_t *Name;
};

const TFlagName GPSFlagNames[] = {
    {0x2, u"GPSIMOCircles"},         {0x4, u"GPSDistanceCircles"},
    {0x8, u"GPSAISCPARangeCircle"},  {0x10, u"GPSScaledOutlines"},
    {0x20, u"GPSVectors"},           {0x40, u"GPSVectorsWind"},
    {0x80, u"GPSVectorsLaylines"},   {0x100, u"GPSVectorsRelWindAsVane"},
    {0x200, u"GPSVectorsCurrent"},   {0x400, u"GPSPredictedTrack"},
    {0x1000, u"GPSTrainingCursor"},  {0x4000, u"GPSCourseLine"},
};

void WriteBool(const QString &key, const char16_t *name, bool value) {
    int32_t err = 0;
    RegWriteBool(GetAppReg(), Root, key, RegName(QString::fromUtf16(name)), value, err);
}

}  // namespace

uint32_t TFrameViewer::GetGPSFlags() {
    return FViewer->GetGPSFlags() | NavViewerGPSFlag::Cursor;
}

void TFrameViewer::SetGPSFlags(uint32_t flags) {
    flags |= NavViewerGPSFlag::Cursor;
    FViewer->SetGPSFlags(flags);
    const QString key = objectName();
    for (const TFlagName &f : GPSFlagNames) WriteBool(key, f.Name, (flags & f.Bit) != 0);
    UpdateActions();
}

bool TFrameViewer::GetShowChartBounds() {
    return FViewer->GetShowChartBounds();
}

void TFrameViewer::SetShowChartBounds(bool value) {
    WriteBool(objectName(), u"ShowChartBounds", value);
    FViewer->SetShowChartBounds(value);
    RaiseStateChanged();
}

void TFrameViewer::SetToolbarVisible(bool value) {
    // The collapse strip that would let the user bring the toolbar back is not part of this
    // program, so the toolbar is never hidden through here.
    (void)value;
}
