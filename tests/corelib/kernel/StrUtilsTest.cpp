#include <KvLibNav6/KvStrUtils.h>
#include <KvLibNav6/KvWaypoints.h>

#include <gtest/gtest.h>

#include <QLocale>
#include <QString>
#include <memory>
#include <string>

namespace {

TStrWRec Rec(const std::u16string &s) { return TStrWRec{int32_t(s.size()), s.c_str()}; }

struct StrWDeleter {
    void operator()(IStrW *s) const { StrWDelete(s); }
};

class TOut {
public:
    TOut() : FStr(StrWCreate(nullptr, 0)) {}
    IStrW *get() const { return FStr.get(); }
    std::string Text() const {
        const TStrWRec *r = FStr->GetRec();
        return QString::fromUtf16(r->Text, r->Length).toStdString();
    }

private:
    std::unique_ptr<IStrW, StrWDeleter> FStr;
};

// Numbers in a known user locale for one test.
class DefaultLocale {
public:
    explicit DefaultLocale(QLocale::Language l, QLocale::Country c) { QLocale::setDefault(QLocale(l, c)); }
    ~DefaultLocale() { QLocale::setDefault(FSaved); }

private:
    QLocale FSaved;
};

// Only the name matters to the comparison.
class TNamedObject final : public IWptObject {
public:
    explicit TNamedObject(std::u16string name) : FName(std::move(name)) { FRec = Rec(FName); }
    const TGUID *GetGUID() override { return &FGUID; }
    const TStrWRec *GetName() override { return &FRec; }
    IWptDatabase *GetDatabase() override { return nullptr; }
    void DeleteFromDatabase(int32_t &err) override { err = 0; }
    void SetName(const TStrWRec &, int32_t &err) override { err = 0; }
    bool IsProtected() override { return false; }

private:
    std::u16string FName;
    TStrWRec FRec;
    TGUID FGUID;
};

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

TEST(CoreLibStrUtils, FileNameReplaceInvalidChars) {
    struct Case { std::u16string name; const char *result; };
    const Case cases[] = {
        {u"Route 1.trk", "Route 1.trk"},
        {u"a\\b/c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j"},
        {u"tab\there\n", "tab_here_"},
        {u"Écluse ÿ", "Écluse ÿ"},
        {u"", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.result);
        TOut out;
        _FileNameReplaceInvalidChars(out.get(), Rec(c.name));
        EXPECT_EQ(out.Text(), c.result);
    }
}

TEST(CoreLibStrUtils, InsertTildeBeforeFileExt) {
    struct Case { std::u16string name; const char *result; };
    const Case cases[] = {
        {u"chart.dat", "chart~.dat"},
        {u"notes", "notes~"},
        {u"/data/net.v2/network.gpkg", "/data/net.v2/network~.gpkg"},
        {u"/data/net.v2/network", "/data/net.v2/network~"},  // dot of a folder is no extension
        {u"a.b.c", "a.b~.c"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.result);
        TOut out;
        _InsertTildeBeforeFileExt(Rec(c.name), out.get());
        EXPECT_EQ(out.Text(), c.result);
    }
}

TEST(CoreLibStrUtils, SizeToStr2) {
    constexpr int32_t KB = KvSizeUnit::KB, MB = KvSizeUnit::MB;
    struct Case { const char *name; int64_t size; int32_t units, decimals, flag1; const char *text; };
    const Case cases[] = {
        {"bytes", 1000, 7, 1, 0, "1000 bytes"},
        {"KB", 1536, 7, 1, 0, "1.5 KB"},
        {"MB", 5 * 1048576 / 2, 7, 2, 0, "2.50 MB"},
        {"GB capped at MB", int64_t(3) << 30, 7, 0, 0, "3072 MB"},
        {"GB allowed", int64_t(3) << 30, 15, 1, 0, "3.0 GB"},
        {"all units", int64_t(2) << 40, 0, 0, 0, "2 TB"},
        {"smallest allowed unit for small sizes", 10, KB | MB, 2, 0, "0.01 KB"},
        {"tiny without minimum", 4, KB, 2, 0, "0.00 KB"},
        {"tiny with minimum", 4, KB, 2, 1, "0.01 KB"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TOut out;
        _SizeToStr2(out.get(), c.size, c.units, c.decimals, c.flag1, 0);
        EXPECT_EQ(out.Text(), c.text);
    }
    DefaultLocale german(QLocale::German, QLocale::Germany);
    TOut out;
    _SizeToStr2(out.get(), 1536, 7, 1, 0, 1);
    EXPECT_EQ(out.Text(), "1,5 KB");
}

TEST(CoreLibStrUtils, StrCompareByTrailingNumber) {
    struct Case { std::u16string a, b; int sign; };
    const Case cases[] = {
        {u"x2", u"x10", -1},
        {u"x10", u"x2", 1},
        {u"Route 9", u"Route 10", -1},
        {u"x", u"x1", -1},          // no number before any number
        {u"x02", u"x2", -1},        // equal values: plain text decides, never 0
        {u"x7", u"x007", 1},
        {u"a10", u"b2", -1},        // the text before the number first
        {u"same", u"same", 0},
        {u"x99999999999999999999", u"x100000000000000000000", -1},  // beyond 64 bits
        {u"", u"1", -1},
        {u"abc", u"ABC", 1},        // case counts
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromStdU16String(c.a + u" / " + c.b).toStdString());
        EXPECT_EQ(Sign(StrCompareByTrailingNumber(Rec(c.a), Rec(c.b))), c.sign);
        EXPECT_EQ(Sign(StrCompareByTrailingNumber(Rec(c.b), Rec(c.a))), -c.sign);
    }
}

TEST(CoreLibStrUtils, WaypointNamesCompareByTrailingNumber) {
    TNamedObject wp2(u"WP2"), wp10(u"WP10"), lower10(u"wp10");
    EXPECT_LT(WPTCompareNameByTrailingNumber(&wp2, &wp10), 0);
    EXPECT_GT(WPTCompareNameByTrailingNumber(&wp10, &wp2), 0);
    EXPECT_NE(WPTCompareNameByTrailingNumber(&wp10, &lower10), 0);
    EXPECT_EQ(WPTCompareNameByTrailingNumberI(&wp10, &lower10), 0);
    EXPECT_LT(WPTCompareNameByTrailingNumberI(&wp2, &lower10), 0);
    // An object without a name sorts as an empty name.
    EXPECT_LT(WPTCompareNameByTrailingNumber(nullptr, &wp2), 0);
}

TEST(CoreLibStrUtils, FloatToStr1) {
    struct Case { double value; int32_t i1, i2; const char *text; };
    const Case cases[] = {
        {2.5, 0, 1, "2.5"},     {3.0, 0, 1, "3"},     {2.24, 0, 1, "2.2"},
        {2.35, 0, 1, "2.4"},    {-0.04, 0, 1, "0"},   {1.5, 2, 4, "1.50"},
        {1.23456, 2, 4, "1.2346"}, {1.0, 0, 0, "1"},  {12345.0, 1, 1, "12345.0"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        TOut out;
        _FloatToStr1(out.get(), c.value, c.i1, c.i2, 0);
        EXPECT_EQ(out.Text(), c.text);
    }
    DefaultLocale german(QLocale::German, QLocale::Germany);
    TOut out;
    _FloatToStr1(out.get(), 2.5, 0, 1, 1);  // as the waypoint editor calls it
    EXPECT_EQ(out.Text(), "2,5");
}

TEST(CoreLibStrUtils, StrToFloatTry) {
    DefaultLocale german(QLocale::German, QLocale::Germany);
    struct Case { std::u16string text; int32_t flag; bool ok; double value; };
    const Case cases[] = {
        {u"2.5", 0, true, 2.5},  {u"2,5", 0, false, 0},  {u"2,5", 1, true, 2.5},
        {u"2.5", 1, true, 2.5},  {u" -3 ", 0, true, -3}, {u"1e3", 0, true, 1000},
        {u"1e", 0, false, 0},    {u"", 0, false, 0},     {u"abc", 1, false, 0},
        {u"1.2.3", 0, false, 0}, {u"nan", 0, false, 0},  {u"1 000", 1, false, 0},
        {u"-", 0, false, 0},     {u"+.5", 0, true, 0.5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromStdU16String(c.text).toStdString());
        double v = 42;
        EXPECT_EQ(StrToFloatTry(v, Rec(c.text), c.flag), c.ok);
        EXPECT_DOUBLE_EQ(v, c.ok ? c.value : 42);  // untouched on failure
    }
}
