#include "objectinfo/FraLinkDetailsStruct.h"

#include "base/graphics/KvGraphics.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvExceptions.h"
#include "base/marina/KvMarinaGuide.h"
#include "base/settings/KvRegRoutes.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvStr.h"
#include "objectinfo/FraLinkDetails.h"
#include "objectinfo/FrmNumberInput.h"
#include "objectinfo/KvWWNetwork.h"
#include "objectinfo/LinkDetailsTexts.h"
#include "objectinfo/StructPageTexts.h"
#include "shell/MarivoImages.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvMarinaGuide.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvWWNetwork.h>

#include <QDockWidget>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

const TLanguageStrings EnterWaitingTime = {
    "Enter the average waiting time to pass this structure",
    "Voer de gemiddelde wachttijd in om dit kunstwerk te passeren",
    "Geben Sie die durchschnittliche Wartezeit für die Passage dieses Bauwerks ein",
    "Saisissez le temps d'attente moyen pour passer cet ouvrage",
    "",
    "Inserire il tempo di attesa medio per superare questa struttura",
    "Indtast den gennemsnitlige ventetid for at passere dette bygværk",
    "Ange den genomsnittliga väntetiden för att passera detta byggnadsverk"};
const TLanguageStrings UseDefault = {"Use default", "Standaard gebruiken", "Standard verwenden",
                                     "Utiliser la valeur par défaut", "", "Usa predefinito",
                                     "Brug standard", "Använd standard"};
const TLanguageStrings MinUnit = {"min.", "min.", "Min.", "min", "", "min", "min.", "min"};

struct TBmp32Deleter {
    void operator()(IBmp32 *b) const { ObjectDelete(b); }
};

// Only structures the planner waits at carry a waiting time.
bool TakesWaitingTime(IWWStruct *s) {
    switch (s->GetKind()) {
    case WWStructKind::Bridge:
    case WWStructKind::Lock:
    case WWStructKind::NonPhysicalBarrier:
    case WWStructKind::ShipTunnel:
        return true;
    default:
        return false;
    }
}

bool StartsWith(const QString &link, const char16_t *prefix) {
    const QString p = QString::fromUtf16(prefix);
    return link.left(p.size()).compare(p, Qt::CaseInsensitive) == 0;
}

// The page's own links ("delay://{GUID}") are no valid URLs: the view would hand them on
// empty, so a click is looked at by its raw link text first.
class TStructDetailsView final : public TLinkDetailsView {
public:
    using TLinkDetailsView::TLinkDetailsView;
    std::function<bool(const QString &link)> OnRawLink;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override {
        const QString link = event->button() == Qt::LeftButton ? anchorAt(event->pos()) : QString();
        if (!link.isEmpty() && !textCursor().hasSelection() && OnRawLink) {
            bool handled = false;
            try {
                handled = OnRawLink(link);
            } catch (...) {
                ReportCurrentException();
                handled = true;
            }
            if (handled) {
                event->accept();
                return;
            }
        }
        TLinkDetailsView::mouseReleaseEvent(event);
    }
};

}  // namespace

TFrameLinkDetailsStruct::TFrameLinkDetailsStruct(QWidget *dockPanel, TMarivoNavEnv &env)
    : TFrameLinkDetailsBase(dockPanel, env, QStringLiteral("FrameLinkDetailsStruct")) {
    BuildLayout();
    NavigateToObject = [this](IWWSection *section, double sectionPosition) {
        FEnv.NavigateToObject(TGeoPoint{0.0, 0.0}, nullptr, section, sectionPosition, -1.0, true);
    };
    OnRefreshRoutes = [this] { FEnv.RefreshRoutes(true, true, true, false); };
    UpdateTexts();
    ScaleToScreen();
}

TFrameLinkDetailsStruct::~TFrameLinkDetailsStruct() = default;

void TFrameLinkDetailsStruct::BuildLayout() {
    auto *view = new TStructDetailsView(this);
    view->OnRawLink = [this](const QString &link) { return HandleLink(link); };
    BuildPanel(view);
    HTMLViewer->OnLinkClick = [this](const QUrl &url) { return HandleLink(url.toString()); };
    HTMLViewer->OnPicture = [this](const QString &source) { return PictureFor(source); };
    // This panel has no help page of its own.
    ButtonHelp->setVisible(false);
    Button1 = new QPushButton(AlignmentPanelHelp);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setVisible(false);
    connect(ButtonNavigateTo, &QPushButton::clicked, this, [this] { ButtonNavigateToClick(); });
}

