#include "platform/instancechannel.h"
#include "platform/singleinstance.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <utility>

namespace {

const std::string name = "Orrintest";
constexpr char kLockName[] = "OrrinLockTest";

// A file standing where the lock file goes, opened; closed and removed however
// the test ends, so that a failed run leaves nothing to break the next one.
struct PlantedFile {
    explicit PlantedFile(std::string where)
        : path(std::move(where)),
          fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666))
    {}
    ~PlantedFile()
    {
        if (fd >= 0)
            ::close(fd);
        ::unlink(path.c_str());
    }
    PlantedFile(const PlantedFile&) = delete;
    PlantedFile& operator=(const PlantedFile&) = delete;

    std::string path;
    int fd;
};

// A socket bound to the channel's path (listening when backlog >= 0), or connected to it.
int socketAt(bool bind, int backlog = -1)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, InstanceChannel::socketPath(name).c_str(), sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | (bind ? 0 : SOCK_NONBLOCK), 0);
    const auto* where = reinterpret_cast<const sockaddr*>(&address);
    if (bind ? ::bind(fd, where, sizeof address) != 0 || (backlog >= 0 && ::listen(fd, backlog) != 0)
             : ::connect(fd, where, sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

class InstanceChannelTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        qunsetenv("TMPDIR");  // not inside the last case's directory
        m_dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_RUNTIME_DIR", m_dir->path().toUtf8());
    }

    void lockIsFreeAfterHolderEnds()
    {
        {
            SingleInstanceLock first(kLockName);
            QVERIFY(first.tryLock());
        }
        SingleInstanceLock next(kLockName);
        QVERIFY(next.tryLock());
    }

    void lockFilePlantedByAnotherUserIsIgnored()
    {
        const PlantedFile planted(SingleInstanceLock(kLockName).lockFilePath());
        QVERIFY(planted.fd >= 0);
        const uid_t otherUser = ::getuid() == 0 ? 65534 : 0;
        if (::fchown(planted.fd, otherUser, static_cast<gid_t>(-1)) != 0)
            QSKIP("changing a file's owner needs root");
        QCOMPARE(::flock(planted.fd, LOCK_EX | LOCK_NB), 0);

        SingleInstanceLock mine(kLockName);
        QVERIFY(mine.tryLock());
    }

    void onlyShowIsAnswered_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<int>("shown");
        QTest::newRow("show") << QByteArray("show") << 1;
        QTest::newRow("other_word") << QByteArray("hide") << 0;
        QTest::newRow("with_newline") << QByteArray("show\n") << 0;
        QTest::newRow("twice") << QByteArray("showshow") << 0;
        QTest::newRow("nothing") << QByteArray() << 0;
        QTest::newRow("long") << QByteArray(4096, 's') << 0;
    }

    void onlyShowIsAnswered()
    {
        QFETCH(QByteArray, request);
        QFETCH(int, shown);
        ::close(socketAt(true));  // left behind by a crashed run
        InstanceChannel channel(name);
        QVERIFY(channel.listen());
        QSignalSpy spy(&channel, &InstanceChannel::showRequested);
        const int fd = socketAt(false);
        QCOMPARE(::send(fd, request.constData(), request.size(), MSG_NOSIGNAL), request.size());
        ::shutdown(fd, SHUT_WR);
        char byte;
        QTRY_COMPARE(::recv(fd, &byte, 1, MSG_DONTWAIT), 0);  // the channel has closed it
        ::close(fd);
        QCOMPARE(spy.count(), shown);
        QVERIFY(InstanceChannel::requestShow(name));  // and still answers
        QTRY_COMPARE(spy.count(), shown + 1);
    }

    void requestGivesUp()
    {
        QVERIFY(!InstanceChannel::requestShow(name));  // nobody listens
        // A program that no longer accepts: its backlog fills up.
        const int server = socketAt(true, 0);
        std::vector<int> waiting;
        for (int fd; (fd = socketAt(false)) >= 0;)
            waiting.push_back(fd);
        QVERIFY(!InstanceChannel::requestShow(name, std::chrono::milliseconds(50)));
        for (int fd : waiting)
            ::close(fd);
        ::close(server);
    }

    void sharedTemporaryDirectory_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::addColumn<bool>("usable");
        QTest::newRow("absent") << QString() << true;
        QTest::newRow("own_private_dir") << QStringLiteral("0700") << true;
        QTest::newRow("open_to_others") << QStringLiteral("0777") << false;
        QTest::newRow("link_to_elsewhere") << QStringLiteral("link") << false;
        QTest::newRow("plain_file") << QStringLiteral("file") << false;
    }

    void sharedTemporaryDirectory()
    {
        QFETCH(QString, planted);
        QFETCH(bool, usable);
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", m_dir->path().toUtf8());
        const QByteArray where = m_dir->filePath(QStringLiteral("Orrintest-%1").arg(::getuid())).toLocal8Bit();
        if (planted.startsWith(QLatin1Char('0')))
            QVERIFY(::mkdir(where, 0700) == 0 && ::chmod(where, planted.toUInt(nullptr, 8)) == 0);
        else if (planted == QLatin1String("link"))
            QVERIFY(::symlink(m_dir->path().toLocal8Bit(), where) == 0);
        else if (planted == QLatin1String("file"))
            QVERIFY(QFile(QString::fromLocal8Bit(where)).open(QIODevice::WriteOnly));
        InstanceChannel channel(name);
        QCOMPARE(channel.listen(), usable);
        QCOMPARE(InstanceChannel::requestShow(name), usable);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(InstanceChannelTest)
#include "instancechannel_test.moc"
