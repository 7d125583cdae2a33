// The import wizard's last step for track files: copying them into the tracks folder, with
// the duplicate question for each name that is taken.
#include "exchange/FrmImport.h"

#include "base/dialogs/KvMsgBox.h"
#include "base/files/KvFiles.h"
#include "base/kvlib/KvErrors.h"
#include "base/kvlib/KvLib.h"
#include "base/waypoints/KvWaypoints.h"
#include "exchange/FraDataSelectItems.h"
#include "exchange/FrmImportTexts.h"
#include "exchange/FrmMsgDuplicate.h"
#include "shell/MarivoNavEnv.h"

#include <KvLibNav6/KvFiles.h>
#include <KvLibNav6/KvLib.h>

#include <QFileInfo>
#include <memory>

namespace T = ImportText;

namespace {

using TTrackPtr = TNavPtr<INavTrack>;

// Yes to go on with the next file.
bool AskContinue(const TLanguageStrings &text, const QString &file, int32_t err) {
    return MsgBox(DataSelectFormat(LanguageText(text), {file, ErrorToStrA(err)}), mtError,
                  MsgButtons({mbYes, mbNo})) == mrYes;
}

void Copy(const QString &source, const QString &dest, int32_t &err) {
    FileCopyExA(source, dest, KvFileCopyEx::Replace, false, 0x80, 0, 0, 0, err);
}

// Replaces dest only once the copy is whole: a failed copy leaves the existing track as it was.
void CopyOver(const QString &source, const QString &dest, int32_t &err) {
    QString temporary;
    FileCreateUnique(QFileInfo(dest).absolutePath() + u'/', QFileInfo(dest).fileName() + QStringLiteral(".import"),
                     err, temporary);
    if (err != 0) return;
    Copy(source, temporary, err);
    if (err == 0) FileMoveA(temporary, dest, true, err);
    int32_t ignored = 0;
    if (err != 0) FileDeleteA(temporary, ignored);
}

}  // namespace

bool TFormImport::ImportTrackFiles(QString &report) {
    int imported = 0, unreadable = 0, failed = 0;
    bool goOn = true;
    TDuplicateAction remembered = daKeep;
    bool applyAll = false;
    QString folder = Env.TracksFolder;
    if (!folder.endsWith(u'/')) folder += u'/';
    for (const QString &source : TrackFiles) {
        int32_t err = 0;
        TTrackPtr track(NavTrackCreateFromFile(source, err));
        if (err != 0 || !track) {
            ++unreadable;
            if (!AskContinue(T::FailedImport, source, err)) {
                goOn = false;
                break;
            }
            continue;
        }
        QString dest = folder + QFileInfo(source).fileName();
        TDuplicateAction action = daOverwrite;
        if (QFileInfo::exists(dest)) {
            if (applyAll) {
                action = remembered;
            } else {
                int32_t readErr = 0;
                TTrackPtr existing(NavTrackCreateFromFile(dest, readErr));
                // A track that cannot be read may be a damaged or locked file of the skipper's:
                // asked about by name, never replaced without a word.
                const bool answered =
                    readErr == 0 && existing
                        ? TFormMsgDuplicate::Execute(dkTrack, existing.get(), track.get(), &Env, action, applyAll)
                        : TFormMsgDuplicate::ExecuteByName(dkTrack, QFileInfo(dest).fileName(),
                                                           NavTrackGetName(track.get()), &Env, action, applyAll);
                if (!answered) return false;  // cancelled: no report lines
                remembered = action;
            }
            if (action == daKeep) continue;
            if (action == daDuplicate) {
                FileCreateUnique(folder, QFileInfo(source).completeBaseName() + QStringLiteral(".trk"), err, dest);
                if (err != 0) {
                    ++failed;
                    if (!AskContinue(T::FailedCreate, source, err)) {
                        goOn = false;
                        break;
                    }
                    continue;
                }
            }
        }
        if (action == daOverwrite && QFileInfo::exists(dest)) CopyOver(source, dest, err);
        else Copy(source, dest, err);
        if (err == 0) {
            ++imported;
            continue;
        }
        if (action == daDuplicate) {
            // The empty file made for the new name goes again.
            int32_t ignored = 0;
            FileDeleteA(dest, ignored);
        }
        ++failed;
        if (!AskContinue(T::FailedCopy, source, err)) {
            goOn = false;
            break;
        }
    }
    report += QStringLiteral("\r\n ") + LanguageText(T::TracksImported).replace(QStringLiteral("%d"), QString::number(imported));
    if (unreadable > 0)
        report += QStringLiteral("\r\n ") +
                  LanguageText(T::TracksUnreadable).replace(QStringLiteral("%d"), QString::number(unreadable));
    if (failed > 0)
        report += QStringLiteral("\r\n ") +
                  LanguageText(T::TracksNotCopied).replace(QStringLiteral("%d"), QString::number(failed));
    return goOn;
}
