// What the HTTP transport (WebServicesHttp.cpp) shares with its downloads
// (WebServicesDownload.cpp). A download's transfer runs on a thread of its own: reading a
// large reply and writing it to disk on the GUI thread stalls the event loop for as long as
// the disk takes, and the windows stop answering while charts arrive.
#pragma once

#include "online/WebServicesTransport.h"

#include <QByteArray>
#include <QNetworkRequest>

class QNetworkReply;

namespace kv {

// Sets answer.HttpStatus of a finished reply; without a status (no connection, timed out,
// cancelled before the answer) answer.Error := NetworkFailed with the network's text and
// the result is False.
bool ReadReplyStatus(QNetworkReply *reply, TWebAnswer &answer);
inline bool SuccessStatus(const TWebAnswer &answer) {
    return answer.HttpStatus >= 200 && answer.HttpStatus < 300;
}
// Reads the document of a finished reply that came with a status: the result and the
// service's text, or the failure a non-2xx status or an unreadable document stands for.
void ReadDocumentAnswer(QNetworkReply *reply, TWebAnswer &answer);

// Starts the download request (TargetFile set) on a thread of its own. progress and done
// are called on the GUI thread, as IWebTransport::Start promises; progress is coalesced, so
// a busy event loop gets the latest count rather than a queue of them. owner names the
// transport, for StopDownloads.
void StartDownload(const void *owner, const QNetworkRequest &http, const QByteArray &body,
                   const TWebRequest &request, IWebTransport::TProgress progress,
                   IWebTransport::TDone done);
// Cuts every download owner started: each still answers (as failed) through its done.
void StopDownloads(const void *owner);

}  // namespace kv
