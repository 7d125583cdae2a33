// Factories of the online clients, kept apart from the other online wrappers so that code
// which only reads client objects does not link the clients themselves.
#include "base/charts/KvOnlineServices.h"

#include "base/kvlib/KvStrings.h"

IMRCChartCheck *CreateMRCChartCheck(INavMessageDispatcher *dispatcher, const QString &edition,
                                    int32_t packedProgramVersion) {
    return MRCChartCheckCreate(dispatcher, StrW(edition), packedProgramVersion);
}

IS57ChartCheck *CreateS57ChartCheck(INavMessageDispatcher *dispatcher, const QString &text,
                                    int32_t packedVersion) {
    return S57ChartCheckCreate(dispatcher, StrW(text), packedVersion);
}

IUserDataAPI *CreateUserDataAPI(INavMessageDispatcher *dispatcher, IMRCChartCheck *onlineService) {
    return UserDataAPICreate(dispatcher, onlineService);
}
