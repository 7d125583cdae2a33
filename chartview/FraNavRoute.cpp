#include "chartview/FraNavRoute.h"

#include "base/controls/KvControls.h"
#include "base/graphics/KvImageList.h"
#include "base/graphics/KvNightScreen.h"
#include "base/kvlib/KvExceptions.h"
#include "base/kvlib/KvLib.h"
#include "base/graphics/KvGraphics.h"
#include "base/registry/KvRegistry.h"
#include "base/units/KvUnitsTime.h"
#include "base/waypoints/KvWaypoints.h"
#include "chartview/FraNavInfoRouteBase.h"
#include "chartview/FraNavInfoTexts.h"
#include "chartview/FraNavInfoWWTexts.h"
#include "chartview/FraNavRouteObjects.h"
#include "chartview/FraNavRouteTexts.h"
#include "chartview/NavXTEAlarm.h"
#include "shell/MarivoColors.h"
#include "shell/MarivoImages.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvPlanner.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWaypoints.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QImageReader>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString RegKey = QStringLiteral("Desktop\\FloatWindowNavRoute");
constexpr int DestinationHeight = 20, ValuesHeight = 70, SectionHeight = 20, TORHeight = 25;
constexpr int TTGHeight = 25, XTEHeight = 50, NextHeight = 56, NextDateHeight = 16, NextInfoHeight = 110,
              NetworkXTEHeight = 50;

QToolButton *DropButton(QWidget *parent) {
    auto *b = new QToolButton(parent);
    b->setArrowType(Qt::DownArrow);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setFixedHeight(19);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont f = b->font();
    f.setPixelSize(9);
    f.setBold(true);
    b->setFont(f);
    return b;
}

// The list behind a drop-down button: it only drops down from the button.
QComboBox *HiddenCombo(QWidget *parent) {
    auto *c = new QComboBox(parent);
    c->setFixedSize(1, 1);
    return c;
}

QToolButton *SmallButton(QWidget *parent, Qt::ArrowType arrow, int w, int h) {
    auto *b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setFixedSize(w, h);
    return b;
}

QWidget *Stack(QWidget *parent, int height, QVBoxLayout *&rows) {
    auto *w = new QWidget(parent);
    w->setFixedHeight(height);
    rows = new QVBoxLayout(w);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    return w;
}

// A box painted by the window's event filter.
QWidget *PaintBox(QWidget *parent, QObject *filter, int w, int h) {
    auto *b = new QWidget(parent);
    if (w > 0) b->setFixedWidth(w);
    if (h > 0) b->setFixedHeight(h);
    b->installEventFilter(filter);
    return b;
}

// The route table's symbols of route objects, in the numbering of RouteNodeGetIconIndex.
void FillRouteObjectSymbols(TImageList &list, const QString &folder) {
    constexpr int Count = 23, Size = 32;
    for (int i = 0; i < Count; ++i) {
        QImageReader reader(folder + QStringLiteral("rtenode%1.svg").arg(i));
        reader.setScaledSize(QSize(Size, Size));
        QImage image = reader.read();
        if (image.isNull()) {
            image = QImage(Size, Size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
        }
        list.Add(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
}

}  // namespace

TFrameNavRoute::TFrameNavRoute(QDockWidget *panel, TMarivoNavEnv &env)
    : TFrameScaled(panel), Env(env), FPanel(panel), FDock(panel, this), FAlarm(SharedXTEAlarm(env)),
      ImageList(new TImageList(32, 32, this)), ImageListVHF(new TImageList(48, 48, this)) {
    FillRouteObjectSymbols(*ImageList, Env.ImagesFolder);
    ImageListVHF->Add(NavInfoWWVHFPicture(Env.ImagesFolder));
    NightScreenAddImageList(NightScreen(), ImageList);
    NightScreenAddImageList(NightScreen(), ImageListVHF);
    FDock.OnDockChanged = [this] { UpdateLayout(); };
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    PanelBorder = new TNavColourPanel(this);
    outer->addWidget(PanelBorder);
    auto *border = new QVBoxLayout(PanelBorder);
    border->setContentsMargins(Border, Border, Border, Border);
    PanelContents = new TNavColourPanel(PanelBorder);
    auto *contents = new QVBoxLayout(PanelContents);
    contents->setContentsMargins(0, 0, 0, 0);
    contents->setSpacing(0);
    border->addWidget(PanelContents);
    border->addStretch(1);
    BuildDetail1();
    BuildDetail2();
    BuildNetwork();
    BuildOverview();
    for (QWidget *w : {PanelDetail1Header, PanelDetail1, PanelDetail2Header, PanelDetail2Open, PanelDetail2Network,
                       PanelDetail4Header, PanelDetail4, PanelDetail3Header})
        contents->addWidget(w);
    connect(FAlarm.get(), &TNavXTEAlarm::Changed, this, [this] {
        PaintBoxXTE->update();
        PaintBoxNetworkXTE->update();
    });
    Detail1Visible = RegReadBoolDef(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"Detail1Visible"), true);
    Detail2Visible = RegReadBoolDef(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"Detail2Visible"), true);
    Detail4Visible = RegReadBoolDef(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"Detail4Visible"), true);
    // A window made while a route is followed shows it at once.
    if (INavRouteNavigation *rn = Env.GetRouteNavigation()) Route = rn->GetRoute();
    ScaleToScreen();
    UpdateTexts();
    FillPointList();
    UpdateLayout();
    ApplyUnitSettings();
    ApplyColors();
    UpdateButtons();
    if (Env.CoreEnv) {
        Env.CoreEnv->GetDispatcher()->Subscribe(&TFrameNavRoute::NotificationProc, this);
        FSubscribed = true;
    }
}

