#include "exchange/FrmGPSDownload.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/logbook/KvProgressStage.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/FraDataSelect.h"
#include "exchange/FraDownloadProperties.h"
#include "exchange/FraDownloadTimex.h"
#include "exchange/FraTransferGPSInfo.h"
#include "exchange/FraTransferProgress.h"
#include "exchange/FraTransferSelectDevice.h"
#include "exchange/FrmGPSDownloadTexts.h"
#include "exchange/KvMagellan.h"
#include "exchange/TimexApi.h"
#include "shell/FrmHelp.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvErrorCodes.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace GPSDownloadText;

namespace {

// Capabilities of a storage-card receiver: every kind both ways.
constexpr uint32_t MagellanCapabilities = 0x77;

TFormGPSDownload *Wizard(void *data) { return static_cast<TFormGPSDownload *>(data); }

// The device calls back through plain functions; nothing may escape into the library.
template <typename F> void Guarded(F &&f) noexcept {
    try {
        f();
    } catch (const Exception &e) {
        MsgBox(e.Message(), mtError, MsgButtons({mbOK}));
    } catch (const std::exception &e) {
        MsgBox(QString::fromLocal8Bit(e.what()), mtError, MsgButtons({mbOK}));
    }
}

void ConnectedProc(void *data) {
    Guarded([&] { Wizard(data)->DeviceConnected(); });
}
void ErrorProc(void *data, int32_t code) {
    Guarded([&] { Wizard(data)->DeviceError(code); });
}
void PortProc(void *data, INavMsgPort *port, int32_t code, bool openFailed) {
    Guarded([&] { Wizard(data)->PortError(port, code, openFailed); });
}
void ProgressProcOf(void *data, TProgressEx *progress) {
    if (progress && progress->Status)
        Guarded([&] { Wizard(data)->TransferProgress(*progress->Status); });
}

}  // namespace

TFormGPSDownload::TFormGPSDownload(TMarivoNavEnv &env, INavMsgGPSDevice *device, QWidget *owner)
    : TFormScaled(owner), FEnv(env), FDevice(device), FUserDatabase(env.UserDatabase),
      FSelectedWaypoints(WptWaypointListCreate(0)), FSelectedRoutes(WptRouteListCreate(0)),
      FTracks(NavTrackListCreate(0)), FTrackFolder(env.TracksFolder) {
    setObjectName(QStringLiteral("FormGPSDownload"));
    int32_t err = 0;
    FDownloadManager.reset(
        CreateWptManagerLike(FUserDatabase->GetManager(), nullptr, nullptr, nullptr, nullptr, err));
    RaiseIfError(err, QString());
    FDownloadDatabase = WptManagerNewDatabase(FDownloadManager.get(), QStringLiteral("Downloaded data"));
    FTracks->SetOwnsObjects(true);

    setWindowTitle(LanguageText(SCaption));
    resize(560, 470);
    auto *layout = new QVBoxLayout(this);
    PanelContents = new QWidget(this);
    auto *contents = new QVBoxLayout(PanelContents);
    contents->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PanelContents, 1);
    auto *buttons = new QHBoxLayout;
    ButtonHelp = new QPushButton(LanguageText(SHelp), this);
    ButtonPrev = new QPushButton(LanguageText(SPrev), this);
    ButtonNext = new QPushButton(LanguageText(SNext), this);
    ButtonClose = new QPushButton(LanguageText(SClose), this);
    buttons->addWidget(ButtonHelp);
    buttons->addStretch(1);
    for (QPushButton *b : {ButtonPrev, ButtonNext, ButtonClose}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(ButtonPrev, &QPushButton::clicked, this, [this] { PrevClick(); });
    connect(ButtonNext, &QPushButton::clicked, this, [this] { NextClick(); });
    connect(ButtonClose, &QPushButton::clicked, this, [this] { reject(); });
    connect(ButtonHelp, &QPushButton::clicked, this, [] { GetHelpManager().ShowHelpContext(HelpContext); });

    FrameDataSelect = TFrameDataSelect::Create(FDownloadDatabase, FUserDatabase, LanguageText(SUserDatabase),
                                               2, env.UnitDistanceSmall);
    FrameDataSelectOther =
        new TFrameDataSelectOther(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &FTrackItems, 2);
    FrameDataSelectOther->SetKinds(DataSelectOtherKind::Tracks);
    FrameGPSInfo = new TFrameTransferGPSInfo(2);
    FrameProgress = new TFrameTransferProgress(2);
    FrameProperties = new TFrameDownloadProperties(nullptr, FUserDatabase);
    FrameSelectDevice = new TFrameTransferSelectDevice(2, FDevice);
    if (TimexAvailable()) FrameSelectDevice->UpdateChoices(true);
    FrameTimex = new TFrameDownloadTimex();
    for (QWidget *page : std::initializer_list<QWidget *>{FrameDataSelect, FrameDataSelectOther, FrameGPSInfo,
                                                          FrameProgress, FrameProperties, FrameSelectDevice,
                                                          FrameTimex})
        page->hide();
    QTimer::singleShot(0, this, [this] { Guarded([this] { Start(); }); });
}

