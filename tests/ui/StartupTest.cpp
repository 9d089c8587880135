#include "MainWindowFixture.h"

#include "ui/qt/JpegImage.h"
#include "ui/qt/MessageListener.h"
#include "ui/qt/QtNotifier.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QImage>
#include <QSignalSpy>
#include <QTcpSocket>

#include <cstdio>
#include <jpeglib.h>
#include <vector>

#include <set>

using namespace titralab;
using namespace titralab::testing;

namespace {

QRect bounds(const MainWindow& w) {
    return QRect(w.x(), w.y(), w.width(), w.height());
}

// ---- Saved placement ----------------------------------------------------------------------

TEST(Placement, FirstRunOpensAtTheDefaults) {
    TemporarySettings settings;
    MainWindowFixture w;
    w.window->show();
    EXPECT_EQ(bounds(*w.window), QRect(196, 107, 595, 479));
}

TEST(Placement, MaximizedExitWritesOnlyTheStateAndTheNextRunOpensNormal) {
    TemporarySettings settings;
    {
        MainWindowFixture w;
        w.window->show();
        w.window->move(40, 50);
        w.window->resize(700, 520);
        w.window->saveSettings();
    }
    {
        MainWindowFixture w;
        w.window->show();
        EXPECT_EQ(bounds(*w.window), QRect(40, 50, 700, 520));
        w.window->showMaximized();
        QTest::qWait(50);
        ASSERT_TRUE(w.window->isMaximized());
        w.window->saveSettings();
    }
    QSettings stored = settings.open();
    EXPECT_EQ(stored.value("etatFenetre").toInt(), 2);
    EXPECT_EQ(stored.value("gauche").toInt(), 40);
    EXPECT_EQ(stored.value("hauteur").toInt(), 520);
    MainWindowFixture next;
    next.window->show();
    EXPECT_FALSE(next.window->isMaximized());
    EXPECT_EQ(bounds(*next.window), QRect(40, 50, 700, 520));
}

TEST(Placement, UnreadableOrLostValuesFallBackToTheDefaults) {
    struct Case {
        const char* label;
        QVariant left, top;
        QRect expected;
    } cases[] = {
        {"words", "gauche", "haut", QRect(196, 107, 595, 479)},
        {"only left readable", 30, "x", QRect(30, 107, 595, 479)},
        {"off every screen", 100000, 20, QRect(196, 107, 595, 479)},
    };
    for (const Case& c : cases) {
        TemporarySettings settings;
        {
            QSettings s = settings.open();
            s.setValue("gauche", c.left);
            s.setValue("haut", c.top);
        }
        MainWindowFixture w;
        w.window->show();
        EXPECT_EQ(bounds(*w.window), c.expected) << c.label;
    }
}

// ---- Background picture ---------------------------------------------------------------------

TEST(Background, TheFirstExistingCandidateIsShown) {
    const QString shipped = QString::fromStdString(builtPaths().picturesFolder) + "/Fond.jpg";
    ASSERT_TRUE(QFile::exists(shipped));
    QImage bitmap(8, 8, QImage::Format_RGB888);
    bitmap.fill(Qt::red);
    struct Case {
        const char* label;
        std::set<QString> present;
        QString expected; // empty: plain background
    } cases[] = {
        {"both JPEG", {"Fond.jpg", "BackGrnd.jpg"}, "Fond.jpg"},
        {"Fond.bmp and BackGrnd.jpg", {"Fond.bmp", "BackGrnd.jpg"}, "BackGrnd.jpg"},
        {"bitmap only", {"BackGrnd.bmp"}, "BackGrnd.bmp"},
        {"none", {}, ""},
        {"first one corrupt", {"broken:Fond.jpg", "BackGrnd.jpg"}, ""},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        system::Paths paths = builtPaths();
        paths.picturesFolder = dir.path().toStdString();
        const char* names[4] = {"Fond.jpg", "BackGrnd.jpg", "Fond.bmp", "BackGrnd.bmp"};
        for (int k = 0; k < 4; ++k)
            paths.backgroundCandidates[k] = (dir.path() + "/" + names[k]).toStdString();
        for (QString name : c.present) {
            const bool broken = name.startsWith("broken:");
            name.remove("broken:");
            const QString file = dir.filePath(name);
            if (broken) {
                QFile f(file);
                ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                f.write("not a picture");
            } else if (name.endsWith(".jpg")) {
                ASSERT_TRUE(QFile::copy(shipped, file));
            } else {
                ASSERT_TRUE(bitmap.save(file, "BMP"));
            }
        }
        MainWindowFixture w(paths);
        w.window->show();
        EXPECT_EQ(w.window->backgroundFile(), c.expected.isEmpty() ? "" : dir.filePath(c.expected))
            << c.label;
    }
}

TEST(JpegImage, DecodesWithLibjpegAndRefusesWhatIsNoJpeg) {
    const QString shipped = QString::fromStdString(builtPaths().picturesFolder) + "/Fond.jpg";
    const QImage image = loadJpeg(shipped);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(600, 480));
    // The soft blue-grey gradient: light, bluish, darker at the bottom than at the top.
    const QColor top = image.pixelColor(20, 5), bottom = image.pixelColor(20, 470);
    EXPECT_GT(top.lightness(), 230);
    EXPECT_GT(top.lightness(), bottom.lightness());
    EXPECT_GT(bottom.blue(), bottom.red());

