#include "chartview/FraNavInfoGPSStatus.h"

#include "base/controls/KvControls.h"
#include "base/graphics/KvImageList.h"
#include "base/graphics/KvNightScreen.h"
#include "base/math/KvMath.h"
#include "base/registry/KvRegistry.h"
#include "base/settings/KvRegBoat.h"
#include "base/strings/KvFormatSettings.h"
#include "base/texts/KvStr.h"
#include "base/units/KvAngles.h"
#include "base/units/KvUnitsTime.h"
#include "chartview/FraNavInfoTexts.h"
#include "chartview/NavValuePanel.h"
#include "chartview/FraNavInfoWWLine.h"
#include "chartview/FrmNavEdit.h"
#include "chartview/NavPlanningTime.h"
#include "objectinfo/KvWWNetwork.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvGeodesy.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWWNetwork.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>
#include <climits>
#include <cmath>

namespace {

const QString RegKey = QStringLiteral("Desktop\\NavInfo");
const QString Dashes = QStringLiteral("---");
const QString NoPosition = QStringLiteral("- --- \u00B0  --.---'");
constexpr float NoSpeedLimit = 1E37f;

void Fill(QWidget *w, const TColor &c) {
    if (auto *panel = qobject_cast<TNavColourPanel *>(w)) panel->SetColour(&c);
}

void SetTextIfChanged(QLabel *l, const QString &text) {
    if (l->text() != text) l->setText(text);
}

// Green bars for a fix, grey for a differential-less fix, red for none: one per quality 0-3.
QImage FixSymbol(int quality) {
    QImage img(17, 13, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    const QColor colours[] = {QColor(0xD0, 0x20, 0x20), QColor(0x20, 0x90, 0x30), QColor(0x20, 0x70, 0xC0),
                              QColor(0x70, 0x40, 0xB0)};
    for (int bar = 0; bar < 4; ++bar) {
        const int h = 4 + bar * 3;
        p.fillRect(bar * 4 + 1, 13 - h, 3, h, bar <= std::max(quality, 0) ? colours[quality] : QColor(Qt::lightGray));
    }
    return img;
}

// The report-interval symbol: the channel background with a bar across, for a stretch in
// which the ship has to keep reporting on the last channel.
QImage ReportHoldSymbol(const QImage &background) {
    QImage img = background.isNull() ? QImage(48, 48, QImage::Format_ARGB32_Premultiplied) : background;
    if (background.isNull()) img.fill(QColor(0x1E, 0x6B, 0x2E));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xFF, 0xD0, 0x40), 4));
    p.drawLine(8, 40, 40, 8);
    return img;
}

// The ship sails in the section's own direction (course within half a turn of it).
bool SailsAlong(IWWSection *section, double position, IGeodeticCalibration *calibration, float course) {
    TFloat2 v{0.0f, 0.0f};
    section->GetDirection(position, calibration, v);
    const float along = ReduceAngle0F(float(Float2Angle(v)) - calibration->GetVectorAngle(TDouble2{v.X, v.Y}));
    return ReduceAngle0F(course - along) < float(M_PI);
}

IWptRoute *ExploredRoute(TMarivoNavEnv &env) {
    if (env.EditedRoute) return env.EditedRoute;
    if (env.SelectedRoute) return env.SelectedRoute;
    return env.GetActiveRoute();
}

}  // namespace

int32_t FindReportHold(const TNavRouteData &data) {
    IWptRouteObjectList *list = data.Objects;
    if (!list || data.FirstObjectAhead < 0) return 0;
    const int32_t count = list->GetCount();
    const int32_t current = std::min(data.FirstObjectAhead, count - 1);
    for (int32_t i = current; i >= 0; --i) {
        IWptRouteObject *open = list->GetItem(i);
        if (!open || open->GetKind() != WptRouteObjectKind::NoticeInterval ||
            open->GetIntervalEdge() != WptIntervalEdge::Opens)
            continue;
        const int32_t id = open->GetIntervalId();
        for (int32_t k = current; k < count; ++k) {
            IWptRouteObject *close = list->GetItem(k);
            if (close && close->GetKind() == WptRouteObjectKind::NoticeInterval &&
                close->GetIntervalEdge() == WptIntervalEdge::Closes && close->GetIntervalId() == id)
                return id;
        }
    }
    return 0;
}

