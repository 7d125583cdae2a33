#include "viewer/RenderS57Labels.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include <QFontMetricsF>
#include <QLineF>

namespace kv::render {

namespace {

const QString *Attribute(const TS57Feature &f, const char *acronym) {
    for (const auto &[name, value] : f.Attributes)
        if (name == QLatin1String(acronym)) return &value;
    return nullptr;
}

bool Number(const TS57Feature &f, const char *acronym, double &out) {
    const QString *v = Attribute(f, acronym);
    bool ok = false;
    if (v) out = v->toDouble(&ok);
    return ok;
}

QString Metres(double v) { return QString::number(v, 'f', 1); }

QString ClearanceText(const TS57Feature &f) {
    double v = 0;
    if (Number(f, "VERCLR", v)) return QStringLiteral("clr %1").arg(Metres(v));
    QString text;
    if (Number(f, "VERCCL", v)) text = QStringLiteral("clr cl %1").arg(Metres(v));
    if (Number(f, "VERCOP", v))
        text += (text.isEmpty() ? QStringLiteral("clr op %1") : QStringLiteral(" op %1")).arg(Metres(v));
    return text;
}

QString LightCharacter(int code) {
    static const char *const names[] = {"",     "F",     "Fl",    "LFl",    "Q",     "VQ",
                                        "UQ",   "Iso",   "Oc",    "IQ",     "IVQ",   "IUQ",
                                        "Mo",   "FFl",   "Fl+LFl", "OcFl",  "FLFl",  "Al.Oc",
                                        "Al.LFl", "Al.Fl", "Al.Gr", "",     "",      "",
                                        "",     "Q+LFl", "VQ+LFl", "UQ+LFl", "Al",   "Al.FFl"};
    return code > 0 && code < int(std::size(names)) ? QString::fromLatin1(names[code]) : QString();
}

QString LightColours(const QList<int> &colours) {
    QString out;
    for (int c : colours) {
        switch (c) {
        case 1: out += QLatin1Char('W'); break;
        case 3: out += QLatin1Char('R'); break;
        case 4: out += QLatin1Char('G'); break;
        case 5: out += QStringLiteral("Bu"); break;
        case 6: out += QLatin1Char('Y'); break;
        case 11: out += QStringLiteral("Or"); break;
        default: break;
        }
    }
    return out;
}

QString LightText(const TS57Feature &f) {
    const QString *character = Attribute(f, "LITCHR");
    QString text = character ? LightCharacter(character->toInt()) : QString();
    if (const QString *group = Attribute(f, "SIGGRP"); group && *group != QLatin1String("()"))
        text += *group;
    const QString colours = LightColours(f.Colours);
    if (!colours.isEmpty()) text += (text.isEmpty() || text.endsWith(QLatin1Char(')')) ? QString() : QStringLiteral(".")) + colours;
    double v = 0;
    if (Number(f, "SIGPER", v)) text += QStringLiteral(".%1s").arg(QString::number(v, 'g', 4));
    if (Number(f, "HEIGHT", v)) text += QStringLiteral("%1m").arg(QString::number(v, 'g', 4));
    if (f.Range > 0) text += QStringLiteral("%1M").arg(QString::number(f.Range, 'g', 3));
    return text;
}

// Where a line through `at` in direction `dir` runs inside the area (odd-even over every
// ring): the inside stretch nearest to `at`, as its two ends' parameters along dir.
bool InsideStretch(const TS57Feature &f, QPointF at, QPointF dir, double &t0, double &t1,
                   QPointF &edgeDir) {
    std::vector<std::pair<double, QPointF>> hits;
    const QPointF *v = f.Vertices.data();
    for (size_t part = 0; part + 1 < f.Parts.size(); ++part) {
        for (int i = f.Parts[part]; i + 1 < f.Parts[part + 1]; ++i) {
            const QPointF a = v[i], b = v[i + 1], e = b - a;
            const double den = dir.x() * e.y() - dir.y() * e.x();
            if (std::fabs(den) < 1e-12) continue;
            const QPointF d = a - at;
            const double t = (d.x() * e.y() - d.y() * e.x()) / den;
            const double s = (d.x() * dir.y() - d.y() * dir.x()) / den;
            if (s >= 0 && s < 1) hits.emplace_back(t, e);
        }
    }
    if (hits.size() < 2) return false;
    std::sort(hits.begin(), hits.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    double best = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i + 1 < hits.size(); i += 2) {
        const double a = hits[i].first, b = hits[i + 1].first;
        const double distance = a <= 0 && b >= 0 ? 0.0 : std::min(std::fabs(a), std::fabs(b));
        if (distance < best) {
            best = distance;
            t0 = a;
            t1 = b;
            // The banks' mean direction, both taken the same way round.
            QPointF e0 = hits[i].second, e1 = hits[i + 1].second;
            if (QPointF::dotProduct(e0, e1) < 0) e1 = -e1;
            edgeDir = e0 / std::hypot(e0.x(), e0.y()) + e1 / std::hypot(e1.x(), e1.y());
        }
    }
    return std::isfinite(best);
}

bool PlaceOnLine(const TS57Feature &f, QPointF &at, double &angle) {
    // The middle of the longest run, along the segment there.
    double bestLength = 0;
    size_t bestPart = 0;
    for (size_t part = 0; part + 1 < f.Parts.size(); ++part) {
        double length = 0;
        for (int i = f.Parts[part]; i + 1 < f.Parts[part + 1]; ++i)
            length += QLineF(f.Vertices[size_t(i)], f.Vertices[size_t(i + 1)]).length();
        if (length > bestLength) {
            bestLength = length;
            bestPart = part;
        }
    }
    if (!(bestLength > 0)) return false;
    double left = bestLength / 2;
    for (int i = f.Parts[bestPart]; i + 1 < f.Parts[bestPart + 1]; ++i) {
        const QLineF seg(f.Vertices[size_t(i)], f.Vertices[size_t(i + 1)]);
        if (left <= seg.length()) {
            at = seg.pointAt(seg.length() > 0 ? left / seg.length() : 0.0);
            angle = std::atan2(seg.dy(), seg.dx());
            return true;
        }
        left -= seg.length();
    }
    return false;
}

}  // namespace

QString S57FeatureText(const TS57Feature &f) {
    if (f.Class == "BRIDGE") return ClearanceText(f);
    if (f.Class == "LIGHTS") return LightText(f);
    return {};
}

bool PlaceS57Name(const TS57Feature &f, QPointF &at, double &angle) {
    if (f.Prim == 2) return PlaceOnLine(f, at, angle);
    if (f.Prim != 3 || f.Vertices.size() < 3) return false;
    // Centre and principal axes of the outline, its edges weighted by their length so that
    // densely drawn stretches do not pull the name towards them.
    double total = 0, cx = 0, cy = 0;
    const QPointF *v = f.Vertices.data();
    auto forEachEdge = [&](auto &&fn) {
        for (size_t part = 0; part + 1 < f.Parts.size(); ++part)
            for (int i = f.Parts[part]; i + 1 < f.Parts[part + 1]; ++i) fn(v[i], v[i + 1]);
    };
    forEachEdge([&](QPointF a, QPointF b) {
        const double w = QLineF(a, b).length();
        total += w;
        cx += w * (a.x() + b.x()) / 2;
        cy += w * (a.y() + b.y()) / 2;
    });
    if (!(total > 0)) return false;
    const QPointF centre(cx / total, cy / total);
    double sxx = 0, syy = 0, sxy = 0;
    forEachEdge([&](QPointF a, QPointF b) {
        const double w = QLineF(a, b).length();
        const QPointF m = (a + b) / 2 - centre;
        sxx += w * m.x() * m.x();
        syy += w * m.y() * m.y();
        sxy += w * m.x() * m.y();
    });
    const double axis = 0.5 * std::atan2(2 * sxy, sxx - syy);
    const double mean = (sxx + syy) / 2, spread = std::hypot((sxx - syy) / 2, sxy);
    const double major = mean + spread, minor = std::max(mean - spread, 1e-12);
    const bool elongated = major / minor > 9.0;  // axes more than three to one
    // Across the course for a long area, else across a horizontal name.
    const double across = elongated ? axis + M_PI / 2 : M_PI / 2;
    const QPointF dir(std::cos(across), std::sin(across));
    double t0 = 0, t1 = 0;
    QPointF banks;
    if (!InsideStretch(f, centre, dir, t0, t1, banks)) return false;
    at = centre + dir * ((t0 + t1) / 2);
    angle = elongated && std::hypot(banks.x(), banks.y()) > 0 ? std::atan2(banks.y(), banks.x()) : 0.0;
    return true;
}

void DrawContourLabel(QPainter &pt, const TS57Feature &f, const QTransform &toPixel, const QRectF &device,
                      const QString &text, const QFont &font, const QColor &colour) {
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);
    std::vector<int> inside;
    for (size_t part = 0; part + 1 < f.Parts.size(); ++part) {
        const int k = f.Parts[part], end = f.Parts[part + 1];
        // The middle of the stretch on the device, so that a long contour shows its value
        // wherever it is looked at.
        inside.clear();
        for (int i = k; i + 1 < end; ++i)
            if (device.contains(toPixel.map(f.Vertices[size_t(i)]))) inside.push_back(i);
        if (inside.empty()) continue;
        const QRectF span = toPixel.mapRect(QRectF(f.Vertices[size_t(inside.front())],
                                                   f.Vertices[size_t(inside.back() + 1)]).normalized());
        if (std::max(span.width(), span.height()) < 2 * width) continue;
        const int m = inside[inside.size() / 2];
        const QPointF a = toPixel.map(f.Vertices[size_t(m)]), b = toPixel.map(f.Vertices[size_t(m + 1)]);
        const QPointF at = (a + b) / 2;
        double degrees = std::atan2(b.y() - a.y(), b.x() - a.x()) * 180.0 / M_PI;
        if (degrees > 90) degrees -= 180;
        if (degrees <= -90) degrees += 180;
        pt.save();
        pt.translate(at);
        pt.rotate(degrees);
        pt.setFont(font);
        pt.setPen(colour);
        pt.drawText(QPointF(-width / 2, -2), text);
        pt.restore();
    }
}

}  // namespace kv::render
