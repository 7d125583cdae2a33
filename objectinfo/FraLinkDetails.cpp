#include "objectinfo/FraLinkDetails.h"

#include "base/files/KvFiles.h"
#include "base/graphics/KvGraphics.h"
#include "base/graphics/KvNightScreen.h"
#include "base/help/KvHTMLHelp.h"
#include "base/kvlib/KvExceptions.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/marina/KvMarinaGuide.h"
#include "base/strings/KvStrUtils.h"
#include "base/texts/KvStr.h"
#include "objectinfo/FacilityPage.h"
#include "objectinfo/FrmHTMLViewer.h"
#include "objectinfo/LinkDetailsPages.h"
#include "objectinfo/LinkDetailsTexts.h"
#include "objectinfo/MarinaGuidePage.h"
#include "objectinfo/NoticePage.h"
#include "objectinfo/SectionPage.h"
#include "objectinfo/WeatherStationPage.h"
#include "shell/MarivoImages.h"
#include "shell/MarivoNavEnv.h"
#include "shell/MarivoNavEnvWptDBInfo.h"

#include <KvLibNav6/KvGraphics.h>
#include <KvLibNav6/KvMarinaGuide.h>
#include <KvLibNav6/KvObjectUpdate.h>
#include <KvLibNav6/KvWWNetwork.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace {

struct TBmp32Deleter {
    void operator()(IBmp32 *b) const { ObjectDelete(b); }
};

bool NightActive() {
    INightScreen *ns = NightScreen();
    return ns && ns->IsActive();
}

void ConvertForNight(QImage &image) {
    if (!image.isNull() && NightActive()) NightScreenConvertBitmap(NightScreen(), image);
}

// The colours a page names, as night mode shows them (pictures are converted as they load).
QString NightColours(const QString &page) {
    static const QRegularExpression colour(QStringLiteral("#([0-9a-fA-F]{6})\\b"));
    INightScreen *ns = NightScreen();
    QString out;
    qsizetype last = 0;
    for (auto it = colour.globalMatch(page); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const uint32_t rgb = m.captured(1).toUInt(nullptr, 16);
        // The library's colours have red in the lowest byte.
        const TColor day = TColor(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
        const uint32_t night = uint32_t(ns->ConvertColor(day));
        out += page.mid(last, m.capturedStart() - last);
        out += QStringLiteral("#%1").arg(((night & 0xFF) << 16) | (night & 0xFF00) | ((night >> 16) & 0xFF), 6, 16,
                                         QLatin1Char('0'));
        last = m.capturedEnd();
    }
    return out + page.mid(last);
}

// Attachments are paths or file URLs; anything with another scheme is a link.
bool IsAttachment(const QString &link, QString &file) {
    // An anchor of the page itself is no file.
    if (link.startsWith(QLatin1Char('#'))) return false;
    const QUrl url(link);
    if (url.isLocalFile()) {
        file = url.toLocalFile();
        return true;
    }
    if (!url.scheme().isEmpty() && url.scheme().size() > 1) return false;
    file = link;
    return true;
}

}  // namespace

// ---- the panel ------------------------------------------------------------------------

TFrameLinkDetails::TFrameLinkDetails(QWidget *dockPanel, TMarivoNavEnv &env)
    : TFrameLinkDetailsBase(dockPanel, env, QStringLiteral("FrameLinkDetails")) {
    BuildLayout();
    NavigateToObject = [this](const TGeoPoint &position, IWptWaypoint *waypoint,
                              IWWSection *section, double sectionPosition) {
        FEnv.NavigateToObject(position, waypoint, section, sectionPosition, -1.0, true);
    };
    OnShowDocument = [this](const QString &caption, const QString &page) {
        TFormHTMLViewer::Execute(&FEnv, caption, page);
    };
    UpdateTexts();
    ScaleToScreen();
}

TFrameLinkDetails::~TFrameLinkDetails() = default;

