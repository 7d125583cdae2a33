#include "shell/FrmSettingsView.h"

#include "base/controls/KvEdits.h"
#include "chartview/FraViewer.h"
#include "shell/FraSettingsCommon.h"
#include "shell/FraSettingsViewer.h"

#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
namespace Txt {
const TLanguageStrings Caption = {"View", "Weergave", "Ansicht", "Affichage", "Vista", "Vista", "Visning", "Visning"};
const TLanguageStrings Common = {"Common", "Algemeen", "Allgemein", "Commun", "Común", "Comune",
                                 "Fælles", "Gemensamt"};
const TLanguageStrings Main = {"Main chartviewer", "Hoofdkaartvenster", "Hauptkartenansicht",
                               "Visionneuse principale", "Visor principal", "Visualizzatore principale",
                               "Hovedkortvisning", "Huvudsjökortsvy"};
const TLanguageStrings Extra1 = {"Additional chartviewer 1", "Extra kaartvenster 1",
                                 "Zusätzliche Kartenansicht 1", "Visionneuse supplémentaire 1",
                                 "Visor adicional 1", "Visualizzatore aggiuntivo 1",
                                 "Ekstra kortvisning 1", "Extra sjökortsvy 1"};
const TLanguageStrings Extra2 = {"Additional chartviewer 2", "Extra kaartvenster 2",
                                 "Zusätzliche Kartenansicht 2", "Visionneuse supplémentaire 2",
                                 "Visor adicional 2", "Visualizzatore aggiuntivo 2",
                                 "Ekstra kortvisning 2", "Extra sjökortsvy 2"};
}  // namespace Txt

QWidget *Sheet(QTabWidget *tabs) {
    auto *sheet = new QWidget(tabs);
    auto *layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(10, 10, 10, 10);
    return sheet;
}

}  // namespace

void CommitTypedNumbers(QWidget *form) {
    for (TCustomEditEx *edit : form->findChildren<TCustomEditEx *>()) {
        edit->DoExit();
        if (edit->OnExit) edit->OnExit(edit);
    }
}

TFormSettingsView::TFormSettingsView(TMarivoNavEnv &env, TFrameViewer *mainViewer,
                                     TFrameViewer *extra1, TFrameViewer *extra2, QWidget *parent)
    : TFormSettingsDialog(8003, parent), PageControl(new QTabWidget(this)), FEnv(env),
      FViewers{mainViewer, extra1, extra2} {
    TabSheetCommon = Sheet(PageControl);
    PageControl->addTab(TabSheetCommon, QString());
    for (int i = 0; i < 3; ++i) {
        TabSheetChartViewer[size_t(i)] = Sheet(PageControl);
        PageControl->addTab(TabSheetChartViewer[size_t(i)], QString());
    }
    SetLanguage();
    FrameCommon = new TFrameSettingsCommon(TabSheetCommon, env, mainViewer);
    TabSheetCommon->layout()->addWidget(FrameCommon);
    for (int i = 0; i < 3; ++i) AddViewerPage(i, FViewers[size_t(i)]);
    PageControl->setCurrentWidget(TabSheetCommon);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);
    layout->addLayout(ButtonRow());
    resize(640, 480);
    ButtonOk->setFocus();
}

void TFormSettingsView::AddViewerPage(int index, TFrameViewer *viewer) {
    QWidget *sheet = TabSheetChartViewer[size_t(index)];
    PageControl->setTabVisible(PageControl->indexOf(sheet), viewer != nullptr);
    if (!viewer) return;
    FrameViewer[size_t(index)] = new TFrameSettingsViewer(sheet, *viewer, FEnv);
    sheet->layout()->addWidget(FrameViewer[size_t(index)]);
}

void TFormSettingsView::SetLanguage() {
    setWindowTitle(LanguageText(Txt::Caption));
    SetButtonCaptions();
    PageControl->setTabText(PageControl->indexOf(TabSheetCommon), LanguageText(Txt::Common));
    const TLanguageStrings *captions[] = {&Txt::Main, &Txt::Extra1, &Txt::Extra2};
    for (int i = 0; i < 3; ++i)
        PageControl->setTabText(PageControl->indexOf(TabSheetChartViewer[size_t(i)]),
                                LanguageText(*captions[i]));
}

void TFormSettingsView::CloseQuery(bool ok) {
    if (!ok) return;
    CommitTypedNumbers(this);
    FrameCommon->ApplyToEnvironment();
    for (TFrameSettingsViewer *page : FrameViewer)
        if (page) page->ApplyToViewer();
    for (TFrameViewer *viewer : FViewers) FrameCommon->ApplyToViewer(viewer);
}

bool TFormSettingsView::Execute(TMarivoNavEnv &env, TFrameViewer *mainViewer, TFrameViewer *extra1,
                                TFrameViewer *extra2, QWidget *parent) {
    TFormSettingsView form(env, mainViewer, extra1, extra2, parent);
    return Run(form, TSettingsPrompter<TFormSettingsView>::Get()) == QDialog::Accepted;
}
