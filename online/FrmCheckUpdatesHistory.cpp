#include "online/FrmCheckUpdatesHistory.h"

#include <QRegularExpression>

namespace {

const char *const Codes[] = {"EN", "NL", "DE", "FR", "SP", "IT", "DK", "SW"};

// "#RRGGBB" to a colour number whose lowest byte is red, and back.
TColor ToColor(const QString &hex) {
    const uint32_t rgb = hex.mid(1).toUInt(nullptr, 16);
    return TColor(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

QString ListedColour(const QString &value) {
    static const char *const listed[] = {"#FFFFFF", "#F0F0F0", "#00FF00", "#FFFF80", "#FF80FF", "#FF0000", "#A0A0FF"};
    if (value.compare(QLatin1String("white"), Qt::CaseInsensitive) == 0) return QStringLiteral("#FFFFFF");
    for (const char *l : listed)
        if (value.compare(QLatin1String(l), Qt::CaseInsensitive) == 0) return QString::fromLatin1(l);
    return QString();
}

}  // namespace

QString HtmlColor(TColor c) {
    const uint32_t v = uint32_t(c);
    return QStringLiteral("#%1%2%3")
        .arg(v & 0xFF, 2, 16, QChar(u'0'))
        .arg((v >> 8) & 0xFF, 2, 16, QChar(u'0'))
        .arg((v >> 16) & 0xFF, 2, 16, QChar(u'0'))
        .toUpper();
}

QString LanguageToCode(int32_t language) {
    return language >= 1 && language <= 8 ? QString::fromLatin1(Codes[language - 1]) : QString();
}

int32_t CodeToLanguage(const QString &code) {
    for (int i = 0; i < 8; ++i)
        if (code.toUpper() == QLatin1String(Codes[i])) return i + 1;
    return 0;
}

QStringList HistoryAnchors(const QString &html) {
    static const QRegularExpression tag(QStringLiteral("<[A-Za-z][^>]*>"));
    static const QRegularExpression attr(
        QStringLiteral("\\s(?:name|id)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    for (auto t = tag.globalMatch(html); t.hasNext();) {
        const QString element = t.next().captured(0);
        for (auto a = attr.globalMatch(element); a.hasNext();) {
            const auto m = a.next();
            out << (m.hasCaptured(1) ? m.captured(1) : m.hasCaptured(2) ? m.captured(2) : m.captured(3));
        }
    }
    return out;
}

QList<int32_t> HistoryLanguages(const QStringList &anchors) {
    QList<int32_t> out;
    for (qsizetype i = anchors.size() - 1; i >= 0; --i) {
        const int32_t language = CodeToLanguage(anchors[i]);
        if (language >= 1 && !out.contains(language)) out << language;
    }
    if (out.isEmpty()) out << 1;
    return out;
}

QString NightHistory(const QString &html, const std::function<TColor(TColor)> &convert) {
    // Colour attributes and style colour values, inside tags only.
    static const QRegularExpression tag(QStringLiteral("<[A-Za-z][^>]*>"));
    static const QRegularExpression colour(
        QStringLiteral("((?:\\b(?:bgcolor|color|text|link|vlink|alink)\\s*=\\s*[\"']?)|"
                       "(?:\\b(?:background-color|background|color|border-color)\\s*:\\s*))(#?[0-9A-Za-z]+)"),
        QRegularExpression::CaseInsensitiveOption);
    QString out;
    qsizetype from = 0;
    for (auto t = tag.globalMatch(html); t.hasNext();) {
        const auto m = t.next();
        out += html.mid(from, m.capturedStart() - from);
        QString element = m.captured(0);
        QString recoloured;
        qsizetype at = 0;
        for (auto c = colour.globalMatch(element); c.hasNext();) {
            const auto cm = c.next();
            const QString listed = ListedColour(cm.captured(2));
            recoloured += element.mid(at, cm.capturedStart(2) - at);
            recoloured += listed.isEmpty() ? cm.captured(2) : HtmlColor(convert(ToColor(listed)));
            at = cm.capturedEnd(2);
        }
        out += recoloured + element.mid(at);
        from = m.capturedEnd();
    }
    return out + html.mid(from);
}
