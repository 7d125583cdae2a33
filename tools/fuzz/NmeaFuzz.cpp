// libFuzzer entry for the NMEA decoder: the input goes through the sentence splitter in two
// cuts (so sentences are also split across calls), then once more as a single sentence.
#include "devices/NmeaParser.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const char *text = reinterpret_cast<const char *>(data);
    kv::TNmeaParser parser;
    parser.SetClockSink({[](TDateTime) {}, [](double) {}});
    parser.SetSentenceHook([](const kv::TNmeaSentence &s) {
        for (int i = 0; i < s.FieldCount; ++i) (void)s.Field(i).size();
    });
    const size_t cut = size == 0 ? 0 : size_t(data[0]) % (size + 1);
    parser.Feed(text, cut);
    parser.Feed(text + cut, size - cut);
    parser.ParseSentence(std::string_view(text, size));
    // Whatever came in, the state holds only values a receiver can mean.
    const kv::TNmeaNavState &s = parser.State();
    constexpr double HalfPi = 1.5707963267948966, Pi = 3.141592653589793;
    if (s.PositionValid && !(std::fabs(s.LatRad) <= HalfPi && std::fabs(s.LonRad) <= Pi))
        __builtin_trap();
    if (s.FixCount > parser.Stats().Count(kv::TNmeaResult::Applied)) __builtin_trap();
    for (double angle : {s.COGTrueDeg, s.HeadingTrueDeg, s.HeadingMagDeg, s.WindAngleDeg})
        if (kv::NmeaKnown(angle) && !(angle >= 0.0 && angle < 360.0)) __builtin_trap();
    if (kv::NmeaKnown(s.SOGKn) && s.SOGKn < 0.0) __builtin_trap();
    return 0;
}
