// The mail sender: hands a message with attachments to the desktop's mail client, whose
// compose window opens so that the user adds the recipients and sends it. On this platform
// the hand-over is the desktop's "xdg-email" command. GUI thread.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class TMAPIMail {
public:
    // Results of Send: 0 handed over; otherwise the command's exit code (1 bad arguments,
    // 2 a file is missing, 3 no mail client, 4 the action failed, 5 no permission) or
    // NotFound when the command itself cannot be run.
    static constexpr int NotFound = -1;

    QString Subject;
    QStringList Body;         // joined with line breaks
    QStringList Attachments;  // full file names, attached in this order
    bool ShowDialog = true;   // the compose window always opens here

    // Runs program with arguments and returns its exit code (NotFound when it could not be
    // started). Tests replace it; returns the previous runner.
    using TRunner = std::function<int(const QString &program, const QStringList &arguments)>;
    static TRunner SetRunner(TRunner runner);

    // The arguments Send passes: subject, body, then one "--attach" per file.
    QStringList Arguments() const;
    int Send() const;
    // A clear English text for each result.
    static QString ErrorText(int result);
};
