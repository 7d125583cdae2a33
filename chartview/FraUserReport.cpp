#include "chartview/FraUserReport.h"

#include "base/charts/KvCharts.h"
#include "base/charts/KvOnlineServices.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvLib.h"
#include "base/kvlib/KvProgInfo.h"
#include "base/registry/KvRegistry.h"
#include "base/strings/KvStrUtils.h"
#include "base/units/KvAngles.h"
#include "base/units/KvUnitsTime.h"
#include "chartview/FraUserReportTexts.h"
#include "objectinfo/KvWWNetwork.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvBoatDef.h>
#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvNavBoat.h>
#include <KvLibNav6/KvUnits.h>
#include <KvLibNav6/KvWWNetwork.h>
#include <KvLibNav6/KvWebServices.h>

#include <QCheckBox>
#include <QDesktopServices>
#include <QDockWidget>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryFile>
#include <QUrl>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

using namespace UserReportText;

namespace {

constexpr double Degrees = 180.0 / std::numbers::pi;
const QString Blank2 = QStringLiteral("\n\n");

bool IsNone(const TGeoPoint &p) { return p.Lat == 99.0 && p.Lon == 99.0; }

QString Fixed1(double v, const TFormatSettings &fs) { return FloatToStrFixed(v, 15, 1, fs); }

}  // namespace

namespace UserReportText {

QString Position(const TGeoPoint &p) {
    const TFormatSettings &fs = InvariantFormatSettings();
    return FloatToStrFixed(p.Lat * Degrees, 15, 5, fs) + QStringLiteral(", ") + FloatToStrFixed(p.Lon * Degrees, 15, 5, fs);
}

QString KmMark(double metres, const TFormatSettings &fs) {
    const double km = UnitConvert(metres, 0x6800B, 0x6800E);
    const int64_t tenths = int64_t(std::trunc(km * 10.0 + 1e-9));
    return QString::number(tenths / 10) + fs.DecimalSeparator + QString::number(tenths % 10);
}

QString BoatInfo(const QString &shipName, int32_t mmsi, float length, float width, float height, float draught,
                 const TFormatSettings &fs) {
    QString text;
    if (!shipName.isEmpty()) text += shipName + QStringLiteral("; ");
    if (mmsi > 0) text += QString::number(mmsi) + QStringLiteral("; ");
    return text + Fixed1(length, fs) + QStringLiteral("; ") + Fixed1(width, fs) + QStringLiteral("; ") +
           Fixed1(height, fs) + QStringLiteral("; ") + Fixed1(draught, fs) + QStringLiteral(" (lbhd m)");
}

}  // namespace UserReportText

QString TFrameUserReport::Prompt() { return LanguageText(UserReportText::Prompt); }

TFrameUserReport::TFrameUserReport(QDockWidget *panel, TMarivoNavEnv &env, QWidget *capture)
    : TFrameScaled(panel), Env(env), FPanel(panel), FCapture(capture), FLocale(LocaleFormatSettings()) {
    setObjectName(QStringLiteral("FrameUserReport"));
    BuildLayout();
    if (Env.CoreEnv) Env.CoreEnv->GetDispatcher()->Subscribe(NotificationProc, this);
    ReadStoredLogin();
    UpdateTexts();
    Reset();
}

TFrameUserReport::~TFrameUserReport() {
    DeleteScreenshot();
    if (Env.CoreEnv) Env.CoreEnv->GetDispatcher()->Unsubscribe(NotificationProc, this);
    ObjectDeleteAndNil(FApi);
}

