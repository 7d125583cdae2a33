#include "objectinfo/FacilityPage.h"

#include "base/strings/KvStrUtils.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

namespace {

QString ElementName(QStringView qualified) {
    static const QString prefix = QStringLiteral("openecdis:");
    QString name = qualified.toString().toLower();
    if (name.startsWith(prefix)) name.remove(0, prefix.size());
    return name;
}

// Reads the element the reader stands on, up to its end.
void ReadElement(QXmlStreamReader &xml, TFacilityElement &e) {
    e.Name = ElementName(xml.qualifiedName());
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            e.Children.emplace_back();
            ReadElement(xml, e.Children.back());
        } else if (xml.isCharacters() || xml.isEntityReference()) {
            text += xml.text();
        } else if (xml.isEndElement()) {
            break;
        }
    }
    if (e.Children.empty()) e.Text = text;
}

QString Cell(const QString &text) { return HTMLEncode(text); }

QString Row(const QString &label, const QString &value) {
    return QStringLiteral("<tr><td>") + label + QStringLiteral("</td><td>") + Cell(value) + QStringLiteral("</td></tr>");
}

QString WideRow(const QString &html) {
    return QStringLiteral("<tr><td colspan=\"2\">") + html + QStringLiteral("</td></tr>");
}

QString TableStart(const QString &heading) {
    return QStringLiteral("<table><tr><th align=\"left\" colspan=\"2\">") + heading + QStringLiteral("</th></tr>");
}

QString Paragraph(const QString &text) { return QStringLiteral("<p>") + Cell(text) + QStringLiteral("</p>"); }

// The text of the last child of that name: repeated children count with the last one.
QString LastText(const TFacilityElement &e, const QString &name) {
    QString text;
    for (const auto &c : e.Children)
        if (c.Name == name) text = c.Text;
    return text;
}

QString ValidRow(const QString &from, const QString &to) {
    return WideRow(QStringLiteral("Valid from ") + Cell(from) + QStringLiteral(" to ") + Cell(to));
}

using TLabels = std::vector<std::pair<const char *, const char *>>;

// The row of a text element named in labels; empty for any other element.
QString LabelledRow(const TFacilityElement &c, const TLabels &labels) {
    for (const auto &[name, label] : labels)
        if (c.Name == QLatin1String(name)) return Row(QString::fromLatin1(label), c.Text);
    return QString();
}

// Rows in document order for the children named in labels; others are skipped.
QString LabelledRows(const TFacilityElement &e, const TLabels &labels) {
    QString out;
    for (const auto &c : e.Children) out += LabelledRow(c, labels);
    return out;
}

QString AddressTable(const TFacilityElement &e) {
    return TableStart(QStringLiteral("Address")) +
           LabelledRows(e, {{"street", "Street"}, {"postcode", "Postcode"}, {"city", "City"}, {"state", "State"},
                            {"country", "Country"}}) +
           QStringLiteral("</table>");
}

QString ContactTable(const TFacilityElement &e) {
    QString out = TableStart(QStringLiteral("Contact"));
    for (const auto &c : e.Children) {
        if (c.Name == QLatin1String("email"))
            out += QStringLiteral("<tr><td>E-Mail</td><td><a href=\"mailto:%1\">%1</a></td></tr>").arg(Cell(c.Text));
        else if (c.Name == QLatin1String("url"))
            out += QStringLiteral("<tr><td>Url</td><td><a href=\"%1\">%1</a></td></tr>").arg(Cell(c.Text));
        else
            out += LabelledRow(c, {{"company", "Company"}, {"name", "Name"}, {"phone", "Phone"},
                                   {"mobile", "Mobile"}, {"fax", "Fax"}, {"remark", "Remark"}});
    }
    return out + QStringLiteral("</table>");
}

QString RadioTable(const TFacilityElement &e) {
    return TableStart(QStringLiteral("Radio communication")) +
           LabelledRows(e, {{"calling_name", "Calling name"}, {"call_sign", "Callsign"}, {"channel", "Channel"}}) +
           QStringLiteral("</table>");
}

QString CommunicationBlock(const TFacilityElement &e) {
    QString out;
    for (const auto &c : e.Children) {
        if (c.Name == QLatin1String("address"))
            out += AddressTable(c);
        else if (c.Name == QLatin1String("contact"))
            out += ContactTable(c);
        else if (c.Name == QLatin1String("radio_communication"))
            out += RadioTable(c);
        else if (c.Name == QLatin1String("remark"))
            out += Paragraph(c.Text);
    }
    return out;
}

QString TimeFrameRow(const TFacilityElement &e) {
    const QString remark = LastText(e, QStringLiteral("remark"));
    QString out = QStringLiteral("<tr><td>") + Cell(LastText(e, QStringLiteral("start"))) + QStringLiteral(" - ") +
                  Cell(LastText(e, QStringLiteral("end"))) + QStringLiteral("</td>");
    if (!remark.isEmpty()) out += QStringLiteral("<td>") + Cell(remark) + QStringLiteral("</td>");
    return out + QStringLiteral("</tr>");
}

