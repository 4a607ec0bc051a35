#include "framework/hotkeyclipboard.h"
#include "framework/messagebox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

// A Wayland session whose compositor cannot be reached stands for one that
// offers no data-control: the clipboard is left alone and the user told once.
class TestHotKeyClipboard : public QObject {
    Q_OBJECT

private slots:
    void noRouteTellsOnceAndReadsNothing()
    {
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        qputenv("WAYLAND_DISPLAY", "no-compositor-here");
        QStringList told;
        ScopedMessageBoxHook hook([&told](const QString& text, MessageButtons) {
            told << text;
            return 1;
        });

        const auto clipboard = HotKeyClipboard::create();
        QVERIFY(!clipboard->fetch());
        QVERIFY(!clipboard->fetch());
        QCOMPARE(told, QStringList{QStringLiteral("このデスクトップではクリップボードの計算を使用できません。")});
        QVERIFY(!clipboard->mimeData()->hasText());
    }
};

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TestHotKeyClipboard test;
    return QTest::qExec(&test, argc, argv);
}

#include "hotkeyclipboard_test.moc"