void TFrameLinkDetails::BuildLayout() {
    BuildPanel(new TLinkDetailsView(this));
    HTMLViewer->OnLinkClick = [this](const QUrl &url) { return HandleLink(url.toString()); };
    HTMLViewer->OnPicture = [this](const QString &source) { return PictureFor(source); };
    HTMLViewer->OnPictureTitle = [this](const QString &source) {
        return FMarinaEntry ? FPictureTitles.value(source) : QString();
    };
    connect(ButtonHelp, &QPushButton::clicked, this, [this] { ButtonHelpClick(); });
    connect(ButtonNavigateTo, &QPushButton::clicked, this, [this] { ButtonNavigateToClick(); });
}

void TFrameLinkDetails::UpdateTexts() {
    QString help = LanguageText(KvStr::BtnHelp);
    help.remove(QLatin1Char('&'));
    ButtonHelp->setText(help + QStringLiteral(" (F1)"));
    ButtonNavigateTo->setText(LanguageText(LinkDetailsStr::NavigateTo));
    RefreshPage();
}

bool TFrameLinkDetails::RefreshPage() {
    switch (FContentType) {
    case LinkContent::MarinaGuide:
        return ShowMarinaPage(HTMLViewer->verticalScrollBar()->value());
    case LinkContent::GeoAdd:
        return FGeoAdd ? ShowGeoAddObject(FGeoAdd) : false;
    case LinkContent::Struct:
        return FStruct ? ShowStruct(FStruct, FCalibration) : false;
    case LinkContent::Section:
        return FSection ? ShowSection(FSection, FCalibration, FSectionPosition) : false;
    case LinkContent::WeatherStation:
        return FStation ? ShowWeatherStation(FStation) : false;
    case LinkContent::Notice: {
        // The object data may have been replaced: the notice is looked up again.
        INavObjectUpdateManager *m = FEnv.ObjectUpdateManager;
        IFTMNotice *notice = m ? m->FindNotice(FNoticeNumber) : nullptr;
        if (!notice) return ForgetObjects(), false;
        return ShowNoticePage(notice);
    }
    case LinkContent::WaterReport: {
        INavObjectUpdateManager *m = FEnv.ObjectUpdateManager;
        for (int32_t i = 0; m && i < m->GetWaterReportCount(); ++i)
            if (WaterReportGetTitle(m->GetWaterReport(i)) == FReportTitle) return ShowWaterReportPage(m->GetWaterReport(i));
        return ForgetObjects(), false;
    }
    case LinkContent::Waypoint:
        return FWaypoint ? ShowWaypoint(FWaypoint, false) : false;
    case LinkContent::HTMLText:
        return true;
    case LinkContent::StructLinks:
    case LinkContent::FollowsUpdates:
        return false;
    case LinkContent::Nothing:
        // A panel that shows nothing keeps showing nothing.
        return FLinkText.isEmpty() ? (LoadPage(QString(), 0), false)
                                   : ShowGeoAddLink(FLinkText, nullptr);
    default:
        return false;
    }
}

void TFrameLinkDetails::LoadPage(const QString &page, int scrollPosition) {
    FPage = page;
    HTMLViewer->LoadFromString(NightActive() ? NightColours(page) : page);
    HTMLViewer->verticalScrollBar()->setValue(scrollPosition);
}

void TFrameLinkDetails::SetCaption(const QString &caption) {
    for (QWidget *w = parentWidget(); w; w = w->parentWidget())
        if (auto *dock = qobject_cast<QDockWidget *>(w)) {
            dock->setWindowTitle(caption);
            return;
        }
}

void TFrameLinkDetails::BeginShow(const QString &caption) {
    FHelpContext = -1;
    if (parentWidget() && !caption.isEmpty()) SetCaption(caption);
}

void TFrameLinkDetails::EndShow(bool navigateTo) {
    ButtonNavigateTo->setVisible(navigateTo);
    AlignmentPanelHelp->setVisible(true);
}

bool TFrameLinkDetails::ShowHTMLText(const QString &text, const QStringList &attachmentFolders) {
    FContentType = LinkContent::HTMLText;
    FAttachmentFolders = attachmentFolders;
    LoadPage(text, 0);
    // A composed report has no object to navigate to.
    ButtonNavigateTo->setVisible(false);
    return true;
}

