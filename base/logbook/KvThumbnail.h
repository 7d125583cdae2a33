// Picture thumbnails for logbook and backup entries, made when the core library asks.
#pragma once

#include <QString>
#include <cstdint>

// Loads source (".bmp", ".tga", ".jpg", ".jpeg", ".png", ".gif", any case), scales it down
// to fit maxWidth × maxHeight keeping its aspect (never enlarging) and writes target as a
// PNG with alpha. A missing, unknown or damaged picture writes nothing and returns false.
bool MakeThumbnail(const QString &source, const QString &target, int32_t maxWidth,
                   int32_t maxHeight);

// The callback handed to NavLogbookLoadFromFile and NavBackupCreate. One bad picture never
// aborts loading a logbook or backup: nothing escapes into the library.
void ThumbnailCallback(const char16_t *sourceFile, const char16_t *targetFile, int32_t maxWidth,
                       int32_t maxHeight) noexcept;