TStructPageOptions TFrameLinkDetailsStruct::PageOptions() const {
    TStructPageOptions o = FOptions;
    o.UnitDistanceSmall = FEnv.UnitDistanceSmall;
    o.UnitDistanceLarge = FEnv.UnitDistanceLarge;
    o.UnitDepth = FEnv.UnitDepth;
    if (IWptPlanner *planner = FEnv.Planner) {
        o.BridgeWaitTime = planner->GetBridgeWaitTime();
        o.LockWaitTime = planner->GetLockWaitTime();
        o.WaterLevel = planner->GetNAPWaterLevel();
    }
    return o;
}

QString TFrameLinkDetailsStruct::BuildPage() const {
    const TStructPageOptions o = PageOptions();
    if (FShown.size() < 2)
        return FShown.empty() ? QString()
                              : BuildStructDetailsPage(FShown.front(), FEnv.ImagesFolder, QString(), true,
                                                       FCalibration, o);
    QString index = QStringLiteral("<p>"), pages;
    for (size_t i = 0; i < FShown.size(); ++i) {
        const QString anchor = QStringLiteral("S") + QString::number(i);
        // Names come from the network's data: shown as text, never as markup.
        index += QStringLiteral("<a href=\"#%1\">%2</a> ").arg(anchor, HTMLEncode(WWStructGetName(FShown[i])));
        pages += BuildStructDetailsPage(FShown[i], FEnv.ImagesFolder, anchor, false, FCalibration, o) +
                 QStringLiteral("<br /><hr /><br />");
    }
    return WrapStructPage(index + QStringLiteral("</p>") + pages, QStringLiteral("2020"));
}

void TFrameLinkDetailsStruct::Rebuild(int position) { LoadPage(BuildPage(), position); }

void TFrameLinkDetailsStruct::BeginShow(IWWStruct *structure, IGeodeticCalibration *calibration) {
    FStruct = structure;
    FCalibration = calibration;
    FOptions.ManagerOpen = false;
    AlignmentPanelHelp->setVisible(true);
    ButtonNavigateTo->setVisible(true);
}

bool TFrameLinkDetailsStruct::ShowStruct(IWWStruct *structure, IGeodeticCalibration *calibration) {
    if (!structure) {
        FStruct = nullptr;
        return false;
    }
    BeginShow(structure, calibration);
    FShown = {structure};
    Rebuild(0);
    return true;
}

bool TFrameLinkDetailsStruct::ShowStructs(IWWStruct *structure, IGeodeticCalibration *calibration,
                                          const std::vector<IWWStruct *> &selected, bool toggle) {
    if (!structure || (toggle && structure == FStruct)) {
        FStruct = nullptr;
        return false;
    }
    BeginShow(structure, calibration);
    std::vector<IWWStruct *> shown;
    std::copy_if(selected.begin(), selected.end(), std::back_inserter(shown), [](IWWStruct *s) { return s; });
    FShown = shown.size() < 2 ? std::vector<IWWStruct *>{structure} : shown;
    Rebuild(0);
    return true;
}

bool TFrameLinkDetailsStruct::ShowStructLink(const QString &link, IGeodeticCalibration *calibration) {
    FLink = link;
    LoadPage(QString(), 0);
    TEntryRef ref;
    if (!CheckDatabaseEntryLink(link, QString::fromUtf16(EntryLinkSchemeWWStruct), nullptr, ref)) return false;
    IWWNetwork *network = FEnv.WaterwayNetwork;
    int32_t index = -1;
    // A structure the network does not know shows nothing, so the caller hides the panel.
    if (!network || !network->FindStruct(&ref.Entry, index)) return false;
    IWWStruct *structure = network->GetStruct(index);
    if (!structure) return false;
    return ShowStruct(structure, calibration ? calibration : FCalibration);
}

void TFrameLinkDetailsStruct::UpdateTexts() {
    QString help = LanguageText(KvStr::BtnHelp);
    help.remove(QLatin1Char('&'));
    ButtonHelp->setText(help + QStringLiteral(" (F1)"));
    ButtonNavigateTo->setText(LanguageText(LinkDetailsStr::NavigateTo));
    if (!FStruct) return;
    FOptions.ManagerOpen = false;
    Rebuild(0);
}

