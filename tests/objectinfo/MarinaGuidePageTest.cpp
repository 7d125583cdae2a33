// The marina-guide page over entries whose every value the test sets.
#include "FakeMarinaEntry.h"
#include "TestSupport.h"
#include "objectinfo/LinkDetailsPages.h"
#include "objectinfo/MarinaGuidePage.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>

namespace {

const QString CRLF = QStringLiteral("\r\n");
const QString Icons = QStringLiteral("/icons/");

QString Page(TFakeMarinaEntry &e, bool expanded = false, const QString &edition = QStringLiteral("2014"),
             const QString &iconFolder = Icons) {
    TMarinaGuidePageInput in;
    in.Entry = &e;
    in.IconFolder = iconFolder;
    in.Edition = edition;
    in.Expanded = expanded;
    in.ProgramFolder = QStringLiteral("/prog/");
    return BuildMarinaGuidePage(in).Page;
}

QString Img(const QString &file, const QString &title) {
    return QStringLiteral("<img src=\"/icons/%1\" title=\"%2\" />").arg(file, title);
}

TEST(MarinaGuidePage, DistanceIconsByDistance) {
    const struct {
        const char *name;
        double metres;
        QString facility;  // the kiosk line, empty: none
        QString header;    // the centre icon in the header icon line
    } cases[] = {
        {"missing", -1, QString(), QString()},
        {"at the marina", 0, Img("icon_kiosk.gif", "Kiosk"), Img("icon_distancecenter.gif", "Distance to centre of city") + " "},
        {"100 m is still at the marina", 100, Img("icon_kiosk.gif", "Kiosk"),
         Img("icon_distancecenter.gif", "Distance to centre of city") + " "},
        {"101 m", 101, Img("icon_kiosk.gif", "Kiosk  0.101 km") + " 0.101 km ",
         Img("icon_distancecenter.gif", "Distance to centre of city  0.101 km") + " 0.101 km "},
        {"2500 m", 2500, Img("icon_kiosk.gif", "Kiosk  2.5 km") + " 2.5 km ",
         Img("icon_distancecenter.gif", "Distance to centre of city  2.5 km") + " 2.5 km "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TFakeMarinaEntry e;
        e.Numbers["DistanceKiosk"] = c.metres;
        e.Numbers["DistanceCentre"] = c.metres;
        const QString page = Page(e);
        if (c.facility.isEmpty())
            EXPECT_FALSE(page.contains(QStringLiteral("icon_kiosk")));
        else
            EXPECT_TRUE(page.contains(CRLF + QString(16, ' ') + c.facility + CRLF)) << page.toStdString();
        EXPECT_TRUE(page.contains(CRLF + QString(18, ' ') + c.header + CRLF));
    }
}

TEST(MarinaGuidePage, PetrolLineNamesTheFuels) {
    const struct {
        bool d, s, g;
        const char *letters, *words;
    } cases[] = {{false, true, true, "S + G", "super and gas"},
                 {true, false, false, "D", "diesel"},
                 {true, true, true, "D + S + G", "diesel and super and gas"},
                 {false, false, false, "", ""}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.letters);
        QString letters, words;
        MarinaPetrolTexts(c.d, c.s, c.g, letters, words);
        EXPECT_EQ(letters, QString::fromLatin1(c.letters));
        EXPECT_EQ(words, QString::fromLatin1(c.words));
    }
    TFakeMarinaEntry e;
    e.Flags = {"HasSuper", "HasGas"};
    EXPECT_TRUE(Page(e).contains(Img("icon_petrol.gif", "Petrol station [super and gas]") + " S + G"));
    TFakeMarinaEntry none;
    EXPECT_FALSE(Page(none).contains(QStringLiteral("icon_petrol")));
}

TEST(MarinaGuidePage, YearCodesAndPriceLabels) {
    const struct {
        int code;
        const char *suffix;
    } years[] = {{1, " 2013"}, {2, " 2"}, {2010, ""}, {2014, " 2014"}, {0, ""}, {-1, ""}};
    for (const auto &y : years) {
        SCOPED_TRACE(y.code);
        EXPECT_EQ(MarinaYearSuffix(y.code), QString::fromLatin1(y.suffix));
        TFakeMarinaEntry e;
        e.Numbers["OpenedYear"] = y.code;
        e.Texts["Opened"] = QStringLiteral("Apr-Oct");
        EXPECT_TRUE(Page(e).contains(QStringLiteral("Opened%1: Apr-Oct<br />").arg(QString::fromLatin1(y.suffix))));
    }
    const struct {
        const char *name;
        int referenceYear, pricesYear;
        bool reference;
        const char *edition;
        QString referenceRow, pricesLabel;
    } prices[] = {
        {"reference of code 1", 1, 1, true, "2014", "ADAC reference price (2013 season): 12 EUR", "Prices: "},
        {"reference of code 2", 2, 2014, true, "2014", "ADAC reference price (2 season): 12 EUR", "Prices (2014 season): "},
        {"old code keeps the plain label", 2010, 2010, true, "2014", "ADAC reference price: 12 EUR", "Prices: "},
        {"same years", 2014, 2014, true, "2014", "ADAC reference price (2014 season): 12 EUR", "Prices: "},
        {"no reference", 2014, 2014, false, "2014", QString(), "Prices (2014 season): "},
        {"edition 2016 has no season", 2014, 2015, true, "2016", "ADAC reference price (2014 season): 12 EUR", "Prices: "},
    };
    for (const auto &p : prices) {
        SCOPED_TRACE(p.name);
        TFakeMarinaEntry e;
        e.Flags = {"HasPriceInformation"};
        e.Numbers["ReferencePriceYear"] = p.referenceYear;
        e.Numbers["PricesYear"] = p.pricesYear;
        if (p.reference) e.Texts["ReferencePrice"] = QStringLiteral("12_EUR");
        e.Texts["PriceBerthNight"] = QStringLiteral("15_EUR");
        e.Texts["PriceHotShowers"] = QStringLiteral("0");
        e.Texts["PriceFreshWater"] = QStringLiteral("1 EUR");
        const QString page = Page(e, false, QString::fromLatin1(p.edition));
        if (!p.referenceRow.isEmpty()) {
            EXPECT_TRUE(page.contains(p.referenceRow + QStringLiteral("<br />"))) << page.toStdString();
        }
        EXPECT_TRUE(page.contains(p.pricesLabel + QStringLiteral("Berth/N 15 EUR, Fresh water 1 EUR<br />")))
            << page.toStdString();
        EXPECT_TRUE(page.contains(QStringLiteral("Included: Hot showers<br />")));
        // No empty parentheses without a price note.
        EXPECT_TRUE(page.contains(QStringLiteral("<div class=\"subheader\">Price information</div>")));
    }
}

TEST(MarinaGuidePage, TextsAreEncodedAndUnderscoresBecomeBlanks) {
    TFakeMarinaEntry e;
    e.Texts["Name"] = QStringLiteral("A_B & C");
    e.Texts["City"] = QStringLiteral("<script>x</script>");
    e.Texts["HeaderText"] = QStringLiteral("\"Top\"");
    e.Texts["Phone"] = QStringLiteral("+49_30_1");
    e.Texts["Email"] = QStringLiteral("a&b@c.de");
    e.Texts["Website"] = QStringLiteral("www.hafen.de");
    e.Texts["HarbourMasterLanguages"] = QStringLiteral("de, en, ");
    e.Texts["PaymentOptions"] = QStringLiteral("Maestro, VISA");
    e.Flags = {"HasPriceInformation"};
    const QString page = Page(e, true);
    EXPECT_TRUE(page.contains(QStringLiteral("<span class=\"bold\">A B &amp; C</span> &lt;script&gt;x&lt;/script&gt;</td>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<span class=\"bold\">&quot;Top&quot;</span>")));
    EXPECT_TRUE(page.contains(QStringLiteral("Tel.: +49 30 1<br />")));
    EXPECT_TRUE(page.contains(QStringLiteral("Mail: <a href=\"mailto:a&amp;b@c.de\">a&amp;b@c.de</a><br />")));
    EXPECT_TRUE(page.contains(QStringLiteral("Website: <a href=\"http://www.hafen.de\">www.hafen.de</a><br />")));
    EXPECT_TRUE(page.contains(QStringLiteral("Languages spoken: de, en<br />")));
    // Payment tokens in any letter case find their cards.
    EXPECT_TRUE(page.contains(Img("icon_maestro.gif", "Maestro (debit card)") + " " + Img("icon_visa.gif", "Visa card") + " <br />"));
    EXPECT_FALSE(page.contains(QStringLiteral("icon_master.gif")));
    const struct {
        const char *text, *trimmed;
    } languages[] = {{"de, en, ", "de, en"}, {"de, en", "de, en"}, {",", ","}, {"d", "d"}, {"", ""}, {", ", ""}};
    for (const auto &l : languages) {
        SCOPED_TRACE(l.text);
        EXPECT_EQ(MarinaTrimLanguages(QString::fromLatin1(l.text)), QString::fromLatin1(l.trimmed));
    }
}

TEST(MarinaGuidePage, EmptyEntryGolden) {
    TFakeMarinaEntry e;
    const QString fragment =
        QStringLiteral(
            "          <div class=\"contents\">\r\n"
            "            <!-- contents -->\r\n"
            "            <div class=\"entry\">\r\n"
            "              <div class=\"header\">\r\n"
            "                <table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\" bgcolor=\"#0000aa\"><tr>\r\n"
            "                <td style=\"color: #ffffff\"><span class=\"bold\"></span> </td>\r\n"
            "                <td align=\"right\" style=\"color: #ffffff\"><span class=\"bold\"></span></td>\r\n"
            "                </tr></table>\r\n"
            "              </div>\r\n"
            "              <div class=\"header2\">\r\n"
            "                <div align=\"right\">\r\n"
            "                  \r\n"
            "                </div>\r\n"
            "              </div>\r\n"
            "              <div class=\"subheader\">General</div>\r\n"
            "              <div class=\"fields\">\r\n"
            "              </div>\r\n"
            "              <div class=\"subheader\">Facilities</div>\r\n"
            "              <div class=\"icons\">\r\n"
            "              </div>\r\n"
            "<p><a href=\"adacmore\"><img src=\"/prog/Images/expand.png\" border=\"0\" /></a> <b>Additional information</b></p>\r\n"
            "              <div class=\"footer\">ADAC Marinaführer 2014</div>\r\n"
            "            </div>\r\n"
            "          </div>\r\n");
    const QString page = Page(e);
    EXPECT_TRUE(page.contains(fragment)) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("<title>ADAC Marinaführer</title>")));
    EXPECT_EQ(page.count(QStringLiteral("<!-- contents -->")), 1);
    EXPECT_TRUE(page.endsWith(QStringLiteral("</html>").leftJustified(90) + CRLF));
}

