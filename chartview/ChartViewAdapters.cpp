#include "chartview/ChartViewAdapters.h"

#include "base/kvlib/KvLib.h"
#include "base/kvlib/KvStrings.h"

IS3DChartDataCache *CreateChartDataCache(const QString &cacheFile, NavObject **charts,
                                         int32_t count, LoadProgressProc progress,
                                         void *progressData) {
    return S3DChartDataCacheCreate(StrW(cacheFile), progress, progressData, charts, count);
}

IS3D *CreateS3DEngine(int32_t flags, const QString &name, int32_t a, int32_t b, int32_t c,
                      bool d, QString &errorText) {
    TStrWOut error;
    TNavPtr<IS3D> engine(S3DCreate(flags, StrW(name), a, b, c, d, error.get()));
    errorText = error.Text();
    return errorText.isEmpty() ? engine.release() : nullptr;
}

int32_t S3DOpenResourceFolder(IS3D *engine, void *instance, int32_t flag, const QString &folder) {
    return engine->OpenResourceFolder(instance, flag, StrW(folder));
}

void NavEnvGetWorkFolder(INavEnv *env, QString &folder) {
    const TStrWRec *text = env->GetWorkFolder();
    folder = StrWToWide(text);
}

void NotificationCenterShow(INavNotificationCenter *centre, int32_t kind, const QString &text) {
    centre->Show(kind, StrW(text));
}

void NotificationCenterShowMessage(INavNotificationCenter *centre, const QString &text,
                                   int32_t seconds, bool flag, int32_t value) {
    centre->ShowMessage(StrW(text), seconds, flag, value);
}

void ObjectUpdateSetFolder(INavObjectUpdateManager *manager, int32_t kind, const QString &folder) {
    manager->SetFolder(kind, StrW(folder));
}

void TileManagerSetTexts(IS3DTileManager *manager, const QString &loadError,
                         const QString &renderError, const QString &status,
                         const QString &noColour) {
    manager->SetTexts(StrW(loadError), StrW(renderError), StrW(status), StrW(noColour));
}