bool TFrameLinkDetails::ShowGeoAddObject(IGeoAddsEntry *entry) {
    BeginShow(LanguageText(LinkDetailsStr::CaptionWaypoint));
    FContentType = LinkContent::GeoAdd;
    FGeoAdd = entry;
    LoadPage(BuildGeoAddPage(entry, PictureWidth()), 0);
    // A point-of-interest entry gives no target to navigate to.
    EndShow(false);
    return true;
}

bool TFrameLinkDetails::ShowGeoAddLink(const QString &link, const TGUID *databaseGuid) {
    FLinkText = link;
    FContentType = LinkContent::Nothing;
    LoadPage(QString(), 0);
    ButtonNavigateTo->setVisible(false);
    TEntryRef ref;
    if (!CheckDatabaseEntryLink(link, QStringLiteral("geoadds"), databaseGuid, ref)) return false;
    IGeoAddsEntry *entry = nullptr;
    for (const auto &info : FEnv.WptDBInfos) {
        IGeoAddsDatabase *db = info ? info->PointDatabase : nullptr;
        if (!db || db->GetType() != WptInfoDatabaseType::PointOfInterest) continue;
        if ((entry = db->FindEntry(ref))) break;
    }
    if (!entry) return false;
    ShowGeoAddObject(entry);
    if (parentWidget()) SetCaption(HTMLViewer->documentTitle());
    ButtonHelp->setEnabled(FHelpContext > 0);
    AlignmentPanelHelp->setVisible(ButtonHelp->isEnabled());
    return true;
}

bool TFrameLinkDetails::ShowWaypoint(IWptWaypoint *waypoint, bool toggle) {
    BeginShow(LanguageText(LinkDetailsStr::CaptionWaypoint));
    if (toggle && waypoint && waypoint == FWaypoint) {
        FWaypoint = nullptr;
        FContentType = LinkContent::Nothing;
        FLinkText.clear();
        return false;
    }
    if (!waypoint) return false;
    LoadPage(BuildWaypointPage(waypoint, FEnv.PositionFormat), 0);
    FContentType = LinkContent::Waypoint;
    FWaypoint = waypoint;
    EndShow(true);
    return true;
}

bool TFrameLinkDetails::ShowStruct(IWWStruct *structure, IGeodeticCalibration *calibration) {
    BeginShow(LanguageText(LinkDetailsStr::CaptionStructures));
    if (!structure) return false;
    LoadPage(BuildStructPage(structure, calibration, FEnv.PositionFormat), 0);
    FContentType = LinkContent::Struct;
    FStruct = structure;
    FCalibration = calibration;
    EndShow(true);
    return true;
}

bool TFrameLinkDetails::ShowStructLinks(NavObject *) { return false; }

bool TFrameLinkDetails::ShowSection(IWWSection *section, IGeodeticCalibration *calibration,
                                    double positionM) {
    BeginShow(LanguageText(LinkDetailsStr::CaptionWaterway));
    if (!section) return false;
    LoadPage(BuildSectionPage(section, calibration, positionM, true, SectionUnits()), 0);
    FContentType = LinkContent::Section;
    FSection = section;
    FSectionPosition = positionM;
    FCalibration = calibration;
    EndShow(true);
    return true;
}

TSectionPageUnits TFrameLinkDetails::SectionUnits() const {
    TWptRouteDefaults defaults;
    _GetWptRouteDefaults(defaults);
    TSectionPageUnits units;
    units.UnitDepth = FEnv.UnitDepth;
    units.UnitDistanceSmall = FEnv.UnitDistanceSmall;
    units.UnitSpeed = FEnv.UnitSpeed;
    units.DepthTolerance = defaults.DepthTolerance;
    return units;
}

bool TFrameLinkDetails::ShowWeatherStation(IWeatherStation *station) {
    BeginShow(LanguageText(LinkDetailsStr::CaptionWaypoint));
    if (!station) return false;
    TWeatherStationPageInput in;
    in.Station = station;
    in.PositionFormat = FEnv.PositionFormat;
    in.UnitSpeed = FEnv.UnitSpeed;
    in.UnitTemperature = FEnv.UnitTemperature;
    in.NowUTC = NowUTC;
    LoadPage(BuildWeatherStationPage(in), 0);
    FContentType = LinkContent::WeatherStation;
    FStation = station;
    EndShow(false);
    return true;
}