TFrameNavRoute::~TFrameNavRoute() {
    if (FSubscribed) Env.CoreEnv->GetDispatcher()->Unsubscribe(&TFrameNavRoute::NotificationProc, this);
    NightScreenRemoveImageList(NightScreen(), ImageList);
    NightScreenRemoveImageList(NightScreen(), ImageListVHF);
}

QLabel *TFrameNavRoute::Label(QWidget *parent, const char *name, int pixels, bool bold, const QString &text) {
    QLabel *l = MakeNavLabel(parent, pixels, bold, text);
    l->setObjectName(QLatin1String(name));
    return l;
}

QWidget *TFrameNavRoute::MakeHeader(const char *name, QLabel *&caption, QToolButton *&collapse, QHBoxLayout *&layout) {
    auto *header = new QWidget(PanelContents);
    header->setObjectName(QLatin1String(name));
    header->setFixedHeight(HeaderHeight);
    layout = new QHBoxLayout(header);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(4);
    if (collapse) {
        collapse = new QToolButton(header);
        collapse->setAutoRaise(true);
        collapse->setFixedSize(15, 15);
        layout->addWidget(collapse);
    }
    caption = Label(header, "Caption", 9, true);
    layout->addWidget(caption);
    return header;
}

void TFrameNavRoute::BuildDetail1() {
    QHBoxLayout *h = nullptr;
    ButtonDetail1Collapse = reinterpret_cast<QToolButton *>(1);
    PanelDetail1Header = MakeHeader("PanelDetail1Header", LabelDetail1, ButtonDetail1Collapse, h);
    ComboBoxRoute = HiddenCombo(PanelDetail1Header);
    ButtonComboRoute = DropButton(PanelDetail1Header);
    h->addWidget(ButtonComboRoute, 1);
    h->addWidget(ComboBoxRoute);
    QVBoxLayout *rows = nullptr;
    PanelDetail1 = Stack(PanelContents, 0, rows);
    QWidget *destination = MakeNavRow(PanelDetail1, DestinationHeight, h);
    LabelDestination = Label(destination, "LabelDestination", 12, false);
    LabelDestinationValue = Label(destination, "LabelDestinationValue", 12, true);
    LabelDestinationValue->setMinimumWidth(10);
    LabelTTGt = Label(destination, "LabelTTGt", 12, false, QStringLiteral(" TTGt : "));
    LabelTTGtValue = Label(destination, "LabelTTGtValue", 12, true, NavRouteText::Dashes);
    h->addWidget(LabelDestination);
    h->addWidget(LabelDestinationValue, 1);
    h->addWidget(LabelTTGt);
    h->addWidget(LabelTTGtValue);
    rows->addWidget(destination);
    TNavValuePanelShape shape, alone;
    alone.WithUnit = false;
    rows->addWidget(MakeNavValueRow(PanelDetail1, ValuesHeight,
                                    {{&PanelDTGTotal, shape, QStringLiteral("DTGt")},
                                     {&PanelFuelTotal, shape, QStringLiteral("FUEL")},
                                     {&PanelETA, alone, QStringLiteral("ETA")}}));
    PanelDetail1SectionGroup = MakeNavRow(PanelDetail1, SectionHeight, h);
    LabelSectionCurrent = Label(PanelDetail1SectionGroup, "LabelSectionCurrent", 12, true);
    LabelMaxSpeed = Label(PanelDetail1SectionGroup, "LabelMaxSpeed", 12, false);
    h->addWidget(LabelSectionCurrent, 1);
    h->addWidget(LabelMaxSpeed);
    rows->addWidget(PanelDetail1SectionGroup);
    QWidget *tor = MakeNavRow(PanelDetail1, TORHeight, h);
    LabelToR = Label(tor, "LabelToR", 12, false, QStringLiteral(" TonR: "));
    LabelToRValue = Label(tor, "LabelToRValue", 12, true, NavRouteText::Dashes);
    LabelDOG = Label(tor, "LabelDOG", 12, false, QStringLiteral(" DOG: "));
    LabelDOGValue = Label(tor, "LabelDOGValue", 12, true, NavRouteText::Dashes);
    h->addWidget(LabelToR);
    h->addWidget(LabelToRValue);
    h->addStretch(1);
    h->addWidget(LabelDOG);
    h->addWidget(LabelDOGValue);
    rows->addWidget(tor);
    connect(ButtonComboRoute, &QToolButton::pressed, ComboBoxRoute, &QComboBox::showPopup);
    connect(ComboBoxRoute, &QComboBox::activated, this, &TFrameNavRoute::ChooseRoute);
    connect(ButtonDetail1Collapse, &QToolButton::clicked, this, [this] { SetDetailVisible(1, !Detail1Visible); });
}

