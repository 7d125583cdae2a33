// The route overview without widgets: the page, the split into printed parts, the page
// texts, safe file names and the export's files.
#include "TestSupport.h"
#include "routes/RouteOverview.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

QString ReadText(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Three rows: a timed route point, a structure without arrival, a hidden turn, the last
// route point; one column per alignment.
struct OverviewFixture {
    std::vector<TRteNodeData> Rows;
    TRouteOverviewInput In;
    OverviewFixture(bool timed) {
        TRteNodeData first;
        first.Kind = RteNodeKind::RoutePoint;
        first.Arrival = TRteTime{0.0, 0.0, 45000.5};
        TRteNodeData bridge;
        bridge.Kind = RteNodeKind::Structure;
        bridge.HasItem = true;
        bridge.Icon = 7;
        TRteNodeData turn;
        turn.Kind = RteNodeKind::Turn;
        turn.Visible = false;
        TRteNodeData last;
        last.Kind = RteNodeKind::RoutePoint;
        if (timed) last.Arrival = TRteTime{1000.0, 0.0, 45000.75};
        Rows = {first, bridge, turn, last};
        In.Rows = &Rows;
        In.Columns = {{0, QString(), QStringLiteral("&nbsp;"), TRouteAlign::Right, 50},
                      {1, QStringLiteral("Name"), QString(), TRouteAlign::Left, 120},
                      {25, QStringLiteral("ETA"), QStringLiteral("hh:mm"), TRouteAlign::Centre, 80}};
        In.CellText = [](int row, int column) {
            static const QStringList names{QStringLiteral("A & <B>"), QStringLiteral("Bridge \"X\""),
                                           QStringLiteral("Turn"), QStringLiteral("End")};
            if (column == 0) return row == 0 ? QStringLiteral("1") : row == 3 ? QStringLiteral("2") : QString();
            if (column == 1) return names[row];
            return row == 0 ? QStringLiteral("12:00") : row == 3 ? QStringLiteral("18:00") : QStringLiteral("---");
        };
        In.ImageFolder = QStringLiteral("/tmp/a b#1/");
        In.Title = QStringLiteral("Marivo 5 route overview");
        In.RouteLine = QStringLiteral("Route name: <b>A/../B</b>");
        In.SpeedLine = QStringLiteral("Cruising speed: 6,5 kn");
        In.ConsumptionLine = QStringLiteral("Fuel consumption: 3,0 l/h");
    }
};

TEST(RouteOverviewHtml, MatchesTheGoldenPages) {
    for (const int width : {0, 250}) {
        OverviewFixture f(true);
        f.In.TableWidth = width;
        const QString golden = QStringLiteral(MARIVO_SOURCE_DIR_STR "/tests/routes/data/overview%1.html").arg(width);
        const QString built = RouteOverviewHtml(f.In).join(u'\n') + u'\n';
        if (qEnvironmentVariableIsSet("MARIVO_WRITE_GOLDEN")) {
            QFile out(golden);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(built.toUtf8());
        }
        EXPECT_EQ(built, ReadText(golden)) << "TableWidth " << width;
    }
}

TEST(RouteOverviewHtml, ColoursFollowTheTimedRule) {
    // Untimed: the ETA cell of a row without arrival is red, the other cells plain.
    OverviewFixture f(false);
    const QString html = RouteOverviewHtml(f.In).join(u'\n');
    EXPECT_TRUE(html.contains(QStringLiteral("<td style=\"text-align: center; color: #f00;\">\n18:00")));
    EXPECT_TRUE(html.contains(QStringLiteral("<td style=\"text-align: left;\">\nEnd")));
    EXPECT_TRUE(html.contains(QStringLiteral("<td style=\"text-align: center; color: #c0c0c0;\">\n---")));
    EXPECT_FALSE(RouteRowsTimed(f.Rows));
    EXPECT_TRUE(RouteRowsTimed(OverviewFixture(true).Rows));
}

TEST(RouteOverviewHtml, LaterPartsLeaveTheTitleBlank) {
    OverviewFixture f(true);
    f.In.FirstPart = false;
    const QString html = RouteOverviewHtml(f.In).join(u'\n');
    EXPECT_FALSE(html.contains(QStringLiteral("route overview")));
    EXPECT_FALSE(html.contains(QStringLiteral("Route name")));
    EXPECT_TRUE(html.contains(QStringLiteral("&nbsp;<br />\n&nbsp;\n")));
}

TEST(RouteOverviewHtml, ImageUrlsReadBackAsTheFolder) {
    const QString url = RouteImageUrl(QStringLiteral("/tmp/a b#1 100%/"), 18);
    EXPECT_FALSE(url.contains(u' '));
    EXPECT_TRUE(url.startsWith(QStringLiteral("file:///")));
    EXPECT_EQ(QUrl::fromEncoded(url.toLatin1()).toLocalFile(), QStringLiteral("/tmp/a b#1 100%/Image18.png"));
}

TEST(RouteOverviewSplit, PartsFollowTheMargins) {
    // 600 dpi, paper 4800 dots (20.32 cm), unprintable edges 0.5 cm left, 0.5 cm right.
    const TRoutePrinterMetrics m{600.0, 4800, 0.5, 0.5};
    // First part: 1.5 + 1.5 cm -> 4800 - 709 = 4091; squeezed: 1.5 + 0.5 -> 4328;
    // further: 0.5 + 1.5 -> 4328, squeezed 0.5 + 0.5 -> 4564.
    EXPECT_EQ(RouteUsableWidth(m, {1.5, 1.5}), 4091);
    EXPECT_EQ(RouteUsableWidth(m, {0.5, 0.5}), 4564);
    struct Case {
        std::vector<int> Widths;
        std::vector<std::vector<int>> Parts;
        std::vector<double> Rights;
        int TooWide;
    };
    const std::vector<Case> cases{
        {{1000, 1000, 1000}, {{0, 1, 2}}, {1.5}, -1},
        {{2000, 2000}, {{0, 1}}, {1.5}, -1},
        {{2000, 2200}, {{0, 1}}, {0.5}, -1},              // fits once squeezed
        {{2000, 2400, 1000}, {{0}, {1, 2}}, {0.5, 1.5}, -1},  // the squeeze is not enough
        {{1000, 4300}, {{0}, {1}}, {0.5, 1.5}, -1},  // only a further part holds it
        {{1000, 4700}, {}, {}, 1},                       // wider than any part
    };
    for (const Case &c : cases) {
        const TRoutePrintSplit split = RouteSplitParts(c.Widths, 1.0, m);
        EXPECT_EQ(split.TooWide, c.TooWide);
        ASSERT_EQ(split.Parts.size(), c.Parts.size());
        for (size_t p = 0; p < c.Parts.size(); ++p) {
            EXPECT_EQ(split.Parts[p].Columns, c.Parts[p]);
            EXPECT_DOUBLE_EQ(split.Parts[p].Margins.Right, c.Rights[p]);
            EXPECT_DOUBLE_EQ(split.Parts[p].Margins.Left, p == 0 ? 1.5 : 0.5);
        }
    }
    // The scale turns table pixels into printer dots.
    EXPECT_EQ(RouteSplitParts({500, 500}, 6.25, m).Parts.size(), 2u);
}

TEST(RouteOverviewSplit, PageTextsCarryTheirPartLetters) {
    EXPECT_EQ(RoutePartLetter(1, 1), QString());
    EXPECT_EQ(RoutePartLetter(1, 2), QStringLiteral("a"));
    EXPECT_EQ(RoutePartLetter(2, 2), QStringLiteral("b"));
    EXPECT_EQ(RoutePartLetter(19, 25), QStringLiteral("s"));
    EXPECT_EQ(RoutePartLetter(20, 25), QString());
    EXPECT_EQ(RoutePageText(3, QStringLiteral("b"), 5), QStringLiteral("Page 3b of 5"));
    EXPECT_EQ(RoutePageText(1, QString(), 1), QStringLiteral("Page 1"));
}

TEST(RouteOverviewFiles, NamesStayInsideTheFolder) {
    const std::vector<std::pair<QString, QString>> cases{
        {QStringLiteral("<b>A/../B</b>"), QStringLiteral("_b_A_.._B__b_")},
        {QStringLiteral("C:\\x|y?*"), QStringLiteral("C__x_y__")},
        {QStringLiteral(".."), QStringLiteral("_")},
        {QStringLiteral("Trip. . "), QStringLiteral("Trip")},
        {QString(300, u'x'), QString(120, u'x')},
    };
    for (const auto &[name, safe] : cases) EXPECT_EQ(RouteSafeFileName(name), safe) << name.toStdString();
}

TEST(RouteOverviewFiles, ExportWritesPageAndImagesOrNothing) {
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    QImage image(24, 24, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::red);
    const QList<QImage> images(23, image);
    QString failed;
    ASSERT_TRUE(RouteWriteExport(folder, QStringLiteral("R (01-02-2026 03.04.05)"), {QStringLiteral("<html>"), QStringLiteral("\u00E9")},
                                 images, failed));
    EXPECT_EQ(QDir(folder + QStringLiteral("R (01-02-2026 03.04.05)")).entryList(QDir::Files).size(), 23);
    EXPECT_EQ(ReadText(folder + QStringLiteral("R (01-02-2026 03.04.05).html")), QStringLiteral("<html>\r\n&#233;\r\n"));

    // An image that cannot be written: the message names it, nothing of this export stays.
    QList<QImage> broken = images;
    broken[5] = QImage();
    ASSERT_FALSE(RouteWriteExport(folder, QStringLiteral("S"), {QStringLiteral("<html>")}, broken, failed));
    EXPECT_TRUE(failed.endsWith(QStringLiteral("Image5.png")));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("S.html")));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("S")));
    // A folder that cannot take the export: the message names the stamp.
    ASSERT_FALSE(RouteWriteExport(folder + QStringLiteral("missing/"), QStringLiteral("T"), {}, images, failed));
    EXPECT_EQ(failed, QStringLiteral("T"));
}

}  // namespace