QString DistanceMarkText(double markM) {
    if (markM < 0) return {};
    // Always kilometres, and the decimal cut, never rounded: the signs on the bank show
    // the mark you have passed.
    const double km = UnitConvert(markM, KvUnit::Metre, KvUnit::Kilometre);
    const int64_t tenths = int64_t(std::floor(km * 10.0 + 1e-9));
    return QStringLiteral("km ") + QString::number(tenths / 10) + LocaleFormatSettings().DecimalSeparator +
           QString::number(tenths % 10);
}

TFrameNavInfoGPSStatus::TFrameNavInfoGPSStatus(QWidget *panel, TMarivoNavEnv &env)
    : TFrameScaled(panel), Env(env), Boat(env.Boat), FPanel(panel), LastFixQuality(INT_MAX),
      ImageListGPSFix(new TImageList(17, 13, this)), ImageList48(new TImageList(48, 48, this)) {
    if (!panel->layout()) {
        auto *fill = new QVBoxLayout(panel);
        fill->setContentsMargins(0, 0, 0, 0);
    }
    panel->layout()->addWidget(this);
    for (int q = 0; q < 4; ++q) ImageListGPSFix->Add(FixSymbol(q));
    const QImage vhf = NavInfoWWVHFPicture(Env.ImagesFolder);
    ImageList48->Add(QImage(48, 48, QImage::Format_ARGB32_Premultiplied));
    ImageList48->Add(vhf);
    ImageList48->Add(ReportHoldSymbol(vhf));
    FExpanded = RegReadBoolDef(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"GPSStatusVisible"), true);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    BuildHeader(this);
    outer->addWidget(PanelGPSStatusHeader);
    PanelGPSStatus = new TNavColourPanel(this);
    PanelGPSStatus->setFixedHeight(StatusHeight);
    auto *status = new QVBoxLayout(PanelGPSStatus);
    status->setContentsMargins(0, 0, 0, 0);
    status->setSpacing(0);
    ShapeLine01 = new TNavColourPanel(PanelGPSStatus);
    ShapeLine01->setFixedHeight(1);
    status->addWidget(ShapeLine01);
    BuildNetworkRow(PanelGPSStatus);
    status->addWidget(PanelNetwork);
    BuildValuesRow(PanelGPSStatus);
    status->addWidget(PanelValues);
    BuildSatRow(PanelGPSStatus);
    status->addWidget(PanelSAT);
    outer->addWidget(PanelGPSStatus);
    outer->addStretch(1);

    NightScreenAddImageList(NightScreen(), ImageListGPSFix);
    NightScreenAddImageList(NightScreen(), ImageList48);
    connect(ImageList48, &TImageList::Changed, this, [this] {
        PaintBoxVHFSector->update();
        PaintBoxVHFReport->update();
    });
    connect(ImageListGPSFix, &TImageList::Changed, this, [this] { UpdateSatellites(LastFixQuality, true); });
    ScaleToScreen();
    UpdateTexts();
    ApplyExpanded();
    ApplyUnitSettings();
    ApplyColors();
    UpdateButtons();
}

TFrameNavInfoGPSStatus::~TFrameNavInfoGPSStatus() {
    NightScreenRemoveImageList(NightScreen(), ImageListGPSFix);
    NightScreenRemoveImageList(NightScreen(), ImageList48);
}

void TFrameNavInfoGPSStatus::BuildHeader(QWidget *parent) {
    QHBoxLayout *l = nullptr;
    PanelGPSStatusHeader = MakeNavRow(parent, HeaderHeight, l);
    l->setContentsMargins(2, 0, 2, 0);
    auto arrow = [this](Qt::ArrowType type) {
        auto *b = new QToolButton(PanelGPSStatusHeader);
        b->setArrowType(type);
        b->setAutoRaise(true);
        b->setFixedSize(13, 11);
        return b;
    };
    ButtonGPSStatusUp = arrow(Qt::UpArrow);
    ButtonGPSStatusDown = arrow(Qt::DownArrow);
    ButtonSwitchPosition = arrow(Qt::RightArrow);
    LabelGPSStatusHeader = MakeNavLabel(PanelGPSStatusHeader, 9, true);
    l->addWidget(ButtonGPSStatusUp);
    l->addWidget(ButtonGPSStatusDown);
    l->addSpacing(3);
    l->addWidget(LabelGPSStatusHeader, 1);
    l->addWidget(ButtonSwitchPosition);
    connect(ButtonGPSStatusUp, &QToolButton::clicked, this, [this] { SetExpanded(false); });
    connect(ButtonGPSStatusDown, &QToolButton::clicked, this, [this] { SetExpanded(true); });
    connect(ButtonSwitchPosition, &QToolButton::clicked, this, [this] {
        if (OnSwitchPosition) OnSwitchPosition(this);
    });
}