void TFrameNavRoute::BuildDetail2() {
    QHBoxLayout *h = nullptr;
    ButtonDetail2Collapse = reinterpret_cast<QToolButton *>(1);
    PanelDetail2Header = MakeHeader("PanelDetail2Header", LabelDetail2, ButtonDetail2Collapse, h);
    ComboBoxRoutePoint = HiddenCombo(PanelDetail2Header);
    ButtonComboRoutePoint = DropButton(PanelDetail2Header);
    ButtonWPPrev = SmallButton(PanelDetail2Header, Qt::LeftArrow, 23, 19);
    ButtonWPNext = SmallButton(PanelDetail2Header, Qt::RightArrow, 23, 19);
    h->addWidget(ButtonWPPrev);
    h->addWidget(ButtonComboRoutePoint, 1);
    h->addWidget(ComboBoxRoutePoint);
    h->addWidget(ButtonWPNext);
    QVBoxLayout *rows = nullptr;
    PanelDetail2Open = Stack(PanelContents, ValuesHeight + TTGHeight + XTEHeight, rows);
    TNavValuePanelShape shape;
    shape.WithFooter = false;
    TNavValuePanelShape top = shape;
    top.UnitAtTop = true;
    rows->addWidget(MakeNavValueRow(PanelDetail2Open, ValuesHeight,
                                    {{&PanelVMG, shape, QStringLiteral("VMG")},
                                     {&PanelDTG, shape, QStringLiteral("DTG")},
                                     {&PanelCTS, top, QStringLiteral("CTS")}}));
    PanelCTS.Unit->setText(QStringLiteral("\u00BA"));
    QWidget *ttg = MakeNavRow(PanelDetail2Open, TTGHeight, h);
    LabelTTG = Label(ttg, "LabelTTG", 12, false, QStringLiteral(" Time to go: "));
    LabelTTGValue = Label(ttg, "LabelTTGValue", 12, true, NavRouteText::Dashes);
    h->addWidget(LabelTTG);
    h->addWidget(LabelTTGValue);
    h->addStretch(1);
    rows->addWidget(ttg);
    QVBoxLayout *xteRows = nullptr;
    QWidget *xte = Stack(PanelDetail2Open, XTEHeight, xteRows);
    xteRows->setContentsMargins(5, 5, 5, 0);
    PaintBoxXTE = PaintBox(xte, this, 0, 20);
    xteRows->addWidget(PaintBoxXTE);
    QWidget *xteLabels = MakeNavRow(xte, 20, h);
    LabelXTEWidth = Label(xteLabels, "LabelXTEWidth", 12, false, QStringLiteral("width: "));
    LabelXTEWidthValue = Label(xteLabels, "LabelXTEWidthValue", 12, true);
    LabelXTE = Label(xteLabels, "LabelXTE", 12, false, QStringLiteral(" XTE: "));
    LabelXTEValue = Label(xteLabels, "LabelXTEValue", 12, true);
    h->addWidget(LabelXTEWidth);
    h->addWidget(LabelXTEWidthValue);
    h->addStretch(1);
    h->addWidget(LabelXTE);
    h->addWidget(LabelXTEValue);
    xteRows->addWidget(xteLabels);
    rows->addWidget(xte);
    connect(ButtonComboRoutePoint, &QToolButton::pressed, this, [this] {
        if (Route && Navigation() && !Route->IsReadOnly()) ComboBoxRoutePoint->showPopup();
    });
    connect(ComboBoxRoutePoint, &QComboBox::activated, this, &TFrameNavRoute::ChoosePoint);
    connect(ButtonWPPrev, &QToolButton::clicked, this, [this] { StepPoint(false); });
    connect(ButtonWPNext, &QToolButton::clicked, this, [this] { StepPoint(true); });
    connect(ButtonDetail2Collapse, &QToolButton::clicked, this, [this] { SetDetailVisible(2, !Detail2Visible); });
}

