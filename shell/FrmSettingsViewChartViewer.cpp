#include "shell/FrmSettingsViewChartViewer.h"

#include "chartview/FraViewer.h"
#include "shell/FraSettingsViewer.h"
#include "shell/FrmSettingsView.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace {
namespace Txt {
const TLanguageStrings Properties = {"Properties", "Eigenschappen", "Eigenschaften", "Propriétés",
                                     "Propiedades", "Proprietà", "Egenskaber", "Egenskaper"};
const TLanguageStrings Chartviewer = {"Chartviewer", "Kaartvenster", "Kartenansicht", "Visionneuse",
                                      "Visor de cartas", "Visualizzatore", "Kortvisning", "Sjökortsvy"};
}  // namespace Txt
}  // namespace

TFormSettingsViewChartViewer::TFormSettingsViewChartViewer(TMarivoNavEnv &env, TFrameViewer &viewer,
                                                           TFrameViewer *second, TFrameViewer *third,
                                                           QWidget *parent)
    : TFormSettingsDialog(8004, parent), TabSheetChartViewer(new QWidget(this)),
      FTitle(viewer.Caption) {
    auto *sheet = new QVBoxLayout(TabSheetChartViewer);
    sheet->setContentsMargins(10, 10, 10, 10);
    FrameViewer = new TFrameSettingsViewer(TabSheetChartViewer, viewer, env);
    sheet->addWidget(FrameViewer);
    // Pages of further viewers exist without a place in the dialog.
    for (TFrameViewer *other : {second, third})
        if (other) (new TFrameSettingsViewer(this, *other, env))->hide();
    SetLanguage();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(TabSheetChartViewer);
    layout->addLayout(ButtonRow());
    resize(600, 440);
    ButtonOk->setFocus();
}

void TFormSettingsViewChartViewer::SetLanguage() {
    SetButtonCaptions();
    const QString tab = FTitle.isEmpty() ? LanguageText(Txt::Chartviewer) : FTitle;
    TabSheetChartViewer->setWindowTitle(tab);
    setWindowTitle(LanguageText(Txt::Properties) + QLatin1Char(' ') + tab);
}

void TFormSettingsViewChartViewer::CloseQuery(bool ok) {
    if (!ok) return;
    CommitTypedNumbers(this);
    FrameViewer->ApplyToViewer();
}

bool TFormSettingsViewChartViewer::Execute(TMarivoNavEnv &env, TFrameViewer &viewer,
                                           TFrameViewer *second, TFrameViewer *third,
                                           QWidget *parent) {
    TFormSettingsViewChartViewer form(env, viewer, second, third, parent);
    return Run(form, TSettingsPrompter<TFormSettingsViewChartViewer>::Get()) == QDialog::Accepted;
}
