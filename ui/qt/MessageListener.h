// The message server of the main window: accepts framed messages on a loopback TCP port,
// answers each one, and does nothing else with them.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QTcpServer;
class QTcpSocket;

namespace titralab {

class MessageListener : public QObject {
    Q_OBJECT
  public:
    static constexpr quint16 kPort = 6711;
    static constexpr int kMaxConnections = 16;
    static constexpr int kIdleTimeoutMs = 10'000; // a client silent this long is dropped
    static constexpr qint64 kReadChunk = 4096;    // bytes handed to the frame reader at a time
    static constexpr qint64 kMaxUnsentBytes = 64 * 1024; // answers the client leaves unread

    explicit MessageListener(QObject* parent = nullptr);
    ~MessageListener() override;

    // Listens on 127.0.0.1 at `port` (0: any free port); false when the port is taken.
    bool start(quint16 port = kPort);
    quint16 port() const;
    int connectionCount() const { return static_cast<int>(m_clients.size()); }
    void setIdleTimeout(int milliseconds) { m_idleTimeoutMs = milliseconds; }

  signals:
    // A complete message (the sender's name and the text). Nothing in the program listens.
    void messageReceived(const QString& from, const QString& message);

  private:
    struct Client;
    void accept();
    void read(QTcpSocket* socket);
    void drop(QTcpSocket* socket);

    QTcpServer* m_server{nullptr};
    QHash<QTcpSocket*, Client*> m_clients;
    int m_idleTimeoutMs{kIdleTimeoutMs};
};

} // namespace titralab
