#include "viewer/RenderRaster.h"

#include "charts/ChartFiles.h"

#include "KvLibNav6/KvGeodesy.h"

#include <QFile>
#include <QHash>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <list>
#include <mutex>

#include <cpl_error.h>
#include <gdal_priv.h>

namespace kv::render {

namespace {

struct TOpenFile {
    GDALDatasetUniquePtr Dataset;
    QString Error;
};

struct TTileKey {
    QString File;
    int X = 0, Y = 0;
    bool operator==(const TTileKey &o) const { return X == o.X && Y == o.Y && File == o.File; }
};
size_t qHash(const TTileKey &k, size_t seed = 0) { return ::qHash(k.File, seed) ^ (size_t(k.X) * 7919u) ^ (size_t(k.Y) << 16); }

// GUI-thread use only, but the lock keeps a print or a second viewer on another thread safe.
class TTileCache {
public:
    static TTileCache &Instance() {
        static TTileCache cache;
        return cache;
    }

    void SetLimit(qint64 bytes) {
        std::lock_guard lock(FMutex);
        FLimit = std::max<qint64>(bytes, 16 * TileSize * TileSize * 4);
        Trim();
    }

    void Release(const QString &file) {
        std::lock_guard lock(FMutex);
        for (auto it = FLru.begin(); it != FLru.end();) {
            if (file.isEmpty() || it->File == file) {
                FTiles.remove(*it);
                FBytes -= TileSize * TileSize * 4;
                it = FLru.erase(it);
            } else {
                ++it;
            }
        }
        if (file.isEmpty()) FFiles.clear();
        else FFiles.erase(file);
    }

    // A null image when the tile cannot be read (error set).
    QImage Tile(const QString &file, int tx, int ty, QString &error) {
        std::lock_guard lock(FMutex);
        const TTileKey key{file, tx, ty};
        auto it = FTiles.find(key);
        if (it != FTiles.end()) {
            FLru.splice(FLru.begin(), FLru, it->second);
            return it->first;
        }
        GDALDataset *ds = Open(file, error);
        if (!ds) return QImage();
        QImage tile = Decode(ds, tx, ty, error);
        if (tile.isNull()) return tile;
        FLru.push_front(key);
        FTiles.insert(key, {tile, FLru.begin()});
        FBytes += TileSize * TileSize * 4;
        Trim();
        return tile;
    }

private:
    GDALDataset *Open(const QString &file, QString &error) {
        auto it = FFiles.find(file);
        if (it == FFiles.end()) {
            kv::charts::EnsureGdal();
            CPLPushErrorHandler(CPLQuietErrorHandler);
            CPLErrorReset();
            const QByteArray path = QFile::encodeName(file);
            const char *const drivers[] = {"BSB", "GTiff", nullptr};
            TOpenFile f;
            f.Dataset.reset(GDALDataset::FromHandle(
                GDALOpenEx(path.constData(), GDAL_OF_RASTER | GDAL_OF_READONLY, drivers, nullptr, nullptr)));
            if (!f.Dataset) {
                const char *msg = CPLGetLastErrorMsg();
                f.Error = msg && *msg ? QString::fromUtf8(msg) : QStringLiteral("The chart file cannot be read.");
            }
            CPLPopErrorHandler();
            if (FFiles.size() > 32) FFiles.clear();  // a handful of charts is on screen at once
            it = FFiles.emplace(file, std::move(f)).first;
        }
        error = it->second.Error;
        return it->second.Dataset.get();
    }

    static QImage Decode(GDALDataset *ds, int tx, int ty, QString &error) {
        const int w = ds->GetRasterXSize(), h = ds->GetRasterYSize();
        const int x0 = tx * TileSize, y0 = ty * TileSize;
        if (x0 >= w || y0 >= h || x0 < 0 || y0 < 0) return QImage();
        const int cw = std::min(TileSize, w - x0), ch = std::min(TileSize, h - y0);
        QImage tile(TileSize, TileSize, QImage::Format_ARGB32_Premultiplied);
        tile.fill(Qt::transparent);
        const int bands = ds->GetRasterCount();
        if (bands < 1) {
            error = QStringLiteral("The chart file holds no image.");
            return QImage();
        }
        std::vector<uint8_t> buf(size_t(cw) * size_t(ch) * 3);
        CPLPushErrorHandler(CPLQuietErrorHandler);
        CPLErr failed = CE_None;
        GDALRasterBand *b1 = ds->GetRasterBand(1);
        GDALColorTable *ct = b1->GetColorTable();
        if (bands >= 3) {
            int map[3] = {1, 2, 3};
            failed = ds->RasterIO(GF_Read, x0, y0, cw, ch, buf.data(), cw, ch, GDT_Byte, 3, map, 3,
                                  3 * cw, 1, nullptr);
        } else {
            failed = b1->RasterIO(GF_Read, x0, y0, cw, ch, buf.data(), cw, ch, GDT_Byte, 1, cw, nullptr);
        }
        CPLPopErrorHandler();
        if (failed != CE_None) {
            error = QStringLiteral("The chart image is damaged near pixel %1, %2.").arg(x0).arg(y0);
            return QImage();
        }
        std::array<QRgb, 256> palette;
        for (int i = 0; i < 256; ++i) {
            const GDALColorEntry *e = ct && i < ct->GetColorEntryCount() ? ct->GetColorEntry(i) : nullptr;
            palette[size_t(i)] = e ? qRgb(e->c1, e->c2, e->c3) : qRgb(i, i, i);
        }
        for (int y = 0; y < ch; ++y) {
            auto *row = reinterpret_cast<QRgb *>(tile.scanLine(y));
            const uint8_t *src = buf.data() + size_t(y) * (bands >= 3 ? 3 * cw : cw);
            for (int x = 0; x < cw; ++x)
                row[x] = bands >= 3 ? qRgb(src[3 * x], src[3 * x + 1], src[3 * x + 2]) : palette[src[x]];
        }
        return tile;
    }

