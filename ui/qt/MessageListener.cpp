#include "ui/qt/MessageListener.h"

#include "core/system/MessageFrame.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace titralab {

struct MessageListener::Client {
    MessageFrameReader reader;
    QTimer* idle{nullptr}; // a child of the socket, deleted with it
};

MessageListener::MessageListener(QObject* parent) : QObject(parent) {
    m_server = new QTcpServer(this);
    m_server->setMaxPendingConnections(kMaxConnections);
    connect(m_server, &QTcpServer::newConnection, this, &MessageListener::accept);
}

MessageListener::~MessageListener() {
    for (Client* c : std::as_const(m_clients)) delete c;
}

bool MessageListener::start(quint16 port) {
    return m_server->listen(QHostAddress::LocalHost, port);
}

quint16 MessageListener::port() const {
    return m_server->serverPort();
}

void MessageListener::accept() {
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        if (m_clients.size() >= kMaxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto* client = new Client;
        m_clients.insert(socket, client);
        client->idle = new QTimer(socket);
        client->idle->setSingleShot(true);
        client->idle->setInterval(m_idleTimeoutMs);
        connect(client->idle, &QTimer::timeout, this, [this, socket] { drop(socket); });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { drop(socket); });
        client->idle->start();
        if (socket->bytesAvailable() > 0) read(socket);
    }
}

void MessageListener::read(QTcpSocket* socket) {
    Client* client = m_clients.value(socket);
    if (!client) return;
    client->idle->start();
    while (socket->bytesAvailable() > 0) {
        const QByteArray bytes = socket->read(kReadChunk);
        auto status = client->reader.feed(std::string_view(bytes.constData(), bytes.size()));
        // One chunk may end a message and start the next: answer each complete one.
        while (status == MessageFrameReader::Status::Complete) {
            socket->write(kMessageAnswer.data(), static_cast<qint64>(kMessageAnswer.size()));
            emit messageReceived(QString::fromStdString(client->reader.from()),
                                 QString::fromStdString(client->reader.message()));
            status = client->reader.feed({});
        }
        // A client that sends without reading the answers is not worth a growing buffer.
        if (status == MessageFrameReader::Status::Malformed ||
            socket->bytesToWrite() > kMaxUnsentBytes) {
            drop(socket);
            return;
        }
    }
}

void MessageListener::drop(QTcpSocket* socket) {
    Client* client = m_clients.take(socket);
    if (!client) return;
    client->idle->stop();
    delete client;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

} // namespace titralab