    QTemporaryDir dir;
    QFile original(shipped);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();
    auto write = [&](const char* name, const QByteArray& content) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return dir.filePath(name);
    };
    struct Case {
        const char* label;
        QString path;
        bool decodes;
    } cases[] = {
        {"missing file", dir.filePath("absent.jpg"), false},
        {"empty file", write("empty.jpg", {}), false},
        {"text", write("text.jpg", "Bonjour"), false},
        {"header only", write("header.jpg", bytes.left(20)), false},
        {"truncated data", write("cut.jpg", bytes.left(bytes.size() / 2)), true},
    };
    for (const Case& c : cases) EXPECT_EQ(!loadJpeg(c.path).isNull(), c.decodes) << c.label;
}

// Writes a small JPEG of one colour with libjpeg, in the given colour space.
void writeJpeg(const QString& path, J_COLOR_SPACE space, std::vector<JSAMPLE> pixel) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_stdio_dest(&info, file);
    info.image_width = 16;
    info.image_height = 8;
    info.input_components = static_cast<int>(pixel.size());
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, space);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row;
    for (int x = 0; x < 16; ++x) row.insert(row.end(), pixel.begin(), pixel.end());
    while (info.next_scanline < info.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&info, &r, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

TEST(JpegImage, GreyAndCmykPicturesComeOutInRgb) {
    QTemporaryDir dir;
    struct Case {
        const char* label;
        J_COLOR_SPACE space;
        std::vector<JSAMPLE> pixel;
        QColor expected;
    } cases[] = {
        {"grey", JCS_GRAYSCALE, {128}, QColor(128, 128, 128)},
        {"RGB", JCS_RGB, {20, 120, 220}, QColor(20, 120, 220)},
        // Adobe CMYK, inks stored inverted: no cyan, full magenta and yellow, no black.
        {"CMYK red", JCS_CMYK, {255, 0, 0, 255}, QColor(255, 0, 0)},
        {"CMYK grey", JCS_CMYK, {255, 255, 255, 128}, QColor(128, 128, 128)},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QString(c.label) + ".jpg");
        writeJpeg(path, c.space, c.pixel);
        const QImage image = loadJpeg(path);
        ASSERT_FALSE(image.isNull()) << c.label;
        EXPECT_EQ(image.size(), QSize(16, 8)) << c.label;
        const QColor got = image.pixelColor(8, 4);
        const int tolerance = 4; // JPEG is lossy
        EXPECT_NEAR(got.red(), c.expected.red(), tolerance) << c.label;
        EXPECT_NEAR(got.green(), c.expected.green(), tolerance) << c.label;
        EXPECT_NEAR(got.blue(), c.expected.blue(), tolerance) << c.label;
    }
}

// ---- Message boxes ----------------------------------------------------------------------------

TEST(QtNotifier, CarriageReturnsBecomeLineFeeds) {
    struct Case {
        std::string in, out;
    } cases[] = {{"a\rb", "a\nb"}, {"a\r\nb", "a\nb"}, {"a\r\r", "a\n\n"}, {"ab", "ab"}};
    for (const Case& c : cases) EXPECT_EQ(displayLineBreaks(c.in), c.out);
}

// ---- Message listener ------------------------------------------------------------------------

struct Listening {
    MessageListener listener;
    Listening(int idleMs = 10000) {
        listener.setIdleTimeout(idleMs);
        EXPECT_TRUE(listener.start(0));
    }
    std::unique_ptr<QTcpSocket> connect() {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QHostAddress::LocalHost, listener.port());
        EXPECT_TRUE(socket->waitForConnected(2000));
        return socket;
    }
};

