#include "ui/qt/MessageListener.h"

#include "core/system/MessageFrame.h"

#include <QSocketNotifier>
#include <QTimer>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

namespace titralab {

struct MessageListener::Client {
    MessageFrameReader reader;
    std::string unsent; // answers the client has not taken yet
    // Children of the listener, deleted when the client is dropped.
    QSocketNotifier* readable{nullptr};
    QSocketNotifier* writable{nullptr}; // on while answers wait
    QTimer* idle{nullptr};
};

MessageListener::MessageListener(QObject* parent) : QObject(parent) {}

MessageListener::~MessageListener() {
    for (int socket : m_clients.keys()) drop(socket);
    if (m_server >= 0) ::close(m_server);
}

bool MessageListener::start(quint16 port) {
    if (m_server >= 0) return false; // listening already
    const int server = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (server < 0) return false;
    // A port left in TIME_WAIT by the previous run is free to take again.
    const int reuse = 1;
    ::setsockopt(server, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(server, kBacklog) != 0 ||
        ::getsockname(server, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(server);
        return false;
    }
    m_server = server;
    m_port = ntohs(address.sin_port);
    m_accepting = new QSocketNotifier(server, QSocketNotifier::Read, this);
    connect(m_accepting, &QSocketNotifier::activated, this, &MessageListener::accept);
    return true;
}

void MessageListener::accept() {
    for (;;) {
        const int socket = ::accept4(m_server, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (socket < 0) return; // none left (or a connection reset before it was taken)
        if (m_clients.size() >= kMaxConnections) {
            ::close(socket);
            continue;
        }
        auto* client = new Client;
        m_clients.insert(socket, client);
        client->idle = new QTimer(this);
        client->idle->setSingleShot(true);
        client->idle->setInterval(m_idleTimeoutMs);
        connect(client->idle, &QTimer::timeout, this, [this, socket] { drop(socket); });
        client->readable = new QSocketNotifier(socket, QSocketNotifier::Read, this);
        connect(client->readable, &QSocketNotifier::activated, this,
                [this, socket] { read(socket); });
        client->writable = new QSocketNotifier(socket, QSocketNotifier::Write, this);
        client->writable->setEnabled(false);
        connect(client->writable, &QSocketNotifier::activated, this,
                [this, socket] { flush(socket); });
        client->idle->start();
    }
}

void MessageListener::read(int socket) {
    Client* client = m_clients.value(socket);
    if (!client) return;
    client->idle->start();
    char bytes[kReadChunk];
    for (int chunk = 0; chunk < kChunksPerWake; ++chunk) {
        const ssize_t n = ::recv(socket, bytes, sizeof bytes, 0);
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
        if (n <= 0) { // the client hung up, or the connection failed
            drop(socket);
            return;
        }
        auto status = client->reader.feed(std::string_view(bytes, static_cast<std::size_t>(n)));
        // One chunk may end a message and start the next: answer each complete one.
        while (status == MessageFrameReader::Status::Complete) {
            client->unsent.append(kMessageAnswer);
            emit messageReceived(QString::fromStdString(client->reader.from()),
                                 QString::fromStdString(client->reader.message()));
            status = client->reader.feed({});
        }
        // A client that sends without reading the answers is not worth a growing buffer.
        if (status == MessageFrameReader::Status::Malformed ||
            static_cast<qint64>(client->unsent.size()) > kMaxUnsentBytes) {
            drop(socket);
            return;
        }
        if (!client->unsent.empty()) {
            flush(socket);
            if (!m_clients.contains(socket)) return;
        }
    }
}

void MessageListener::flush(int socket) {
    Client* client = m_clients.value(socket);
    if (!client) return;
    while (!client->unsent.empty()) {
        const ssize_t n =
            ::send(socket, client->unsent.data(), client->unsent.size(), MSG_NOSIGNAL);
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) break;
        if (n < 0) {
            drop(socket);
            return;
        }
        client->unsent.erase(0, static_cast<std::size_t>(n));
    }
    client->writable->setEnabled(!client->unsent.empty());
}

void MessageListener::drop(int socket) {
    Client* client = m_clients.take(socket);
    if (!client) return;
    client->readable->setEnabled(false);
    client->writable->setEnabled(false);
    client->idle->stop();
    // Deleted once the notifier or timer that called here has returned.
    client->readable->deleteLater();
    client->writable->deleteLater();
    client->idle->deleteLater();
    delete client;
    ::close(socket);
}

} // namespace titralab