TFormGPSDownload::~TFormGPSDownload() {
    if (FDevice->IsConnected()) FDevice->Disconnect();
    FrameDataSelect->ClearAll();
    FrameDataSelectOther->ClearAll();
    // The pages go before the objects their rows point to.
    for (QWidget *page : std::initializer_list<QWidget *>{FrameDataSelect, FrameDataSelectOther, FrameGPSInfo,
                                                          FrameProgress, FrameProperties, FrameSelectDevice,
                                                          FrameTimex})
        delete page;
}

bool TFormGPSDownload::TimexAvailable() {
    const TLoggerDriver &d = TimexDriver();
    return d.ConnectToDevice && d.GetDeviceData;
}

bool TFormGPSDownload::HasObjects() const { return FDownloadDatabase->GetObjectCount() > 0; }
bool TFormGPSDownload::HasTracks() const { return FTracks->GetCount() > 0; }

void TFormGPSDownload::SetButtons(bool prev, bool next, bool close, bool finish) {
    ButtonPrev->setEnabled(prev);
    ButtonNext->setEnabled(next);
    ButtonClose->setEnabled(close);
    ButtonNext->setText(LanguageText(finish ? SFinish : SNext));
}

void TFormGPSDownload::Start() {
    if (FrameSelectDevice->IsSingleChoice())
        DeviceNext();
    else
        ShowPage(PageDevice);
}

void TFormGPSDownload::ShowPage(int page) {
    QWidget *pages[] = {FrameDataSelect, FrameDataSelectOther, FrameGPSInfo, FrameProgress,
                        FrameProperties, FrameSelectDevice, FrameTimex};
    for (QWidget *p : pages) {
        p->hide();
        p->setParent(nullptr);
    }
    FPage = page;
    QWidget *frame = pages[page];
    frame->setParent(PanelContents);
    PanelContents->layout()->addWidget(frame);
    frame->show();
    SetUpPage(page);
}

void TFormGPSDownload::SetUpPage(int page) {
    switch (page) {
    case PageWaypoints: {
        FrameDataSelect->ShowProximityColumn(FrameGPSInfo->CheckBoxPrx->isChecked());
        uint8_t kinds = 0;
        if (FrameGPSInfo->CheckBoxWpt->isChecked() || FrameGPSInfo->CheckBoxPrx->isChecked())
            kinds |= DataSelectKind::Waypoints;
        if (FrameGPSInfo->CheckBoxRte->isChecked()) kinds |= DataSelectKind::Routes;
        FrameDataSelect->SetKinds(kinds);
        SetButtons(true, true, true);
        break;
    }
    case PageTracks:
        FrameDataSelectOther->Refresh();
        SetButtons(true, true, true);
        break;
    case PageInfo:
        SetButtons(false, false, false);
        if (FMagellanDevice) {
            FrameGPSInfo->ShowDeviceInfo(FMagellanDevice, nullptr, MagellanCapabilities);
            SetButtons(!FrameSelectDevice->IsSingleChoice(), true, true);
        } else if (!FDevice->IsConnected()) {
            ButtonClose->setEnabled(true);
            FDevice->ConnectAsync(ConnectedProc, this, ErrorProc, this, PortProc, this);
        } else {
            DeviceConnected();
        }
        break;
    case PageProgress:
        StartDownload();
        break;
    case PageProperties: {
        FillSelection();
        const uint8_t kinds = FrameDataSelect->Kinds();
        FrameProperties->SetWaypointPartEnabled((kinds & DataSelectKind::Waypoints) &&
                                                FSelectedWaypoints->GetCount() > 0);
        FrameProperties->SetRoutePartEnabled((kinds & DataSelectKind::Routes) && FSelectedRoutes->GetCount() > 0);
        SetButtons(true, true, true, true);
        break;
    }
    case PageDevice:
        SetButtons(false, FrameSelectDevice->HasChoices(), true);
        break;
    default:
        SetButtons(false, true, true, true);
        break;
    }
}

void TFormGPSDownload::FillSelection() {
    FSelectedWaypoints->Clear();
    FSelectedRoutes->Clear();
    FrameDataSelect->GetSelection(nullptr, FSelectedWaypoints.get(), FSelectedRoutes.get(), nullptr, nullptr);
}

