// The S-57 feature of a viewer's pick: a copy of its class and attributes, so it stays valid
// while cells are reloaded. Owned by the viewer until the next pick or ClearS57Pick.
#pragma once

#include "kernel/KvInternal.h"
#include "viewer/RenderS57.h"

#include "KvLibNav6/KvCharts.h"

namespace kv::render {

class TS57Object final : public IS57Object {
public:
    // cellFolder: the folder of the cell file, where the feature's attached files lie.
    TS57Object(const QString &chartName, const TS57Feature &feature, bool second,
               const QString &cellFolder = QString());
    const TStrWRec *GetChartName() override { return FChartName.Get(); }
    const TStrWRec *GetDetailsHTML(NavObject *viewerContext, IS52PresentationLib *settings,
                                   bool withHeader) override;
    bool HasSecondChartObject() override { return FSecond; }

    const QByteArray &Class() const { return FClass; }
    // The attribute table as HTML with every text encoded; the attached-file attributes
    // (TXTDSC, NTXTDS, PICREP) link their file as a file URL when it lies in the cell folder.
    QString Html(bool withHeader) const;

private:
    TOwnedText FChartName;
    TOwnedText FHtml;
    QByteArray FClass;
    QString FFolder;
    std::vector<std::pair<QString, QString>> FAttributes;
    bool FSecond;
};

}  // namespace kv::render