void TFrameNavInfoGPSStatus::BuildNetworkRow(QWidget *parent) {
    PanelNetwork = new TNavColourPanel(parent);
    PanelNetwork->setFixedHeight(65);
    auto *l = new QHBoxLayout(PanelNetwork);
    l->setContentsMargins(2, 0, 2, 0);
    l->setSpacing(2);
    auto channelBox = [this](QWidget *&panel, QWidget *&box) {
        panel = new QWidget(PanelNetwork);
        panel->setFixedWidth(48);
        box = new QWidget(panel);
        box->setGeometry(0, (65 - 48) / 2, 48, 48);
        box->installEventFilter(this);
    };
    channelBox(PanelVHFSector, PaintBoxVHFSector);
    channelBox(PanelVHFReport, PaintBoxVHFReport);
    auto *column = new QWidget(PanelNetwork);
    auto *rows = new QVBoxLayout(column);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    QHBoxLayout *r = nullptr;
    QWidget *posNetwork = MakeNavRow(column, 28, r);
    r->setContentsMargins(0, 0, 0, 0);
    LabelNetwork = MakeNavLabel(posNetwork, 16, true);
    LabelNetwork->setMinimumWidth(10);
    LabelDistanceMark = MakeNavLabel(posNetwork, 13, true);
    r->addWidget(LabelNetwork, 1);
    r->addSpacing(10);
    r->addWidget(LabelDistanceMark);
    QWidget *posSmall = MakeNavRow(column, 20, r);
    LabelPOSLatSmall = MakeNavLabel(posSmall, 13, true);
    LabelPOSLongSmall = MakeNavLabel(posSmall, 13, true);
    r->addWidget(LabelPOSLatSmall);
    r->addStretch(1);
    r->addWidget(LabelPOSLongSmall);
    QWidget *info = MakeNavRow(column, 20, r);
    r->setContentsMargins(0, 0, 0, 0);
    LabelVHFSectorName = MakeNavLabel(info, 13, true);
    LabelVMax = MakeNavLabel(info, 13, true);
    r->addWidget(LabelVHFSectorName, 1);
    r->addWidget(LabelVMax);
    rows->addWidget(posNetwork);
    rows->addWidget(posSmall);
    rows->addWidget(info);
    l->addWidget(PanelVHFSector);
    l->addWidget(column, 1);
    l->addWidget(PanelVHFReport);
}

void TFrameNavInfoGPSStatus::BuildValuesRow(QWidget *parent) {
    PanelValues = new TNavColourPanel(parent);
    PanelValues->setFixedHeight(50);
    auto *l = new QHBoxLayout(PanelValues);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(1);
    auto make = [this, l](TValuePanel &v, QLabel *&value, QLabel *&unit, const QString &caption) {
        v.Panel = new TNavColourPanel(PanelValues);
        v.Panel->setMinimumWidth(90);
        value = MakeNavLabel(v.Panel, 19, true, Dashes);
        value->setGeometry(0, 2, 60, 24);
        unit = MakeNavLabel(v.Panel, 9, false);
        unit->setAlignment(Qt::AlignTop);
        unit->setGeometry(60, 4, 30, 12);
        v.Value = value;
        v.Unit = unit;
        if (!caption.isEmpty()) {
            v.Caption = MakeNavLabel(v.Panel, 17, false, caption);
            v.Caption->setAlignment(Qt::AlignCenter);
        }
        l->addWidget(v.Panel, 1);
        v.Panel->installEventFilter(this);
    };
    make(PanelSOG, LabelSOGValue, LabelSOGUnit, QStringLiteral("SOG"));
    make(PanelDOG, LabelDOGValue, LabelDOGUnit, {});
    make(PanelCOG, LabelCOGValue, LabelCOGUnit, QStringLiteral("COG"));
    LabelCOGUnit->setText(QStringLiteral("\u00B0"));
    ButtonDOG = new QToolButton(PanelDOG.Panel);
    ButtonDOG->setText(QStringLiteral("DOG"));
    QFont f = ButtonDOG->font();
    f.setPixelSize(13);
    f.setBold(true);
    ButtonDOG->setFont(f);
    connect(ButtonDOG, &QToolButton::clicked, this, [this] { CorrectDistance(); });
}

