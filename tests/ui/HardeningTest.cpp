// Outside input that nobody controls: garbage in the settings store, and clients of the
// message listener that misbehave in numbers.
#include "MainWindowFixture.h"

#include "ui/qt/MessageListener.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpSocket>

#include <algorithm>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace titralab;
using namespace titralab::testing;

namespace {

TEST(SettingsGarbage, StartsTheWindowAtTheDefaults) {
    const QRect defaults(196, 107, 595, 479);
    struct Case {
        const char* label;
        QVariant left, top, width, height;
        QRect expected;
    } cases[] = {
        {"texts", "gauche", "haut", "large", "haute", defaults},
        {"negative sizes", 10, 10, -595, -479, QRect(10, 10, 595, 479)},
        {"huge values", "99999999999999999999", 2147483647, 2147483647, 2147483647, defaults},
        {"far off to the left and up", -2000000, -2000000, 595, 479, defaults},
        {"empty texts", "", "", "", "", defaults},
        {"binary", QByteArray("\x01\x02\xff", 3), QByteArray(1, '\0'), 1e300, -1e300, defaults},
    };
    for (const Case& c : cases) {
        TemporarySettings settings;
        {
            QSettings s = settings.open();
            s.setValue("gauche", c.left);
            s.setValue("haut", c.top);
            s.setValue("largeur", c.width);
            s.setValue("hauteur", c.height);
        }
        MainWindowFixture w;
        EXPECT_EQ(QRect(w.window->x(), w.window->y(), w.window->width(), w.window->height()),
                  c.expected)
            << c.label;
    }
}

// Resident memory of this process, kilobytes (Linux).
long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

struct Server {
    MessageListener listener;
    explicit Server(int idleMs) {
        listener.setIdleTimeout(idleMs);
        EXPECT_TRUE(listener.start(0));
    }
    std::unique_ptr<QTcpSocket> connect() const {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QHostAddress::LocalHost, listener.port());
        socket->waitForConnected(2000);
        return socket;
    }
    // Sends a well-formed message and returns the answer.
    QByteArray ask() const {
        auto socket = connect();
        socket->write("0004test0005hello");
        QByteArray answer;
        QElapsedTimer clock;
        clock.start();
        while (answer.size() < 16 && clock.elapsed() < 3000) {
            QTest::qWait(5);
            answer += socket->readAll();
        }
        return answer;
    }
};

bool waitUntil(const std::function<bool()>& condition, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < ms) QTest::qWait(5);
    return condition();
}

const QByteArray kOk = "OK              ";

TEST(ListenerSoak, AThousandMalformedConnectionsLeaveItServing) {
    Server server(2000);
    const QByteArray malformed[] = {
        "abcd", "-001x", "12", "00x4name", "0004na", "9999", QByteArray(64, '\xff'), "    0001"};
    for (int k = 0; k < 1000; ++k) {
        auto socket = server.connect();
        socket->write(malformed[k % std::size(malformed)]);
        socket->flush();
        if (k % 2) socket->disconnectFromHost(); // half of them hang up at once
        if (k % 50 == 0) QTest::qWait(1);
    }
    // Once the storm has drained, a well-formed message is answered.
    EXPECT_TRUE(waitUntil([&] { return server.listener.connectionCount() == 0; }, 5000));
    QTest::qWait(200);
    EXPECT_EQ(server.ask(), kOk);
}

TEST(ListenerSoak, AHundredSlowClientsAreHeldToSixteenAndDropped) {
    Server server(300);
    std::vector<std::unique_ptr<QTcpSocket>> slow;
    for (int k = 0; k < 100; ++k) {
        slow.push_back(std::make_unique<QTcpSocket>());
        slow.back()->connectToHost(QHostAddress::LocalHost, server.listener.port());
        slow.back()->write("00"); // half a length, then silence
    }
    int most = 0;
    for (int k = 0; k < 40; ++k) {
        QTest::qWait(5);
        most = std::max(most, server.listener.connectionCount());
    }
    EXPECT_GT(most, 0);
    EXPECT_LE(most, MessageListener::kMaxConnections);
    // The silent ones are dropped, then a well-formed message is answered.
    EXPECT_TRUE(waitUntil([&] { return server.listener.connectionCount() == 0; }, 5000));
    EXPECT_EQ(server.ask(), kOk);
}

class TenMegabytes : public ::testing::TestWithParam<const char*> {};

// Ten megabytes from one client: either one message that claims 9999 bytes and never stops,
// or well-formed messages whose answers the client never reads.
TEST_P(TenMegabytes, KeepMemoryBoundedAndTheListenerServing) {
    Server server(2000);
    const long before = residentKilobytes();
    auto flood = server.connect();
    const std::string kind = GetParam();
    QByteArray block;
    if (kind == "endless message") {
        flood->write("0005flood9999");
        block = QByteArray(64 * 1024, 'x');
    } else {
        while (block.size() < 64 * 1024) block += "0001a0001b";
    }
    qint64 sent = 0;
    QElapsedTimer clock;
    clock.start();
    while (sent < 10 * 1024 * 1024 && flood->state() == QAbstractSocket::ConnectedState &&
           clock.elapsed() < 20000) {
        if (flood->bytesToWrite() < 1024 * 1024) {
            flood->write(block);
            sent += block.size();
        }
        QTest::qWait(1);
    }
    EXPECT_TRUE(waitUntil([&] { return flood->state() != QAbstractSocket::ConnectedState; }, 5000));
    flood.reset();
    const long grown = residentKilobytes() - before;
    EXPECT_LT(grown, 24 * 1024) << "kB";
    EXPECT_EQ(server.ask(), kOk);
}

INSTANTIATE_TEST_SUITE_P(Floods, TenMegabytes,
                         ::testing::Values("endless message", "answers never read"));

} // namespace
