// The list of S-57 chart folders as the folder dialogs edit it, and the step that brings the
// chart manager in line with an edited list. Shared by the chart manager dialog and the news
// centre's Inland ENC update. GUI thread.
#pragma once

#include <KvLibNav6/KvCharts.h>

#include <vector>

class QWidget;

// The records belong to the list; a dialog that deletes a row erases its record.
using TS57ChartFolderList = std::vector<TS57ChartFolder>;

// One record per S-57 folder of the chart manager: its folder text and with-subfolders
// flag; a folder with an Inland ENC identity carries IsIENCSet and that identity, so that
// the download manager sees the sets installed before.
TS57ChartFolderList S57FolderListFromManager(IChartManager *manager);

// Makes the chart manager's S-57 folders equal to the list, touching only what differs: a
// folder whose flag differs is added again with the list's flag, a folder not listed is
// removed, a listed folder the manager lacks is added. Folder texts compare exactly. When
// anything changed, the S-57 chart information is reloaded under the wait window (centred
// on progressOwner). Returns whether anything changed.
bool ApplyS57FolderList(IChartManager *manager, const TS57ChartFolderList &list, IS57RegistrarManager *registrar,
                        IS52PresentationLib *library, QWidget *progressOwner);