void TFormGPSDownload::NextClick() {
    switch (FPage) {
    case PageWaypoints:
        if (HasTracks())
            ShowPage(PageTracks);
        else if (FrameDataSelect->ValidateSelection(true))
            ShowPage(PageProperties);
        break;
    case PageTracks:
        if (HasObjects() && FrameDataSelect->ValidateSelection(false))
            ShowPage(PageProperties);
        else if (HasTracks() && FrameDataSelectOther->HasSelection())
            Finish();
        break;
    case PageInfo:
        if (FrameGPSInfo->Validate()) ShowPage(PageProgress);
        break;
    case PageProgress:
        FStopReason = StopNext;
        if (const int32_t err = FDevice->StopTransfer()) {
            MsgBox(ErrorToStrA(err), mtError, MsgButtons({mbOK}));
            CloseWizard();
        }
        break;
    case PageProperties:
        if (FrameProperties->Validate()) Finish();
        break;
    case PageDevice:
        DeviceNext();
        break;
    case PageTimex:
        TimexFinish();
        break;
    default:
        break;
    }
}

void TFormGPSDownload::PrevClick() {
    switch (FPage) {
    case PageWaypoints:
        ShowPage(PageInfo);
        break;
    case PageTracks:
        ShowPage(HasObjects() ? PageWaypoints : PageInfo);
        break;
    case PageInfo:
        if (FDevice->IsConnected()) FDevice->Disconnect();
        ShowPage(PageDevice);
        break;
    case PageProgress:
        FStopReason = StopPrev;
        if (const int32_t err = FDevice->StopTransfer()) {
            MsgBox(ErrorToStrA(err), mtError, MsgButtons({mbOK}));
            CloseWizard();
        }
        break;
    case PageProperties:
        ShowPage(HasTracks() ? PageTracks : PageWaypoints);
        break;
    case PageTimex:
        ShowPage(PageDevice);
        break;
    default:
        break;
    }
}

void TFormGPSDownload::DeviceNext() {
    FMagellanDevice = FrameSelectDevice->GetSelectedMagellanDevice();
    FChosenModel = 0;
    switch (FrameSelectDevice->GetChoice()) {
    case 0: {
        if (FrameSelectDevice->NeedsGarminProtocol()) {
            int32_t err = 0;
            FDevice->SetProtocol(NavMsgProtocol::VendorBinary, err);
            if (err == 0) {
                TNavPtr<INavMsgCommPortSettings> line(NavMsgCommPortSettingsCreate());
                line->SetBaudRate(9600);
                line->SetFlowControl(0);
                line->SetParity(0);
                line->SetStopBits(0);
                line->SetDataBits(8);
                INavMsgPort *port = FDevice->GetPort();
                err = port ? port->ApplySettings(line.get()) : KvErr::NoGPSPort;
            }
            if (err != 0) {
                MsgBox(ErrorToStrA(err), mtError, MsgButtons({mbOK}));
                return;
            }
        }
        ShowPage(PageInfo);
        break;
    }
    case 1:
        FChosenModel = FrameSelectDevice->GetSelectedModel();
        FDevice->SetBrandModel(FDevice->GetBrand(), FChosenModel);
        ShowPage(PageInfo);
        break;
    case 2:
        if (FMagellanDevice)
            ShowPage(PageInfo);
        else
            MsgBox(LanguageText(SNoMagellanDrive), mtInformation, MsgButtons({mbOK}));
        break;
    default:
        if (FrameTimex->ConnectAndRead()) ShowPage(PageTimex);
        break;
    }
}

void TFormGPSDownload::DeviceConnected() {
    int32_t err = 0;
    FCapabilities = FDevice->GetCapabilities(err);
    if (err != 0) {
        MsgBox(ErrorToStrA(err), mtError, MsgButtons({mbOK}));
        CloseWizard();
        return;
    }
    if (!(FCapabilities & NavMsgTransfer::CanDownloadAny)) {
        MsgBox(LanguageText(SNoDownload), mtInformation, MsgButtons({mbOK}));
        CloseWizard();
        return;
    }
    FrameGPSInfo->ShowDeviceInfo(nullptr, FDevice, FCapabilities);
    SetButtons(!FrameSelectDevice->IsSingleChoice(), true, true);
}

void TFormGPSDownload::DeviceError(int32_t code) {
    if (code == 0) return;
    if (code != KvErr::GPSNotConnected) {
        if (FPage != PageInfo) ShowPage(PageInfo);
        FrameGPSInfo->ShowCommError(code);
    } else {
        MsgBox(ErrorToStrA(code), mtError, MsgButtons({mbOK}));
    }
    SetButtons(false, false, true);
}

void TFormGPSDownload::PortError(INavMsgPort *port, int32_t code, bool openFailed) {
    if (FPage != PageInfo) ShowPage(PageInfo);
    FrameGPSInfo->ShowPortError(port, code, openFailed);
    SetButtons(false, false, true);
}

