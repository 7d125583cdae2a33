#include "base/forms/FrmS57LoadInfoProgress.h"

#include "base/controls/KvControls.h"
#include "base/dialogs/KvMsgBox.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvExceptions.h"
#include "base/logbook/KvProgressStage.h"
#include "base/texts/KvLanguage.h"

#include <KvLibNav6/KvCharts.h>
#include <KvLibNav6/KvErrorCodes.h>

#include <QLabel>
#include <cmath>

namespace {

const TLanguageStrings SCaption = {"Chart manager", "Kaartbeheer", "Kartenverwaltung",
                                   "Gestionnaire de cartes", "Gestor de cartas",
                                   "Gestione carte", "Kortstyring", "Korthanterare"};
// Only English and Dutch: the other languages show the English text.
const TLanguageStrings SLabel = {"One moment please.. Loading S57 chart info..",
                                 "Een ogenblik geduld.. S57 kaartinformatie wordt geladen..",
                                 "", "", "", "", "", ""};

}  // namespace

TFormS57LoadInfoProgress::TFormS57LoadInfoProgress(QWidget *centreOn)
    : TFormScaled(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                               Qt::WindowTitleHint),
      FLabel(new QLabel(this)), FProgressBar(new TProgressBarEx(this)) {
    QFont windowFont = font();
    windowFont.setPixelSize(11);
    setFont(windowFont);
    setFixedSize(370, 84);
    QFont labelFont = windowFont;
    labelFont.setPixelSize(13);
    labelFont.setBold(true);
    FLabel->setFont(labelFont);
    FLabel->setAlignment(Qt::AlignCenter);
    FLabel->setGeometry(4, 16, 361, 16);
    FProgressBar->setRange(0, 100);
    FProgressBar->setValue(0);
    FProgressBar->setGeometry(8, 44, 354, 20);
    setWindowTitle(LanguageText(SCaption));
    FLabel->setText(LanguageText(SLabel));
    ScaleConstraints();
    if (centreOn) move(centreOn->geometry().center() - rect().center());
}

TFormS57LoadInfoProgress *TFormS57LoadInfoProgress::CreateForm(QWidget *owner) {
    return new TFormS57LoadInfoProgress(owner);
}

int TFormS57LoadInfoProgress::ProgressPercent(float fraction) {
    // Up to the next whole number; a product a float's last bit above a whole number
    // (0.07f × 100 = 7.0000005) counts as that whole number.
    const double percent = double(fraction) * 100.0;
    return int(std::ceil(percent - 1e-4));
}

void TFormS57LoadInfoProgress::ProgressHandler(void *data, TProgressEx *progress) noexcept {
    try {
        auto *form = static_cast<TFormS57LoadInfoProgress *>(data);
        if (form && progress) form->FProgressBar->setValue(ProgressPercent(progress->Fraction));
    } catch (...) {
        ReportCurrentException();
    }
}

bool TFormS57LoadInfoProgress::LoadChartInfo(IChartManager *cm, int32_t &err) {
    err = 0;
    FLabel->repaint();  // visible before the long call starts
    ProgressStageInit(&FProgress, 6, 0, &ProgressHandler, this, 1.0f);
    if (!cm) {
        err = KvErr::InvalidArgument;
        return false;
    }
    return cm->LoadS57ChartInfo(&FProgress, 0, 0, 1, err);
}

bool TFormS57LoadInfoProgress::LoadChartInfoAndReport(IChartManager *cm) {
    int32_t err = 0;
    const bool result = LoadChartInfo(cm, err);
    if (err != 0) MsgBox(ErrorToStrA(err), mtError, MsgButtons({mbOK}));
    return result && err == 0;
}
