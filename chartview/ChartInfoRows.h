// The rows the chart information window lists for a raster chart or an S-57 cell: groups
// of caption and value, some of them links to additional information. Texts in the
// current language. GUI thread.
#pragma once

#include <KvLibNav6/KvCharts.h>

#include <QString>
#include <vector>

enum class TChartInfoRowKind { Group = 0, Link = 2, Label = 3, Title = 4 };

struct TChartInfoRow {
    QString Caption;
    TChartInfoRowKind Kind = TChartInfoRowKind::Label;
    QString Value;        // shown text; for a link what it opens (file name or text)
    bool LinkToFile = false;  // a link that opens a packed file rather than a text
};

struct TChartInfoGroup {
    TChartInfoRow Row;  // the group row itself
    std::vector<TChartInfoRow> Rows;
};

std::vector<TChartInfoGroup> RasterChartInfoRows(IChartCatalogueEntry *entry);
std::vector<TChartInfoGroup> S57ChartInfoRows(IChart *chart);

// "2.3° W": one decimal with the locale's separator, east for values ≥ 0.
QString VariationText(double degrees);
// bENCs carry a depth range ("Range 2 - 5" for 153); others one of nine purposes.
QString NavigationalPurposeText(bool benc, int32_t code);
// " (UTC +60)", " (UTC -300)": the offset in minutes with its sign.
QString UtcOffsetText(int32_t minutes);
