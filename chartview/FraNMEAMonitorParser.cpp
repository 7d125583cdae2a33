#include "chartview/FraNMEAMonitorParser.h"

#include <algorithm>

void TDataParser::Put(char c) {
    if (FBuffer.size() == FBuffer.capacity())
        FBuffer.reserve(std::max<qsizetype>(1024, 2 * FBuffer.size()));
    FBuffer.append(c);
}

void TDataParser::Append(const uint8_t *data, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        const uint8_t b = data[i];
        if (b == 13) {
            Put('\r');
            Put('\n');
            FColumn = 0;
        } else if (b == 10 && FPrevious == 13) {
            // the line break was written with the carriage return
        } else {
            Put(b < 32 ? '?' : char(b));
            ++FColumn;
        }
        if (FColumn >= LineWidth) {
            Put('\r');
            Put('\n');
            FColumn = 0;
        }
        FPrevious = b;
    }
}

QString TDataParser::GetLastLines(int count) const {
    int found = 0;
    for (qsizetype i = FBuffer.size() - 1; i >= 0; --i)
        if (FBuffer.at(i) == '\n' && ++found == count) return QString::fromLatin1(FBuffer.mid(i + 1));
    return QString::fromLatin1(FBuffer);
}
