// The chart selection page over a list of offer items: the tree's row kinds and check
// states, companions selected with their program and counted in the space, the order of
// the checks before an installation, the default folder, the one 64-bit module rule over a
// real chart manager, and the progress page's layout.
#include "online/FraPageProgress.h"
#include "online/FraPageSelectCharts.h"

#include "OnlineTestSupport.h"
#include "TestSupport.h"
#include "base/kvlib/KvStrings.h"
#include "base/registry/KvRegistry.h"

#include <KvLibNav6/KvAppReg.h>
#include <KvLibNav6/KvErrorCodes.h>
#include <KvLibNav6/KvLib.h>

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProgressBar>
#include <QStandardPaths>
#include <QTest>
#include <memory>

namespace {

// An offer item as the account object keeps it.
class TOfferItem final : public IMRCAvailableChartSet {
public:
    TOfferItem(const std::u16string &item, const std::u16string &product, uint32_t number, uint32_t mask,
               int32_t category, int32_t group, int64_t size)
        : FItem(item), FProduct(product), FNumber(number), FMask(mask), FCategory(category), FGroup(group),
          FSize(size) {}
    const TStrWRec *GetItemName() override { return Rec(FItem, FItemRec); }
    const TStrWRec *GetName() override { return Rec(FProduct, FProductRec); }
    uint32_t GetProductNumber() override { return FNumber; }
    uint32_t GetModuleMask() override { return FMask; }
    int32_t GetCategory() override { return FCategory; }
    int32_t GetGroup() override { return FGroup; }
    int32_t GetEdition() override { return 1; }
    int64_t GetSize() override { return FSize; }
    TDateTime GetPurchaseDate() override { return 0; }
    bool IsSelected() override { return FSelected; }
    void SetSelected(bool v) override { FSelected = v; }
    bool IsInstalled() override { return FInstalled; }
    void SetInstalled(bool v) override { FInstalled = v; }
    bool IsUpdateAvailable() override { return FUpdate; }
    void SetUpdateAvailable(bool v) override { FUpdate = v; }

private:
    static const TStrWRec *Rec(const std::u16string &s, TStrWRec &r) {
        r = {int32_t(s.size()), s.c_str()};
        return &r;
    }
    std::u16string FItem, FProduct;
    TStrWRec FItemRec{}, FProductRec{};
    uint32_t FNumber, FMask;
    int32_t FCategory, FGroup;
    int64_t FSize;
    bool FSelected = false, FInstalled = false, FUpdate = false;
};

using ItemPtr = std::unique_ptr<TOfferItem>;

class SelectChartsPage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FStore.Opened());
        FFolder = testsupport::MakeTempDir(QStringLiteral("selectcharts")) + QStringLiteral("/");
        // Programs, charts in two products and add-ons, with a companion of the program.
        Add(u"Route tools", u"Route tools", 7001, 1, 0, 9999, 1000);
        Add(u"Route tools data", u"Route tools", 7001, 2, 99, 9999, 500000);
        Add(u"Vecht", u"Demo charts", 5001, 1, 1, 1, 2000);
        Add(u"Maas", u"Demo charts", 5001, 2, 1, 1, 3000);
        Add(u"Wadden", u"Sea charts", 5002, 1, 1, 1, 4000);
        Add(u"Harbours", u"Harbour guide", 8001, 1, 2, 9999, 5000);
        FPage = std::make_unique<TFramePageSelectCharts>(nullptr, nullptr, FFolder, true);
        for (auto &i : FItems) FPage->AddChartSet(i.get());
    }
    void Add(const std::u16string &item, const std::u16string &product, uint32_t number, uint32_t mask,
             int32_t category, int32_t group, int64_t size) {
        FItems.push_back(std::make_unique<TOfferItem>(item, product, number, mask, category, group, size));
    }
    // Every row as kind|depth|text|status|check.
    QStringList Rows() const {
        QStringList out;
        const QAbstractItemModel *m = FPage->Model();
        for (int r = 0; r < m->rowCount(); ++r) {
            const QModelIndex i = m->index(r, 0);
            out << Row(i, 0);
            for (int c = 0; c < m->rowCount(i); ++c) out << Row(m->index(c, 0, i), 1);
        }
        return out;
    }
    static QString Row(const QModelIndex &i, int depth) {
        const QVariant check = i.data(Qt::CheckStateRole);
        const QString c = !check.isValid()                     ? QString()
                          : check.toInt() == Qt::Checked          ? QStringLiteral("x")
                          : check.toInt() == Qt::PartiallyChecked ? QStringLiteral("~")
                                                                  : QStringLiteral("o");
        return QStringLiteral("%1|%2|%3|%4|%5")
            .arg(i.data(SelectChartsRole::Kind).toInt())
            .arg(depth)
            .arg(i.data().toString(), i.siblingAtColumn(1).data().toString(), c);
    }

    testsupport::TPrivateSettingsStore FStore{QStringLiteral("selectcharts")};
    QString FFolder;
    std::vector<ItemPtr> FItems;
    std::unique_ptr<TFramePageSelectCharts> FPage;
};

}  // namespace

