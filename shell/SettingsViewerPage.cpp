#include "shell/SettingsViewerPage.h"

#include "shell/FraSettingsViewer.h"
#include "shell/SettingsPageLayout.h"

#include <QCheckBox>

TViewerSettingsPage::TViewerSettingsPage(TChartViewerSettings &settings) : FSettings(settings) {}

QCheckBox *TViewerSettingsPage::Bind(TSettingsPageLayout &page, const TLanguageStrings &caption,
                                     int indent, TBinding binding) {
    auto *box = new QCheckBox(LanguageText(caption), this);
    binding.Box = box;
    page.Wide(box, indent);
    FBindings.push_back(binding);
    connect(box, &QCheckBox::clicked, this, [this, binding] {
        if (FLoading) return;
        if (binding.Flags) FSettings.*binding.Flags ^= binding.Bit;
        else FSettings.*binding.Value = !(FSettings.*binding.Value);
        BoxClicked(binding.Box);
        LoadSettings();
    });
    return box;
}

QCheckBox *TViewerSettingsPage::FlagBox(TSettingsPageLayout &page, const TLanguageStrings &caption,
                                        uint32_t TChartViewerSettings::*field, uint32_t bit, int indent) {
    return Bind(page, caption, indent, {nullptr, field, bit, nullptr});
}

QCheckBox *TViewerSettingsPage::BoolBox(TSettingsPageLayout &page, const TLanguageStrings &caption,
                                        bool TChartViewerSettings::*field, int indent) {
    return Bind(page, caption, indent, {nullptr, nullptr, 0, field});
}

void TViewerSettingsPage::LoadSettings() {
    FLoading = true;
    for (const TBinding &b : FBindings)
        b.Box->setChecked(b.Flags ? (FSettings.*b.Flags & b.Bit) != 0 : FSettings.*b.Value);
    LoadOther();
    FLoading = false;
    UpdateEnabled();
}
