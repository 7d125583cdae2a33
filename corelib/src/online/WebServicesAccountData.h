// What the account service's answers carry: the chart-set offer of a login and the download
// records of a request, read from their JSON documents, plus the rule for the relative file
// names the service hands out.
//
// Answer documents (besides "result"):
//   login:     "chartsets": [{"item", "product", "productNumber", "modules", "category",
//                             "group", "edition", "size", "purchased" (Unix seconds)}],
//              "records": [record] of the sets the account knows as installed;
//   downloads: "records": [record], where a record is {"name", "productName", "folder",
//              "productFolder", "productNumber", "modules", "edition", "result",
//              "requested", "files": [{"name", "size", "time", "addon"}]}.
// Numbers travel as JSON numbers; masks as unsigned 32-bit values.
#pragma once

#include "kernel/KvInternal.h"

#include "KvLibNav6/KvWebServices.h"

#include <QJsonArray>
#include <QString>
#include <memory>
#include <vector>

namespace kv {

class TAvailableChartSet final : public IMRCAvailableChartSet {
public:
    const TStrWRec *GetItemName() override { return FItem.Get(); }
    const TStrWRec *GetName() override { return FProduct.Get(); }
    uint32_t GetProductNumber() override { return Product; }
    uint32_t GetModuleMask() override { return Mask; }
    int32_t GetCategory() override { return Category; }
    int32_t GetGroup() override { return Group; }
    int32_t GetEdition() override { return Edition; }
    int64_t GetSize() override { return Size; }
    TDateTime GetPurchaseDate() override { return Purchased; }
    bool IsSelected() override { return Selected; }
    void SetSelected(bool value) override { Selected = value; }
    bool IsInstalled() override { return Installed; }
    void SetInstalled(bool value) override { Installed = value; }
    bool IsUpdateAvailable() override { return UpdateAvailable; }
    void SetUpdateAvailable(bool value) override { UpdateAvailable = value; }

    void SetTexts(const QString &item, const QString &product) {
        FItem.Set(item);
        FProduct.Set(product);
    }

    uint32_t Product = 0;
    uint32_t Mask = 0;
    int32_t Category = MRCCategory::Charts;
    int32_t Group = MRCGroupGeneral;
    int32_t Edition = 0;
    int64_t Size = 0;
    TDateTime Purchased = 0;
    bool Selected = false;
    bool Installed = false;
    bool UpdateAvailable = false;

private:
    TOwnedText FItem, FProduct;
};

class TChartSetRecord final : public IMRCChartSetRecord {
public:
    struct TFile {
        QString Name;
        int64_t Size = 0;
        int32_t Time = 0;
        bool Addon = false;
    };

    const TStrWRec *GetFileName(int32_t fileIndex) override;
    const TStrWRec *GetName() override { return FName.Get(); }
    const TStrWRec *GetFolderName() override { return FFolder.Get(); }
    const TStrWRec *GetProductName() override { return FProductName.Get(); }
    const TStrWRec *GetProductFolderName() override { return FProductFolder.Get(); }
    bool IsRequested() override { return Requested; }
    int32_t GetResult() override { return Result; }
    int32_t GetFileCount() override { return int32_t(Files.size()); }
    int64_t GetFileSize(int32_t fileIndex) override;
    int32_t GetFileTime(int32_t fileIndex) override;
    bool IsAddonFile(int32_t fileIndex) override;
    uint32_t GetProductNumber() override { return Product; }
    uint32_t GetModuleMask() override { return Mask; }
    int32_t GetEdition() override { return Edition; }
    void SetDone(bool done) override { Done = done; }
    bool IsDone() override { return Done; }

    void SetTexts(const QString &name, const QString &productName, const QString &folder,
                  const QString &productFolder);

    std::vector<TFile> Files;
    uint32_t Product = 0;
    uint32_t Mask = 0;
    int32_t Edition = 0;
    int32_t Result = 0;
    bool Requested = false;
    bool Done = false;

private:
    TOwnedText FName, FProductName, FFolder, FProductFolder, FFileName;
};

std::vector<std::unique_ptr<TAvailableChartSet>> ReadChartSetOffer(const QJsonArray &list);
std::vector<std::unique_ptr<TChartSetRecord>> ReadChartSetRecords(const QJsonArray &list);

// A relative name the service gave for a file below a chart-set folder: "/" separators, no
// "..", "." or empty component, no "\", not absolute. Anything else could reach outside the
// folder the user chose.
bool IsSafeRelativeName(const QString &name);

}  // namespace kv
