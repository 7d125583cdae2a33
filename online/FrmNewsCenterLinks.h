// The news centre's page links and read messages without a window: which action a clicked
// address asks for, and the set of message numbers the user has opened, kept under
// "Desktop\NewsCenter\MsgRead" (one value per number, with an empty text). GUI thread.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

enum class TNewsLink {
    External,  // http(s): the user's browser
    Cancel,    // a word without a handler: nothing happens, nothing is navigated
    AutoUpdateSize,
    ChartBaZUpdate,
    ChartUpdate,
    CovbiencUpdate,
    MRCManagerUpdate,
    HelpUpdate,
    ProgramUpdate,
    S57Update,
    UserUpdate,
    WWNetworkUpdate,
    WWNetworkImageUpdate,
};

// The first word of the table found in the lower-cased address decides.
TNewsLink NewsLinkRoute(const QString &url);

class TNewsReadSet {
public:
    bool Contains(int32_t number) const { return FNumbers.contains(QString::number(number)); }
    void Add(int32_t number) { FNumbers.insert(QString::number(number)); }
    QStringList Numbers() const;
    void Load();
    // Writes every number; an error of the settings store is raised.
    void Save() const;

private:
    QSet<QString> FNumbers;
};
