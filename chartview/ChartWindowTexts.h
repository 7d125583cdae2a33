// What the chart windows (legend, information) share: their texts and the message on the
// background of an empty list. GUI thread.
#pragma once

#include "base/texts/KvLanguage.h"

#include <QString>

#include <KvLibNav6/KvCharts.h>

#include <functional>

class QAbstractScrollArea;
class QPushButton;
class QWidget;

namespace ChartWindowText {
extern const TLanguageStrings SelectChart;
extern const TLanguageStrings NoChart;
extern const TLanguageStrings NoChartHint;
}  // namespace ChartWindowText

// A centred two-line message (bold caption, hint) on the list's viewport.
void DrawEmptyListMessage(QAbstractScrollArea *list, const QString &caption, const QString &hint);

// The chart windows' layout: PanelContents holding the list and, below it, PabelButton
// with the "Select chart" button, filling frame.
struct TChartWindowParts {
    QWidget *PanelContents = nullptr;
    QWidget *PabelButton = nullptr;
    QPushButton *ButtonChartSelect = nullptr;
};
TChartWindowParts BuildChartWindow(QWidget *frame, QWidget *list);

// The chart selection dialog for every viewer; a confirmed raster chart goes to raster
// with its GUID, an S-57 cell to s57 with its file name.
void ChooseChart(IChartManager *manager, QWidget *owner, const std::function<void(const TGUID &)> &raster,
                 const std::function<void(const QString &)> &s57);