void TFrameNavRoute::BuildNetwork() {
    QVBoxLayout *rows = nullptr;
    PanelDetail2Network = Stack(PanelContents, 0, rows);
    QHBoxLayout *h = nullptr;
    auto *next = new TNavColourPanel(PanelDetail2Network);
    next->SetColour(&NavPanelColor);
    next->setFixedHeight(NextHeight);
    h = new QHBoxLayout(next);
    h->setContentsMargins(4, 4, 4, 4);
    PaintBoxNextIcon = PaintBox(next, this, 36, 0);
    LabelNextName = Label(next, "LabelNextName", 13, true);
    auto *figures = new QWidget(next);
    auto *fig = new QVBoxLayout(figures);
    fig->setContentsMargins(0, 0, 0, 0);
    fig->setSpacing(0);
    auto *dtgRow = new QHBoxLayout;
    LabelNextDTG = Label(figures, "LabelNextDTG", 16, true);
    LabelNextDTGUnit = Label(figures, "LabelNextDTGUnit", 11, false);
    dtgRow->addWidget(LabelNextDTG);
    dtgRow->addWidget(LabelNextDTGUnit);
    dtgRow->addStretch(1);
    fig->addLayout(dtgRow);
    auto *timeRow = new QHBoxLayout;
    LabelTTGValueNetwork = Label(figures, "LabelTTGValueNetwork", 11, false);
    LabelNextETA = Label(figures, "LabelNextETA", 11, true);
    timeRow->setSpacing(8);
    timeRow->addWidget(LabelTTGValueNetwork);
    timeRow->addStretch(1);
    timeRow->addWidget(LabelNextETA);
    fig->addLayout(timeRow);
    PaintBoxNextVHF = PaintBox(next, this, 48, 48);
    h->addWidget(PaintBoxNextIcon);
    h->addWidget(LabelNextName, 1);
    h->addWidget(figures);
    h->addWidget(PaintBoxNextVHF);
    rows->addWidget(next);
    QWidget *dateRow = MakeNavRow(PanelDetail2Network, NextDateHeight, h);
    LabelNextETADate = Label(dateRow, "LabelNextETADate", 10, false);
    h->addStretch(1);
    h->addWidget(LabelNextETADate);
    rows->addWidget(dateRow);
    auto *info = new QWidget(PanelDetail2Network);
    info->setFixedHeight(NextInfoHeight);
    h = new QHBoxLayout(info);
    h->setContentsMargins(4, 2, 4, 2);
    PaintBoxNextStructure = PaintBox(info, this, 140, 100);
    LabelIndicationProperties = Label(info, "LabelIndicationProperties", 11, false);
    LabelIndicationProperties->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelIndicationProperties->setWordWrap(true);
    auto *side = new QVBoxLayout;
    PaintBoxOperationNeeded = PaintBox(info, this, 25, 25);
    ButtonStructureAllInfo = new QPushButton(info);
    side->addWidget(PaintBoxOperationNeeded, 0, Qt::AlignRight);
    side->addStretch(1);
    side->addWidget(ButtonStructureAllInfo);
    h->addWidget(PaintBoxNextStructure);
    h->addWidget(LabelIndicationProperties, 1);
    h->addLayout(side);
    rows->addWidget(info);
    QVBoxLayout *xteRows = nullptr;
    PanelNetworkXTE = Stack(PanelDetail2Network, NetworkXTEHeight, xteRows);
    xteRows->setContentsMargins(5, 5, 5, 0);
    PaintBoxNetworkXTE = PaintBox(PanelNetworkXTE, this, 0, 20);
    xteRows->addWidget(PaintBoxNetworkXTE);
    QWidget *labels = MakeNavRow(PanelNetworkXTE, 20, h);
    ComboPathWidth = HiddenCombo(labels);
    for (int w : PathWidths) ComboPathWidth->addItem(QString::number(w));
    ButtonComboPathWidth = DropButton(labels);
    ButtonComboPathWidth->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    LabelNetworkCTS = Label(labels, "LabelNetworkCTS", 12, false);
    LabelNetworkXTEValue = Label(labels, "LabelNetworkXTEValue", 12, true);
    h->addWidget(ButtonComboPathWidth);
    h->addWidget(ComboPathWidth);
    h->addStretch(1);
    h->addWidget(LabelNetworkCTS);
    h->addWidget(Label(labels, "LabelNetworkXTE", 12, false, QStringLiteral(" XTE: ")));
    h->addWidget(LabelNetworkXTEValue);
    xteRows->addWidget(labels);
    rows->addWidget(PanelNetworkXTE);
    connect(ButtonComboPathWidth, &QToolButton::pressed, ComboPathWidth, &QComboBox::showPopup);
    connect(ComboPathWidth, &QComboBox::activated, this, &TFrameNavRoute::ChoosePathWidth);
    connect(ButtonStructureAllInfo, &QPushButton::clicked, this, [this] {
        IWptRouteStructPassage *passage =
            FNext && FNext->GetKind() == WptRouteObjectKind::Structure ? FNext->GetStructPassage() : nullptr;
        if (Navigation() && passage && OnShowObjectDetails)
            OnShowObjectDetails(nullptr, passage->GetStruct(), true, true, 0, nullptr, 0, 0, false);
    });
}