void TFrameUserReport::BuildLayout() {
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 8, 8, 8);
    LabelInformation = new QLabel(this);
    LabelInformation->setWordWrap(true);
    outer->addWidget(LabelInformation);
    auto *subject = new QHBoxLayout;
    LabelSubject = new QLabel(this);
    EditSubject = new QLineEdit(this);
    EditSubject->setObjectName(QStringLiteral("EditSubject"));
    subject->addWidget(LabelSubject);
    subject->addWidget(EditSubject, 1);
    outer->addLayout(subject);
    MemoReport = new QPlainTextEdit(this);
    MemoReport->setObjectName(QStringLiteral("MemoReport"));
    connect(MemoReport, &QPlainTextEdit::textChanged, this, [this] {
        ButtonSend->setEnabled(!FSending && MemoReport->toPlainText() != Prompt() + QLatin1Char('\n'));
    });
    outer->addWidget(MemoReport, 2);
    auto *shots = new QHBoxLayout;
    ButtonCreateSS = new QPushButton(this);
    CheckSendScreenshot = new QCheckBox(this);
    LabelScreenshot = new QLabel(this);
    LabelScreenshot->setCursor(Qt::PointingHandCursor);
    LabelScreenshot->installEventFilter(this);
    shots->addWidget(ButtonCreateSS);
    shots->addWidget(CheckSendScreenshot);
    shots->addWidget(LabelScreenshot, 1);
    outer->addLayout(shots);
    connect(ButtonCreateSS, &QPushButton::clicked, this, &TFrameUserReport::CreateScreenshot);
    auto *point = new QHBoxLayout;
    ButtonSelectPoint = new QPushButton(this);
    LabelPointSelected = new QLabel(this);
    point->addWidget(ButtonSelectPoint);
    point->addWidget(LabelPointSelected, 1);
    outer->addLayout(point);
    connect(ButtonSelectPoint, &QPushButton::clicked, this, &TFrameUserReport::SelectPoint);
    LabelMetadata = new QLabel(this);
    outer->addWidget(LabelMetadata);
    MemoMetadata = new QPlainTextEdit(this);
    MemoMetadata->setObjectName(QStringLiteral("MemoMetadata"));
    MemoMetadata->setReadOnly(true);
    MemoMetadata->setLineWrapMode(QPlainTextEdit::NoWrap);
    outer->addWidget(MemoMetadata, 1);
    auto *options = new QHBoxLayout;
    CheckSendCopy = new QCheckBox(this);
    EditEmail = new QLineEdit(this);
    options->addWidget(CheckSendCopy);
    options->addWidget(EditEmail, 1);
    outer->addLayout(options);
    connect(CheckSendCopy, &QCheckBox::toggled, EditEmail, &QLineEdit::setEnabled);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    ButtonSend = new QPushButton(this);
    ButtonSend->setObjectName(QStringLiteral("ButtonSend"));
    ButtonClose = new QPushButton(this);
    ButtonClose->setObjectName(QStringLiteral("ButtonClose"));
    buttons->addWidget(ButtonSend);
    buttons->addWidget(ButtonClose);
    outer->addLayout(buttons);
    connect(ButtonSend, &QPushButton::clicked, this, &TFrameUserReport::Send);
    connect(ButtonClose, &QPushButton::clicked, this, &TFrameUserReport::Close);
}

void TFrameUserReport::UpdateTexts() {
    ButtonClose->setText(LanguageText(UserReportText::Close));
    ButtonCreateSS->setText(LanguageText(UserReportText::CreateScreenshot));
    ButtonSelectPoint->setText(LanguageText(UserReportText::SelectPoint));
    ButtonSend->setText(LanguageText(UserReportText::Send));
    CheckSendCopy->setText(LanguageText(SendCopyTo) + QLatin1Char(':'));
    CheckSendScreenshot->setText(LanguageText(UserReportText::SendScreenshot));
    LabelSubject->setText(LanguageText(UserReportText::Subject) + QLatin1Char(':'));
    LabelInformation->setText(LanguageText(Information));
    LabelMetadata->setText(LanguageText(DataSent) + QLatin1Char(':'));
}

void TFrameUserReport::ReadStoredLogin() {
    QString email;
    if (Env.OnlineService && MRCChartCheckGetStoredLogin(Env.OnlineService, email)) {
        EditEmail->setText(email);
        return;
    }
    EditEmail->clear();
    CheckSendCopy->setChecked(false);
    EditEmail->setEnabled(false);
}

void TFrameUserReport::EndPointSelection() {
    if (OnSelectPoint) OnSelectPoint(this, false);
}

void TFrameUserReport::Reset() {
    EndPointSelection();
    FChartSets.clear();
    FPosition = {99.0, 99.0};
    FSending = false;
    DeleteScreenshot();
    EditSubject->clear();
    LabelPointSelected->setText(LanguageText(NoPoint));
    LabelScreenshot->setText(LanguageText(NoScreenshot));
    ButtonClose->setEnabled(true);
    CheckSendScreenshot->setChecked(false);
    MemoReport->setPlainText(Prompt() + QLatin1Char('\n'));
    ButtonSend->setEnabled(false);
    UpdateMetadata();
}