void TFrameLinkDetailsStruct::LoadPage(const QString &text, int position) {
    FPage = text;
    HTMLViewer->LoadFromString(text);
    HTMLViewer->verticalScrollBar()->setValue(position);
}

void TFrameLinkDetailsStruct::ForgetObjects() {
    FStruct = nullptr;
    FCalibration = nullptr;
    FShown.clear();
    LoadPage(QString(), 0);
    ButtonNavigateTo->setVisible(false);
}

bool TFrameLinkDetailsStruct::HandleLink(const QString &link) {
    const int position = HTMLViewer->verticalScrollBar()->value();
    auto toggle = [&](bool &open) {
        open = !open;
        Rebuild(position);
        return true;
    };
    if (StartsWith(link, StructLinkDelay)) {
        TGUID guid;
        int32_t index = -1;
        IWWNetwork *network = FEnv.WaterwayNetwork;
        // The structure the link names, which on a page of several need not be the held one.
        if (network && TryStrToGUID(link.mid(8), guid) && network->FindStruct(&guid, index))
            EditWaitingTime(network->GetStruct(index));
        return true;
    }
    if (StartsWith(link, u"ftm://")) {
        if (OnNoticeLink) OnNoticeLink(this, link.mid(6));
        return true;
    }
    if (StartsWith(link, StructLinkManager)) return toggle(FOptions.ManagerOpen);
    if (StartsWith(link, StructLinkGeneral)) return toggle(FOptions.GeneralOpen);
    if (StartsWith(link, StructLinkOperatingPeriods)) return toggle(FOptions.OperatingPeriodsOpen);
    if (StartsWith(link, StructLinkPassages)) return toggle(FOptions.PassagesOpen);
    if (link.startsWith(QLatin1Char('#'))) {
        HTMLViewer->scrollToAnchor(link.mid(1));
        return true;
    }
    // Web addresses of the manager follow the view's link policy.
    return false;
}

void TFrameLinkDetailsStruct::EditWaitingTime(IWWStruct *structure) {
    if (!structure || !TakesWaitingTime(structure)) return;
    const int32_t own = structure->GetWaitingTime();
    float minutes = own < 0 ? -1.0f : float(own) / 60.0f;
    if (!TFormNumberInput::Execute(LanguageText(StructPageStr::AverageWaitingTime), LanguageText(EnterWaitingTime),
                                   minutes, 0, -1.0f, 1440.0f, 0.0f, true, false, LanguageText(UseDefault),
                                   LanguageText(MinUnit)))
        return;
    const int32_t seconds = minutes > -1.0f ? int32_t(std::floor(minutes)) * 60 : -1;
    structure->SetWaitingTime(seconds);
    if (const TGUID *guid = structure->GetGUID()) RegWriteCustomWaitTime(*guid, seconds);
    Rebuild(0);
    if (OnRefreshRoutes) OnRefreshRoutes();
}

void TFrameLinkDetailsStruct::ButtonNavigateToClick() {
    if (FStruct && NavigateToObject) NavigateToObject(FStruct->GetSection(), FStruct->GetSectionPosition());
}

QImage TFrameLinkDetailsStruct::PictureFor(const QString &source) {
    // A picture that cannot be loaded stays empty; the page is shown all the same.
    std::unique_ptr<IBmp32, TBmp32Deleter> bmp(Bmp32Create(0, 0, 0));
    if (!bmp) return QImage();
    int32_t bitsPerPixel = 0, err = 0;
    LoadBmp32FromFile(source, bmp.get(), bitsPerPixel, err);
    QImage image = Bmp32ToImage(bmp.get());
    INightScreen *ns = NightScreen();
    if (!image.isNull() && ns && ns->IsActive()) NightScreenConvertBitmap(ns, image);
    return image;
}

// ---- as the main window hosts it -------------------------------------------------------

bool TLinkDetailsStructAdapter::ShowStructLink(const QString &link) {
    return FFrame && FFrame->ShowStructLink(link, nullptr);
}

bool TLinkDetailsStructAdapter::ShowStruct(IWWStruct *structure, IGeodeticCalibration *calibration) {
    return FFrame && FFrame->ShowStruct(structure, calibration);
}