void TFrameNavRoute::BuildOverview() {
    QHBoxLayout *h = nullptr;
    ButtonDetail4Collapse = reinterpret_cast<QToolButton *>(1);
    PanelDetail4Header = MakeHeader("PanelDetail4Header", LabelDetail4, ButtonDetail4Collapse, h);
    PanelDetail4 = new QWidget(PanelContents);
    PanelDetail4->setFixedHeight(ListHeight);
    h = new QHBoxLayout(PanelDetail4);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(0);
    FList = new QListView(PanelDetail4);
    FModel = new TNavRouteObjectModel(FList);
    FDelegate = new TNavRouteObjectDelegate(*ImageList, *ImageListVHF, FList);
    FList->setModel(FModel);
    FList->setItemDelegate(FDelegate);
    FList->setUniformItemSizes(true);
    FList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FList->setSelectionMode(QAbstractItemView::SingleSelection);
    FList->setFocusPolicy(Qt::NoFocus);
    FList->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    auto *buttons = new TNavColourPanel(PanelDetail4);
    buttons->setObjectName(QStringLiteral("PanelListviewButtons"));
    auto *col = new QVBoxLayout(buttons);
    col->setContentsMargins(2, 2, 2, 2);
    ButtonScrollPrev = SmallButton(buttons, Qt::UpArrow, 24, 40);
    ButtonScrollCurrent = SmallButton(buttons, Qt::NoArrow, 24, 40);
    ButtonScrollCurrent->setText(QStringLiteral("\u25CF"));
    ButtonScrollCurrent->setCheckable(true);
    ButtonScrollNext = SmallButton(buttons, Qt::DownArrow, 24, 40);
    col->addWidget(ButtonScrollPrev);
    col->addWidget(ButtonScrollCurrent);
    col->addWidget(ButtonScrollNext);
    h->addWidget(FList, 1);
    h->addWidget(buttons);
    QLabel *dummy = nullptr;
    QToolButton *none = nullptr;
    PanelDetail3Header = MakeHeader("PanelDetail3Header", LabelDetail3, none, h);
    LabelPrevWaypoint = Label(PanelDetail3Header, "LabelPrevWaypoint", 9, true);
    LabelPrevWaypoint->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    h->addWidget(LabelPrevWaypoint, 1);
    (void)dummy;
    connect(ButtonScrollPrev, &QToolButton::clicked, this, [this] { ScrollList(-1); });
    connect(ButtonScrollCurrent, &QToolButton::clicked, this, [this] { ScrollList(0); });
    connect(ButtonScrollNext, &QToolButton::clicked, this, [this] { ScrollList(1); });
    connect(ButtonDetail4Collapse, &QToolButton::clicked, this, [this] { SetDetailVisible(4, !Detail4Visible); });
}

QToolButton *TFrameNavRoute::CollapseButton(int detail) const {
    return detail == 1 ? ButtonDetail1Collapse : detail == 2 ? ButtonDetail2Collapse : ButtonDetail4Collapse;
}

QString TFrameNavRoute::Text(const char *labelName) const {
    auto *l = findChild<QLabel *>(QLatin1String(labelName));
    return l ? l->text() : QString();
}

void TFrameNavRoute::UpdateTexts() {
    LabelDetail1->setText(LanguageText(NavRouteWindowText::CurrentRoute));
    LabelDetail2->setText(LanguageText(NavRouteWindowText::NextWaypoint));
    LabelDetail3->setText(u' ' + LanguageText(NavRouteWindowText::PreviousWaypoint));
    LabelDetail4->setText(LanguageText(NavRouteWindowText::Overview));
    ButtonStructureAllInfo->setText(LanguageText(NavRouteWindowText::StructureInfo));
    ButtonScrollPrev->setToolTip(LanguageText(NavRouteWindowText::FutureItems));
    ButtonScrollCurrent->setToolTip(LanguageText(NavRouteWindowText::AlwaysCurrent));
    LabelDestination->setText(LanguageText(NavInfoText::To) + QStringLiteral(": "));
    FillRouteList();
}

