// The NMEA monitor's view of a port's byte log: the bytes turned into lines the text pane
// can show. Every byte stays one character (128..255 as Latin-1), so the fixed line width
// holds and a saved pane reads back as the bytes that were shown. Pure logic, any thread.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

class TDataParser {
public:
    // Long runs without a line end are broken after this many characters.
    static constexpr int LineWidth = 126;

    // CR gives a line break, LF right after CR nothing, any other control byte "?".
    void Append(const uint8_t *data, int32_t count);
    // The text after the count-th line feed from the end (all of it when there are fewer).
    QString GetLastLines(int count) const;
    // Everything appended so far, as Latin-1 bytes with CR LF line ends.
    const QByteArray &Bytes() const { return FBuffer; }

private:
    void Put(char c);

    QByteArray FBuffer;
    uint8_t FPrevious = 0;
    int FColumn = 0;
};