bool TFrameLinkDetails::ShowNotice(NavObject *object, IWWSection *section, IGeodeticCalibration *calibration,
                                   double positionM) {
    BeginShow(LanguageText(LinkDetailsStr::CaptionWaterway));
    auto *notice = dynamic_cast<IFTMNotice *>(object);
    if (!notice) return false;
    // Network objects the notice page shows are held like those of a section page.
    FSection = section;
    FSectionPosition = positionM;
    FCalibration = calibration;
    return ShowNoticePage(notice);
}

bool TFrameLinkDetails::ShowNoticePage(IFTMNotice *notice) {
    QString body = FTMNoticeBuildPage(notice, FEnv.PositionFormat, true, false);
    if (FSection) {
        body += QStringLiteral("<p><b>") + LanguageText(LinkDetailsStr::CaptionWaterway) + QStringLiteral("</b></p>") +
                BuildSectionPage(FSection, FCalibration, FSectionPosition, false, SectionUnits());
    }
    LoadPage(FTMWrapPage(body), 0);
    FContentType = LinkContent::Notice;
    FNoticeNumber = notice->GetNumber();
    EndShow(FSection != nullptr);
    return true;
}

bool TFrameLinkDetails::ShowWaterReport(NavObject *object) {
    BeginShow(LanguageText(LinkDetailsStr::CaptionWaterway));
    auto *report = dynamic_cast<IWaterReport *>(object);
    return report && ShowWaterReportPage(report);
}

bool TFrameLinkDetails::ShowWaterReportPage(IWaterReport *report) {
    LoadPage(FTMWaterReportBuildPage(report, FEnv.PositionFormat, true, true), 0);
    FContentType = LinkContent::WaterReport;
    FReportTitle = WaterReportGetTitle(report);
    EndShow(false);
    return true;
}

bool TFrameLinkDetails::ShowMarinaGuide(IMarinaGuideEntry *entry, const QString &iconFolder,
                                        const QString &edition) {
    BeginShow(LanguageText(LinkDetailsStr::CaptionWaypoint));
    if (!entry) return false;
    FMarinaEntry = entry;
    FMarinaIconFolder = iconFolder;
    FMarinaEdition = edition;
    FContentType = LinkContent::MarinaGuide;
    ShowMarinaPage(0);
    EndShow(true);
    return true;
}

bool TFrameLinkDetails::ShowMarinaPage(int scrollPosition) {
    if (!FMarinaEntry) return false;
    TMarinaGuidePageInput in;
    in.Entry = FMarinaEntry;
    in.IconFolder = FMarinaIconFolder;
    in.Edition = FMarinaEdition;
    in.Expanded = FMarinaExpanded;
    in.ProgramFolder = ProgInfoGetProgDir();
    in.ChartWidth = PictureWidth();
    in.PositionFormat = FEnv.PositionFormat;
    in.UnitDepth = FEnv.UnitDepth;
    in.UnitDistanceLarge = FEnv.UnitDistanceLarge;
    in.UnitDistanceSmall = FEnv.UnitDistanceSmall;
    TMarinaGuidePage page = BuildMarinaGuidePage(in);
    FPictureTitles = std::move(page.Titles);
    LoadPage(page.Page, scrollPosition);
    return true;
}

int TFrameLinkDetails::PictureWidth() const {
    // The page's margins and a vertical scroll bar stay clear.
    // Taken from the view's outer width, so that a scroll bar coming or going keeps it.
    return std::max(16, HTMLViewer->width() - 2 * HTMLViewer->frameWidth() -
                            2 * int(HTMLViewer->document()->documentMargin()) -
                            HTMLViewer->verticalScrollBar()->sizeHint().width());
}

