// The waterway network: loading, the graph, sections and junctions, fairways, lookups and
// merging a second network.
#include "network/WWNetwork.h"
#include "network/WWLog.h"

#include "KvLibNav6/KvGeodesy.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_set>

namespace kv::ww {

namespace {

TDouble3 Sub(const TDouble3 &a, const TDouble3 &b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
double Dot(const TDouble3 &a, const TDouble3 &b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }
double Norm(const TDouble3 &a) { return std::sqrt(Dot(a, a)); }
TDouble3 Lerp(const TDouble3 &a, const TDouble3 &b, double t) {
    return {a.X + (b.X - a.X) * t, a.Y + (b.Y - a.Y) * t, a.Z + (b.Z - a.Z) * t};
}

TDouble3 ToGlobal(const TGeoPoint &g) {
    TDouble3 out;
    GeoToGlobal2(out, g, nullptr);  // the standard ellipsoid: the frame of "global" points
    return out;
}

float ToMetres(double v) { return std::isfinite(v) ? float(v) : WWMissing; }

}  // namespace

// ---- junction, geometry ----

IWWSection *TWWJunctionImpl::GetSection(int32_t index) {
    if (index < 0 || size_t(index) >= Node->Sections.size()) return nullptr;
    return Node->Sections[size_t(index)];
}

TDouble3 TWWSectionGeometryImpl::PointAt(double distance) { return Section->GetPointAt(distance); }

// ---- section ----

TWWSectionImpl::TWWSectionImpl(TWWNetworkImpl *net, const TRawSection &raw, int32_t index,
                               TWWNode *start, TWWNode *end)
    : FNet(net), FRaw(&raw), FIndex(index), FGeo(raw.Line) {
    FName.Set(raw.Name);
    FPoints.reserve(FGeo.size());
    FCum.reserve(FGeo.size());
    for (const auto &g : FGeo) {
        FPoints.push_back(ToGlobal(g));
        FCum.push_back(FCum.empty() ? 0.0 : FCum.back() + Norm(Sub(FPoints.back(), FPoints[FPoints.size() - 2])));
    }
    FLength = FCum.back();
    FBoxMin = FBoxMax = FPoints.front();
    for (const auto &p : FPoints) {
        FBoxMin = {std::min(FBoxMin.X, p.X), std::min(FBoxMin.Y, p.Y), std::min(FBoxMin.Z, p.Z)};
        FBoxMax = {std::max(FBoxMax.X, p.X), std::max(FBoxMax.Y, p.Y), std::max(FBoxMax.Z, p.Z)};
    }
    FStart.Node = start;
    FStart.Position = 0.0;
    FEnd.Node = end;
    FEnd.Position = FLength;
    FGeometry.Section = this;
}

void TWWSectionImpl::AddStruct(TWWStructImpl *s) {
    auto at = std::upper_bound(FStructs.begin(), FStructs.end(), s,
                               [](TWWStructImpl *a, TWWStructImpl *b) { return a->Position() < b->Position(); });
    FStructs.insert(at, s);
}

TDouble3 TWWSectionImpl::GetPointAt(double position) {
    if (!(position > 0.0)) return FPoints.front();  // also NaN
    if (position >= FLength) return FPoints.back();
    const size_t i = size_t(std::upper_bound(FCum.begin(), FCum.end(), position) - FCum.begin());
    const double seg = FCum[i] - FCum[i - 1];
    return Lerp(FPoints[i - 1], FPoints[i], seg > 0 ? (position - FCum[i - 1]) / seg : 0.0);
}

std::vector<TGeoPoint> TWWSectionImpl::GeoLine(double from, double to) const {
    // Geographic points between corners are close enough for a line on the chart: the
    // stretch between two corners is interpolated in latitude and longitude.
    auto at = [this](double position) {
        if (!(position > 0.0)) return FGeo.front();
        if (position >= FLength) return FGeo.back();
        const size_t i = size_t(std::upper_bound(FCum.begin(), FCum.end(), position) - FCum.begin());
        const double seg = FCum[i] - FCum[i - 1];
        const double t = seg > 0 ? (position - FCum[i - 1]) / seg : 0.0;
        return TGeoPoint{FGeo[i - 1].Lat + t * (FGeo[i].Lat - FGeo[i - 1].Lat),
                         FGeo[i - 1].Lon + t * (FGeo[i].Lon - FGeo[i - 1].Lon)};
    };
    const double lo = std::clamp(std::min(from, to), 0.0, FLength);
    const double hi = std::clamp(std::max(from, to), 0.0, FLength);
    std::vector<TGeoPoint> line{at(lo)};
    for (size_t i = 0; i < FCum.size(); ++i)
        if (FCum[i] > lo && FCum[i] < hi) line.push_back(FGeo[i]);
    line.push_back(at(hi));
    if (from > to) std::reverse(line.begin(), line.end());
    return line;
}

void TWWSectionImpl::Nearest(const TDouble3 &p, double &position, double &distance) const {
    distance = std::numeric_limits<double>::infinity();
    position = 0.0;
    for (size_t i = 1; i < FPoints.size(); ++i) {
        const TDouble3 ab = Sub(FPoints[i], FPoints[i - 1]);
        const double len2 = Dot(ab, ab);
        const double t = len2 > 0 ? std::clamp(Dot(Sub(p, FPoints[i - 1]), ab) / len2, 0.0, 1.0) : 0.0;
        const double d = Norm(Sub(p, Lerp(FPoints[i - 1], FPoints[i], t)));
        if (d < distance) {
            distance = d;
            position = FCum[i - 1] + t * (FCum[i] - FCum[i - 1]);
        }
    }
}

double TWWSectionImpl::BoundDistance(const TDouble3 &p) const {
    const double dx = std::max({FBoxMin.X - p.X, 0.0, p.X - FBoxMax.X});
    const double dy = std::max({FBoxMin.Y - p.Y, 0.0, p.Y - FBoxMax.Y});
    const double dz = std::max({FBoxMin.Z - p.Z, 0.0, p.Z - FBoxMax.Z});
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

double TWWSectionImpl::GetDistanceMark(double offset) {
    const auto &m = FRaw->Marks;
    if (m.empty() || !std::isfinite(offset)) return -1.0;
    double value = 0.0;
    if (m.size() == 1) {
        // One post: the marks are taken to count up along the section.
        value = m[0].second + (offset - m[0].first);
    } else {
        size_t i = 1;
        while (i + 1 < m.size() && m[i].first < offset) ++i;
        const auto &a = m[i - 1], &b = m[i];
        const double span = b.first - a.first;
        value = span > 0 ? a.second + (offset - a.first) * (b.second - a.second) / span : a.second;
    }
    return std::max(0.0, value);
}

void TWWSectionImpl::GetDirection(double position, IGeodeticCalibration *cal, TFloat2 &vectorInOut) {
    position = std::clamp(std::isfinite(position) ? position : 0.0, 0.0, FLength);
    size_t i = size_t(std::upper_bound(FCum.begin(), FCum.end(), position) - FCum.begin());
    i = std::clamp<size_t>(i, 1, FPoints.size() - 1);
    // Skip zero-length segments (repeated vertices).
    size_t j = i;
    while (j + 1 < FPoints.size() && FCum[j] - FCum[j - 1] <= 0) ++j;
    const TDouble3 &a = FPoints[j - 1], &b = FPoints[j];
    double x = 0, y = 0;
    if (cal) {
        TDouble2 pa, pb;
        cal->ConvertGlobalPoint(pa, a);
        cal->ConvertGlobalPoint(pb, b);
        x = pb.X - pa.X;
        y = pb.Y - pa.Y;
    }
    if (!cal || !std::isfinite(x) || !std::isfinite(y) || std::hypot(x, y) == 0) {
        // North up: east and north of the segment's start, y of the view points south.
        const TGeoPoint &g = FGeo[j - 1];
        const TDouble3 d = Sub(b, a);
        const TDouble3 east{-std::sin(g.Lon), std::cos(g.Lon), 0.0};
        const TDouble3 north{-std::sin(g.Lat) * std::cos(g.Lon), -std::sin(g.Lat) * std::sin(g.Lon),
                             std::cos(g.Lat)};
        x = Dot(d, east);
        y = -Dot(d, north);
    }
    const double len = std::hypot(x, y);
    if (len > 0)
        vectorInOut = TFloat2{float(x / len), float(y / len)};
    else
        vectorInOut = TFloat2{0.0f, -1.0f};
}

IWWFairwayPart *TWWSectionImpl::GetFairwayPart() { return FPart; }
IWWFairway *TWWSectionImpl::GetFairway() { return FFairway; }

const TInterval *TWWSectionImpl::Attr(TAttr a, double position) const {
    const TInterval *found = nullptr;
    for (const auto &iv : FRaw->Attrs[size_t(a)]) {
        if (iv.From > position) break;
        if (position < iv.To) found = &iv;
    }
    return found;
}

float TWWSectionImpl::GetSpeedLimit(double position) {
    const TInterval *iv = Attr(TAttr::SpeedLimit, position);
    return iv ? ToMetres(iv->Num[0]) : WWMissing;
}

bool TWWSectionImpl::GetVHFSectorChannel(double position, int32_t &channel, IStrW *callSign) {
    const TInterval *iv = Attr(TAttr::VHFSector, position);
    if (!iv || !std::isfinite(iv->Num[0])) return false;
    channel = int32_t(iv->Num[0]);
    SetStrW(callSign, iv->Text1);
    return true;
}

bool TWWSectionImpl::GetVHFReportChannel(double position, int32_t direction, int32_t &channel,
                                         IStrW *callSign) {
    const TInterval *found = nullptr;
    for (const auto &iv : FRaw->Attrs[size_t(TAttr::VHFReport)]) {
        if (iv.From > position) break;
        if (position >= iv.To || !std::isfinite(iv.Num[1])) continue;
        if (std::isnan(iv.Num[0]) || int32_t(iv.Num[0]) == (direction ? 1 : 0)) found = &iv;
    }
    if (!found) return false;
    channel = int32_t(found->Num[1]);
    SetStrW(callSign, found->Text1);
    return true;
}

bool TWWSectionImpl::GetCurrent(double position, float &current) {
    const TInterval *iv = Attr(TAttr::Current, position);
    if (!iv || !std::isfinite(iv->Num[0])) return false;
    current = float(iv->Num[0]);
    return true;
}

bool TWWSectionImpl::GetOneWay(double position, bool &along) {
    const TInterval *iv = Attr(TAttr::OneWay, position);
    if (!iv || !std::isfinite(iv->Num[0])) return false;
    along = iv->Num[0] != 0.0;
    return true;
}

bool TWWSectionImpl::GetNavigability(double position, uint32_t &flags) {
    const TInterval *iv = Attr(TAttr::Navigability, position);
    if (!iv || !std::isfinite(iv->Num[0])) return false;
    flags = uint32_t(iv->Num[0]);
    return true;
}

bool TWWSectionImpl::GetKeepLeft(double position, bool &flag) {
    const TInterval *iv = Attr(TAttr::KeepLeft, position);
    if (!iv || !std::isfinite(iv->Num[0])) return false;
    flag = iv->Num[0] != 0.0;
    return true;
}

bool TWWSectionImpl::GetRemark(double position, IStrW *text) {
    const TInterval *iv = Attr(TAttr::Remark, position);
    if (!iv) return false;
    SetStrW(text, iv->Text1);
    return true;
}

bool TWWSectionImpl::GetPermit(double position, IStrW *url, IStrW *description) {
    const TInterval *iv = Attr(TAttr::Permit, position);
    if (!iv) return false;
    SetStrW(url, iv->Text1);
    SetStrW(description, iv->Text2);
    return true;
}

bool TWWSectionImpl::Dimensions(TAttr a, double position, float &depth, float &height,
                                float &length, float &width) const {
    const TInterval *iv = Attr(a, position);
    if (!iv) return false;
    depth = ToMetres(iv->Num[0]);
    height = ToMetres(iv->Num[1]);
    length = ToMetres(iv->Num[2]);
    width = ToMetres(iv->Num[3]);
    return true;
}

bool TWWSectionImpl::GetMaxDimensions(double position, float &depth, float &height,
                                      float &length, float &width) {
    return Dimensions(TAttr::MaxDimensions, position, depth, height, length, width);
}

bool TWWSectionImpl::GetCommercialDimensions(double position, float &depth, float &height,
                                             float &length, float &width) {
    return Dimensions(TAttr::CommercialDimensions, position, depth, height, length, width);
}

IWWStruct *TWWSectionImpl::FindNextStruct(double position, bool forward, double &distance) {
    TWWSectionImpl *s = this;
    double pos = std::clamp(std::isfinite(position) ? position : 0.0, 0.0, FLength);
    double travelled = 0.0;
    bool first = true;
    std::unordered_set<const TWWSectionImpl *> seen{this};
    for (;;) {
        // On the first section a structure at the very position is behind the boat; on the
        // following ones a structure at the junction is ahead.
        const auto &list = s->FStructs;
        if (forward) {
            for (TWWStructImpl *st : list)
                if (first ? st->Position() > pos : st->Position() >= pos) {
                    distance = travelled + st->Position() - pos;
                    return st;
                }
        } else {
            for (auto it = list.rbegin(); it != list.rend(); ++it)
                if (first ? (*it)->Position() < pos : (*it)->Position() <= pos) {
                    distance = travelled + pos - (*it)->Position();
                    return *it;
                }
        }
        travelled += forward ? s->FLength - pos : pos;
        TWWNode *node = forward ? s->EndNode() : s->StartNode();
        // Continue where the waterway obviously continues: the same fairway, else the
        // section that leaves the junction straightest (within about 45 degrees).
        const auto &pts = s->FPoints;
        const TDouble3 arrive = forward ? Sub(pts[pts.size() - 1], pts[pts.size() - 2]) : Sub(pts[0], pts[1]);
        TWWSectionImpl *next = nullptr;
        double bestCos = 0.7;
        for (TWWSectionImpl *c : node->Sections) {
            if (c == s) continue;
            if (s->FFairway && c->FFairway == s->FFairway) {
                next = c;
                break;
            }
            const auto &cp = c->FPoints;
            const TDouble3 leave = c->StartNode() == node ? Sub(cp[1], cp[0]) : Sub(cp[cp.size() - 2], cp[cp.size() - 1]);
            const double n = Norm(arrive) * Norm(leave);
            const double cosine = n > 0 ? Dot(arrive, leave) / n : -1.0;
            if (cosine > bestCos) {
                bestCos = cosine;
                next = c;
            }
        }
        if (!next || !seen.insert(next).second) return nullptr;
        forward = next->StartNode() == node;
        s = next;
        pos = forward ? 0.0 : s->FLength;
        first = false;
    }
}

// ---- fairways ----

IWWSection *TWWFairwayImpl::GetSection(int32_t index) {
    return index >= 0 && size_t(index) < Sections.size() ? Sections[size_t(index)] : nullptr;
}

double TWWFairwayImpl::GetLength() {
    double sum = 0;
    for (auto *s : Sections) sum += s->GetLength();
    return sum;
}

IWWFairwayPart *TWWFairwayImpl::GetPart(int32_t index) {
    return index >= 0 && size_t(index) < Parts.size() ? Parts[size_t(index)] : nullptr;
}

IWWSection *TWWFairwayPartImpl::GetSection(int32_t index) {
    return index >= 0 && size_t(index) < Sections.size() ? Sections[size_t(index)] : nullptr;
}

double TWWFairwayPartImpl::GetLength() {
    double sum = 0;
    for (auto *s : Sections) sum += s->GetLength();
    return sum;
}

// ---- network ----

TWWNetworkImpl::TWWNetworkImpl(std::shared_ptr<const TWWFileData> data) {
    FVersion = data->Version;
    Append(data);
    RebuildArcs();
}

void TWWNetworkImpl::Append(const std::shared_ptr<const TWWFileData> &data) {
    FSources.push_back(data);
    const TWWFileData &d = *data;
    const size_t nodeBase = FNodes.size(), fairwayBase = FFairways.size(),
                 partBase = FParts.size(), managerBase = FManagers.size(),
                 sectionBase = FSections.size();
    for (const auto &j : d.Junctions) {
        auto n = std::make_unique<TWWNode>();
        n->Index = int32_t(FNodes.size());
        n->Geo = j.Pos;
        n->Global = ToGlobal(j.Pos);
        FNodes.push_back(std::move(n));
    }
    for (const auto &f : d.Fairways) {
        FFairwayByGuid.insert(GuidToString(f.Guid), int32_t(FFairways.size()));
        FFairways.push_back(std::make_unique<TWWFairwayImpl>(f));
    }
    for (const auto &p : d.Parts)
        FParts.push_back(std::make_unique<TWWFairwayPartImpl>(p, FFairways[fairwayBase + size_t(p.Fairway)].get()));
    for (const auto &m : d.Managers) FManagers.push_back(std::make_unique<TWWManagerImpl>(m));
    for (const auto &rs : d.Sections) {
        TWWNode *a = FNodes[nodeBase + size_t(rs.StartJunction)].get();
        TWWNode *b = FNodes[nodeBase + size_t(rs.EndJunction)].get();
        auto s = std::make_unique<TWWSectionImpl>(this, rs, int32_t(FSections.size()), a, b);
        a->Sections.push_back(s.get());
        if (b != a) b->Sections.push_back(s.get());
        TWWFairwayImpl *fw = rs.Fairway >= 0 ? FFairways[fairwayBase + size_t(rs.Fairway)].get() : nullptr;
        TWWFairwayPartImpl *part = rs.Part >= 0 ? FParts[partBase + size_t(rs.Part)].get() : nullptr;
        s->SetFairway(fw, part);
        if (fw) fw->Sections.push_back(s.get());
        if (part) part->Sections.push_back(s.get());
        FWaterBodies |= 1u << rs.WaterBody;
        FSectionByGuid.insert(GuidToString(rs.Guid), s->Index());
        FSections.push_back(std::move(s));
    }
    // Fairways list their sections and parts in travel order (by chainage).
    for (size_t i = fairwayBase; i < FFairways.size(); ++i) {
        auto &fw = *FFairways[i];
        std::stable_sort(fw.Sections.begin(), fw.Sections.end(), [](TWWSectionImpl *x, TWWSectionImpl *y) {
            return x->GetStartChainage() < y->GetStartChainage();
        });
        for (auto *s : fw.Sections) {
            auto *p = static_cast<TWWFairwayPartImpl *>(s->GetFairwayPart());
            if (p && std::find(fw.Parts.begin(), fw.Parts.end(), p) == fw.Parts.end()) fw.Parts.push_back(p);
        }
    }
    for (size_t i = partBase; i < FParts.size(); ++i) {
        auto &secs = FParts[i]->Sections;
        std::stable_sort(secs.begin(), secs.end(), [](TWWSectionImpl *x, TWWSectionImpl *y) {
            return x->GetStartChainage() < y->GetStartChainage();
        });
    }
    for (const auto &rs : d.Structs) {
        TWWSectionImpl *s = FSections[sectionBase + size_t(rs.Section)].get();
        TWWManagerImpl *m = rs.Manager >= 0 ? FManagers[managerBase + size_t(rs.Manager)].get() : nullptr;
        auto st = std::make_unique<TWWStructImpl>(rs, s, m);
        s->AddStruct(st.get());
        const int32_t index = int32_t(FStructs.size());
        FStructByGuid.insert(GuidToString(rs.Guid), index);
        const QString isrs = rs.Isrs.trimmed().toUpper();
        if (!isrs.isEmpty() && !FStructByIsrs.contains(isrs)) FStructByIsrs.insert(isrs, index);
        FStructs.push_back(std::move(st));
    }
    for (const auto &m : d.Marinas) {
        TWWSectionImpl *s = FSections[sectionBase + size_t(m.Section)].get();
        FMarinas.push_back(TWWMarina{&m, s, std::clamp(m.Position, 0.0, s->GetLength())});
    }
}

void TWWNetworkImpl::RebuildArcs() {
    FArcStart.assign(FNodes.size() + 1, 0);
    FArcs.clear();
    for (const auto &n : FNodes) {
        FArcStart[size_t(n->Index)] = int32_t(FArcs.size());
        for (TWWSectionImpl *s : n->Sections) {
            if (s->StartNode() == n.get())
                FArcs.push_back(TWWArc{s->Index(), s->EndNode()->Index, true});
            if (s->EndNode() == n.get() && s->StartNode() != n.get())
                FArcs.push_back(TWWArc{s->Index(), s->StartNode()->Index, false});
        }
    }
    FArcStart[FNodes.size()] = int32_t(FArcs.size());
}

void TWWNetworkImpl::Merge(IWWNetwork *other, int32_t &err) {
    auto *o = dynamic_cast<TWWNetworkImpl *>(other);
    if (!o || o == this) {
        err = KvErr::InvalidArgument;
        return;
    }
    // Every GUID must stay unique; check all before changing anything.
    for (const auto &src : o->FSources) {
        for (const auto &s : src->Sections)
            if (FSectionByGuid.contains(GuidToString(s.Guid))) {
                qCWarning(lcWWNetwork).noquote()
                    << QStringLiteral("Merge of %1: section %2 is in both networks")
                           .arg(src->FileName, GuidToString(s.Guid));
                err = KvErr::AlreadyExists;
                return;
            }
        for (const auto &s : src->Structs)
            if (FStructByGuid.contains(GuidToString(s.Guid))) {
                qCWarning(lcWWNetwork).noquote()
                    << QStringLiteral("Merge of %1: structure %2 is in both networks")
                           .arg(src->FileName, GuidToString(s.Guid));
                err = KvErr::AlreadyExists;
                return;
            }
        for (const auto &f : src->Fairways)
            if (FFairwayByGuid.contains(GuidToString(f.Guid))) {
                qCWarning(lcWWNetwork).noquote()
                    << QStringLiteral("Merge of %1: fairway %2 is in both networks")
                           .arg(src->FileName, GuidToString(f.Guid));
                err = KvErr::AlreadyExists;
                return;
            }
    }
    for (const auto &src : std::vector(o->FSources)) Append(src);
    RebuildArcs();
    err = KvErr::Ok;
}

template <class Filter>
void TWWNetworkImpl::Nearest(const TGeoPoint &pos, Filter accept, IWWSection *&section,
                             double &position, double &distance) {
    section = nullptr;
    position = 0.0;
    distance = 0.0;
    if (!std::isfinite(pos.Lat) || !std::isfinite(pos.Lon) || std::abs(pos.Lat) > M_PI / 2 ||
        std::abs(pos.Lon) > 2 * M_PI)
        return;  // also the no-position value (99, 99)
    const TDouble3 p = ToGlobal(pos);
    double best = std::numeric_limits<double>::infinity();
    for (const auto &s : FSections) {
        if (s->BoundDistance(p) >= best) continue;
        double at = 0, d = 0;
        s->Nearest(p, at, d);
        if (d < best && accept(*s, at)) {
            best = d;
            section = s.get();
            position = at;
        }
    }
    if (section) distance = best;
}

void TWWNetworkImpl::NearestLocation(IWWSection *&section, double &offset, double &distance,
                                     const TGeoPoint &pos, bool commercial, float length,
                                     float width, float height, float draught) {
    // Boat values of 0 or less (or missing) are not checked.
    auto exceeds = [](float boat, float limit) { return boat > 0 && boat < WWMissing && limit < WWMissing && boat > limit; };
    auto accept = [&](TWWSectionImpl &s, double at) {
        uint32_t flags = 0;
        if (s.GetNavigability(at, flags) &&
            !(flags & (commercial ? WWVesselClass::Commercial : WWVesselClass::Pleasure)))
            return false;
        float d = WWMissing, h = WWMissing, l = WWMissing, w = WWMissing;
        if (s.GetMaxDimensions(at, d, h, l, w) &&
            (exceeds(draught, d) || exceeds(height, h) || exceeds(length, l) || exceeds(width, w)))
            return false;
        if (!commercial && s.GetCommercialDimensions(at, d, h, l, w) &&
            (exceeds(draught, d) || exceeds(height, h) || exceeds(length, l) || exceeds(width, w)))
            return false;  // above these, the section is for commercial shipping only
        return true;
    };
    Nearest(pos, accept, section, offset, distance);
}

void TWWNetworkImpl::FindNearestSection(IWWSection *&section, double &position, double &unused,
                                        const TGeoPoint &pos) {
    double distance = 0;
    Nearest(pos, [](TWWSectionImpl &, double) { return true; }, section, position, distance);
    unused = 0.0;
}

bool TWWNetworkImpl::FindStruct(const TGUID *guid, int32_t &index) {
    if (!guid) return false;
    auto it = FStructByGuid.find(GuidToString(*guid));
    if (it == FStructByGuid.end()) return false;
    index = it.value();
    return true;
}

bool TWWNetworkImpl::FindStructByID(const TStrWRec &identifier, int32_t &index) {
    auto it = FStructByIsrs.find(ToQString(identifier).trimmed().toUpper());
    if (it == FStructByIsrs.end()) return false;
    index = it.value();
    return true;
}

IWWStruct *TWWNetworkImpl::GetStruct(int32_t index) {
    return index >= 0 && size_t(index) < FStructs.size() ? FStructs[size_t(index)].get() : nullptr;
}

IWWFairway *TWWNetworkImpl::GetFairway(int32_t index) {
    return index >= 0 && size_t(index) < FFairways.size() ? FFairways[size_t(index)].get() : nullptr;
}

bool TWWNetworkImpl::FindFairway(const TGUID &guid, int32_t &index) {
    auto it = FFairwayByGuid.find(GuidToString(guid));
    if (it == FFairwayByGuid.end()) return false;
    index = it.value();
    return true;
}

IWWSection *TWWNetworkImpl::GetSection(int32_t index) {
    return index >= 0 && size_t(index) < FSections.size() ? FSections[size_t(index)].get() : nullptr;
}

bool TWWNetworkImpl::FindSection(const TGUID &guid, int32_t &index) {
    auto it = FSectionByGuid.find(GuidToString(guid));
    if (it == FSectionByGuid.end()) return false;
    index = it.value();
    return true;
}

bool TWWNetworkImpl::HasWaterBody(int32_t n) {
    return n >= 0 && n < WWWaterBodyCount && (FWaterBodies & (1u << n)) != 0;
}

}  // namespace kv::ww

IWWNetwork *WWNetworkCreateFromFile(const TStrWRec &file, void *, int32_t &err) {
    try {
        auto data = std::make_shared<kv::ww::TWWFileData>();
        QString message;
        err = kv::ww::ReadNetworkFile(kv::ToQString(file), *data, message);
        if (err != KvErr::Ok) {
            qCWarning(lcWWNetwork).noquote() << message;
            return nullptr;
        }
        return new kv::ww::TWWNetworkImpl(std::move(data));
    } catch (const std::bad_alloc &) {
        err = KvErr::Failed;
        qCWarning(lcWWNetwork).noquote() << kv::ToQString(file) << ": out of memory while loading";
        return nullptr;
    } catch (const std::exception &e) {
        // Nothing may leave an export; whatever else the reader met, the file is unusable.
        err = KvErr::WWNetworkDamaged;
        qCWarning(lcWWNetwork).noquote() << kv::ToQString(file) << ":" << e.what();
        return nullptr;
    }
}
