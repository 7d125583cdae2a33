#include "viewer/RenderOverlay.h"

#include "network/WWNetwork.h"

#include "KvLibNav6/KvGeodesy.h"
#include "KvLibNav6/KvViewer.h"
#include "KvLibNav6/KvWWNetwork.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace kv::render {

namespace {

double SegmentDistance(const QPointF &p, const QPointF &a, const QPointF &b, double &t) {
    const QPointF d = b - a;
    const double len2 = QPointF::dotProduct(d, d);
    t = len2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / len2, 0.0, 1.0) : 0.0;
    return QLineF(a + t * d, p).length();
}

QPolygonF SectionPixels(const QTransform &toPixel, const ww::TWWSectionImpl &s) {
    QPolygonF line;
    line.reserve(qsizetype(s.GeoPoints().size()));
    for (const TGeoPoint &g : s.GeoPoints()) line << toPixel.map(GeoToMercator(g));
    return line;
}

bool SectionInView(const QPolygonF &line, const QRectF &area) { return line.boundingRect().intersects(area); }

QColor StructColour(int32_t kind) {
    switch (kind) {
    case WWStructKind::Bridge: return QColor(200, 40, 40);
    case WWStructKind::Lock: return QColor(30, 90, 200);
    default: return QColor(90, 90, 90);
    }
}

}  // namespace

int SectionWidth(const TNetworkStyle &style) {
    const int maxWidth = std::max(1, style.MaxWidth);
    if (!(style.ScaleDenominator > 25000)) return maxWidth;
    return std::max(1, int(std::lround(maxWidth * 25000 / style.ScaleDenominator)));
}

bool SectionUnpassable(ww::TWWSectionImpl &s, double position) {
    uint32_t flags = 0;
    return s.GetNavigability(position, flags) && !(flags & WWVesselClass::Pleasure);
}

ww::TWWNetworkImpl *NetworkImpl(IWWNetwork *network) { return dynamic_cast<ww::TWWNetworkImpl *>(network); }

TGeoPoint StructPosition(ww::TWWStructImpl &s) {
    const TDouble3 g = s.GetGlobalPosition();
    TGeoPoint out{GeoPointNoPosition, GeoPointNoPosition};
    GlobalToGeo2(out, g, nullptr);
    return out;
}