void TFrameUserReport::SetPosition(const TGeoPoint &position) {
    EndPointSelection();
    FPosition = position;
    LabelPointSelected->setText(LanguageText(IsNone(position) ? NoPoint : PointSelected));
    UpdateMetadata();
}

void TFrameUserReport::SelectPoint() {
    if (!OnSelectPoint) return;
    OnSelectPoint(this, true);
    LabelPointSelected->setText(LanguageText(ClickPosition));
}

void TFrameUserReport::DeleteScreenshot() {
    if (!FScreenshot.isEmpty()) QFile::remove(FScreenshot);
    FScreenshot.clear();
}

void TFrameUserReport::CreateScreenshot() {
    DeleteScreenshot();
    if (!FCapture) return;
    // A private file of a unique name: no other user can plant or read it, two running
    // programs do not share it.
    QTemporaryFile file(GetTempDir() + QStringLiteral("/mvo6_ss_XXXXXX.jpg"));
    file.setAutoRemove(false);
    if (!file.open()) return;
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(90);
    const bool written = writer.write(FCapture->grab().toImage());
    file.close();
    if (!written) {
        file.remove();
        return;
    }
    FScreenshot = file.fileName();
    LabelScreenshot->setText(LanguageText(ViewScreenshot));
    CheckSendScreenshot->setChecked(true);
}

bool TFrameUserReport::eventFilter(QObject *watched, QEvent *event) {
    if (watched == LabelScreenshot) {
        QFont f = LabelScreenshot->font();
        if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
            f.setUnderline(event->type() == QEvent::Enter);
            LabelScreenshot->setFont(f);
        } else if (event->type() == QEvent::MouseButtonRelease && !FScreenshot.isEmpty() &&
                   QFile::exists(FScreenshot)) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(FScreenshot));
        }
    }
    return TFrameScaled::eventFilter(watched, event);
}

QString TFrameUserReport::PositionLines(const TGeoPoint &p) const {
    const int32_t format = Env.PositionFormat;
    const int32_t decimals = DefAngleDecimalsFor(format);
    QString lat, lon;
    AngleToStr1(decimals, LanguageText(North).front(), LanguageText(South).front(), p.Lat, format, 1, 1, lat);
    AngleToStr1(decimals, LanguageText(East).front(), LanguageText(West).front(), p.Lon, format, 2, 1, lon);
    return lat + QStringLiteral("; ") + lon;
}

QString TFrameUserReport::WaterwayText() const {
    IWWSection *section = Env.Boat ? Env.Boat->GetWaterwayObject() : nullptr;
    if (!section) return {};
    QString text = QStringLiteral(" (") + WWSectionGetName(section);
    const double mark = section->GetDistanceMark(Env.Boat->GetWaterwayObjectPosition());
    if (mark >= 0) text += QStringLiteral(" km ") + KmMark(mark, FLocale);
    return text + QLatin1Char(')');
}

QString TFrameUserReport::BoatInfoText() const {
    QString ship;
    RegReadStringDef(GetAppReg(), AppRegRoot::Product, QStringLiteral("Boat"), RegName(u"ShipName"), QString(), ship);
    ILPBoatDef *def = Env.ActiveBoatDef;
    if (!def) return {};
    return BoatInfo(ship, def->GetMMSI(), def->GetLength(), def->GetWidth(), def->GetHeightUnstepped(),
                    def->GetDraught(), FLocale);
}

void TFrameUserReport::BuildChartSetList() {
    FChartSets.clear();
    IChartManager *m = Env.ChartManager;
    if (!m) return;
    TNavPtr<ISortedGUIDArray> selected(SortedGUIDArrayCreate());
    m->GetSelectedCharts(selected.get(), 0);
    for (int32_t p = m->GetProductCount() - 1; p >= 0; --p) {
        IChartProduct *product = m->GetProduct(p);
        for (int32_t s = product ? product->GetChartSetCount() - 1 : -1; s >= 0; --s) {
            IChartSet *set = product->GetChartSet(s);
            for (int32_t c = 0; set && c < set->GetEntryCount(); ++c) {
                IChartCatalogueEntry *entry = set->GetEntry(c);
                IChartCatalogueObject *object = entry ? entry->GetCatalogueObject() : nullptr;
                IRasterChart *chart = object ? object->GetRasterChart() : nullptr;
                const TGUID *guid = chart && chart->GetInfo() ? chart->GetInfo()->GetGUID() : nullptr;
                if (guid && selected->Contains(*guid)) {
                    FChartSets += ChartProductGetTitle(product->GetInfo()) + QStringLiteral(" - ") +
                                  ChartSetGetTitle(set) + QLatin1Char('\n');
                    break;
                }
            }
        }
    }
}

