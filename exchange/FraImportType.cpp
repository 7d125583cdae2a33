#include "exchange/FraImportType.h"

#include "base/graphics/KvNightScreen.h"
#include "base/texts/KvLanguage.h"
#include "exchange/FraImportSource.h"
#include "exchange/FraImportSourceTexts.h"

#include <QEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>

namespace {

QRadioButton *Choice(QWidget *parent, const char *name, int width, int height, int pixelSize) {
    auto *b = new QRadioButton(parent);
    b->setObjectName(QLatin1String(name));
    b->resize(width, height);
    QFont font = b->font();
    font.setPixelSize(pixelSize);
    b->setFont(font);
    return b;
}

}  // namespace

TFrameImportType::TFrameImportType(QWidget *owner, TMarivoNavEnv *env) : TFrameScaled(owner), FEnv(env) {
    setObjectName(QStringLiteral("FrameImportType"));
    TabSheet = ImportSourceBuildPage(this, PageControl, LabelInformation, ImageInformation);
    RadioButtonBinary = Choice(TabSheet, "RadioButtonBinary", 300, 17, 13);
    RadioButtonText = Choice(TabSheet, "RadioButtonText", 300, 17, 13);
    RadioButtonPolars = Choice(TabSheet, "RadioButtonPolars", 300, 17, 13);
    RadioButtonTracks = Choice(TabSheet, "RadioButtonTracks", 300, 17, 13);
    RadioButtonGPX = Choice(TabSheet, "RadioButtonGPX", 300, 17, 13);
    PanelImportText = new QWidget(TabSheet);
    PanelImportText->setObjectName(QStringLiteral("PanelImportText"));
    PanelImportText->resize(350, 45);
    const int small = font().pixelSize() > 0 ? font().pixelSize() : 12;
    RadioButtonTextWaypoints = Choice(PanelImportText, "RadioButtonTextWaypoints", 300, 17, small);
    RadioButtonTextRoutes = Choice(PanelImportText, "RadioButtonTextRoutes", 300, 17, small);
    RadioButtonTextRoutes->move(0, 25);
    RadioButtonTextWaypoints->setChecked(true);
    RadioButtonTextWaypoints->setEnabled(false);
    RadioButtonTextRoutes->setEnabled(false);
    for (QRadioButton *b : {RadioButtonBinary, RadioButtonText, RadioButtonPolars, RadioButtonTracks, RadioButtonGPX})
        connect(b, &QRadioButton::clicked, this, [this] { RadioButtonClick(); });
    TabSheet->installEventFilter(this);
    UpdateTexts();
    ScaleToScreen();
}

TFrameImportType::~TFrameImportType() { NightScreenRemoveImage(NightScreen(), ImageInformation); }

uint8_t TFrameImportType::GetImportType() const {
    if (RadioButtonBinary->isChecked()) return ImportType::DataFile;
    if (RadioButtonGPX->isChecked()) return ImportType::GPX;
    if (RadioButtonPolars->isChecked()) return ImportType::Polars;
    if (RadioButtonText->isChecked() && RadioButtonTextWaypoints->isChecked()) return ImportType::TextWaypoints;
    if (RadioButtonText->isChecked() && RadioButtonTextRoutes->isChecked()) return ImportType::TextRoutes;
    return ImportType::TrackFiles;
}

bool TFrameImportType::eventFilter(QObject *watched, QEvent *event) {
    if (watched == TabSheet && event->type() == QEvent::Resize) ArrangeButtons();
    return TFrameScaled::eventFilter(watched, event);
}

void TFrameImportType::UpdateTexts() {
    namespace T = ImportSourceText;
    PageControl->setTabText(0, LanguageText(T::ImportType));
    LabelInformation->setText(LanguageText(T::SelectType));
    RadioButtonBinary->setText(LanguageText(T::DataFileChoice));
    RadioButtonGPX->setText(LanguageText(T::GPXChoice));
    RadioButtonPolars->setText(LanguageText(T::PolarChoice));
    RadioButtonText->setText(LanguageText(T::TextChoice));
    RadioButtonTextRoutes->setText(LanguageText(T::Routes));
    RadioButtonTextWaypoints->setText(LanguageText(T::Waypoints));
    RadioButtonTracks->setText(LanguageText(T::TrackChoice));
}

void TFrameImportType::ArrangeButtons() {
    // The data-file, text and polar runs are not offered to the skipper.
    RadioButtonBinary->hide();
    RadioButtonText->hide();
    RadioButtonPolars->hide();
    RadioButtonTracks->show();
    RadioButtonGPX->show();
    QRadioButton *const order[] = {RadioButtonBinary, RadioButtonText, RadioButtonPolars, RadioButtonTracks,
                                   RadioButtonGPX};
    int shown = 0;
    for (QRadioButton *b : order) shown += b->isVisibleTo(TabSheet) ? 1 : 0;
    // The host already starts under the information strip.
    const int rowHeight = TabSheet->height() / shown;
    int y = rowHeight / 2;
    bool first = true;
    for (QRadioButton *b : order) {
        if (!b->isVisibleTo(TabSheet)) continue;
        b->move(TabSheet->width() / 2 - b->width() / 3, y - b->height() / 2);
        y += rowHeight;
        if (FFirstLayout) {
            b->setAutoExclusive(false);
            b->setChecked(first);
            b->setAutoExclusive(true);
        }
        first = false;
    }
    PanelImportText->move(RadioButtonText->x() + 20, RadioButtonText->y() + 25);
    PanelImportText->setVisible(RadioButtonText->isVisibleTo(TabSheet));
    if (FFirstLayout) RadioButtonClick();
    FFirstLayout = false;
}

void TFrameImportType::RadioButtonClick() {
    const bool text = RadioButtonText->isChecked();
    RadioButtonTextWaypoints->setEnabled(text);
    RadioButtonTextRoutes->setEnabled(text);
}
