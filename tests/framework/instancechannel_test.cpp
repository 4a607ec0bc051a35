#include "framework/instancechannel.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace {

// A client socket connected to `path`, or -1.
int connectTo(const std::string& path, int flags = 0)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | flags, 0);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Whether the far end has closed (a read that would not block finds the end).
bool peerClosed(int fd)
{
    char byte;
    return ::recv(fd, &byte, 1, MSG_DONTWAIT) == 0;
}

}  // namespace

class InstanceChannelTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_RUNTIME_DIR", m_dir->path().toUtf8());
    }

    void showReachesTheListener()
    {
        InstanceChannel channel;
        QVERIFY(channel.listen());
        QSignalSpy shown(&channel, &InstanceChannel::showRequested);
        QVERIFY(InstanceChannel::requestShow());
        QVERIFY(shown.wait());
        QVERIFY(InstanceChannel::requestShow());
        QTRY_COMPARE(shown.count(), 2);
    }

    void otherRequestsAreIgnored_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::newRow("other_word") << QByteArray("hide");
        QTest::newRow("with_newline") << QByteArray("show\n");
        QTest::newRow("cut_short") << QByteArray("sho");
        QTest::newRow("twice") << QByteArray("showshow");
        QTest::newRow("nothing") << QByteArray();
        QTest::newRow("long") << QByteArray(4096, 's');
    }

    void otherRequestsAreIgnored()
    {
        QFETCH(QByteArray, request);
        InstanceChannel channel;
        QVERIFY(channel.listen());
        QSignalSpy shown(&channel, &InstanceChannel::showRequested);
        const int fd = connectTo(InstanceChannel::socketPath());
        QVERIFY(fd >= 0);
        QCOMPARE(::send(fd, request.constData(), request.size(), MSG_NOSIGNAL), request.size());
        ::shutdown(fd, SHUT_WR);
        QTRY_VERIFY(peerClosed(fd));
        ::close(fd);
        QCOMPARE(shown.count(), 0);
        // The channel still answers.
        QVERIFY(InstanceChannel::requestShow());
        QVERIFY(shown.wait());
    }

    void nobodyListening()
    {
        QVERIFY(!InstanceChannel::requestShow());
        {
            InstanceChannel channel;
            QVERIFY(channel.listen());
        }
        QVERIFY(!InstanceChannel::requestShow());
    }

    void socketOfACrashedRunIsReplaced()
    {
        const std::string path = InstanceChannel::socketPath();
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QCOMPARE(::bind(stale, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        ::close(stale);

        InstanceChannel channel;
        QVERIFY(channel.listen());
        QSignalSpy shown(&channel, &InstanceChannel::showRequested);
        QVERIFY(InstanceChannel::requestShow());
        QVERIFY(shown.wait());
    }

    void stuckListenerDoesNotHoldTheClient()
    {
        // Listening, never accepting, backlog full: the request gives up.
        const std::string path = InstanceChannel::socketPath();
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QCOMPARE(::bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        QCOMPARE(::listen(server, 0), 0);
        std::vector<int> waiting;
        for (int fd; (fd = connectTo(path, SOCK_NONBLOCK)) >= 0;)
            waiting.push_back(fd);
        QVERIFY(!InstanceChannel::requestShow(std::chrono::milliseconds(50)));
        for (int fd : waiting)
            ::close(fd);
        ::close(server);
    }

    void sharedTemporaryDirectory_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::addColumn<bool>("usable");
        QTest::newRow("absent") << QString() << true;
        QTest::newRow("own_private_dir") << QStringLiteral("dir700") << true;
        QTest::newRow("open_to_others") << QStringLiteral("dir777") << false;
        QTest::newRow("link_to_elsewhere") << QStringLiteral("link") << false;
        QTest::newRow("plain_file") << QStringLiteral("file") << false;
    }

    void sharedTemporaryDirectory()
    {
        QFETCH(QString, planted);
        QFETCH(bool, usable);
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", m_dir->path().toUtf8());
        const QString name = m_dir->filePath(QStringLiteral("Tessel-%1").arg(::getuid()));
        if (planted == QLatin1String("dir700") || planted == QLatin1String("dir777")) {
            QVERIFY(QDir().mkdir(name));
            ::chmod(name.toLocal8Bit().constData(), planted == QLatin1String("dir700") ? 0700 : 0777);
        } else if (planted == QLatin1String("link")) {
            QVERIFY(QDir().mkdir(m_dir->filePath(QStringLiteral("elsewhere"))));
            QVERIFY(QFile::link(m_dir->filePath(QStringLiteral("elsewhere")), name));
        } else if (planted == QLatin1String("file")) {
            QFile file(name);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        InstanceChannel channel;
        QCOMPARE(channel.listen(), usable);
        QCOMPARE(InstanceChannel::requestShow(), usable);
        qunsetenv("TMPDIR");
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(InstanceChannelTest)
#include "instancechannel_test.moc"
