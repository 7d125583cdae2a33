// The drawing engine objects the environment creates once: the engine with its resource
// folders, the raster tile manager, the background-map tile manager (no tile is fetched:
// the background stays plain) and the chart data cache.
#include "kernel/KvInternal.h"
#include "viewer/RenderRaster.h"

#include "KvLibNav6/KvCharts.h"
#include "KvLibNav6/KvErrorCodes.h"
#include "KvLibNav6/KvGeodesy.h"
#include "KvLibNav6/KvViewer.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <map>

namespace {

class TS3D final : public IS3D {
public:
    int32_t OpenResourceFolder(void *, int32_t, const TStrWRec &folder) override {
        FFolders[++FNext] = kv::ToQString(folder);
        return FNext;
    }
    void CloseResourceFolder(int32_t handle) override { FFolders.erase(handle); }

private:
    std::map<int32_t, QString> FFolders;
    int32_t FNext = 0;
};

class TS3DTileManager final : public IS3DTileManager {
public:
    TS3DTileManager(LoaderProc cb, void *data) : FCallback(cb), FData(data) {}
    void SetWindow(WindowHandle wnd) override { FWindow = wnd; }
    void SetTexts(const TStrWRec &loadError, const TStrWRec &renderError, const TStrWRec &status,
                  const TStrWRec &noColour) override {
        FLoadError = kv::ToQString(loadError);
        FRenderError = kv::ToQString(renderError);
        FStatus = kv::ToQString(status);
        FNoColour = kv::ToQString(noColour);
    }
    void SetTransparent(bool on) override { FTransparent = on; }

private:
    LoaderProc FCallback;
    void *FData;
    WindowHandle FWindow = nullptr;
    QString FLoadError, FRenderError, FStatus, FNoColour;
    bool FTransparent = false;
};

class TS3DOSMTileManager final : public IS3DOSMTileManager {};

// What the cache keeps per raster chart: the file's signature and size, so that a later
// run can tell which charts changed without opening them.
class TS3DChartDataCache final : public IS3DChartDataCache {
public:
    TS3DChartDataCache(const QString &file, LoadProgressProc cb, void *data, NavObject **charts,
                       int32_t count) {
        QJsonArray list;
        for (int32_t i = 0; charts && i < count; ++i) {
            if (cb) cb(data, i, count, 0);
            auto *chart = dynamic_cast<IRasterChart *>(charts[i]);
            if (!chart) continue;
            const QString name = kv::ToQString(*chart->GetFileName());
            const QFileInfo fi(name);
            IGeodeticCalibration *cal = chart->GetGeodeticReference();
            list << QJsonObject{{"file", name},
                                {"size", double(fi.size())},
                                {"modified", fi.lastModified().toMSecsSinceEpoch() / 1000.0},
                                {"width", cal ? cal->GetWidth() : 0},
                                {"height", cal ? cal->GetHeight() : 0}};
        }
        if (cb) cb(data, count, count, 0);
        if (file.isEmpty()) return;
        QDir().mkpath(QFileInfo(file).absolutePath());
        QSaveFile out(file);
        if (out.open(QIODevice::WriteOnly)) {
            out.write(QJsonDocument(QJsonObject{{"version", 1}, {"charts", list}}).toJson(QJsonDocument::Compact));
            out.commit();  // a cache that cannot be written is rebuilt next run
        }
    }
};

}  // namespace

IS3D *S3DCreate(int32_t, const TStrWRec &, int32_t, int32_t, int32_t, bool, IStrW *errorText) {
    kv::SetStrW(errorText, QString());
    return new TS3D;
}

IS3DTileManager *S3DTileManagerCreate(int32_t, int32_t cacheBytes, int32_t, LoaderProc cb, void *data,
                                      int32_t &err) {
    err = KvErr::Ok;
    if (cacheBytes > 0) kv::render::SetRasterTileCacheBytes(cacheBytes);
    return new TS3DTileManager(cb, data);
}

IS3DOSMTileManager *S3DOSMTileManagerCreate(int32_t, int32_t, int32_t &err) {
    err = KvErr::Ok;
    return new TS3DOSMTileManager;
}

IS3DChartDataCache *S3DChartDataCacheCreate(const TStrWRec &file, LoadProgressProc cb, void *data,
                                            NavObject **charts, int32_t count) {
    return new TS3DChartDataCache(kv::ToQString(file), cb, data, charts, count);
}