void TFrameUserReport::UpdateMetadata() {
    ReadStoredLogin();
    BuildChartSetList();
    QString text;
    if (!IsNone(FPosition))
        text += LanguageText(ReportFor) + QStringLiteral(": ") + PositionLines(FPosition) + Blank2;
    text += LanguageText(BoatInfoHeading) + QStringLiteral(": ") + BoatInfoText() + Blank2;
    TGeoPoint boat{};
    if (Env.Boat && Env.Boat->GetPosition(boat))
        text += LanguageText(BoatPosition) + QStringLiteral(": ") + PositionLines(boat) + WaterwayText() + Blank2;
    text += LanguageText(SelectedChartSets) + QLatin1Char(':') + Blank2 + FChartSets;
    MemoMetadata->setPlainText(text);
}

void TFrameUserReport::Send() {
    EndPointSelection();
    if (EditSubject->text().isEmpty() &&
        MsgBox(LanguageText(NoSubject), mtWarning, MsgButtons({mbOK, mbCancel})) == mrCancel)
        return;
    const QString identity = ProgInfoGetTitle() + QStringLiteral(" v") + VersionToStr(ProgInfoGetVersion(), 4);
    if (!CheckSendScreenshot->isChecked())
        DeleteScreenshot();
    else if (FScreenshot.isEmpty())
        CreateScreenshot();
    const QString copy = CheckSendCopy->isChecked() ? EditEmail->text() : QString();
    const QString reportPosition = IsNone(FPosition) ? QString() : Position(FPosition);
    TGeoPoint boat{};
    const QString boatPosition =
        Env.Boat && Env.Boat->GetPosition(boat) ? Position(boat) + WaterwayText() : QString();
    const QString boatInfo = BoatInfoText() + Blank2;
    ObjectDeleteAndNil(FApi);
    FApi = UserDataAPICreate(Env.CoreEnv ? Env.CoreEnv->GetDispatcher() : nullptr, Env.OnlineService);
    ButtonSend->setEnabled(false);
    ButtonClose->setEnabled(false);
    FSending = true;
    int32_t err = 0;
    UserDataSendReport(FApi, identity, copy, EditSubject->text(), MemoReport->toPlainText(), FChartSets, FScreenshot,
                       reportPosition, boatPosition, boatInfo, CheckSendCopy->isChecked(), err);
    if (err == 0 || !FSending) return;
    // Refused at once: everything the user wrote and the screenshot stay for another try.
    FSending = false;
    ButtonSend->setEnabled(true);
    ButtonClose->setEnabled(true);
    MsgBox(LanguageText(SendError) + QLatin1Char(':') + Blank2 + ErrorToStrA(err), mtError, MsgButtons({mbOK}));
}

void TFrameUserReport::NotificationProc(void *data, TNavNotification *n) {
    static_cast<TFrameUserReport *>(data)->OnNotification(*n);
}

void TFrameUserReport::OnNotification(const TNavNotification &n) {
    if (n.Code == NavNotify::ShipSettingsChanged) UpdateMetadata();
    // Only the answer to this panel's own request ends the sending.
    if (n.Code == NavNotify::UserDataRequestDone && FSending && FApi &&
        n.P1 == reinterpret_cast<intptr_t>(FApi))
        Finished(FApi->GetLastResult());
}

void TFrameUserReport::Finished(int32_t result) {
    FSending = false;
    ButtonClose->setEnabled(true);
    if (result != 0) {
        ButtonSend->setEnabled(true);
        MsgBox(LanguageText(SendFailed), mtError, MsgButtons({mbOK}));
        return;
    }
    MsgBox(LanguageText(Sent), mtInformation, MsgButtons({mbOK}));
    Reset();
    if (FPanel) FPanel->close();
}

void TFrameUserReport::Close() {
    Reset();
    if (FPanel) FPanel->close();
}