void TFormGPSDownload::CloseWizard() {
    if (FDownloading) {
        FCloseRequested = true;
        FDevice->StopTransfer();
        return;
    }
    // Not from inside the caller's own stack frame: the wizard may be in a device callback.
    QTimer::singleShot(0, this, [this] { done(QDialog::Rejected); });
}

void TFormGPSDownload::reject() {
    if (FDownloading) {
        CloseWizard();
        return;
    }
    if (FDevice->IsConnected()) FDevice->Disconnect();
    TFormScaled::reject();
}

void TFormGPSDownload::StartDownload() {
    FStopReason = StopNone;
    int32_t err = 0;
    FDownloadDatabase->Clear(err);
    FrameDataSelect->ClearAll();
    FrameDataSelectOther->ClearAll();
    SetButtons(true, true, true);
    const uint32_t flags = FrameGPSInfo->RequestFlags();
    FProgress = TProgressEx();
    ProgressStageInit(&FProgress, 0, 0, ProgressProcOf, this, 1.0f);
    FTracks->Clear();
    if (FMagellanDevice) {
        if (const int32_t readErr = MagellanReadData(FMagellanDevice->Drive, FDownloadDatabase, flags)) {
            MsgBox(ErrorToStrA(readErr), mtError, MsgButtons({mbOK}));
            ShowPage(PageInfo);
            return;
        }
        FrameDataSelect->RefreshAll();
        BuildTrackItems();
        ShowPage(PageWaypoints);
        return;
    }
    FDownloading = true;
    FCloseRequested = false;
    FErrorShown = false;
    FTransferEnded = false;
    err = FDevice->Download(FDownloadDatabase, FTracks.get(), flags, &FProgress);
    FDownloading = false;
    if (FCloseRequested) {
        CloseWizard();
        return;
    }
    if (FErrorShown) return;
    if (FTransferEnded) {
        DownloadEnded(err);
    } else if (err != 0) {
        MsgBox(ErrorToStrA(err), mtError, MsgButtons({mbOK}));
        CloseWizard();
    }
}

void TFormGPSDownload::TransferProgress(const TNavMsgTransferStatus &status) {
    if (FCloseRequested) return;
    if (status.Error != 0) {
        FErrorShown = true;
        if (status.Error >= KvErr::PortFirst && status.Error <= KvErr::PortLast) {
            // The port went away under the download: say so where port problems are shown.
            PortError(FDevice->GetPort(), status.Error, false);
            return;
        }
        MsgBox(status.Error == KvErr::GPSSilent ? LanguageText(SNotResponding).arg(ProgInfoGetTitle())
                                                : ErrorToStrA(status.Error),
               mtError, MsgButtons({mbOK}));
        CloseWizard();
        return;
    }
    FrameProgress->UpdateProgress(status, FDevice);
    // What follows the end waits for the device to return, with its verdict on the data.
    if (status.Stage == NavMsgTransfer::StageFinished) {
        FTransferEnded = true;
        return;
    }
    // The device blocks while it reads: let the user's clicks and the screen through.
    QCoreApplication::processEvents();
}

void TFormGPSDownload::DownloadEnded(int32_t result) {
    if (FStopReason == StopPrev) {
        ShowPage(PageInfo);
        return;
    }
    // The device kept what arrived complete and says whether anything was damaged or cut
    // off: the user hears of it once and keeps the rest.
    const bool damaged = result == KvErr::PortChecksum || result == KvErr::PortProtocol;
    if (result != 0 && !damaged) {
        MsgBox(ErrorToStrA(result), mtError, MsgButtons({mbOK}));
        CloseWizard();
        return;
    }
    FrameDataSelect->RefreshAll();
    BuildTrackItems();
    if (damaged) MsgBox(LanguageText(SDamaged), mtWarning, MsgButtons({mbOK}));
    if (HasObjects()) {
        ShowPage(PageWaypoints);
    } else if (HasTracks()) {
        ShowPage(PageTracks);
    } else {
        if (!damaged) MsgBox(LanguageText(SNoData), mtCustom, MsgButtons({mbOK}));
        CloseWizard();
    }
}

void TFormGPSDownload::BuildTrackItems() {
    FrameDataSelectOther->ClearAll();
    FTrackItems.Clear();
    FTrackItemsOwned.clear();
    for (int32_t i = 0; i < FTracks->GetCount(); ++i) {
        auto *track = static_cast<INavTrack *>(FTracks->GetItem(i));
        FTrackItemsOwned.push_back(std::make_unique<TDataItem>(QString(), NavTrackGetName(track), track, 0));
        FTrackItems.Add(FTrackItemsOwned.back().get());
    }
    FrameDataSelectOther->Refresh();
}