void TFrameNavInfoGPSStatus::BuildSatRow(QWidget *parent) {
    QHBoxLayout *l = nullptr;
    PanelSAT = MakeNavRow(parent, 16, l);
    ImageStatusGPSFix = new QLabel(PanelSAT);
    ImageStatusGPSFix->setFixedSize(22, 16);
    LabelSatStatus = MakeNavLabel(PanelSAT, 11, true, QStringLiteral("SAT "));
    LabelSatStatusInUseValue = MakeNavLabel(PanelSAT, 11, true, Dashes);
    LabelSatStatusInUse = MakeNavLabel(PanelSAT, 11, false);
    LabelSatStatusInViewValue = MakeNavLabel(PanelSAT, 11, true, Dashes);
    LabelSatStatusInView = MakeNavLabel(PanelSAT, 11, false);
    LabelSatStatusHDOP = MakeNavLabel(PanelSAT, 11, true);
    LabelSatStatusHDOPUnit = MakeNavLabel(PanelSAT, 11, false, QStringLiteral(" m "));
    for (QWidget *w : {static_cast<QWidget *>(ImageStatusGPSFix), static_cast<QWidget *>(LabelSatStatus),
                       static_cast<QWidget *>(LabelSatStatusInUseValue), static_cast<QWidget *>(LabelSatStatusInUse),
                       static_cast<QWidget *>(LabelSatStatusInViewValue), static_cast<QWidget *>(LabelSatStatusInView)})
        l->addWidget(w);
    l->addStretch(1);
    l->addWidget(LabelSatStatusHDOP);
    l->addWidget(LabelSatStatusHDOPUnit);
}

void TFrameNavInfoGPSStatus::SetPanel(QWidget *panel) {
    if (panel == FPanel) return;
    FPanel = panel;
    if (!panel->layout()) {
        auto *fill = new QVBoxLayout(panel);
        fill->setContentsMargins(0, 0, 0, 0);
    }
    setParent(panel);
    panel->layout()->addWidget(this);
    show();
}

void TFrameNavInfoGPSStatus::UpdateTexts() {
    LabelGPSStatusHeader->setText(LanguageText(NavInfoText::GPSHeader));
    ButtonSwitchPosition->setToolTip(LanguageText(NavInfoText::SwitchHint));
    UpdateValues(false, nullptr);
}

void TFrameNavInfoGPSStatus::ApplyUnitSettings() {
    UnitDepth = Env.UnitDepth;
    UnitDistanceLarge = Env.UnitDistanceLarge;
    UnitDistanceSmall = Env.UnitDistanceSmall;
    UnitSpeed = Env.UnitSpeed;
    UpdateValues(false, nullptr);
}

void TFrameNavInfoGPSStatus::ApplyColors() {
    Fill(PanelGPSStatus, NavPanelHeaderColor);
    Fill(PanelGPSStatusHeader, NavPanelHeaderColor);
    for (QWidget *w : {PanelNetwork, PanelSAT}) Fill(w, NavPanelInfoColor);
    for (QWidget *w : {PanelValues, PanelCOG.Panel, PanelDOG.Panel, PanelSOG.Panel}) Fill(w, NavPanelColor);
    Fill(ShapeLine01, NavPanelLineColor);
}

void TFrameNavInfoGPSStatus::UpdateButtons() {
    ButtonDOG->setVisible(Boat != nullptr);
    ButtonSwitchPosition->setVisible(true);
}

void TFrameNavInfoGPSStatus::SetExpanded(bool expanded) {
    FExpanded = expanded;
    ApplyExpanded();
}

