// Reading a large GPS exchange file on several cores: one XML reader alone is slower than the
// disk, so the root's children are cut into pieces by a byte scan (comments, CDATA and
// processing instructions skipped, attribute values quoted), each piece read by its own
// reader on a worker thread, wrapped in a copy of the file's head up to the root's start tag.
// The records are handed on the calling thread in document order, a few pieces in flight.
// Small files and files that are not UTF-8 are read by one reader. Qt Core only, no
// core-library calls.
#pragma once

#include "exchange/KvGPXParser.h"

#include <QString>
#include <cstdint>
#include <functional>

struct TGPXParallelOptions {
    int Threads = 0;                        // workers; 0: the machine's cores, at most 8
    int64_t MinFileSize = 8 * 1024 * 1024;  // smaller files are read by one reader
    int64_t PieceSize = 4 * 1024 * 1024;    // root children are gathered into pieces this large
};

// Reads file as GPXParse reads it from its start: the same records in the same order and the
// same result. A file that a piece's reader refuses is read again by one reader, which
// hands on only the records not handed on yet, so the error and its line are those of one
// reader; the records handed on before the fault may be more than one reader hands on
// (a caller drops them anyway). progress (may be empty) gets the bytes handed on.
TGPXParseResult GPXParseFile(const QString &file, uint8_t options, const TGPXHandlers &handlers,
                             const std::function<void(int64_t bytesRead)> &progress = {},
                             const TGPXParallelOptions &parallel = {});
