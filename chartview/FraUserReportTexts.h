// The eight-language texts of the user report panel.
#pragma once

#include "base/texts/KvLanguage.h"

namespace UserReportText {
extern const TLanguageStrings Panel, Close, CreateScreenshot, SelectPoint, Send, SendCopyTo, SendScreenshot,
    Subject, Information, DataSent, NoPoint, PointSelected, ClickPosition, NoScreenshot, ViewScreenshot, Prompt,
    NoSubject, SendError, Sent, SendFailed, ReportFor, BoatInfoHeading, BoatPosition, SelectedChartSets, North,
    South, East, West;
}  // namespace UserReportText