void TFrameNavRoute::ApplyUnitSettings() {
    UnitDistanceLarge = Env.UnitDistanceLarge;
    UnitDistanceSmall = Env.UnitDistanceSmall;
    UnitSpeed = Env.UnitSpeed;
    UnitVolume = Env.UnitVolume;
    FDelegate->UnitDistanceLarge = UnitDistanceLarge;
    FDelegate->UnitDistanceSmall = UnitDistanceSmall;
    UpdateValues();
}

void TFrameNavRoute::ApplyColors() {
    PanelBorder->SetColour(&NavPanelHeaderColor);
    PanelContents->SetColour(&NavPanelHeaderColor);
    update();
}

INavRouteNavigation *TFrameNavRoute::Navigation() const { return Route ? Env.GetRouteNavigation() : nullptr; }

bool TFrameNavRoute::OpenLeg() const {
    INavRouteNavigation *n = Navigation();
    return !n || n->IsOpenLeg();
}

int TFrameNavRoute::ApplySection(QWidget *section, QToolButton *collapse, bool visible) {
    collapse->setArrowType(visible ? Qt::UpArrow : Qt::DownArrow);
    section->setVisible(visible);
    return visible ? section->maximumHeight() : 0;
}

void TFrameNavRoute::UpdateLayout() {
    const bool open = OpenLeg();
    PanelDetail1SectionGroup->setVisible(!open);
    PanelDetail1->setFixedHeight(DestinationHeight + ValuesHeight + TORHeight + (open ? 0 : SectionHeight));
    PanelNetworkXTE->setVisible(!open && Env.ShowNetworkXTE);
    PanelDetail2Network->setFixedHeight(NextHeight + NextDateHeight + NextInfoHeight +
                                        (PanelNetworkXTE->isHidden() ? 0 : NetworkXTEHeight));
    PanelDetail4Header->setVisible(!open);
    PanelDetail3Header->setVisible(open);
    int h = 2 * HeaderHeight + (open ? HeaderHeight : HeaderHeight);
    h += ApplySection(PanelDetail1, ButtonDetail1Collapse, Detail1Visible);
    QWidget *second = open ? PanelDetail2Open : PanelDetail2Network;
    (open ? PanelDetail2Network : PanelDetail2Open)->hide();
    h += ApplySection(second, ButtonDetail2Collapse, Detail2Visible);
    if (open)
        PanelDetail4->hide();
    else
        h += ApplySection(PanelDetail4, ButtonDetail4Collapse, Detail4Visible);
    int32_t error = 0;
    RegWriteBool(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"Detail1Visible"), Detail1Visible, error);
    RegWriteBool(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"Detail2Visible"), Detail2Visible, error);
    RegWriteBool(GetAppReg(), AppRegRoot::Product, RegKey, RegName(u"Detail4Visible"), Detail4Visible, error);
    FDock.Apply((h + 2 * Border) * ScreenDpi() / 96);
}

void TFrameNavRoute::SetDetailVisible(int detail, bool visible) {
    (detail == 1 ? Detail1Visible : detail == 2 ? Detail2Visible : Detail4Visible) = visible;
    UpdateLayout();
}

void TFrameNavRoute::showEvent(QShowEvent *event) {
    TFrameScaled::showEvent(event);
    if (minimumHeight() != FDock.AppliedHeight() || maximumHeight() != FDock.AppliedHeight()) UpdateLayout();
}

void TFrameNavRoute::SetBounds(int left, int top, int width, int height) {
    const QSize s = FDock.Bounded(width, height);
    setGeometry(left, top, s.width(), s.height());
}

