// Waypoints and routes as a receiver sends them: WPL and multi-message RTE sentences.
#include "devices/NmeaTransfer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr double RadToDeg = 180.0 / 3.14159265358979323846;

std::string Sentence(const std::string &body) {
    unsigned sum = 0;
    for (char c : body) sum ^= unsigned(uint8_t(c));
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

struct TCollect {
    kv::TNmeaParser Parser;
    kv::TNmeaTransferCollector Collector;
    int Refused = 0;
    TCollect() {
        Parser.SetSentenceHook([this](const kv::TNmeaSentence &s) {
            if (!Collector.Add(s)) ++Refused;
        });
    }
    void Feed(const std::vector<std::string> &bodies) {
        for (const std::string &b : bodies) {
            const std::string line = Sentence(b);
            Parser.Feed(line.data(), line.size());
        }
    }
};

std::vector<std::string> Names(const kv::TNmeaTransferCollector &c) {
    std::vector<std::string> names;
    for (const auto &w : c.Waypoints()) names.push_back(w.Name);
    return names;
}

}  // namespace

TEST(NmeaTransfer, WaypointsAndRoutesAreCollected) {
    TCollect c;
    c.Feed({"GPWPL,5222.500,N,00454.000,E,HOME", "GPWPL,5230.000,N,00500.000,E,BUOY 7",
            "GPRTE,2,1,c,HARBOUR,HOME,BUOY 7", "GPRTE,2,2,c,HARBOUR,LOCK",
            "GPWPL,5231.000,N,00501.000,E,LOCK", "GPGGA,120000,5200.000,N,00500.000,E,1,8,1,0,M,,M,,",
            "GPWPL,5222.600,S,00454.000,W,HOME"});
    EXPECT_EQ(c.Refused, 0);
    EXPECT_EQ(Names(c.Collector), (std::vector<std::string>{"HOME", "BUOY 7", "LOCK"}));
    const kv::TNmeaWaypoint *home = c.Collector.FindWaypoint("HOME");
    ASSERT_TRUE(home);
    EXPECT_NEAR(home->LatRad * RadToDeg, -(52 + 22.6 / 60), 1e-9);  // sent again: replaced
    EXPECT_NEAR(home->LonRad * RadToDeg, -(4 + 54.0 / 60), 1e-9);
    ASSERT_EQ(c.Collector.Routes().size(), 1u);
    EXPECT_EQ(c.Collector.Routes()[0].ID, "HARBOUR");
    EXPECT_EQ(c.Collector.Routes()[0].Points, (std::vector<std::string>{"HOME", "BUOY 7", "LOCK"}));
    EXPECT_EQ(c.Collector.RoutePointCount(), 3);
}

TEST(NmeaTransfer, BrokenInputIsRefusedAndLosesNothingElse) {
    struct Case {
        const char *name;
        std::vector<std::string> bodies;
        size_t waypoints, routes;
        int errors;
    };
    const Case cases[] = {
        {"waypoint without name", {"GPWPL,5222.500,N,00454.000,E,"}, 0, 0, 1},
        {"waypoint without position", {"GPWPL,,,,,EMPTY"}, 0, 0, 1},
        {"waypoint latitude 95", {"GPWPL,9500.000,N,00454.000,E,FAR"}, 0, 0, 1},
        {"route message lost",
         {"GPRTE,3,1,c,R1,A,B", "GPRTE,3,3,c,R1,E,F", "GPRTE,1,1,c,R2,X"}, 0, 1, 1},
        {"route never completed, next one starts",
         {"GPRTE,2,1,c,R1,A,B", "GPRTE,1,1,w,R2,X,Y"}, 0, 1, 1},
        {"message number above total", {"GPRTE,1,2,c,R1,A"}, 0, 0, 1},
        {"letters in message count", {"GPRTE,x,1,c,R1,A"}, 0, 0, 1},
        {"route sent twice keeps the newer",
         {"GPRTE,1,1,c,R1,A,B", "GPRTE,1,1,c,R1,C"}, 0, 1, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TCollect t;
        t.Feed({"GPWPL,5000.000,N,00400.000,E,KEEP"});
        t.Feed(c.bodies);
        EXPECT_EQ(t.Collector.Waypoints().size(), c.waypoints + 1);
        EXPECT_EQ(t.Collector.Routes().size(), c.routes);
        EXPECT_EQ(t.Collector.Errors(), c.errors);
        EXPECT_TRUE(t.Collector.FindWaypoint("KEEP"));
    }
    TCollect twice;
    twice.Feed({"GPRTE,1,1,c,R1,A,B", "GPRTE,1,1,c,R1,C"});
    ASSERT_EQ(twice.Collector.Routes().size(), 1u);
    EXPECT_EQ(twice.Collector.Routes()[0].Points, std::vector<std::string>{"C"});
}