TEST_F(SelectChartsPage, TreeShowsCategoriesGroupsAndProductsInListOrder) {
    QAbstractItemModelTester tester(FPage->Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    FItems[3]->SetSelected(true);
    FPage->Refresh();
    EXPECT_EQ(Rows(), QStringList({
                          "1|0|Programs||",
                          "0|0|General||",
                          "2|0|Route tools|new software|o",
                          "1|0|Charts||",
                          "0|0|1||",
                          "2|0|Demo charts||~",
                          "3|1|Vecht|new chartset|o",
                          "3|1|Maas|new chartset|x",
                          "2|0|Sea charts||o",
                          "3|1|Wadden|new chartset|o",
                          "1|0|Addons||",
                          "0|0|General||",
                          "2|0|Harbour guide|new software|o",
                      }))
        << "companions never show; a product with some sets checked is mixed";

    // Product rows follow their chart sets: mixed, all, none.
    QAbstractItemModel *m = FPage->Model();
    const QModelIndex demo = m->index(5, 0);
    m->setData(m->index(0, 0, demo), Qt::Checked, Qt::CheckStateRole);
    EXPECT_EQ(demo.data(Qt::CheckStateRole).toInt(), Qt::Checked);
    m->setData(demo, Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_FALSE(FItems[2]->IsSelected());
    EXPECT_FALSE(FItems[3]->IsSelected());
    EXPECT_EQ(m->index(0, 0, demo).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_FALSE(m->flags(m->index(0, 0)) & Qt::ItemIsSelectable) << "root rows are never selected";
}

TEST_F(SelectChartsPage, AProgramBringsItsCompanionAndItsSizeCounts) {
    FPage->Refresh();
    int changes = 0;
    FPage->OnChange = [&](TFramePageSelectCharts *) { ++changes; };
    FPage->show();
    QTreeView *view = FPage->ListView;
    const QModelIndex program = FPage->Model()->index(2, 0);
    // A plain click on the row's text toggles its check box.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(program).center());
    EXPECT_TRUE(FItems[0]->IsSelected());
    EXPECT_TRUE(FItems[1]->IsSelected()) << "the companion follows its program";
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(FPage->RequiredSpace(), 501000);
    EXPECT_EQ(FPage->LabelSpaceRequired->text(), QStringLiteral(" Disk space required: 489.3 KB"));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(program).center());
    EXPECT_FALSE(FItems[1]->IsSelected());
    EXPECT_EQ(FPage->RequiredSpace(), 0);
}

TEST_F(SelectChartsPage, CanProceedChecksSpaceThenOverwriteThenSelection) {
    FPage->Refresh();
    ASSERT_GT(FPage->FreeSpace(), 0) << "a folder not made yet is measured where it would be";
    QAbstractItemModel *m = FPage->Model();
    struct Case {
        const char *name;
        std::vector<int> selected, installed;  // item indexes
        std::vector<int> answers;
        bool proceed;
        QStringList messages;  // starts of the texts
    };
    const Case cases[] = {
        {"nothing selected", {}, {}, {}, false, {"No charts checked for installation."}},
        {"one new set", {2}, {}, {}, true, {}},
        {"two installed sets, yes once", {2, 3}, {2, 3}, {mrYes}, true, {"You have selected one or more products"}},
        {"two installed sets, no", {2, 3}, {2, 3}, {mrNo}, false, {"You have selected one or more products"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (auto &i : FItems) {
            i->SetSelected(false);
            i->SetInstalled(false);
        }
        for (int i : c.selected) FItems[size_t(i)]->SetSelected(true);
        for (int i : c.installed) FItems[size_t(i)]->SetInstalled(true);
        FPage->UpdateSpaceLabel();
        onlinetest::TMessages messages;
        for (int a : c.answers) messages.Answer(a);
        EXPECT_EQ(FPage->CanProceed(), c.proceed);
        ASSERT_EQ(messages.Texts.size(), c.messages.size());
        for (int i = 0; i < c.messages.size(); ++i) EXPECT_TRUE(messages.Texts[i].startsWith(c.messages[i]));
    }
    // More needed than the drive has: refused before anything else is asked.
    auto huge = std::make_unique<TOfferItem>(u"Huge", u"Huge", 9, 1, 1, 1, int64_t(1) << 62);
    huge->SetSelected(true);
    FPage->AddChartSet(huge.get());
    huge->SetSelected(true);
    FPage->UpdateSpaceLabel();
    onlinetest::TMessages messages;
    EXPECT_FALSE(FPage->CanProceed());
    ASSERT_EQ(messages.Texts.size(), 1);
    EXPECT_TRUE(messages.Texts[0].startsWith("There is not enough disk space"));
    (void)m;
}

TEST_F(SelectChartsPage, DefaultFolderComesFromTheMakerValueEvenWhenNotWritable) {
    QString folder;
    GetDefaultChartFolder(folder);
    EXPECT_EQ(folder, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                          QStringLiteral("/Korvane/Charts/"));
    // Below a plain file no folder can be made, whoever runs the test.
    const QString locked = testsupport::MakeTempDir(QStringLiteral("lockedcharts")) + QStringLiteral("/file/charts");
    QFile plain(QFileInfo(locked).path());
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_NE(SetDefaultChartFolder(locked), KvErr::Ok) << "the write test's result";
    EXPECT_NE(GetDefaultChartFolder(folder), KvErr::Ok);
    EXPECT_EQ(folder, locked + QStringLiteral("/"));
    EXPECT_EQ(SetDefaultChartFolder(FFolder), KvErr::Ok);
    EXPECT_EQ(GetDefaultChartFolder(folder), KvErr::Ok);
    EXPECT_EQ(folder, FFolder);
    EXPECT_FALSE(QFile::exists(FFolder + QLatin1String(ChartFolderTestFile)));
}

TEST(ModuleMasks, OneUnsigned64BitRule) {
    struct Case {
        int32_t number;
        uint64_t mask;
        bool in;
    };
    const Case cases[] = {{0, 1, true},           {1, 1, false},          {31, 0x80000000u, true},
                          {32, 1, false},         {32, 0x100000000ull, true}, {63, 1ull << 63, true},
                          {64, ~0ull, false},     {-1, ~0ull, false}};
    for (const Case &c : cases) EXPECT_EQ(ModuleInMask(c.number, c.mask), c.in) << c.number;
}

TEST(ModuleMasks, InstalledStateOverARealChartManager) {
    testsupport::TPrivateSettingsStore store(QStringLiteral("modulemasks"));
    const QString root = testsupport::MakeTempDir(QStringLiteral("modulemasks"));
    const auto writeSet = [&](const QString &code, int number, double mask) {
        const QString folder = root + QStringLiteral("/Charts/") + code;
        QDir().mkpath(folder);
        QFile::copy(testsupport::TestDataPath("charts/bsb/NZ61401.KAP"), folder + QStringLiteral("/NZ61401.KAP"));
        const QJsonObject o{{"product", QJsonObject{{"number", 4711}, {"code", "P"}, {"title", "P"}}},
                            {"set", QJsonObject{{"number", number}, {"code", code}, {"title", code}}},
                            {"moduleMask", mask},
                            {"charts", QJsonArray{QJsonObject{{"file", "NZ61401.KAP"}}}}};
        QFile f(folder + QStringLiteral("/chartset.json"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QJsonDocument(o).toJson());
    };
    writeSet(QStringLiteral("S31"), 31, 2147483648.0);
    writeSet(QStringLiteral("S32"), 32, 1.0);
    QDir().mkpath(root + QStringLiteral("/cache"));
    std::unique_ptr<IChartManager, void (*)(NavObject *)> manager(
        ChartManagerCreate(StrW(root + "/cache/ChartInfo.cif"), StrW(root + "/Selected"), StrW(root + "/Charts"),
                           nullptr, 1, nullptr, nullptr, nullptr, nullptr),
        ObjectDelete);
    ASSERT_EQ(manager->GetProductCount(), 1);
    TFramePageSelectCharts page(manager.get(), nullptr, root + QStringLiteral("/"), false);
    TOfferItem bit31(u"a", u"P", 4711, 0x80000000u, 1, 1, 1), bit0(u"b", u"P", 4711, 1, 1, 1, 1),
        other(u"c", u"Q", 4712, 0x80000000u, 1, 1, 1);
    for (TOfferItem *i : {&bit31, &bit0, &other}) page.AddChartSet(i);
    EXPECT_TRUE(bit31.IsInstalled()) << "set 31 lies in mask bit 31";
    EXPECT_FALSE(bit0.IsInstalled()) << "set 32 is not bit 0";
    EXPECT_FALSE(other.IsInstalled());
    IChartSet *set = nullptr;
    ASSERT_TRUE(FindInstalledChartSet(manager.get(), &bit31, set));
    page.Refresh();
    EXPECT_TRUE(page.IsChartSetFolderWritable(&bit31));
    EXPECT_FALSE(page.IsChartSetFolderWritable(&bit0));
}

TEST(ProgressPage, PanelsAreCentredByWhatIsVisible) {
    TFramePageProgress page;
    page.resize(800, 400);
    const int single = page.PanelProgressSingle->height(), total = page.PanelProgressTotal->height();
    struct Case {
        bool single, total;
        int singleTop, totalTop;  // -1: not checked
    };
    const Case cases[] = {{true, true, 100 - single / 2, 300 - total / 2},
                          {true, false, 200 - single / 2, -1},
                          {false, true, -1, 200 - total / 2}};
    for (const Case &c : cases) {
        page.PanelProgressSingle->setVisible(c.single);
        page.PanelProgressTotal->setVisible(c.total);
        page.ArrangePanels();
        EXPECT_EQ(page.PanelProgressSingle->x(), 400 - 290);
        EXPECT_EQ(page.PanelProgressTotal->x(), 400 - 290);
        if (c.singleTop >= 0) {
            EXPECT_EQ(page.PanelProgressSingle->y(), c.singleTop);
        }
        if (c.totalTop >= 0) {
            EXPECT_EQ(page.PanelProgressTotal->y(), c.totalTop);
        }
    }
}