void TFrameNavRoute::UpdateButtons() {
    INavRouteNavigation *n = Navigation();
    const bool following = n != nullptr;
    ButtonComboRoutePoint->setEnabled(following && !Route->IsReadOnly());
    const QColor text = palette().color(QPalette::WindowText);
    SetNavTextColour(LabelDetail2, following ? text : TColorToColor(NavPanelLineColor));
    SetNavTextColour(LabelDetail3, following ? text : TColorToColor(NavPanelLineColor));
    for (QLabel *l : {LabelSectionCurrent, LabelToR, LabelToRValue, LabelTTG, LabelTTGValue, LabelXTE, LabelXTEValue,
                      LabelXTEWidth, LabelXTEWidthValue, LabelPrevWaypoint, LabelNextDTG, LabelNextDTGUnit,
                      LabelNextETA, LabelNextETADate})
        SetNavTextColour(l, following ? text : TColorToColor(NavPanelHeaderColor));
    IWptRoutePoint *target = n ? n->GetTargetPoint() : nullptr;
    if (!following) {
        ButtonWPPrev->setEnabled(false);
        ButtonWPNext->setEnabled(false);
        ButtonComboRoute->setText(LanguageText(NavInfoText::NoRoute));
        ButtonComboRoutePoint->setText(QString());
        ButtonStructureAllInfo->setEnabled(false);
        return;
    }
    ButtonComboRoute->setText(WptObjectGetName(Route));
    const int i = target ? target->GetIndex() : -1;
    if (!ComboBoxRoutePoint->view()->isVisible()) ComboBoxRoutePoint->setCurrentIndex(i);
    ButtonComboRoutePoint->setText(ComboBoxRoutePoint->itemText(i));
    ButtonWPNext->setEnabled(target && i < Route->GetPointCount() - 1);
    ButtonWPPrev->setEnabled(target && i > 0);
    ButtonStructureAllInfo->setEnabled(FNext && FNext->GetKind() == WptRouteObjectKind::Structure);
}

void TFrameNavRoute::FillRouteList() {
    struct TEntry {
        QString Name;
        IWptRoute *Route;
    };
    std::vector<TEntry> entries;
    IWptManager *manager = Env.WaypointManager;
    for (int32_t i = manager ? manager->GetRouteCount() - 1 : -1; i >= 0; --i)
        if (IWptRoute *r = manager->GetRoute(i); r && r->GetPointCount() > 0) entries.push_back({WptObjectGetName(r), r});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TEntry &a, const TEntry &b) { return QString::localeAwareCompare(a.Name, b.Name) < 0; });
    ComboBoxRoute->blockSignals(true);
    ComboBoxRoute->clear();
    ComboBoxRoute->addItem(LanguageText(NavInfoText::NoRoute), QVariant::fromValue<void *>(nullptr));
    for (const TEntry &e : entries) ComboBoxRoute->addItem(e.Name, QVariant::fromValue<void *>(e.Route));
    if (Route) ComboBoxRoute->setCurrentIndex(std::max(0, ComboBoxRoute->findData(QVariant::fromValue<void *>(Route))));
    ComboBoxRoute->blockSignals(false);
    FillObjectList();
    UpdateValues();
}

void TFrameNavRoute::FillPointList() {
    ComboBoxRoutePoint->blockSignals(true);
    ComboBoxRoutePoint->clear();
    for (int32_t i = 0; Route && i < Route->GetPointCount(); ++i) {
        IWptRoutePoint *p = Route->GetPoint(i);
        ComboBoxRoutePoint->addItem(NavRouteText::PointText(p), QVariant::fromValue<void *>(p));
    }
    INavRouteNavigation *n = Navigation();
    IWptRoutePoint *target = n ? n->GetTargetPoint() : nullptr;
    ComboBoxRoutePoint->setCurrentIndex(target ? target->GetIndex() : -1);
    ComboBoxRoutePoint->blockSignals(false);
    FillObjectList();
}

void TFrameNavRoute::FillObjectList() {
    const int top = FList->indexAt(QPoint(1, 1)).row();
    FModel->Fill(Route);
    const int count = FModel->rowCount();
    ButtonScrollCurrent->setChecked(FollowCurrent);
    if (FollowCurrent) {
        ScrollList(0);
    } else if (count > 0) {
        // An empty list has no row to keep in view.
        FList->scrollTo(FModel->index(std::clamp(top, 0, count - 1)), QAbstractItemView::PositionAtTop);
    }
}

void TFrameNavRoute::ScrollList(int direction) {
    FollowCurrent = direction == 0;
    ButtonScrollCurrent->setChecked(FollowCurrent);
    const int count = FModel->rowCount();
    if (count == 0) return;
    int row = count - 1;
    if (direction != 0) {
        // At least one row per page, however low the list is.
        const int n = std::max(1, FList->viewport()->height() / TNavRouteObjectDelegate::RowHeight);
        const int y = direction < 0 ? 1 : TNavRouteObjectDelegate::RowHeight * (n - 1) + 1;
        int start = FList->indexAt(QPoint(1, y)).row();
        if (start < 0) start = direction < 0 ? 0 : count - 1;
        row = std::clamp(start + direction * n, 0, count - 1);
    }
    FList->setCurrentIndex(FModel->index(row));
    FList->scrollTo(FModel->index(row));
}