QString TimeFrameRows(const TFacilityElement &e) {
    QString out;
    for (const auto &c : e.Children)
        if (c.Name == QLatin1String("time_frame")) out += TimeFrameRow(c);
    return out;
}

QString DayBlock(const TFacilityElement &day) {
    const QString remark = LastText(day, QStringLiteral("remark"));
    QString out = WideRow(QStringLiteral("Date")) + WideRow(Cell(LastText(day, QStringLiteral("date"))));
    out += TimeFrameRows(day);
    if (!remark.isEmpty()) out += WideRow(Cell(remark));
    return out;
}

QString DaysBlock(const TFacilityElement &days) {
    QString out;
    for (const auto &c : days.Children) {
        if (c.Name == QLatin1String("name_of_days") || c.Name == QLatin1String("remark"))
            out += WideRow(Cell(c.Text));
        else if (c.Name == QLatin1String("time_frame"))
            out += TimeFrameRow(c);
    }
    return out;
}

QString PeriodBlock(const TFacilityElement &period) {
    QString out = WideRow(QStringLiteral("Period")) +
                  ValidRow(LastText(period, QStringLiteral("from")), LastText(period, QStringLiteral("to")));
    for (const auto &c : period.Children)
        if (c.Name == QLatin1String("days_with_common_schedule")) out += DaysBlock(c);
    return out;
}

QString ChildBlocks(const TFacilityElement &e, const char *name, QString (*block)(const TFacilityElement &)) {
    QString out;
    for (const auto &c : e.Children)
        if (c.Name == QLatin1String(name)) out += block(c);
    return out;
}

QString ScheduleTable(const TFacilityElement &e) {
    QString out = TableStart(QStringLiteral("Time schedule"));
    for (const auto &c : e.Children) {
        if (c.Name == QLatin1String("type"))
            out += WideRow(Cell(c.Text));
        else if (c.Name == QLatin1String("valid"))
            out += ValidRow(LastText(c, QStringLiteral("from")), LastText(c, QStringLiteral("to")));
        else if (c.Name == QLatin1String("individual_schedule"))
            out += ChildBlocks(c, "day", DayBlock);
        else if (c.Name == QLatin1String("regular_schedule"))
            out += ChildBlocks(c, "period", PeriodBlock);
        else if (c.Name == QLatin1String("remark"))
            out += Paragraph(c.Text);
    }
    return out + QStringLiteral("</table>");
}

}  // namespace

bool ReadFacilityFile(const QString &file, TFacilityElement &root, QString &error) {
    root = TFacilityElement{};
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1 (%2)").arg(file, f.errorString());
        return false;
    }
    QXmlStreamReader xml(&f);
    // Prefixes are part of the name here: "openecdis:" is never declared in these files.
    xml.setNamespaceProcessing(false);
    bool seenRoot = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && !seenRoot) {
            seenRoot = true;
            ReadElement(xml, root);
        }
    }
    if (xml.hasError() || !seenRoot) {
        const QString message = xml.hasError() ? xml.errorString() : QStringLiteral("no root element");
        error = QStringLiteral("%1 (line %2: %3)").arg(file).arg(xml.lineNumber()).arg(message);
        return false;
    }
    return true;
}

QString FacilityBody(const TFacilityElement &root) {
    if (root.Name != QLatin1String("facility")) return QStringLiteral("<table></table>");
    static const TLabels textRows = {
        {"version", "Version"}, {"last_edited", "Last edited"}, {"id", "Id"},
        {"name", "Name"},       {"type", "Type"},               {"image", "Image"},
        {"description", "Description"}, {"operator", "Operator"}, {"owner", "Owner"}};
    QString out = QStringLiteral("<table>");
    bool open = true;
    for (const auto &c : root.Children) {
        const bool communication = c.Name == QLatin1String("communication_information");
        if (communication || c.Name == QLatin1String("time_schedule")) {
            if (open) out += QStringLiteral("</table>");
            open = false;
            out += communication ? CommunicationBlock(c) : ScheduleTable(c);
        } else if (const QString row = LabelledRow(c, textRows); !row.isEmpty()) {
            // A text element after a block opens a table of its own rather than being lost.
            if (!open) out += QStringLiteral("<table>");
            open = true;
            out += row;
        }
    }
    if (open) out += QStringLiteral("</table>");
    return out;
}

bool BuildFacilityPage(const QString &file, QString &html, QString &error) {
    html.clear();
    TFacilityElement root;
    if (!ReadFacilityFile(file, root, error)) return false;
    html = FacilityBody(root);
    return true;
}
