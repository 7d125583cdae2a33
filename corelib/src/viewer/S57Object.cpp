#include "viewer/S57Object.h"

namespace kv::render {

TS57Object::TS57Object(const QString &chartName, const TS57Feature &feature, bool second)
    : FClass(feature.Class), FAttributes(feature.Attributes), FSecond(second) {
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
    for (const auto &[name, value] : FAttributes)
        html += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>\n").arg(name.toHtmlEscaped(), value.toHtmlEscaped());
    html += QStringLiteral("</table>\n");
    return html;
}

}  // namespace kv::render