void TFrameLinkDetails::ForgetObjects() {
    FGeoAdd = nullptr;
    FWaypoint = nullptr;
    FStruct = nullptr;
    FCalibration = nullptr;
    FSection = nullptr;
    FStation = nullptr;
    FAttachmentFolders.clear();
    FMarinaEntry = nullptr;
    FPictureTitles.clear();
    FLinkText.clear();
    FContentType = LinkContent::Nothing;
    LoadPage(QString(), 0);
    ButtonNavigateTo->setVisible(false);
}

bool TFrameLinkDetails::HandleLink(const QString &link) {
    if (link.left(8).compare(QLatin1String(MarinaMoreLink), Qt::CaseInsensitive) == 0) {
        FMarinaExpanded = !FMarinaExpanded;
        ShowMarinaPage(HTMLViewer->verticalScrollBar()->value());
        return true;
    }
    if (FContentType == LinkContent::HTMLText) return HandleAttachment(link);
    if (FContentType == LinkContent::StructLinks &&
        link.left(9).compare(QLatin1String("strdetail"), Qt::CaseInsensitive) == 0) {
        if (OnStructLink) OnStructLink(this, false, link.mid(10));
        return false;
    }
    // Everything else follows the view's link policy.
    return false;
}

bool TFrameLinkDetails::HandleAttachment(const QString &link) {
    QString file;
    // Web addresses of a report go to the link policy, never to a file read.
    if (!IsAttachment(link, file)) return false;
    if (!InAttachmentFolder(file)) {
        if (HTMLViewer->ShowMessage)
            HTMLViewer->ShowMessage(LanguageText(LinkDetailsStr::AttachmentOutsideChart).arg(file));
        return true;
    }
    const QString ext = QFileInfo(file).suffix().toLower();
    const QString caption = QFileInfo(file).fileName();
    QString page;
    if (ext == QLatin1String("jpg") || ext == QLatin1String("tif")) {
        page = PicturePage(file);
    } else if (ext == QLatin1String("txt") || ext == QLatin1String("htm") ||
               ext == QLatin1String("html")) {
        QString text;
        int32_t err = 0;
        FileReadTextW(file, text, 1252, err);
        if (err != 0) text = LanguageText(LinkDetailsStr::ErrorReadingTextFile);
        page = ext == QLatin1String("txt") ? TextFilePage(file, text) : text;
    } else if (ext == QLatin1String("xml")) {
        page = FacilityDocument(file);
    }
    if (page.isEmpty() || !OnShowDocument)
        OpenLocalFile(file);
    else
        OnShowDocument(caption, page);
    return true;
}

bool TFrameLinkDetails::InAttachmentFolder(const QString &file) const {
    // Resolved on disk, so neither "../" nor a link in the folder leads out of it.
    const QString target = QFileInfo(file).canonicalFilePath();
    if (target.isEmpty()) {
        // A file that is gone is shown as unreadable when it was named inside the folder.
        const QString clean = QDir::cleanPath(QFileInfo(file).absoluteFilePath());
        for (const QString &folder : FAttachmentFolders)
            if (clean.startsWith(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) + QLatin1Char('/')))
                return true;
        return false;
    }
    for (const QString &folder : FAttachmentFolders) {
        const QString root = QFileInfo(folder).canonicalFilePath();
        if (!root.isEmpty() && target.startsWith(root + QLatin1Char('/'))) return true;
    }
    return false;
}

QString TFrameLinkDetails::FacilityDocument(const QString &file) {
    const QString name = HTMLEncode(QFileInfo(file).fileName());
    QString body, error;
    // A damaged record is a message in the viewer, never an exception out of the click.
    if (!BuildFacilityPage(file, body, error))
        body = QStringLiteral("<p>") + LanguageText(LinkDetailsStr::FacilityUnreadable) + QLatin1Char(' ') +
               HTMLEncode(error) + QStringLiteral("</p>");
    return QStringLiteral("<html><head><title>") + name + QStringLiteral("</title>") +
           QStringLiteral("<style type=\"text/css\"><!-- td { align: left } th { align: left} --></style>") +
           QStringLiteral("</head><body>") + body + QStringLiteral("</body></html>");
}

