#include "viewer/S57Object.h"

#include "viewer/S57Attachments.h"

#include <QUrl>

namespace kv::render {

TS57Object::TS57Object(const QString &chartName, const TS57Feature &feature, bool second,
                       const QString &cellFolder)
    : FClass(feature.Class), FFolder(cellFolder), FAttributes(feature.Attributes), FSecond(second) {
    FChartName.Set(chartName);
}

const TStrWRec *TS57Object::GetDetailsHTML(NavObject *, IS52PresentationLib *, bool withHeader) {
    return FHtml.Set(Html(withHeader));
}

QString TS57Object::Html(bool withHeader) const {
    // Attribute values come from the cell file: every one is encoded before it goes in.
    QString html;
    if (withHeader)
        html += QStringLiteral("<p class=\"header\">%1 (%2)</p>\n")
                    .arg(S57ClassName(FClass).toHtmlEscaped(), QString::fromLatin1(FClass).toHtmlEscaped());
    html += QStringLiteral("<table>\n");
    html += QStringLiteral("<tr><td>Chart</td><td>%1</td></tr>\n").arg(ToQString(*FChartName.Get()).toHtmlEscaped());
    for (const auto &[name, value] : FAttributes) {
        const QString file = S57AttachedFile(FFolder, name, value);
        const QString shown = file.isEmpty() ? value.toHtmlEscaped()
                                             : QStringLiteral("<a href=\"%1\">%2</a>")
                                                   .arg(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded)
                                                            .toHtmlEscaped(),
                                                        value.toHtmlEscaped());
        html += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>\n").arg(name.toHtmlEscaped(), shown);
    }
    html += QStringLiteral("</table>\n");
    return html;
}

}  // namespace kv::render
