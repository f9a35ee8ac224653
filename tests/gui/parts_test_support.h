#pragma once

// Observers for the GUI tests of the window's tools: the desktop's URL
// handler, the user dialogs and the window as a job sees it.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>
#include <deque>
#include <string>
#include <vector>

#include "app/user_dialogs.h"

namespace rankminer::testing {

// Receives every address the program hands to the desktop for the given
// schemes, for as long as it lives.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    explicit UrlRecorder(QStringList schemes = {QStringLiteral("http"), QStringLiteral("https"),
                                                QStringLiteral("file"), QStringLiteral("ftp"),
                                                QStringLiteral("javascript")});
    ~UrlRecorder() override;
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url);

private:
    QStringList schemes_;
};

// A small HTTP server on 127.0.0.1 (a free port) that answers every request
// but the browser's icon request with the same page, and keeps the request
// heads it received.
class LoopbackHttpServer : public QObject {
    Q_OBJECT
public:
    // `extraHeaders`: whole header lines, each ending in "\r\n".
    LoopbackHttpServer(QByteArray body, QByteArray extraHeaders = {});
    QString url(const QString& path) const;
    QList<QByteArray> requests;  // up to and including the blank line

private:
    void serve(QTcpSocket* socket);

    QTcpServer server_;
    QHash<QTcpSocket*, QByteArray> pending_;
    QByteArray body_;
    QByteArray extraHeaders_;
};

// Answers the save dialog from a queue (an empty answer cancels) and records
// every question and message, installed for as long as it lives. The shared
// save dialog state starts afresh.
class RecordingDialogs : public UserDialogs {
public:
    RecordingDialogs();
    ~RecordingDialogs() override;
    QString askSavePath(QWidget* owner, SaveDialogState& state) override;
    void showMessage(QWidget* owner, const QString& text) override;

    std::deque<QString> saveAnswers;
    std::vector<SaveDialogState> asked;  // the state as each question saw it
    QStringList messages;
};

}  // namespace rankminer::testing
