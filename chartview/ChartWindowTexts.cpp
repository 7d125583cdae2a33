#include "chartview/ChartWindowTexts.h"

#include "base/charts/KvCharts.h"
#include "chartview/FrmChartSelect.h"

#include <QAbstractScrollArea>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace ChartWindowText {
const TLanguageStrings SelectChart = {"Select chart", "Selecteer kaart", "Karte auswählen",
                                      "Sélectionner une carte", "Seleccionar carta",
                                      "Seleziona carta", "Vælg kort", "Välj sjökort"};
const TLanguageStrings NoChart = {"No chart selected", "Geen kaart geselecteerd",
                                  "Keine Karte ausgewählt", "Aucune carte sélectionnée",
                                  "Ninguna carta seleccionada", "Nessuna carta selezionata",
                                  "Intet kort valgt", "Inget sjökort valt"};
const TLanguageStrings NoChartHint = {
    "Click 'Select chart' to select a chart", "Druk op 'Selecteer kaart' om een kaart te selecteren",
    "Klicken Sie auf 'Karte auswählen', um eine Karte auszuwählen",
    "Cliquez sur 'Sélectionner une carte' pour choisir une carte",
    "Pulse 'Seleccionar carta' para elegir una carta",
    "Fare clic su 'Seleziona carta' per scegliere una carta",
    "Klik på 'Vælg kort' for at vælge et kort", "Klicka på 'Välj sjökort' för att välja ett sjökort"};
}  // namespace ChartWindowText

void DrawEmptyListMessage(QAbstractScrollArea *list, const QString &caption, const QString &hint) {
    QWidget *viewport = list->viewport();
    QPainter p(viewport);
    const QRect r = viewport->rect();
    QFont bold = list->font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(list->palette().color(QPalette::Text));
    const int line = QFontMetrics(bold).height();
    p.drawText(QRect(r.left(), r.center().y() - line, r.width(), line), Qt::AlignCenter, caption);
    p.setFont(list->font());
    p.drawText(QRect(r.left() + 4, r.center().y() + 2, r.width() - 8, 3 * line), Qt::AlignHCenter | Qt::TextWordWrap, hint);
}

TChartWindowParts BuildChartWindow(QWidget *frame, QWidget *list) {
    TChartWindowParts parts;
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    parts.PanelContents = new QWidget(frame);
    auto *contents = new QVBoxLayout(parts.PanelContents);
    contents->setContentsMargins(0, 0, 0, 0);
    list->setParent(parts.PanelContents);
    contents->addWidget(list, 1);
    parts.PabelButton = new QWidget(parts.PanelContents);
    auto *buttons = new QHBoxLayout(parts.PabelButton);
    parts.ButtonChartSelect = new QPushButton(parts.PabelButton);
    parts.ButtonChartSelect->setObjectName(QStringLiteral("ButtonChartSelect"));
    buttons->addWidget(parts.ButtonChartSelect);
    buttons->addStretch(1);
    contents->addWidget(parts.PabelButton);
    layout->addWidget(parts.PanelContents);
    return parts;
}

void ChooseChart(IChartManager *manager, QWidget *owner, const std::function<void(const TGUID &)> &raster,
                 const std::function<void(const QString &)> &s57) {
    IChart *cell = nullptr;
    IChartCatalogueEntry *entry = nullptr;
    if (!SelectChartDialog(manager, 0xFFFFFF, cell, entry, owner)) return;
    if (entry) {
        if (IRasterChart *chart = entry->GetCatalogueObject()->GetRasterChart()) raster(*chart->GetInfo()->GetGUID());
    } else if (cell) {
        s57(ChartGetFileName(cell));
    }
}