void TFrameNavInfoGPSStatus::ApplyExpanded() {
    ButtonGPSStatusDown->setVisible(!FExpanded);
    ButtonGPSStatusUp->setVisible(FExpanded);
    PanelGPSStatus->setVisible(FExpanded);
    const int height = HeaderHeight + (FExpanded ? StatusHeight : 0);
    FPanel->setFixedHeight(height * ScreenDpi() / 96);
    int32_t error = 0;
    RegWriteBool(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"GPSStatusVisible"), FExpanded, error);
    if (OnHeightChanged) OnHeightChanged(this);
}

TFrameNavInfoGPSStatus::TSource TFrameNavInfoGPSStatus::PredictedSource() {
    TSource s;
    s.Predicted = true;
    IWptRouteSchedule *schedule = ExploredRoute(Env)->GetSchedule();
    const TDateTime at = Env.PredictedTime->GetTime();
    if (!schedule || !schedule->FillNavData(Prediction, at)) {
        // No plan at that time: no section at all, motion and fix live.
        s.Predicted = false;
        return s;
    }
    if (Prediction.NetworkPosition) s.Section = Prediction.NetworkPosition->GetSection();
    s.Position = Prediction.SectionPosition;
    if (Prediction.DirectionFrom && Prediction.DirectionTo)
        s.Direction = Prediction.DirectionFrom->GetPosition() < Prediction.DirectionTo->GetPosition();
    TMotion motion;
    schedule->FillMotionData(motion, 0, 0, nullptr, 0, at, 1);
    s.Course = motion.CourseRad;
    s.Speed = motion.SpeedMS;
    FReportHold = FindReportHold(Prediction);
    return s;
}

TFrameNavInfoGPSStatus::TSource TFrameNavInfoGPSStatus::LiveSource() {
    TSource s;
    FReportHold = 0;
    s.Section = Boat->GetWaterwayObject();
    s.Position = Boat->GetWaterwayObjectPosition();
    // The last calibration passed in, not only this call's: a refresh without one (a
    // language switch, the own ship's callback) must not flip the report channel.
    INavBoatState *state = Boat->GetState();
    if (FCalibration && s.Section && state)
        s.Direction = SailsAlong(s.Section, s.Position, FCalibration, state->GetVAbsAngle());
    return s;
}

void TFrameNavInfoGPSStatus::UpdateValues(bool force, IGeodeticCalibration *calibration) {
    if (calibration) FCalibration = calibration;
    if (!Boat) return;
    TSource s;
    IWptRoute *explored = Env.RouteExploreMode ? ExploredRoute(Env) : nullptr;
    if (explored && explored->GetPointCount() > 0 && Env.PredictedTime &&
        Env.PredictedTime->GetTimeOffset() > 0)
        s = PredictedSource();
    else
        s = LiveSource();
    UpdateChannels(s);
    UpdateWaterwayRows(s);
    int32_t quality = 0;
    INavBoatGPS *gps = Boat->GetGPS();
    if (!(gps && gps->GetFixQuality(quality)) && !s.Predicted) quality = 0;
    const QColor text = TColorToColor(quality != 0 ? NavTextFixColor : NavTextNoFixColor);
    for (QLabel *l : {LabelPOSLatSmall, LabelPOSLongSmall, LabelNetwork, LabelDistanceMark, LabelVMax,
                      LabelVHFSectorName})
        SetNavTextColour(l, text);
    TGeoPoint p;
    QString lat = NoPosition, lon = NoPosition;
    if (Boat->GetPosition(p)) {
        const int decimals = DefAngleDecimalsFor(Env.PositionFormat);
        auto letter = [](const TLanguageStrings &t) {
            const QString s = LanguageText(t);
            return s.isEmpty() ? QChar() : s.at(0);
        };
        AngleToStr1(decimals, letter(KvStr::CompassPointN), letter(KvStr::CompassPointS), p.Lat,
                    Env.PositionFormat, 1, 1, lat);
        AngleToStr1(decimals, letter(KvStr::CompassPointE), letter(KvStr::CompassPointW), p.Lon,
                    Env.PositionFormat, 2, 1, lon);
    }
    SetTextIfChanged(LabelPOSLatSmall, lat);
    SetTextIfChanged(LabelPOSLongSmall, lon);
    UpdateMotion(s);
    UpdateSatellites(quality, force);
}