// Sends bytes and collects what comes back until `expected` bytes or a close.
QByteArray exchange(QTcpSocket& socket, const QByteArray& bytes, int expected, int waitMs = 2000) {
    socket.write(bytes);
    QByteArray answer;
    QElapsedTimer clock;
    clock.start();
    while (answer.size() < expected && clock.elapsed() < waitMs &&
           socket.state() == QAbstractSocket::ConnectedState) {
        QTest::qWait(10);
        answer += socket.readAll();
    }
    return answer;
}

bool closedWithin(QTcpSocket& socket, int waitMs) {
    QElapsedTimer clock;
    clock.start();
    while (socket.state() == QAbstractSocket::ConnectedState && clock.elapsed() < waitMs)
        QTest::qWait(10);
    return socket.state() != QAbstractSocket::ConnectedState;
}

const QByteArray kOk = "OK              ";

TEST(MessageListener, AnswersWellFormedMessagesAndDropsMalformedOnes) {
    Listening l;
    QSignalSpy received(&l.listener, &MessageListener::messageReceived);
    {
        auto s = l.connect();
        EXPECT_EQ(exchange(*s, "0005Guide0007bonjour", 16), kOk);
        ASSERT_EQ(received.count(), 1);
        EXPECT_EQ(received[0][0].toString(), "Guide");
        EXPECT_EQ(received[0][1].toString(), "bonjour");
        // Two messages in one write, on the same connection.
        EXPECT_EQ(exchange(*s,
                           "0001a0000"
                           "0001b0002hi",
                           32),
                  kOk + kOk);
        EXPECT_EQ(received.count(), 3);
    }
    for (const char* bad : {"00x5Guide", "-001", "12 4abcd", "0003abc+002hi"}) {
        auto s = l.connect();
        s->write(bad);
        EXPECT_TRUE(closedWithin(*s, 2000)) << bad;
        EXPECT_TRUE(s->readAll().isEmpty()) << bad;
    }
    auto after = l.connect();
    EXPECT_EQ(exchange(*after,
                       "0000"
                       "0002ok",
                       16),
              kOk);
}

TEST(MessageListener, DropsSilentClientsAndKeepsServing) {
    Listening l(300);
    auto truncated = l.connect();
    truncated->write("0005Gui");
    auto silent = l.connect();
    EXPECT_FALSE(closedWithin(*truncated, 100));
    EXPECT_TRUE(closedWithin(*truncated, 2000));
    EXPECT_TRUE(closedWithin(*silent, 2000));
    QTest::qWait(50);
    EXPECT_EQ(l.listener.connectionCount(), 0);
    auto next = l.connect();
    EXPECT_EQ(exchange(*next, "0001x0001y", 16), kOk);
}

TEST(MessageListener, RefusesConnectionsBeyondSixteen) {
    Listening l;
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    for (int k = 0; k < MessageListener::kMaxConnections; ++k) clients.push_back(l.connect());
    QTest::qWait(100);
    EXPECT_EQ(l.listener.connectionCount(), MessageListener::kMaxConnections);
    auto extra = l.connect();
    EXPECT_TRUE(closedWithin(*extra, 2000));
    EXPECT_EQ(exchange(*clients.back(), "0001x0001y", 16), kOk);
    clients.pop_back();
    QTest::qWait(100);
    auto again = l.connect();
    EXPECT_EQ(exchange(*again, "0001x0001y", 16), kOk);
}

TEST(MessageListener, ATakenPortIsReported) {
    Listening first;
    MessageListener second;
    EXPECT_FALSE(second.start(first.listener.port()));
}

} // namespace

namespace {

TEST(MessageBoxes, AreTitledWithWhatTheyReportAndTheWindowItConcerns) {
    QWidget graph;
    graph.setWindowTitle(QString::fromUtf8("Dosage d'un monoacide"));
    QWidget untitled;
    const QWidget* child = new QWidget(&graph);
    struct Case {
        const char* label;
        const QWidget* owner;
        bool error;
        QString title;
    } cases[] = {
        {"an error of a window", &graph, true, QString::fromUtf8("Erreur — Dosage d'un monoacide")},
        {"from a control of it", child, false,
         QString::fromUtf8("Message — Dosage d'un monoacide")},
        {"a window without title", &untitled, true,
         QString::fromUtf8("Erreur — ") + QApplication::applicationName()},
        {"no window", nullptr, true,
         QString::fromUtf8("Erreur — ") + QApplication::applicationName()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(titralab::messageBoxTitle(c.owner, c.error), c.title) << c.label;
}

} // namespace
