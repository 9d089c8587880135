// The message server of the main window: accepts framed messages on a loopback TCP port,
// answers each one, and does nothing else with them. It works on the system's sockets under
// Qt's socket notifiers: the program starts without Qt's network library and the proxy,
// Kerberos and compression libraries that it loads.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace titralab {

class MessageListener : public QObject {
    Q_OBJECT
  public:
    static constexpr quint16 kPort = 6711;
    static constexpr int kMaxConnections = 16;
    static constexpr int kBacklog = 50; // connections the system holds until they are accepted
    static constexpr int kIdleTimeoutMs = 10'000; // a client silent this long is dropped
    static constexpr qint64 kReadChunk = 4096;    // bytes handed to the frame reader at a time
    static constexpr int kChunksPerWake = 16;     // then the event loop runs again
    static constexpr qint64 kMaxUnsentBytes = 64 * 1024; // answers the client leaves unread

    explicit MessageListener(QObject* parent = nullptr);
    ~MessageListener() override;

    // Listens on 127.0.0.1 at `port` (0: any free port); false when the port is taken.
    bool start(quint16 port = kPort);
    quint16 port() const { return m_port; }
    int connectionCount() const { return static_cast<int>(m_clients.size()); }
    void setIdleTimeout(int milliseconds) { m_idleTimeoutMs = milliseconds; }

  signals:
    // A complete message (the sender's name and the text). Nothing in the program listens.
    void messageReceived(const QString& from, const QString& message);

  private:
    struct Client;
    void accept();
    void read(int socket);
    void flush(int socket);
    void drop(int socket);

    int m_server{-1}; // the listening socket
    QSocketNotifier* m_accepting{nullptr};
    quint16 m_port{0};
    QHash<int, Client*> m_clients; // by socket
    int m_idleTimeoutMs{kIdleTimeoutMs};
};

} // namespace titralab
