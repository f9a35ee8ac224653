#include "parts_test_support.h"

#include <QDesktopServices>
#include <QHostAddress>
#include <QTcpSocket>

namespace rankminer::testing {

UrlRecorder::UrlRecorder(QStringList schemes) : schemes_(std::move(schemes)) {
    for (const QString& scheme : schemes_) {
        QDesktopServices::setUrlHandler(scheme, this, "open");
    }
}

UrlRecorder::~UrlRecorder() {
    for (const QString& scheme : schemes_) {
        QDesktopServices::unsetUrlHandler(scheme);
    }
}

void UrlRecorder::open(const QUrl& url) {
    urls.append(url);
}

LoopbackHttpServer::LoopbackHttpServer(QByteArray body, QByteArray extraHeaders)
    : body_(std::move(body)), extraHeaders_(std::move(extraHeaders)) {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                pending_.remove(socket);
                socket->deleteLater();
            });
        }
    });
}

QString LoopbackHttpServer::url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:") + QString::number(server_.serverPort()) + path;
}

void LoopbackHttpServer::serve(QTcpSocket* socket) {
    QByteArray& pending = pending_[socket];
    pending += socket->readAll();
    const qsizetype end = pending.indexOf("\r\n\r\n");
    if (end < 0) {
        return;
    }
    requests.append(pending.left(end + 4));
    pending_.remove(socket);
    // The browser's own icon request gets nothing, so that only the page
    // sets cookies.
    const bool icon = requests.back().startsWith("GET /favicon.ico ");
    const QByteArray body = icon ? QByteArray() : body_;
    QByteArray reply =
        icon ? "HTTP/1.1 404 Not Found\r\n"
             : "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n" + extraHeaders_;
    reply += "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n";
    reply += body;
    socket->write(reply);
    socket->disconnectFromHost();
}

RecordingDialogs::RecordingDialogs() {
    sharedSaveDialog() = SaveDialogState{};
    setUserDialogs(this);
}

RecordingDialogs::~RecordingDialogs() {
    setUserDialogs(nullptr);
    sharedSaveDialog() = SaveDialogState{};
}

QString RecordingDialogs::askSavePath(QWidget*, SaveDialogState& state) {
    asked.push_back(state);
    if (saveAnswers.empty()) {
        return {};
    }
    QString answer = saveAnswers.front();
    saveAnswers.pop_front();
    if (!answer.isEmpty()) {
        state.fileName = answer;
    }
    return answer;
}

void RecordingDialogs::showMessage(QWidget*, const QString& text) {
    messages.append(text);
}

}  // namespace rankminer::testing