void TFrameNavInfoGPSStatus::UpdateChannels(const TSource &s) {
    int32_t channel = -1;
    QString callSign;
    if (s.Section && WWSectionGetVHFSectorChannel(s.Section, channel, callSign, s.Position)) {
        FSectorChannel = channel;
        FSectorCallSign = callSign;
        PanelVHFSector->show();
        PaintBoxVHFSector->setToolTip(callSign);
        SetTextIfChanged(LabelVHFSectorName, QStringLiteral("VHF ") + callSign);
    } else {
        FSectorChannel = -1;
        FSectorCallSign.clear();
        PaintBoxVHFSector->setToolTip({});
        PanelVHFSector->hide();
        LabelVHFSectorName->clear();
    }
    channel = -1;
    callSign.clear();
    if (s.Section && WWSectionGetVHFReportChannel(s.Section, s.Direction ? 1 : 0, channel, callSign, s.Position)) {
        FReportChannel = channel;
        FReportCallSign = callSign;
        PanelVHFReport->show();
        PaintBoxVHFReport->setToolTip(callSign);
    } else {
        FReportChannel = -1;
        FReportCallSign.clear();
        if (FReportHold == 0) {
            PaintBoxVHFReport->setToolTip({});
            PanelVHFReport->hide();
        }
    }
    PaintBoxVHFSector->update();
    PaintBoxVHFReport->update();
}

void TFrameNavInfoGPSStatus::UpdateWaterwayRows(const TSource &s) {
    if (!s.Section) {
        LabelNetwork->parentWidget()->hide();
        LabelVHFSectorName->parentWidget()->hide();
        return;
    }
    LabelNetwork->parentWidget()->show();
    LabelVHFSectorName->parentWidget()->show();
    const float vmax = s.Section->GetSpeedLimit(s.Position);
    LabelVMax->setVisible(vmax != NoSpeedLimit);
    if (vmax != NoSpeedLimit)
        SetTextIfChanged(LabelVMax, QStringLiteral("Vmax: ") +
                                        QString::number(UnitConvert(vmax, KvUnit::MetrePerSecond, UnitSpeed), 'f', 0) +
                                        UnitToStr(UnitSpeed));
    const QString name = WWSectionGetName(s.Section);
    SetTextIfChanged(LabelNetwork, name);
    LabelNetwork->setToolTip(name);
    const QString mark = DistanceMarkText(s.Section->GetDistanceMark(s.Position));
    LabelDistanceMark->setVisible(!mark.isEmpty());
    SetTextIfChanged(LabelDistanceMark, mark);
}

void TFrameNavInfoGPSStatus::UpdateMotion(const TSource &s) {
    float course = s.Course, speed = s.Speed;
    bool valid = s.Predicted;
    INavBoatState *state = Boat->GetState();
    if (!s.Predicted && state) {
        valid = Boat->IsValueValid(NavBoat::ValueCourseAndSpeed);
        course = state->GetVAbsAngle();
        speed = state->GetVAbsLength();
    }
    QString cog = Dashes, sog = Dashes;
    if (valid) {
        AngleToStr2(0, 3, 1, course, cog);
        sog = FloatToStrFixed(UnitConvert(speed, KvUnit::MetrePerSecond, UnitSpeed), 15, 1, LocaleFormatSettings());
    }
    LabelCOGValue->setText(cog);
    LabelSOGValue->setText(sog);
    LabelSOGUnit->setText(UnitToStr(UnitSpeed));
    QString value, unit;
    FormatDistanceA(UnitDistanceLarge, UnitDistanceSmall, value, unit, Boat->GetDistanceOverGround());
    LabelDOGValue->setText(value);
    LabelDOGUnit->setText(unit);
    for (QLabel *l : {LabelSOGValue, LabelSOGUnit, LabelCOGValue, LabelCOGUnit, LabelDOGValue, LabelDOGUnit})
        l->resize(l->sizeHint().width(), l->height());
    PanelDOG.Button = nullptr;
    LayoutValuePanel(PanelSOG, false, valid, 0);
    LayoutValuePanel(PanelCOG, false, valid, 0);
    LayoutValuePanel(PanelDOG, false, true, 0);
}