    void Trim() {
        while (FBytes > FLimit && !FLru.empty()) {
            FTiles.remove(FLru.back());
            FLru.pop_back();
            FBytes -= TileSize * TileSize * 4;
        }
    }

    std::recursive_mutex FMutex;
    std::list<TTileKey> FLru;
    QHash<TTileKey, std::pair<QImage, std::list<TTileKey>::iterator>> FTiles;
    std::map<QString, TOpenFile> FFiles;
    qint64 FBytes = 0;
    qint64 FLimit = 64 * 1024 * 1024;
};

constexpr int GridStep = 16;

}  // namespace

void SetRasterTileCacheBytes(qint64 bytes) { TTileCache::Instance().SetLimit(bytes); }
void ReleaseRasterFile(const QString &file) { TTileCache::Instance().Release(file); }

QPolygonF RasterChartOutline(IGeodeticCalibration *cal, int w, int h, const TViewState &view) {
    QPolygonF out;
    if (!cal || cal->HasError()) return out;
    const QTransform toPixel = view.ToPixel();
    // Edges are sampled: a chart in another projection has curved edges on the view.
    const int n = 8;
    auto add = [&](double x, double y) {
        TGeoPoint g;
        cal->PixelToGeo(g, TDouble2{x, y});
        if (g.Lat != GeoPointNoPosition) out << toPixel.map(GeoToMercator(g));
    };
    for (int i = 0; i < n; ++i) add(w * double(i) / n, 0);
    for (int i = 0; i < n; ++i) add(w, h * double(i) / n);
    for (int i = 0; i < n; ++i) add(w - w * double(i) / n, h);
    for (int i = 0; i < n; ++i) add(0, h - h * double(i) / n);
    return out;
}

bool DrawRasterChart(QImage &target, const QString &file, IGeodeticCalibration *cal, int cw, int chh,
                     const TRasterDrawParams &p, QString &error) {
    const TViewState &view = *p.View;
    ClearUpperVectorState();
    if (!cal || cal->HasError() || cw <= 0 || chh <= 0) {
        error = QStringLiteral("The chart has no usable calibration.");
        return false;
    }
    const QRectF box = RasterChartOutline(cal, cw, chh, view).boundingRect() & QRectF(0, 0, target.width(), target.height());
    if (box.isEmpty()) return true;
    const int x0 = std::max(0, int(std::floor(box.left()))), y0 = std::max(0, int(std::floor(box.top())));
    const int x1 = std::min(target.width(), int(std::ceil(box.right()))),
              y1 = std::min(target.height(), int(std::ceil(box.bottom())));
    // Chart pixel coordinates at grid nodes (pixel centres), interpolated in between.
    const int gx = (x1 - x0 + GridStep - 1) / GridStep + 1, gy = (y1 - y0 + GridStep - 1) / GridStep + 1;
    std::vector<QPointF> grid(size_t(gx) * size_t(gy));
    std::vector<char> valid(grid.size());
    const QTransform toMerc = view.ToMercator();
    for (int j = 0; j < gy; ++j)
        for (int i = 0; i < gx; ++i) {
            const QPointF px(x0 + i * GridStep + 0.5, y0 + j * GridStep + 0.5);
            const TGeoPoint g = MercatorToGeo(toMerc.map(px));
            TDouble2 c;
            cal->GeoToPixel(c, g);
            const size_t k = size_t(j) * size_t(gx) + size_t(i);
            valid[k] = c.X != GeoPointNoPosition && std::isfinite(c.X) && std::isfinite(c.Y);
            grid[k] = QPointF(c.X, c.Y);
        }
    const bool fade = p.ColourFactors[3] > 0.001f || p.ColourFactors[0] != 1.0f ||
                      p.ColourFactors[1] != 1.0f || p.ColourFactors[2] != 1.0f;
    const float opacity = 1.0f - std::clamp(p.ColourFactors[3], 0.0f, 1.0f);
    // The tiles this draw touches, fetched once each: the cache's lock and hash stay out of
    // the pixel loop. A null entry with its flag set is a tile that could not be read.
    const int tilesX = (cw + TileSize - 1) / TileSize, tilesY = (chh + TileSize - 1) / TileSize;
    std::vector<QImage> tiles(size_t(tilesX) * size_t(tilesY));
    std::vector<const QRgb *> tileBits(tiles.size(), nullptr);
    std::vector<char> fetched(tiles.size(), 0);
    size_t lastTile = SIZE_MAX;
    const QRgb *lastBits = nullptr;
    auto tileAt = [&](int tx, int ty) -> const QRgb * {
        const size_t k = size_t(ty) * size_t(tilesX) + size_t(tx);
        if (k == lastTile) return lastBits;
        if (!fetched[k]) {
            fetched[k] = 1;
            QString tileError;
            tiles[k] = TTileCache::Instance().Tile(file, tx, ty, tileError);
            if (tiles[k].isNull() && error.isEmpty()) error = tileError;
            if (!tiles[k].isNull()) tileBits[k] = reinterpret_cast<const QRgb *>(tiles[k].constBits());
        }
        lastTile = k;
        lastBits = tileBits[k];
        return lastBits;
    };
    // Chart pixel coordinates step along a row in 32.32 fixed point; over a grid cell the
    // rounding error stays below 1e-8 of a chart pixel.
    constexpr double FixOne = 4294967296.0;
    const int64_t limitU = int64_t(cw) << 32, limitV = int64_t(chh) << 32;
    // Grid cells lie far outside the chart when the view shows much beyond it; their
    // coordinates are clamped before the fixed-point conversion so that it cannot overflow.
    const double clampLimit = double(std::max(cw, chh)) * 4 + 4 * GridStep + 1e6;
    auto fix = [&](double x) { return int64_t(std::floor(std::clamp(x, -clampLimit, clampLimit) * FixOne)); };
    for (int j = 0; j + 1 < gy; ++j) {
        for (int i = 0; i + 1 < gx; ++i) {
            const size_t k00 = size_t(j) * size_t(gx) + size_t(i), k10 = k00 + 1, k01 = k00 + size_t(gx), k11 = k01 + 1;
            if (!valid[k00] || !valid[k10] || !valid[k01] || !valid[k11]) continue;
            const QPointF a = grid[k00], b = grid[k10], c = grid[k01], d = grid[k11];
            const int cx0 = x0 + i * GridStep, cy0 = y0 + j * GridStep;
            const int cx1 = std::min(cx0 + GridStep, x1), cy1 = std::min(cy0 + GridStep, y1);
            // Cells entirely off the chart are skipped.
            const double minU = std::min({a.x(), b.x(), c.x(), d.x()}), maxU = std::max({a.x(), b.x(), c.x(), d.x()});
            const double minV = std::min({a.y(), b.y(), c.y(), d.y()}), maxV = std::max({a.y(), b.y(), c.y(), d.y()});
            if (maxU < -GridStep || maxV < -GridStep || minU > cw + GridStep || minV > chh + GridStep) continue;
            for (int y = cy0; y < cy1; ++y) {
                const double fy = double(y - cy0) / GridStep;
                const QPointF left = a + (c - a) * fy, right = b + (d - b) * fy;
                const QPointF step = (right - left) / GridStep;
                int64_t u = fix(left.x()), v = fix(left.y());
                const int64_t du = fix(step.x()), dv = fix(step.y());
                auto *row = reinterpret_cast<QRgb *>(target.scanLine(y));
                for (int x = cx0; x < cx1; ++x, u += du, v += dv) {
                    if (u < 0 || v < 0 || u >= limitU || v >= limitV) continue;
                    const int iu = int(u >> 32), iv = int(v >> 32);
                    const QRgb *tile = tileAt(iu / TileSize, iv / TileSize);
                    if (!tile) continue;
                    const QRgb src = tile[(iv % TileSize) * TileSize + iu % TileSize];
                    if (qAlpha(src) == 0) continue;
                    if (!fade) {
                        row[x] = src;
                        continue;
                    }
                    const QRgb dst = row[x];
                    auto mix = [&](int s, int t, float f) {
                        return std::clamp(int(std::lround(t + (s * f - t) * opacity)), 0, 255);
                    };
                    row[x] = qRgba(mix(qRed(src), qRed(dst), p.ColourFactors[0]),
                                   mix(qGreen(src), qGreen(dst), p.ColourFactors[1]),
                                   mix(qBlue(src), qBlue(dst), p.ColourFactors[2]), 255);
                }
            }
        }
    }
    return error.isEmpty();
}

}  // namespace kv::render
