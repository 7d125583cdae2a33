// Small S-57 cells and update files for tests, written through GDAL's S-57 driver. The
// driver writes no geometry on feature layers: an area becomes one closed edge and a point an
// isolated node, which the feature links to.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class GDALDataset;
class OGRFeature;
class OGRGeometry;

namespace s57cells {

struct TLonLat {
    double Lon, Lat;  // degrees
};
using TAttributes = std::function<void(OGRFeature &)>;

// The closed ring of a box; west > east gives a box across the 180° meridian.
std::vector<TLonLat> Box(double west, double south, double east, double north);

class TCellWriter {
public:
    // Creates the cell (its folder too); options are the driver's ("S57_CSCL=50000").
    explicit TCellWriter(const QString &file, const QStringList &options = {});
    ~TCellWriter();
    TCellWriter(const TCellWriter &) = delete;
    TCellWriter &operator=(const TCellWriter &) = delete;

    // ring: closed (last point = first).
    void Area(const char *objClass, const std::vector<TLonLat> &ring, const TAttributes &attrs = {});
    void Point(const char *objClass, TLonLat at, const TAttributes &attrs = {});
    // A feature record without geometry, as an update that changes attributes holds.
    void Unlinked(const char *objClass);
    // Closes the file; false with the first thing that went wrong.
    bool Finish(QString &problem);

private:
    int Node(const char *layer, int rcnm, const OGRGeometry &geometry);
    void Feature(const char *objClass, int prim, int rcnm, int rcid, int ornt, int usag, int mask,
                 const TAttributes &attrs);
    void Fail(const QString &what);

    struct TCloser {
        void operator()(GDALDataset *ds) const;
    };
    QString FFile;
    std::unique_ptr<GDALDataset, TCloser> FDs;
    int FNextPrimitive = 1;
    int FNextFeature = 1;
    QString FProblem;
};

// An update file without records: edition 0 and update 1 withdraw the cell; update 2
// as the first file is out of sequence.
bool WriteEmptyUpdate(const QString &updateFile, int edition, int updateNumber, QString &problem);
// Update 1 of a cell with one record that changes the feature record missingId, which the
// cell does not hold: a reader cannot apply it.
bool WriteUnappliableUpdate(const QString &updateFile, int missingId, QString &problem);

}  // namespace s57cells