TEST(MarinaGuidePage, FullEntryHasEverySection) {
    TFakeMarinaEntry e;
    e.Texts["Name"] = QStringLiteral("Saltmere_Yacht_Haven");
    e.Numbers["ClassTechService"] = 3;
    e.Numbers["ClassCateringLeisure"] = 7;
    e.Box = {12.5f, 4.0f};
    e.Numbers["CEESocketCount"] = 40;
    e.Texts["CEESocketsNote"] = QStringLiteral("16");
    e.Numbers["FreshWaterConnections"] = 0;
    e.Numbers["CraneTons"] = 12000;
    e.Flags = {"HasCrane", "HasParkingGuardedNight", "HasPriceInformation", "HasNoReservations", "HasBuoys"};
    e.Numbers["DistanceSupermarket"] = 800;
    e.Texts["SupermarketNote"] = QStringLiteral("Mon-Sat");
    e.Numbers["MaxStayNights"] = 3;
    e.Texts["MaxStay"] = QStringLiteral("5");
    e.Numbers["MaxLength"] = 15;
    e.Numbers["Anchorages"] = 2;
    e.Texts["MMSI"] = QStringLiteral("211000000");
    e.Numbers["WaterwayDistance"] = 12345;
    e.Flags.insert("IsLeftBank");
    e.Texts["LocationText"] = QStringLiteral("Behind_the_dyke");
    e.Texts["LocationTextEN"] = QStringLiteral("EN_text");
    const QString collapsed = Page(e);
    const QString expanded = Page(e, true);
    EXPECT_TRUE(collapsed.contains(Img("icon_classts.gif", "Classification for tech and service") + " " +
                                   Img("icon_class3.gif", "Extended supply") + "<br />"));
    EXPECT_TRUE(collapsed.contains(Img("icon_classvf.gif", "Classification for catering and leisure") + " " +
                                   Img("icon_class7.gif", "") + "<br />"));
    EXPECT_TRUE(collapsed.contains(Img("icon_boxsize.gif", "Box size (length x width)") + " 12.5x4 m"));
    EXPECT_TRUE(collapsed.contains(Img("icon_socketcee.gif", "Number of CEE sockets") + " 40 (16 A)"));
    EXPECT_TRUE(collapsed.contains(QString(16, ' ') + Img("icon_freshwater.gif", "Number of fresh water connections") + CRLF));
    EXPECT_TRUE(collapsed.contains(Img("icon_crane.gif", "Crane") + " 12 t"));
    EXPECT_TRUE(collapsed.contains(Img("icon_parkingguarded.gif", "Guarded parking (at night)")));
    EXPECT_TRUE(collapsed.contains(Img("icon_supermarket.gif", "Supermarket  0.8 km") + " 0.8 km  (Mon-Sat)"));
    EXPECT_TRUE(collapsed.contains(QStringLiteral("Other: No reservations possible, Max length of stay 3 nights, "
                                                  "Max length of stay: 5 nights<br />")));
    EXPECT_FALSE(collapsed.contains(QStringLiteral("Harbor master")));
    EXPECT_TRUE(expanded.contains(QStringLiteral("/prog/Images/collapse.png")));
    EXPECT_TRUE(expanded.contains(QStringLiteral("<div class=\"subheader\">Harbor master</div>")));
    EXPECT_TRUE(expanded.contains(QStringLiteral("MMSI: 211000000<br />")));
    EXPECT_TRUE(expanded.contains(QStringLiteral("Anchorages: 2<br />")));
    EXPECT_TRUE(expanded.contains(CRLF + QStringLiteral("L 12.3 km") + CRLF));
    EXPECT_TRUE(expanded.contains(QStringLiteral(" ") + Img("icon_buoys.gif", "Has buoys") + "<br />"));
    EXPECT_TRUE(expanded.contains(QStringLiteral("Location: Behind the dyke") + CRLF));
    EXPECT_TRUE(expanded.contains(QStringLiteral("<br />Location (EN): EN text")));
    EXPECT_TRUE(expanded.contains(QStringLiteral("GPS: ")));
}

