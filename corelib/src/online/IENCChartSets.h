// The chart sets and files of the Inland ENC client, as the service's list describes them:
//   {"result": 0,
//    "chartsets": [{"country", "region", "water", "date" (Unix s), "size" (bytes of the
//                   files), "archive" (bytes of the set's zip),
//                   "files": [{"name" ("/" separators), "date", "size"}]}],
//    "common": {"name", "date", "size"}}       (absent when there is no common file)
// A set object lives as long as its client: a later list updates it in place, and a set the
// service no longer offers is only taken out of the list, so a pointer a caller holds (its
// selection) stays valid.
#pragma once

#include "KvLibNav6/KvWebServices.h"
#include "kernel/KvInternal.h"
#include "online/IENCArchive.h"

#include <QJsonObject>
#include <QString>
#include <memory>
#include <vector>

namespace kv {

class TS57ChartFile final : public IS57ChartFile {
public:
    TS57ChartFile(QString name, int32_t date, int64_t size);
    const TStrWRec *GetFileName() override { return FNameRec.Get(); }
    int32_t GetDate() override { return FDate; }
    int64_t GetSize() override { return FSize; }
    const QString &Name() const { return FName; }

private:
    QString FName;
    TOwnedText FNameRec;
    int32_t FDate;
    int64_t FSize;
};

class TS57ChartSet final : public IS57ChartSet {
public:
    TS57ChartSet(QString countryCode, QString region, QString water);

    bool HasFile(const TStrWRec &relPath, int32_t &err) override;
    const TStrWRec *GetCountryCode() override { return FCountryRec.Get(); }
    const TStrWRec *GetRegion() override { return FRegionRec.Get(); }
    const TStrWRec *GetWater() override { return FWaterRec.Get(); }
    int32_t GetFileCount() override { return int32_t(FFiles.size()); }
    IS57ChartFile *GetFile(int32_t index) override;
    int32_t GetDate() override { return FDate; }
    int64_t GetSize() override { return FSize; }
    int32_t GetState() override { return FState; }
    void SetState(int32_t state) override { FState = state; }

    bool Is(const QString &cc, const QString &region, const QString &water) const;
    // Takes the set's description from the service; False when it names no country.
    bool Read(const QJsonObject &o);
    const QString &CountryCode() const { return FCountry; }
    const QString &Region() const { return FRegion; }
    const QString &Water() const { return FWater; }
    int64_t ArchiveSize() const { return FArchiveSize; }
    // What the archive must hold.
    std::vector<TIENCListedFile> Listed() const;
    // Changes whenever the service describes the set differently (a new archive).
    QString Version() const { return FVersion; }

private:
    QString FCountry, FRegion, FWater;
    TOwnedText FCountryRec, FRegionRec, FWaterRec;
    std::vector<std::unique_ptr<TS57ChartFile>> FFiles;
    int32_t FDate = 0;
    int64_t FSize = 0;
    int64_t FArchiveSize = -1;
    int32_t FState = S57ChartSetState::NotInstalled;
    QString FVersion;
};

// The service's sets; owns every set object it ever made.
class TS57ChartSetStore {
public:
    // A list answer: the offered sets become exactly those of the answer.
    bool ReadList(const QJsonObject &answer);
    // An answer about some sets: those are updated (or added to the offer).
    bool ReadSets(const QJsonObject &answer);
    int32_t Count() const { return int32_t(FOffered.size()); }
    TS57ChartSet *At(int32_t i) const;
    TS57ChartSet *Find(const QString &cc, const QString &region, const QString &water) const;
    // True when set is one of this store's objects.
    bool Owns(const IS57ChartSet *set) const;

    bool HasCommon() const { return !FCommonName.isEmpty(); }
    const QString &CommonName() const { return FCommonName; }
    int32_t CommonDate() const { return FCommonDate; }
    int64_t CommonSize() const { return FCommonSize; }

private:
    TS57ChartSet *Take(const QJsonObject &o);
    void ReadCommon(const QJsonObject &answer);

    std::vector<std::unique_ptr<TS57ChartSet>> FAll;
    std::vector<TS57ChartSet *> FOffered;
    QString FCommonName;
    int32_t FCommonDate = 0;
    int64_t FCommonSize = 0;
};

}  // namespace kv
