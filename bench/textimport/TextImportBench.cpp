// Speed of the text import format page: 100,000 lines of 6 columns loaded from a file, split,
// checked and built into items with the grid filled; then one change of the decimal
// separator, which checks every cell and builds every item again. Targets: the load under
// 0.5 s, the change under 0.2 s.
#include "bench/common/BenchEnv.h"

#include "base/kvlib/KvLib.h"
#include "base/registry/KvRegistry.h"
#include "base/txtformat/KvTxtFormat.h"
#include "exchange/FraImportFormat.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

struct TFixture {
    QTemporaryDir Dir;
    TNavPtr<ITxtFormatProfileManager> Manager{CreateTxtFormatProfileManagerEmpty()};
    QString File;

    TFixture() {
        TxtFormatProfileManagerSetFileName(Manager.get(), Dir.filePath(QStringLiteral("Marivo.ProfilesWPT")));
        ITxtFormatProfile *p = TxtFormatProfileManagerAdd(Manager.get(), QStringLiteral("Bench"));
        TxtFormatProfileInitWaypoint(p, true);
        TxtFormatProfileSetFieldSeparator(p, u';');
        TxtFormatProfileSetDecimalSeparator(p, u'.');
        int32_t err = 0;
        RegWriteString(GetAppReg(), AppRegRoot::Product, QStringLiteral("Desktop\\Import"),
                       RegName(u"ProfileWaypoint"), QStringLiteral("Bench"), err);
        File = Dir.filePath(QStringLiteral("points.txt"));
        QFile f(File);
        f.open(QIODevice::WriteOnly);
        QByteArray text;
        for (int i = 0; i < 100000; ++i) {
            text += "Mark " + QByteArray::number(i) + ';' + QByteArray::number(52.0 + (i % 1000) * 0.001, 'f', 4) +
                    ';' + QByteArray::number(4.0 + (i / 1000) * 0.01, 'f', 4) + ";Sub " +
                    QByteArray::number(i % 97) + ";x" + QByteArray::number(i % 13) + ";12.5\n";
        }
        f.write(text);
    }
};

TFixture &Fixture() {
    static TFixture fixture;
    return fixture;
}

void Load(TFrameImportFormat &page) {
    page.ClearFiles();
    page.Prepare(Fixture().Manager.get(), TxtFormatProfileKind::Waypoint, nullptr);
    QString failed, text;
    int32_t err = 0;
    page.LoadFiles({Fixture().File}, failed, err, text);
}

void BM_TextImportLoad(benchmark::State &state) {
    TFrameImportFormat page;
    page.resize(900, 600);
    for (auto _ : state) Load(page);
    state.counters["rows"] = double(page.Files().empty() ? 0 : page.Files()[0].Rows.size());
}
BENCHMARK(BM_TextImportLoad)->Unit(benchmark::kMillisecond);

void BM_TextImportDecimalChange(benchmark::State &state) {
    TFrameImportFormat page;
    page.resize(900, 600);
    Load(page);
    bool comma = false;
    for (auto _ : state) {
        comma = !comma;
        page.DecimalButton(comma ? QChar(u',') : QChar(u'.'))->click();
    }
}
BENCHMARK(BM_TextImportDecimalChange)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) { return benchenv::RunBenchmarks(argc, argv); }