void TFrameNavRoute::ChooseRoute(int index) {
    if (index < 0) return;
    auto *route = static_cast<IWptRoute *>(ComboBoxRoute->itemData(index).value<void *>());
    if (!route)
        Env.DeactivateRoute();
    else if (route->GetPointCount() > 0)
        Env.ActivateRoute(route->GetPoint(0), true, 0.0, NavInfoNowUTC());
}

void TFrameNavRoute::ChoosePoint(int index) {
    auto *point = static_cast<IWptRoutePoint *>(ComboBoxRoutePoint->itemData(index).value<void *>());
    if (Navigation() && point) Env.SetActiveRoutePoint(point);
}

void TFrameNavRoute::StepPoint(bool next) {
    INavRouteNavigation *n = Navigation();
    IWptRoutePoint *target = n ? n->GetTargetPoint() : nullptr;
    IWptRoutePoint *to = target ? (next ? target->GetNext() : target->GetPrevious()) : nullptr;
    if (to) Env.SetActiveRoutePoint(to);
}

void TFrameNavRoute::ChoosePathWidth(int index) {
    INavRouteNavigation *n = Navigation();
    if (!n || index < 0 || index >= int(std::size(PathWidths))) return;
    const auto metres = float(UnitConvert(PathWidths[index], UnitDistanceSmall, KvUnit::Metre));
    n->SetPathWidth(metres);
    int32_t error = 0;
    RegWriteSingle(GetAppReg(), AppRegRoot::Product, QStringLiteral("Routes"), RegName(u"WWNetworkPathWidth"), metres,
                   error);
    if (OnRepaintViewer) OnRepaintViewer();
}

void TFrameNavRoute::SetStructImage(const QString &fileName) {
    if (fileName != StructImageName) {
        StructImageName = fileName;
        FStructImage = QImage();
        if (!fileName.isEmpty()) {
            TNavPtr<IBmp32> bmp(Bmp32Create(0, 0, 0));
            int32_t bits = 0, err = 0;
            LoadBmp32FromFile(fileName, bmp.get(), bits, err);
            // A picture that cannot be read leaves the box empty.
            if (err == 0) FStructImage = Bmp32ToImage(bmp.get());
        }
        PaintBoxNextStructure->setVisible(!fileName.isEmpty());
    }
    PaintBoxNextStructure->update();
}

void TFrameNavRoute::NotificationProc(void *data, TNavNotification *n) {
    try {
        auto *self = static_cast<TFrameNavRoute *>(data);
        if (self->FAlarm->HandleReport(*n)) return;
        self->HandleNotification(*n);
    } catch (...) {
        ReportCurrentException();
    }
}

void TFrameNavRoute::HandleNotification(const TNavNotification &n) {
    switch (n.Code) {
    case NavNotify::RouteChanged:
        // A renamed route takes its place in the sorted list.
        FillRouteList();
        UpdateButtons();
        break;
    case NavNotify::RoutePointRefresh: {
        auto *point = reinterpret_cast<IWptRoutePoint *>(n.P1);
        IWptRoute *route = point ? point->GetRoute() : nullptr;
        if (route && route == Route)
            FillPointList();
        else if (route && route->GetPointCount() == 1)
            FillRouteList();
        break;
    }
    case NavNotify::RouteObjectChanged: FillPointList(); break;
    case NavNotify::RouteCalcEnd:
        FillObjectList();
        UpdateValues();
        UpdateLayout();
        break;
    case NavNotify::RouteTargetChanged:
        FillObjectList();
        UpdateLayout();
        UpdateButtons();
        UpdateValues();
        break;
    case NavNotify::RouteFollowStarted: {
        // Posted while a route is being let go, the navigation may be gone already.
        INavRouteNavigation *rn = Env.GetRouteNavigation();
        Route = rn ? rn->GetRoute() : nullptr;
        const int i = ComboBoxRoute->findData(QVariant::fromValue<void *>(Route));
        if (i < 0 && Route)
            FillRouteList();
        else
            ComboBoxRoute->setCurrentIndex(std::max(i, 0));
        FillPointList();
        UpdateLayout();
        UpdateValues();
        break;
    }
    case NavNotify::RouteFollowStopped:
        Route = nullptr;
        ComboBoxRoute->setCurrentIndex(0);
        UpdateLayout();
        FillPointList();
        UpdateValues();
        break;
    case NavNotify::RouteDeleted: FillRouteList(); break;
    case NavNotify::RoutePointsDeleted: {
        auto *route = reinterpret_cast<IWptRoute *>(n.P2);
        if (route && route == Route)
            FillPointList();
        else if (route && route->GetPointCount() == 0)
            FillRouteList();
        break;
    }
    default: break;
    }
}
