#include "shell/SettingsColorSwatch.h"

#include "base/graphics/KvNightScreen.h"
#include "base/controls/KvControls.h"
#include "shell/FrmTrackSettings.h"

#include <QColorDialog>
#include <QPainter>

namespace {

TSettingsColorSwatch::TColorPrompter &Prompter() {
    static TSettingsColorSwatch::TColorPrompter prompter;
    return prompter;
}


}  // namespace

TSettingsColorSwatch::TSettingsColorSwatch(TColor &colour, QWidget *parent)
    : QWidget(parent), FColour(colour), FOverlay(OverlayImage()) {
    setFixedSize(40, 20);
    if (NightScreen()->IsActive()) NightScreenConvertPNG(NightScreen(), FOverlay);
    NightScreen()->AddModeCallback(&NightModeChanged, this);
}

TSettingsColorSwatch::~TSettingsColorSwatch() {
    NightScreen()->RemoveModeCallback(&NightModeChanged, this);
}

void TSettingsColorSwatch::NightModeChanged(void *data, int32_t, int32_t) noexcept {
    static_cast<TSettingsColorSwatch *>(data)->update();
}

TSettingsColorSwatch::TColorPrompter TSettingsColorSwatch::SetColorPrompter(TColorPrompter prompter) {
    TColorPrompter previous = std::move(Prompter());
    Prompter() = std::move(prompter);
    return previous;
}

QImage TSettingsColorSwatch::OverlayImage() {
    return ColorOverlayImage(QSize(40, 20));
}

bool TSettingsColorSwatch::ChooseColor() {
    QColor colour = TColorToColor(FColour);
    bool ok = false;
    if (Prompter()) {
        ok = Prompter()(this, colour);
    } else {
        const QColor chosen = QColorDialog::getColor(colour, this);
        ok = chosen.isValid();
        if (ok) colour = chosen;
    }
    if (ok) FColour = ColorToTColor(colour);
    update();
    return ok;
}

void TSettingsColorSwatch::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), TColorToColor(NightScreen()->ConvertColor(FColour)));
    p.drawImage(rect(), FOverlay);
}

void TSettingsColorSwatch::mouseDoubleClickEvent(QMouseEvent *) {
    emit DoubleClicked();
}