TEST(MarinaGuidePage, ChartPictureOnlyWhenItsFileExists) {
    const QString folder = testsupport::MakeTempDir(QStringLiteral("marinacharts")) + QLatin1Char('/');
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("Charts")));
    QImage chart(20, 10, QImage::Format_RGB32);
    chart.fill(Qt::gray);
    TFakeMarinaEntry e;
    e.Numbers["Number"] = 42;
    EXPECT_FALSE(Page(e, false, QStringLiteral("2014"), folder).contains(QStringLiteral("Charts/")));
    ASSERT_TRUE(chart.save(folder + QStringLiteral("Charts/42.png")));
    EXPECT_TRUE(Page(e, false, QStringLiteral("2014"), folder)
                    .contains(QStringLiteral("<div><img width=\"497\" src=\"%1Charts/42.png\" title=\"Chart\" /></div>").arg(folder)));
    e.Texts["ChartImage"] = QStringLiteral("own.png");
    EXPECT_FALSE(Page(e, false, QStringLiteral("2014"), folder).contains(QStringLiteral("Charts/")))
        << "a named picture that is missing shows none";
    ASSERT_TRUE(chart.save(folder + QStringLiteral("Charts/own.png")));
    EXPECT_TRUE(Page(e, false, QStringLiteral("2014"), folder).contains(QStringLiteral("Charts/own.png")));
}

TEST(MarinaGuidePage, TitlesOfPicturesComeWithThePage) {
    TFakeMarinaEntry e;
    e.Flags = {"HasShowers"};
    TMarinaGuidePageInput in;
    in.Entry = &e;
    in.IconFolder = Icons;
    const TMarinaGuidePage page = BuildMarinaGuidePage(in);
    EXPECT_EQ(page.Titles.value(QStringLiteral("/icons/icon_showers.gif")), QStringLiteral("Showers"));
    EXPECT_TRUE(BuildMarinaGuidePage(TMarinaGuidePageInput{}).Page.isEmpty());
}

}  // namespace
