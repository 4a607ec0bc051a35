#include "platform/globalhotkey.h"
#include "platform/hotkeyclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The X11 grab standing in for the portal: it fires only in X11 windows.
class X11OnlyHotKey : public GlobalHotKey {
public:
    X11OnlyHotKey() : GlobalHotKey(nullptr) {}
    void setKey(const QKeySequence& key) override { rememberKey(key); }
    bool worksEverywhere() const override { return false; }
};

}  // namespace

// A Wayland session whose compositor cannot be reached stands for one that
// offers no data-control (mutter).
class TestHotKeyClipboard : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
        qputenv("WAYLAND_DISPLAY", "no-compositor-here");
    }

    void noRouteTellsOnceAndReadsNothing()
    {
        int told = 0;
        const auto clipboard = HotKeyClipboard::create(nullptr, [&told] { ++told; });
        QVERIFY(!clipboard->fetch());
        QVERIFY(!clipboard->fetch());
        QCOMPARE(told, 1);
        QVERIFY(!clipboard->mimeData()->hasText());
    }

    void noRouteUsesX11ClipboardForKeyOfX11Windows()
    {
        int told = 0;
        X11OnlyHotKey key;
        const auto clipboard = HotKeyClipboard::create(&key, [&told] { ++told; });
        QGuiApplication::clipboard()->setText(QStringLiteral("6*7"));
        QVERIFY(clipboard->fetch());
        QCOMPARE(clipboard->mimeData()->text(), QStringLiteral("6*7"));
        auto result = std::make_unique<QMimeData>();
        result->setText(QStringLiteral("42"));
        clipboard->write(std::move(result));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("42"));
        QCOMPARE(told, 0);
    }

private:
    QTemporaryDir m_runtime;
};

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TestHotKeyClipboard test;
    return QTest::qExec(&test, argc, argv);
}

#include "hotkeyclipboard_test.moc"
