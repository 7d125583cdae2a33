// gmock fakes of the chart engine's and the online clients' objects, for the wrappers and
// the settings store. Texts handed out by the fakes live in a TTexts pool owned by the test.
#pragma once

#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvWebServices.h>

#include <gmock/gmock.h>

#include <QString>
#include <deque>
#include <string>

namespace chartfakes {

// Keeps the characters of records returned by fakes alive for the test.
class TTexts {
public:
    const TStrWRec *Rec(const QString &text) {
        FTexts.push_back(text.toStdU16String());
        FRecs.push_back(TStrWRec{int32_t(FTexts.back().size()), FTexts.back().c_str()});
        return &FRecs.back();
    }

private:
    std::deque<std::u16string> FTexts;
    std::deque<TStrWRec> FRecs;
};

inline QString ToQ(const TStrWRec &rec) { return QString::fromUtf16(rec.Text, rec.Length); }

class MockChartManager : public IChartManager {
public:
    MOCK_METHOD(void, AddS57Folder, (const TStrWRec &, bool, IS57RegistrarManager *, IS52PresentationLib *), (override));
    MOCK_METHOD(int32_t, GetProblemCount, (), (override));
    MOCK_METHOD(bool, GetProblem, (int32_t, IStrW *, IStrW *), (override));
    MOCK_METHOD(void, SetViewerChartSet, (int32_t, ISortedGUIDArray *), (override));
    MOCK_METHOD(bool, FindChart, (const TStrWRec &, int32_t &), (override));
    MOCK_METHOD(bool, HasS57Folder, (const TStrWRec &, int32_t &), (override));
    MOCK_METHOD(int32_t, GetCatalogueCount, (), (override));
    MOCK_METHOD(IChartCatalogueEntry *, GetCatalogueEntry, (int32_t), (override));
    MOCK_METHOD(int32_t, GetChartCount, (), (override));
    MOCK_METHOD(IChart *, GetChart, (int32_t), (override));
    MOCK_METHOD(void, GetS57Folder, (int32_t, IStrW *, bool &, IStrW *, bool &), (override));
    MOCK_METHOD(void, GetS57FolderInfo, (int32_t, IStrW *, IStrW *, IStrW *), (override));
    MOCK_METHOD(void, GetSelectedCharts, (ISortedGUIDArray *, int32_t), (override));
    MOCK_METHOD(bool, LoadS57ChartInfo, (TProgressEx *, int32_t, int32_t, int32_t, int32_t &), (override));
    MOCK_METHOD(void, CommitSelection, (), (override));
    MOCK_METHOD(void, RemoveS57Folder, (const TStrWRec &), (override));
    MOCK_METHOD(void, SaveS57BaseData, (const TStrWRec &, int32_t &), (override));
    MOCK_METHOD(void, RegisterViewer, (int32_t), (override));
    MOCK_METHOD(void, UnregisterViewer, (int32_t), (override));
    MOCK_METHOD(int32_t, GetProductCount, (), (override));
    MOCK_METHOD(IChartProduct *, GetProduct, (int32_t), (override));
    MOCK_METHOD(bool, FindChartByGUID, (const TGUID &, int32_t &), (override));
    MOCK_METHOD(int32_t, GetRasterChartCount, (), (override));
    MOCK_METHOD(int32_t, GetS57FolderCount, (), (override));
    MOCK_METHOD(void, DeselectCharts, (ISortedGUIDArray *, int32_t), (override));
    MOCK_METHOD(void, SetSelectedCharts, (int32_t, ISortedGUIDArray *), (override));
    MOCK_METHOD(void, SetNewlySelectedCharts, (int32_t, ISortedGUIDArray *), (override));
    MOCK_METHOD(void, InstallChartSet, (IMRCChartSetRecord *, const TStrWRec &, int32_t &), (override));
    MOCK_METHOD(void, RemoveChartSet, (IMRCChartSetRecord *), (override));
};

class MockChartProduct : public IChartProduct {
public:
    MOCK_METHOD(IChartProductInfo *, GetInfo, (), (override));
    MOCK_METHOD(int32_t, GetChartSetCount, (), (override));
    MOCK_METHOD(IChartSet *, GetChartSet, (int32_t), (override));
};

class MockChartProductInfo : public IChartProductInfo {
public:
    MOCK_METHOD(uint32_t, GetProductNumber, (), (override));
    MOCK_METHOD(const TStrWRec *, GetTitle, (), (override));
    MOCK_METHOD(const TStrWRec *, GetCode, (), (override));
};

class MockChartSet : public IChartSet {
public:
    MOCK_METHOD(void, ApplySelection, (), (override));
    MOCK_METHOD(bool, IsUsable, (), (override));
    MOCK_METHOD(int32_t, GetEntryCount, (), (override));
    MOCK_METHOD(IChartCatalogueEntry *, GetEntry, (int32_t), (override));
    MOCK_METHOD(IChartSetInfo *, GetInfo, (), (override));
    MOCK_METHOD(int32_t, GetColor, (), (override));
    MOCK_METHOD(bool, GetEnabled, (), (override));
    MOCK_METHOD(void, SetColor, (int32_t), (override));
    MOCK_METHOD(void, SetEnabled, (bool), (override));
    MOCK_METHOD(bool, IsActive, (), (override));
};

class MockChartSetInfo : public IChartSetInfo {
public:
    MOCK_METHOD(int32_t, GetDataFileCount, (), (override));
    MOCK_METHOD(IChartDataFile *, GetDataFile, (int32_t), (override));
    MOCK_METHOD(int32_t, GetKind, (), (override));
    MOCK_METHOD(const TStrWRec *, GetTitle, (), (override));
    MOCK_METHOD(const TStrWRec *, GetCode, (), (override));
    MOCK_METHOD(const TStrWRec *, GetFolder, (), (override));
    MOCK_METHOD(int32_t, GetChartSetNumber, (), (override));
    MOCK_METHOD(int32_t, GetChartCount, (), (override));
    MOCK_METHOD(bool, IsOwnInstallation, (), (override));
};

class MockChart : public IChart {
public:
    MOCK_METHOD(IS57Object *, GetPickObject, (), (override));
    MOCK_METHOD(bool, IsHiddenInManager, (), (override));
    MOCK_METHOD(const TStrWRec *, GetEdition, (), (override));
    MOCK_METHOD(bool, IsVisibleIn, (uint32_t), (override));
    MOCK_METHOD(int32_t, GetVisibility, (), (override));
    MOCK_METHOD(const TStrWRec *, GetFileName, (), (override));
    MOCK_METHOD(const TStrWRec *, GetFolder, (), (override));
    MOCK_METHOD(const TStrWRec *, GetProductEdition, (), (override));
    MOCK_METHOD(int32_t, GetScale, (), (override));
    MOCK_METHOD(TDateTime, GetIssueDate, (), (override));
    MOCK_METHOD(const TGUID *, GetGUID, (), (override));
    MOCK_METHOD(void, SetVisibleInViewer, (int32_t, bool), (override));
    MOCK_METHOD(bool, IsIENC, (), (override));
    MOCK_METHOD(bool, IsBENC, (), (override));
    MOCK_METHOD(int32_t, GetSoundingDatum, (), (override));
    MOCK_METHOD(int32_t, GetVerticalDatum, (), (override));
    MOCK_METHOD(int32_t, GetNavigationalPurpose, (), (override));
    MOCK_METHOD(IS57ChartSettings *, GetSettings, (), (override));
};

class MockS52PresentationLib : public IS52PresentationLib {
public:
    MOCK_METHOD(int32_t, GetBoundaryStyle, (), (override));
    MOCK_METHOD(bool, GetCheckFeatureTime, (), (override));
    MOCK_METHOD(float, GetDepthDeep, (), (override));
    MOCK_METHOD(float, GetDepthSafe, (), (override));
    MOCK_METHOD(float, GetDepthShallow, (), (override));
    MOCK_METHOD(int32_t, GetDisplayCategory, (int32_t), (override));
    MOCK_METHOD(uint32_t, GetDisplayFlags, (int32_t), (override));
    MOCK_METHOD(int32_t, GetMaxBuoyScamin, (), (override));
    MOCK_METHOD(int32_t, GetSymbolStyle, (), (override));
    MOCK_METHOD(float, GetTextScale, (), (override));
    MOCK_METHOD(void, SetBoundaryStyle, (int32_t), (override));
    MOCK_METHOD(void, SetCheckFeatureTime, (bool), (override));
    MOCK_METHOD(void, SetDepthDeep, (float), (override));
    MOCK_METHOD(void, SetDepthSafe, (float), (override));
    MOCK_METHOD(void, SetDepthShallow, (float), (override));
    MOCK_METHOD(void, SetDisplayCategory, (int32_t, int32_t), (override));
    MOCK_METHOD(void, SetDisplayFlags, (uint32_t, int32_t), (override));
    MOCK_METHOD(void, SetMaxBuoyScamin, (int32_t), (override));
    MOCK_METHOD(void, SetPredictedTime, (INavPredictedTime *), (override));
    MOCK_METHOD(void, SetSymbolStyle, (int32_t), (override));
    MOCK_METHOD(void, SetTextScale, (float), (override));
    MOCK_METHOD(void, Commit, (), (override));
    MOCK_METHOD(int32_t, GetColorScheme, (), (override));
    MOCK_METHOD(void, SetColorScheme, (int32_t), (override));
    MOCK_METHOD(void, SetWaterLevelOffset, (int32_t, float), (override));
    MOCK_METHOD(int32_t, GetSaveError, (IStrW *), (override));
};

class MockRasterChartInfo : public IRasterChartInfo {
public:
    MOCK_METHOD(const TStrWRec *, GetName, (), (override));
    MOCK_METHOD(const TStrWRec *, GetNumber, (), (override));
    MOCK_METHOD(const TStrWRec *, GetDigitizedBy, (), (override));
    MOCK_METHOD(uint16_t, GetEditionNumber, (), (override));
    MOCK_METHOD(const TGUID *, GetGUID, (), (override));
    MOCK_METHOD(const TStrWRec *, GetLegendFileName, (), (override));
    MOCK_METHOD(const TStrWRec *, GetTermsText, (), (override));
    MOCK_METHOD(const TStrWRec *, GetDisclaimer, (), (override));
    MOCK_METHOD(bool, GetInfoFile, (int32_t, int32_t, IStrW *, IStrW *), (override));
    MOCK_METHOD(int32_t, GetChartSetKind, (), (override));
    MOCK_METHOD(const TStrWRec *, GetChartSetName, (), (override));
    MOCK_METHOD(const TStrWRec *, GetProductCode, (), (override));
    MOCK_METHOD(const TStrWRec *, GetRevisionDate, (), (override));
    MOCK_METHOD(const TStrWRec *, GetOriginalScale, (), (override));
    MOCK_METHOD(const TStrWRec *, GetSourceChartName, (), (override));
    MOCK_METHOD(const TStrWRec *, GetSourceNotice, (), (override));
    MOCK_METHOD(const TStrWRec *, GetSourcePublisher, (), (override));
    MOCK_METHOD(const TStrWRec *, GetDepthUnits, (), (override));
    MOCK_METHOD(const TStrWRec *, GetHeightUnits, (), (override));
    MOCK_METHOD(int32_t, GetInfoFileCount, (), (override));
    MOCK_METHOD(void, GetDatum, (TRasterChartDatum &), (override));
    MOCK_METHOD(void, GetMagneticVariation, (TMagneticVariation &), (override));
};

class MockMRCChartCheck : public IMRCChartCheck {
public:
    MOCK_METHOD(bool, GetNewEditionState, (uint32_t, uint32_t, int32_t &), (override));
    MOCK_METHOD(bool, HasRemoteFile, (const TStrWRec &, int32_t &), (override));
    MOCK_METHOD(bool, GetStoredLogin, (IStrW *), (override));
    MOCK_METHOD(void, StartFileDownload, (IMRCChartSetRecord *, int32_t, const TStrWRec &, const TStrWRec &, int32_t &), (override));
    MOCK_METHOD(void, FetchNews, (const TStrWRec &, int32_t, int32_t &), (override));
    MOCK_METHOD(void, SetLogin, (const TStrWRec &, bool, int32_t &), (override));
    MOCK_METHOD(void, SetLoginEmail, (const TStrWRec &, bool, int32_t &), (override));
    MOCK_METHOD(void, SetLoginPassword, (const TStrWRec &, bool, int32_t &), (override));
    MOCK_METHOD(int32_t, GetLastResult, (), (override));
    MOCK_METHOD(bool, IsBusy, (), (override));
    MOCK_METHOD(void, SetNewsPending, (bool), (override));
    MOCK_METHOD(int32_t, GetRemoteFileCount, (), (override));
    MOCK_METHOD(IMRCRemoteFile *, GetRemoteFile, (int32_t), (override));
    MOCK_METHOD(int32_t, GetVersionCount, (), (override));
    MOCK_METHOD(IMRCVersionEntry *, GetVersion, (int32_t), (override));
    MOCK_METHOD(int32_t, GetNewsCount, (), (override));
    MOCK_METHOD(IMRCNewsMessage *, GetNews, (int32_t), (override));
    MOCK_METHOD(int32_t, GetAvailableChartSetCount, (), (override));
    MOCK_METHOD(IMRCAvailableChartSet *, GetAvailableChartSet, (int32_t), (override));
    MOCK_METHOD(IMRCChartSetRecord *, FindChartSetRecord, (uint32_t, uint32_t), (override));
    MOCK_METHOD(IMRCAvailableChartSet *, FindAvailableChartSet, (uint32_t, uint32_t), (override));
    MOCK_METHOD(bool, HasNewerEditions, (), (override));
    MOCK_METHOD(IMRCRequestList *, NewRequestList, (), (override));
    MOCK_METHOD(IMRCRequestItem *, NewRequestItem, (), (override));
    MOCK_METHOD(void, RequestDownload, (IMRCRequestList *, int32_t &), (override));
    MOCK_METHOD(int32_t, GetDownloadCount, (), (override));
    MOCK_METHOD(IMRCChartSetRecord *, GetDownload, (int32_t), (override));
    MOCK_METHOD(void, ReportRemoval, (IMRCRequestList *, int32_t &), (override));
};

class MockUserDataAPI : public IUserDataAPI {
public:
    MOCK_METHOD(void, GetShip, (int32_t, IStrW *, float &, float &, float &, float &), (override));
    MOCK_METHOD(void, UploadShip, (const TStrWRec &, float, float, float, float, int32_t &), (override));
    MOCK_METHOD(void, DeleteShip, (const TStrWRec &, int32_t &), (override));
    MOCK_METHOD(void, SendReport, (const TStrWRec &, const TStrWRec &, const TStrWRec &, const TStrWRec &, const TStrWRec &, const TStrWRec &, const TStrWRec &, const TStrWRec &, const TStrWRec &, bool, int32_t &), (override));
    MOCK_METHOD(void, RequestUserData, (int32_t &), (override));
    MOCK_METHOD(int32_t, GetLastResult, (), (override));
    MOCK_METHOD(int32_t, GetShipCount, (), (override));
};

class MockS57ChartCheck : public IS57ChartCheck {
public:
    MOCK_METHOD(IS57ChartSet *, FindChartSet, (const TStrWRec &, const TStrWRec &, const TStrWRec &), (override));
    MOCK_METHOD(bool, GetCommonFileInfo, (IStrW *, int32_t &, int64_t &), (override));
    MOCK_METHOD(void, DownloadChartSetFile, (IS57ChartSet *, int32_t, const TStrWRec &, int32_t &), (override));
    MOCK_METHOD(void, RequestChartSet, (const TStrWRec &, const TStrWRec &, const TStrWRec &, int32_t &), (override));
    MOCK_METHOD(void, DownloadCommonFile, (const TStrWRec &, int32_t &), (override));
    MOCK_METHOD(void, RequestChartSetList, (int32_t &), (override));
    MOCK_METHOD(int32_t, GetChartSetCount, (), (override));
    MOCK_METHOD(IS57ChartSet *, GetChartSet, (int32_t), (override));
    MOCK_METHOD(IS57ChartSetList *, GetSelectionList, (), (override));
    MOCK_METHOD(void, RequestChartSets, (IS57ChartSetList *, int32_t &), (override));
    MOCK_METHOD(int32_t, GetLastResult, (), (override));
};

}  // namespace chartfakes

#include <KvLibNav6/KvAppReg.h>

namespace chartfakes {

// Fills a library string the way the library's own objects do. IStrW has no setter in the
// public face; a default read of a value that is never stored hands the text back through
// the library itself.
inline void SetFakeText(IStrW *out, const QString &text) {
    static const char16_t noKey[] = u"Tests\\NeverWritten";
    static const char16_t noValue[] = u"none";
    GetAppReg()->ReadStringDef(AppRegRoot::Product, TStrWRec{int32_t(std::size(noKey) - 1), noKey},
                               ValueName(TStrWRec{int32_t(std::size(noValue) - 1), noValue}),
                               TStrWRec{int32_t(text.size()), reinterpret_cast<const char16_t *>(text.utf16())},
                               out);
}

}  // namespace chartfakes
