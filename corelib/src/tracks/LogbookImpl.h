// The logbook object and its entry file, shared with the own ship's recording.
#pragma once

#include "KvLibNav6/KvLogbook.h"
#include "KvLibNav6/KvNavBoat.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace kv {

struct TLogbookEntry {
    int32_t Id = 0;  // unique within the file; names the entry's thumbnail "<Id>.png"
    int32_t Kind = 0;
    int32_t Option2 = 0;
    int32_t Option3 = 0;
    bool HasContext = false;  // false: an entry made without the ship's state
    TLogbookContext Context;  // TimeUTC is set even without context
    QString Picture;          // as given; a relative name is taken from the logbook's folder
    QString Text;
};

// Entry file (UTF-8, LF line ends, fields separated by one tab):
//   KvNavLogbook <version>
//   UTCOffset <minutes>
//   Entry <id> <kind> <option2> <option3> <time> <flags> <lat> <lon> <cog> <sog> <heading>
//         <dog> <route distance> <picture> <text>       (one line)
//   End <entry count>
// Texts escape backslash, tab, CR and LF. The end line tells a complete file from one cut
// short at a line boundary.
class TNavLogbook final : public INavLogbook {
public:
    TNavLogbook(QString file, NavObject *owner, ThumbnailProc thumbnail);

    void AddEntry(const TStrWRec &text, const TStrWRec &pictureFile, int32_t entryKind,
                  const TLogbookContext *context, int32_t option2, int32_t option3) override;
    bool IsRecording() override { return FRecording; }
    void Save(INavBoat *boat, int32_t mode, int32_t &err) override;
    void SetUTCOffset(int32_t minutes) override;

    // Reads the entry file; on an error the object holds no entries.
    int32_t Load();
    // The own ship switches recording on and off.
    void SetRecording(bool recording) { FRecording = recording; }

    const std::vector<TLogbookEntry> &Entries() const { return FEntries; }
    int32_t UTCOffset() const { return FUTCOffset; }
    NavObject *Owner() const { return FOwner; }
    // Folder of the entry thumbnails, next to the entry file.
    QString ThumbnailFolder() const;
    QString ThumbnailFile(const TLogbookEntry &e) const;
    QString PicturePath(const TLogbookEntry &e) const;

    // The whole entry file as Save writes it.
    QByteArray Serialize() const;
    // Parses an entry file; 0, BadFormat or BadVersion.
    static int32_t Parse(const QByteArray &data, std::vector<TLogbookEntry> &entries,
                         int32_t &utcOffset);

private:
    // Makes a missing thumbnail when the picture exists; a missing picture is skipped.
    void MakeThumbnail(const TLogbookEntry &e);

    QString FFile;
    NavObject *FOwner;  // the own ship; never released here
    ThumbnailProc FThumbnail;
    std::vector<TLogbookEntry> FEntries;
    int32_t FUTCOffset = 0;
    int32_t FNextId = 1;
    bool FRecording = false;
};

inline constexpr int32_t LogbookVersion = 1;
inline constexpr int32_t LogbookThumbnailWidth = 200;
inline constexpr int32_t LogbookThumbnailHeight = 200;

}  // namespace kv
