#include "online/FrmNewsCenterPage.h"

#include "base/strings/KvStrUtils.h"
#include "base/texts/KvLanguage.h"

namespace {

const TLanguageStrings TextUpdate = {"Update", "Bijwerken", "Aktualisieren", "", "", "", "", ""};
const TLanguageStrings TextChange = {"Change", "Wijzigen", "Ändern", "", "", "", "", ""};
const TLanguageStrings TextSize = {"Size", "Grootte", "Größe", "Taille", "", "Dimensione", "Størrelse", "Storlek"};

QString LinkWord(int32_t kind) {
    switch (kind) {
    case NewsLinkKind::ChartUpdate: return QStringLiteral("chartupdate");
    case NewsLinkKind::ProgramUpdate: return QStringLiteral("programupdate");
    case NewsLinkKind::HelpUpdate: return QStringLiteral("helpupdate");
    case NewsLinkKind::MRCManagerUpdate: return QStringLiteral("mrcmanagerupdate");
    case NewsLinkKind::UserUpdate: return QStringLiteral("userupdate");
    case NewsLinkKind::S57Update: return QStringLiteral("s57update");
    default: return QString();
    }
}

// rrggbb, lower case, of a colour number whose lowest byte is red.
QString Hex(TColor c) {
    const uint32_t v = uint32_t(c);
    return QStringLiteral("%1%2%3")
        .arg(v & 0xFF, 2, 16, QChar(u'0'))
        .arg((v >> 8) & 0xFF, 2, 16, QChar(u'0'))
        .arg((v >> 16) & 0xFF, 2, 16, QChar(u'0'));
}

QString Head(const QString &title, const QString &style) {
    return QStringLiteral("<!DOCTYPE html><html>  <head>    <title>") + title +
           QStringLiteral("</title>    <style type=\"text/css\">") + style + QStringLiteral("    </style>  </head>");
}

QString Style(const TNewsColours &c) {
    return QStringLiteral("      body { background-color: #") + Hex(c[0]) +
           QStringLiteral("; font-family: Verdana,Arial,Helvetica; font-size: 0.8em; }"
                          "      div.accordion_headings { background-color: #") + Hex(c[1]) +
           QStringLiteral("; color: #") + Hex(c[2]) +
           QStringLiteral("; font-size: 105%; clear: both; padding: 5px; cursor:pointer; }"
                          "      div.accordion_headings:hover { background-color: #") + Hex(c[3]) +
           QStringLiteral("; }      div.accordion_headings table { width: 100%; margin: 0; padding: 0; }"
                          "      div.accordion_headings td.update { width: 120px; text-align: right; }"
                          "      div.accordion_headings a { color: #") + Hex(c[4]) +
           QStringLiteral("; }      div.header_highlight { background-color: #") + Hex(c[3]) +
           QStringLiteral("; }      div.contentwrap { padding: 10px; }      div.content { background-color: #") +
           Hex(c[5]) + QStringLiteral("; color: #000000; }      div.content a { color: #") + Hex(c[6]) +
           QStringLiteral("; }      div.extracontent { font-size: 90%; padding: 5px 0; }"
                          "      ul { margin-top: 5px; margin-bottom: 5px; }");
}

// The viewer does not paint a div's background behind a table inside it: the table carries
// the heading colour itself.
QString Header(const TNewsItem &item, int index, bool open, const TNewsColours &colours) {
    const QString title = QStringLiteral("<a href=\"newsitem:%1\">").arg(index) + HTMLEncode(item.Title) +
                          QStringLiteral("</a>");
    QString out = QStringLiteral("      <div id=\"") + item.Id() + QStringLiteral("-header\" class=\"accordion_headings") +
                  (open ? QStringLiteral(" header_highlight") : QString()) + QStringLiteral("\">");
    if (item.LinkKind == NewsLinkKind::None) return out + title + QStringLiteral("</div>");
    const QString caption = LanguageText(item.LinkKind == NewsLinkKind::UserUpdate ? TextChange : TextUpdate);
    return out + QStringLiteral("        <table width=\"100%\" bgcolor=\"#") + Hex(open ? colours[3] : colours[1]) +
           QStringLiteral("\">          <tr>            <td>") + title +
           QStringLiteral("</td>            <td class=\"update\">              <a href=\"") + LinkWord(item.LinkKind) +
           QStringLiteral("\">") + caption + QStringLiteral("</a></td>          </tr>        </table>      </div>");
}

QString Content(const TNewsItem &item) {
    QString out = QStringLiteral("      <div id=\"") + item.Id() +
                  QStringLiteral("-content\" class=\"content\">        <div class=\"contentwrap\">          ") +
                  item.Content;
    if (item.Size > 0)
        out += QStringLiteral("          ") + LanguageText(TextSize) + QStringLiteral(": ") + SizeToStr2(15, 0, 0, 1, item.Size);
    if (!item.Extra.isEmpty())
        out += QStringLiteral("        <div class=\"extracontent\">          ") + item.Extra + QStringLiteral("        </div>");
    return out + QStringLiteral("        </div>      </div>");
}

}  // namespace

QString TNewsItem::Id() const {
    return Message ? QStringLiteral("newsmsg%1").arg(Number) : QStringLiteral("news%1%2").arg(LinkKind).arg(Number);
}

TNewsColours NewsDayColours() {
    return {TColor(0xD9DBDA), TColor(0x1F2F65), TColor(0xFFFFFF), TColor(0x1F2F95),
            TColor(0xFFFFFF), TColor(0xFFFFFF), TColor(0x304794)};
}

TNewsColours NewsColours(const std::function<TColor(TColor)> &convert) {
    TNewsColours colours = NewsDayColours();
    for (TColor &c : colours) c = convert(c);
    return colours;
}

QString BuildNewsPage(const QList<TNewsItem> &items, int open, const TNewsColours &colours) {
    QString page = Head(QStringLiteral("Marivo News Center"), Style(colours)) +
                   QStringLiteral("  <body>    <div id=\"basic-accordian\">");
    for (int i = 0; i < items.size(); ++i) {
        page += Header(items[i], i, i == open, colours);
        if (i == open) page += Content(items[i]);
    }
    return page + QStringLiteral("    </div>  </body></html>");
}

QString BuildNewsWaitingPage(const QString &imageUrl) {
    return Head(QStringLiteral("Loading News"), QStringLiteral("      html { width: 100%; height: 100%; }")) +
           QStringLiteral("  <body><p align=\"center\"><img src=\"") + imageUrl +
           QStringLiteral("\" /></p>  </body></html>");
}