void TFrameLinkDetails::OpenLocalFile(const QString &file) {
    // The view's policy for a local file (confirm, then open), without asking the panel
    // again. HandleLinkClick lets nothing escape.
    auto hook = std::exchange(HTMLViewer->OnLinkClick, nullptr);
    HTMLViewer->HandleLinkClick(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    HTMLViewer->OnLinkClick = std::move(hook);
}

QImage TFrameLinkDetails::PictureFor(const QString &source) {
    QImage image;
    if (source.toLower().endsWith(QLatin1String(".gif"))) {
        QImageReader reader(source);
        image = reader.read();
    } else if (FContentType == LinkContent::GeoAdd && FGeoAdd && FGeoAdd->GetPictureOffset() >= 0) {
        image = GeoAddPicture();
    } else {
        QString folder;
        if (FContentType == LinkContent::GeoAdd && FGeoAdd && !GeoAddsEntryGetHTML(FGeoAdd).isEmpty()) {
            const QString dbFile = GeoAddsDatabaseGetFileName(FGeoAdd->GetDatabase());
            folder = QFileInfo(dbFile).absolutePath() + QLatin1Char('/');
        }
        image = FilePicture(QFileInfo(source).isAbsolute() ? source : folder + source);
    }
    ConvertForNight(image);
    return image;
}

QImage TFrameLinkDetails::GeoAddPicture() {
    // A database that cannot be read shows the page without its picture.
    QFile file(GeoAddsDatabaseGetFileName(FGeoAdd->GetDatabase()));
    if (!file.open(QIODevice::ReadOnly) || !file.seek(FGeoAdd->GetPictureOffset())) return QImage();
    QImageReader reader(&file, "jpeg");
    return reader.read();
}

QImage TFrameLinkDetails::FilePicture(const QString &file) {
    std::unique_ptr<IBmp32, TBmp32Deleter> bmp(Bmp32Create(0, 0, 0));
    if (!bmp) return QImage();
    int32_t bitsPerPixel = 0, err = 0;
    LoadBmp32FromFile(file, bmp.get(), bitsPerPixel, err);
    return Bmp32ToImage(bmp.get());
}

void TFrameLinkDetails::ButtonNavigateToClick() {
    if (!NavigateToObject) return;
    const TGeoPoint none{0.0, 0.0};
    switch (FContentType) {
    case LinkContent::MarinaGuide:
        if (FMarinaEntry) {
            const TGeoPoint *p = FMarinaEntry->GetPosition();
            NavigateToObject(p ? *p : none, FMarinaEntry->GetWaypoint(), nullptr, 0.0);
        }
        return;
    case LinkContent::Struct:
        if (FStruct) NavigateToObject(none, nullptr, FStruct->GetSection(), FStruct->GetSectionPosition());
        return;
    case LinkContent::Notice:
    case LinkContent::Section:
        if (FSection) NavigateToObject(none, nullptr, FSection, FSectionPosition);
        return;
    case LinkContent::Waypoint:
        if (FWaypoint) {
            const TGeoPoint *p = FWaypoint->GetPosition();
            NavigateToObject(p ? *p : none, FWaypoint, nullptr, 0.0);
        }
        return;
    default:
        return;
    }
}

void TFrameLinkDetails::ButtonHelpClick() {
    if (FHelpContext > 0) GetHTMLHelper().HelpContext(FHelpContext);
}

// ---- as the main window hosts it -------------------------------------------------------

int TLinkDetailsFrameAdapter::ContentType() {
    if (!FFrame) return LinkContent::Nothing;
    const int type = FFrame->ContentType();
    return type == LinkContent::Notice || type == LinkContent::WaterReport
               ? LinkContent::FollowsUpdates
               : type;
}

void TLinkDetailsFrameAdapter::RefreshPage() {
    if (FFrame) FFrame->RefreshPage();
}

std::unique_ptr<IFrameLinkDetails> CreateFrameLinkDetails(QWidget *host, TMarivoNavEnv &env) {
    return std::make_unique<TLinkDetailsFrameAdapter>(host, env);
}