void DrawNetwork(QPainter &p, const TViewState &v, ww::TWWNetworkImpl &net, const TNetworkStyle &style,
                 const std::vector<ww::TWWStructImpl *> &selected) {
    const QTransform toPixel = v.ToPixel();
    const QRectF area(-20, -20, v.Width + 40, v.Height + 40);
    const int width = SectionWidth(style);
    p.save();
    if (style.Flags & NavViewerNetworkFlag::Sections) {
        std::vector<std::pair<QPolygonF, ww::TWWSectionImpl *>> shown;
        for (int32_t i = 0; i < net.SectionCount(); ++i) {
            ww::TWWSectionImpl *s = net.Section(i);
            QPolygonF line = SectionPixels(toPixel, *s);
            if (line.size() >= 2 && SectionInView(line, area)) shown.emplace_back(std::move(line), s);
        }
        // Back lines first, so crossings stay in the section colour.
        p.setPen(QPen(QColor::fromRgba(style.Back), width + 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (auto &[line, s] : shown) p.drawPolyline(line);
        const bool markUnpassable = style.Flags & NavViewerNetworkFlag::Unpassable;
        for (auto &[line, s] : shown) {
            const bool closed = markUnpassable && SectionUnpassable(*s, s->GetLength() / 2);
            p.setPen(QPen(QColor::fromRgba(closed ? style.Unpassable : style.Colour), width, Qt::SolidLine,
                          Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(line);
        }
        if (style.Flags & NavViewerNetworkFlag::SectionNames) {
            QFont font = p.font();
            font.setPixelSize(11);
            p.setFont(font);
            p.setPen(QColor::fromRgba(style.Colour).darker(160));
            for (auto &[line, s] : shown) {
                const QString name = kv::ToQString(*s->GetName());
                if (name.isEmpty() || line.boundingRect().width() + line.boundingRect().height() < 80) continue;
                p.drawText(line[line.size() / 2] + QPointF(4, -4), name);
            }
        }
    }
    if (style.Flags & NavViewerNetworkFlag::Structures) {
        QFont font = p.font();
        font.setPixelSize(10);
        p.setFont(font);
        for (int32_t i = 0; i < net.GetStructCount(); ++i) {
            ww::TWWStructImpl *st = net.Struct(i);
            const QPointF at = toPixel.map(GeoToMercator(StructPosition(*st)));
            if (!area.contains(at)) continue;
            const bool isSelected = std::find(selected.begin(), selected.end(), st) != selected.end();
            p.setPen(QPen(isSelected ? QColor(255, 140, 0) : QColor(Qt::black), isSelected ? 2.5 : 1.0));
            p.setBrush(StructColour(st->GetKind()));
            if (st->GetKind() == WWStructKind::Lock) p.drawRect(QRectF(at - QPointF(5, 5), QSizeF(10, 10)));
            else p.drawEllipse(at, 5, 5);
            if (style.Flags & NavViewerNetworkFlag::StructureNames) {
                p.setPen(Qt::black);
                p.drawText(at + QPointF(7, 4), kv::ToQString(*st->GetName()));
            }
        }
    }
    p.restore();
}

TSectionHit NetworkSectionAt(const TViewState &v, ww::TWWNetworkImpl &net, const TNetworkStyle &style,
                             const QPointF &pixel) {
    TSectionHit best;
    if (!(style.Flags & NavViewerNetworkFlag::Sections)) return best;
    const QTransform toPixel = v.ToPixel();
    const double reach = OverlayHitRadius / 2 + SectionWidth(style) / 2.0;
    const QRectF around(pixel - QPointF(reach, reach), QSizeF(2 * reach, 2 * reach));
    best.PixelDistance = reach;
    for (int32_t i = 0; i < net.SectionCount(); ++i) {
        ww::TWWSectionImpl *s = net.Section(i);
        const QPolygonF line = SectionPixels(toPixel, *s);
        if (line.size() < 2 || !line.boundingRect().adjusted(-1, -1, 1, 1).intersects(around)) continue;
        for (qsizetype k = 1; k < line.size(); ++k) {
            double t = 0;
            const double d = SegmentDistance(pixel, line[k - 1], line[k], t);
            if (d > best.PixelDistance || (best.Section && d == best.PixelDistance)) continue;
            best.Section = s;
            best.PixelDistance = d;
        }
    }
    if (best.Section) {
        // The distance along the section comes from the section's own geometry, so it matches
        // what the network reports for that point.
        TDouble3 g;
        GeoToGlobal2(g, v.GeoOf(pixel), nullptr);
        double position = 0, distance = 0;
        best.Section->Nearest(g, position, distance);
        best.Position = position;
    }
    return best;
}

std::vector<ww::TWWStructImpl *> NetworkStructsAt(const TViewState &v, ww::TWWNetworkImpl &net,
                                                  const TNetworkStyle &style, const QPointF &pixel) {
    std::vector<std::pair<double, ww::TWWStructImpl *>> hits;
    if (style.Flags & NavViewerNetworkFlag::Structures) {
        const QTransform toPixel = v.ToPixel();
        for (int32_t i = 0; i < net.GetStructCount(); ++i) {
            ww::TWWStructImpl *st = net.Struct(i);
            const double d = QLineF(toPixel.map(GeoToMercator(StructPosition(*st))), pixel).length();
            if (d <= OverlayHitRadius) hits.emplace_back(d, st);
        }
    }
    std::stable_sort(hits.begin(), hits.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<ww::TWWStructImpl *> out;
    for (auto &h : hits) out.push_back(h.second);
    return out;
}

}  // namespace kv::render