void TFrameNavInfoGPSStatus::UpdateSatellites(int32_t quality, bool force) {
    if ((quality != LastFixQuality || force) && quality >= 0 && quality <= 3) {
        FFixImage = quality;
        ImageStatusGPSFix->setPixmap(ImageListGPSFix->Pixmap(quality));
    }
    LastFixQuality = quality;
    INavBoatGPS *gps = Boat ? Boat->GetGPS() : nullptr;
    int32_t used = 0, inView = 0;
    float hdop = 0.0f;
    LabelSatStatusInUse->setText(u' ' + LanguageText(NavInfoText::Used) + u' ');
    LabelSatStatusInView->setText(u' ' + LanguageText(NavInfoText::InView) + u' ');
    LabelSatStatusInUseValue->setText(gps && gps->GetSatsUsed(used) ? QString::number(used) : Dashes);
    LabelSatStatusInViewValue->setText(gps && gps->GetSatsInView(inView) ? QString::number(inView) : Dashes);
    LabelSatStatusHDOP->setText(QStringLiteral("hdop ") +
                                (gps && gps->GetHDOP(hdop) ? FloatToStrFixed(hdop, 15, 1, LocaleFormatSettings()) : Dashes));
}

void TFrameNavInfoGPSStatus::CorrectDistance() {
    if (!Boat) return;
    double distance = Boat->GetDistanceOverGround();
    const double before = distance;
    float angle = 0.0f, speed = 0.0f;
    if (!TFormNavEdit::Execute(QStringLiteral("DOG"), angle, TFormNavEdit::FlagDistance, UnitDistanceLarge,
                               UnitSpeed, distance, speed))
        return;
    // A plain OK must not touch a large total: write only what the user changed.
    if (distance != before) {
        Boat->SetDistanceOverGround(distance);
        RegWriteDOGTotal(Boat->GetDistanceOverGround());
    }
    if (OnDistanceChanged) OnDistanceChanged(this);
    UpdateValues(false, nullptr);
}

void TFrameNavInfoGPSStatus::PaintChannel(QWidget *box, int channel, bool hold) {
    QPainter p(box);
    const int index = channel >= 0 ? 1 : (hold ? 2 : -1);
    if (index < 0) return;
    const QImage image = ImageList48->Image(index);
    const QRect area((box->width() - image.width()) / 2, (box->height() - image.height()) / 2, image.width(),
                     image.height());
    p.drawImage(area.topLeft(), image);
    if (channel < 0) return;
    const QString number = QString::number(channel);
    p.setFont(QFont(QStringLiteral("Arial")));
    const int vhf = FontSizeToFit(p, QStringLiteral("VHF"), 30);
    const int size = std::min(vhf, FontSizeToFit(p, number, 30));
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(size);
    p.setFont(font);
    p.setPen(Qt::black);
    const int textHeight = QFontMetrics(font, box).height();
    p.drawText(QRect(area.left(), area.top() + (area.height() - 2 * textHeight) / 2, area.width(), 2 * textHeight),
               Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("VHF\n") + number);
}

bool TFrameNavInfoGPSStatus::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Paint) {
        if (watched == PaintBoxVHFSector) {
            if (FSectorChannel >= 0) PaintChannel(PaintBoxVHFSector, FSectorChannel, false);
            return true;
        }
        if (watched == PaintBoxVHFReport) {
            PaintChannel(PaintBoxVHFReport, FReportChannel, FReportHold != 0);
            return true;
        }
    }
    if (event->type() == QEvent::Resize) {
        // The DOG button sits under the value, where the other panels have their caption.
        for (TValuePanel *v : {&PanelSOG, &PanelDOG, &PanelCOG})
            if (watched == v->Panel) {
                const int w = v->Panel->width();
                if (v->Caption) v->Caption->setGeometry(0, 28, w, 20);
                if (v == &PanelDOG) ButtonDOG->setGeometry((w - 60) / 2, 28, 60, 19);
                LayoutValuePanel(*v, false, v == &PanelDOG || LabelSOGValue->text() != Dashes, 0);
            }
    }
    return TFrameScaled::eventFilter(watched, event);
}
