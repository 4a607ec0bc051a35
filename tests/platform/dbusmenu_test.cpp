#include "platform/dbusmenu_dbus.h"
#include "res/menus.h"
#include "res/resource.h"

#include <QMenu>
#include <QSignalSpy>
#include <QtTest>

// The tray menu as a status-notifier host receives it, without a bus.
class DBusMenuTest : public QObject {
    Q_OBJECT
private slots:
    void trayMenuAsHostsSeeIt_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("label");  // empty for a separator
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("chosen");  // by a click on it; 0 for none
        QTest::newRow("mnemonic_marked_for_dbusmenu")
            << 1 << QStringLiteral("元のｻｲｽﾞに戻す(_R)") << true << int(res::ID_RESTORE);
        QTest::newRow("separator_chooses_nothing") << 3 << QString() << true << 0;
        QTest::newRow("disabled_chooses_nothing") << 4 << QStringLiteral("設定(_S)") << false << 0;
        QTest::newRow("without_mnemonic")
            << 5 << QStringLiteral("レジストリの削除") << true << int(res::ID_DELETE_REGISTRY);
        QTest::newRow("exit_last") << 10 << QStringLiteral("常駐の終了(_X)") << true << int(res::ID_APP_EXIT);
    }

    void trayMenuAsHostsSeeIt()
    {
        QFETCH(int, item);
        QFETCH(QString, label);
        QFETCH(bool, enabled);
        QFETCH(int, chosen);
        DBusMenuExporter menu([] { return loadMenu(res::IDR_TRAY_MENU); },
                              [](int command) { return command != res::ID_SETTINGS; });
        DBusMenuLayoutItem layout;
        menu.GetLayout(0, -1, {}, layout);
        QCOMPARE(layout.children.size(), 10);
        const QVariantMap properties = layout.children.at(item - 1).properties;
        QCOMPARE(properties.value(QStringLiteral("label")).toString(), label);
        QCOMPARE(properties.value(QStringLiteral("enabled"), true).toBool(), enabled);
        QSignalSpy chose(&menu, &DBusMenuExporter::commandChosen);
        menu.Event(item, QStringLiteral("clicked"), QDBusVariant(0), 0);
        QCOMPARE(chose.isEmpty() ? 0 : chose.first().first().toInt(), chosen);
    }
};

QTEST_MAIN(DBusMenuTest)
#include "dbusmenu_test.moc"
