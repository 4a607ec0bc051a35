#include "app/profilesection.h"
#include "framework/document.h"
#include "framework/popupmenu.h"
#include "platform/singleinstance.h"
#include "res/resource.h"
#include "tests/window/orrinharness.h"
#include "window/tesselview.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QSystemTrayIcon>
#include <QtTest>

namespace {

QString settingsValue(const QString& key)
{
    const QSettings profile(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velnor"),
                            QStringLiteral("Orrin"));
    return profile.value(key).toString();
}

void storeSettings(std::initializer_list<std::pair<const char*, QVariant>> values)
{
    QSettings profile(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velnor"), QStringLiteral("Orrin"));
    for (const auto& [key, value] : values)
        profile.setValue(QString::fromLatin1(key), value);
}

}  // namespace

class TesselAppTest : public QObject {
    Q_OBJECT

private slots:
    void init() { OrrinHarness::clearProfile(); }

    void firstStartUsesDefaults()
    {
        OrrinHarness harness;
        QVERIFY(harness.start());
        QCOMPARE(harness.frame()->frameGeometry(), QRect(100, 100, 300, 30));
        QVERIFY(harness.frame()->isVisible());
        QVERIFY(
            harness.frame()->windowFlags().testFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
        const auto* tray = harness.frame()->findChild<QSystemTrayIcon*>(QStringLiteral("trayIcon"));
        QVERIFY(tray);
        QCOMPARE(tray->toolTip(), QStringLiteral("Tessel"));
        // Nothing is written before the exit command.
        QVERIFY(!QFile::exists(profileFileName()));
        QVERIFY(harness.messages.isEmpty());
    }

    void storedSettingsAreUsedAsStored_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("shownWidth");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("noDisplay");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QString>("writtenNoDisplay");

        QTest::newRow("shown") << 200 << 400 << 400 << 30 << 0 << true << "0";
        QTest::newRow("hidden") << 200 << 400 << 400 << 30 << 1 << false << "1";
        QTest::newRow("nonzero_reads_true_and_writes_1") << 200 << 400 << 400 << 30 << 5 << false << "1";
        QTest::newRow("negative_x_kept") << -50 << 250 << 250 << 30 << 0 << true << "0";
        QTest::newRow("far_off_screen_kept") << 30000 << 250 << 250 << 30 << 0 << true << "0";
        QTest::newRow("zero_width_grows_to_minimum") << 200 << 0 << 64 << 30 << 0 << true << "0";
        QTest::newRow("taller_height_kept") << 200 << 250 << 250 << 45 << 0 << true << "0";
        QTest::newRow("zero_size_keeps_position") << 200 << 0 << 64 << 0 << 0 << true << "0";
    }

    void storedSettingsAreUsedAsStored()
    {
        QFETCH(int, x);
        QFETCH(int, width);
        QFETCH(int, shownWidth);
        QFETCH(int, height);
        QFETCH(int, noDisplay);
        QFETCH(bool, visible);
        QFETCH(QString, writtenNoDisplay);

        storeSettings({{"Settings/WindowX", x},
                       {"Settings/WindowY", 7},
                       {"Settings/WindowWidth", width},
                       {"Settings/WindowHeight", height},
                       {"Settings/NoDisplay", noDisplay}});
        OrrinHarness harness;
        QVERIFY(harness.start());
        QCOMPARE(harness.frame()->frameGeometry(), QRect(x, 7, shownWidth, height));
        QCOMPARE(harness.frame()->minimumHeight(), height);
        QCOMPARE(harness.frame()->maximumHeight(), height);
        QCOMPARE(harness.frame()->isVisible(), visible);

        harness.app->OnCmdMsg(res::ID_APP_EXIT);
        QCOMPARE(settingsValue(QStringLiteral("Settings/WindowX")), QString::number(x));
        QCOMPARE(settingsValue(QStringLiteral("Settings/WindowWidth")), QString::number(shownWidth));
        QCOMPARE(settingsValue(QStringLiteral("Settings/WindowHeight")), QString::number(height));
        QCOMPARE(settingsValue(QStringLiteral("Settings/NoDisplay")), writtenNoDisplay);
    }

    void hotKeySurvivesRestart_data()
    {
        QTest::addColumn<QString>("stored");
        for (const char* key : {"Ctrl+Alt+K", "Ctrl+Alt+Ö", "Ctrl+Alt+¥", "Ctrl+Alt+Ж"})
            QTest::newRow(key) << QString::fromUtf8(key);
    }
    void hotKeySurvivesRestart()
    {
        QFETCH(QString, stored);
        storeSettings({{"Settings/HotKey", stored}});
        OrrinHarness harness;
        QVERIFY(harness.start());
        harness.app->OnCmdMsg(res::ID_APP_EXIT);
        QCOMPARE(settingsValue(QStringLiteral("Settings/HotKey")), stored);
    }

    void exitStoresRectangle_data()
    {
        QTest::addColumn<bool>("hiddenFirst");
        QTest::newRow("visible") << false;
        QTest::newRow("hidden") << true;
    }

    void exitStoresRectangle()
    {
        QFETCH(bool, hiddenFirst);
        OrrinHarness harness;
        QVERIFY(harness.start());
        harness.frame()->setGeometry(150, 160, 420, 30);
        if (hiddenFirst)
            QVERIFY(harness.frame()->SendCommand(res::ID_MINIMIZE));

        QVERIFY(harness.frame()->SendCommand(res::ID_APP_EXIT));

        QCOMPARE(settingsValue(QStringLiteral("Settings/WindowX")), QStringLiteral("150"));
        QCOMPARE(settingsValue(QStringLiteral("Settings/WindowY")), QStringLiteral("160"));
        QCOMPARE(settingsValue(QStringLiteral("Settings/WindowWidth")), QStringLiteral("420"));
        QCOMPARE(settingsValue(QStringLiteral("Settings/WindowHeight")), QStringLiteral("30"));
        QCOMPARE(settingsValue(QStringLiteral("Settings/NoDisplay")), QStringLiteral("0"));
        QVERIFY(!harness.frame()->isVisible());
        const auto* tray = harness.frame()->findChild<QSystemTrayIcon*>(QStringLiteral("trayIcon"));
        QVERIFY(!tray || !tray->isVisible());
    }

    // No help file lies beside the test program: the help command says where it looked.
    void helpWithoutFileTellsWhereItLooked()
    {
        OrrinHarness harness;
        QVERIFY(harness.start());
        QVERIFY(harness.frame()->SendCommand(res::ID_HELP_FINDER));
        QCOMPARE(harness.messages.size(), 1);
        const QString& message = harness.messages.front();
        QVERIFY2(message.startsWith(QStringLiteral("ヘルプファイル ")) && message.contains(QStringLiteral("Orrin.chm")),
                 qPrintable(message));
    }

    void deleteCommand_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("profileAfterExit");
        QTest::newRow("ok_deletes_and_exit_writes_nothing") << int(IDOK) << false;
        QTest::newRow("cancel_keeps_and_exit_writes") << int(IDCANCEL) << true;
    }

    void deleteCommand()
    {
        QFETCH(int, answer);
        QFETCH(bool, profileAfterExit);

        storeSettings({{"Settings/WindowX", 321}, {"WindowPosition/Unused", 1}});
        OrrinHarness harness;
        QVERIFY(harness.start());
        harness.answer = answer;

        QVERIFY(harness.frame()->SendCommand(res::ID_DELETE_REGISTRY));
        QCOMPARE(harness.messages, QStringList{QStringLiteral("レジストリを削除してよろしいですか。")});
        QCOMPARE(QFile::exists(profileFileName()), profileAfterExit);
        // The settings in memory stay in force for the rest of the run.
        QCOMPARE(harness.frame()->x(), 321);

        harness.app->OnCmdMsg(res::ID_APP_EXIT);
        QCOMPARE(QFile::exists(profileFileName()), profileAfterExit);
    }

    void deleteKeepsOtherSections()
    {
        storeSettings({{"Settings/WindowX", 1}, {"Other/Key", 2}});
        OrrinHarness harness;
        QVERIFY(harness.start());
        QVERIFY(harness.frame()->SendCommand(res::ID_DELETE_REGISTRY));
        QCOMPARE(settingsValue(QStringLiteral("Other/Key")), QStringLiteral("2"));
        QCOMPARE(settingsValue(QStringLiteral("Settings/WindowX")), QString());
    }

    void dataFileAtStart_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("warnings");
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("line");

        // x = 1.5: the record of the data file layout.
        const QByteArray oneRecord = QByteArray::fromHex(
            "01000000"
            "0178"
            "000000000000F83F"
            "00");
        QTest::newRow("missing_file_warns") << QByteArray() << false << 1 << "x"
                                            << "x : 0";
        QTest::newRow("empty_file_silent") << QByteArray() << true << 0 << "x"
                                           << "x : 0";
        QTest::newRow("one_constant") << oneRecord << true << 0 << "x*2"
                                      << "x*2 : 3";
        QTest::newRow("truncated_keeps_records_read") << QByteArray::fromHex(
            "02000000"
            "0178"
            "000000000000F83F"
            "00"
            "0179"
            "0000") << true << 1 << "x"
                                                      << "x : 1.5";
    }

    void dataFileAtStart()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, exists);
        QFETCH(int, warnings);
        QFETCH(QString, expression);
        QFETCH(QString, line);

        OrrinHarness harness(false);
        if (exists) {
            QFile file(QStringLiteral("Orrin.dat"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        QVERIFY(harness.start());
        QCOMPARE(harness.messages.size(), warnings);
        for (const QString& message : std::as_const(harness.messages))
            QVERIFY2(message.contains(QStringLiteral("Orrin.dat")), qPrintable(message));

        CEntryComboBox& box = *harness.entryBox();
        box.setEditText(expression);
        QTest::keyClick(&box, Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(box.currentText(), line);
    }

    void documentSave_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("data_file") << "Orrin.dat" << true
                                   << QByteArray::fromHex(
                                          "01000000"
                                          "0178"
                                          "000000000000F83F"
                                          "00");
        QTest::newRow("missing_directory") << "no-such-dir/Orrin.dat" << false << QByteArray();
    }

    void documentSave()
    {
        QFETCH(QString, path);
        QFETCH(bool, saved);
        QFETCH(QByteArray, bytes);

        OrrinHarness harness;
        QVERIFY(harness.start());
        CTesselView* view = harness.view();
        harness.entryBox()->setEditText(QStringLiteral("x=1.5"));
        QTest::keyClick(harness.entryBox(), Qt::Key_Return);
        QCoreApplication::sendPostedEvents();

        QCOMPARE(view->GetDocument()->OnSaveDocument(path.toStdString()), saved);
        if (saved) {
            QVERIFY(harness.messages.isEmpty());
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), bytes);
        } else {
            QCOMPARE(harness.messages.size(), 1);
            QVERIFY2(harness.messages.front().contains(path), qPrintable(harness.messages.front()));
        }
    }

    void trayMenu()
    {
        OrrinHarness harness;
        QVERIFY(harness.start());
        QStringList texts;
        QString defaultText;
        ScopedPopupMenuHook hook([&](QMenu& menu, const QPoint&) {
            for (QAction* action : menu.actions())
                texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
            defaultText = menu.defaultAction() ? menu.defaultAction()->text() : QString();
            return res::ID_MINIMIZE;
        });
        harness.frame()->OnTrayNotify(QSystemTrayIcon::Context);
        QCOMPARE(texts,
                 (QStringList{"元のｻｲｽﾞに戻す(&R)", "最小化(&M)", "-", "設定(&S)", "レジストリの削除", "-",
                              "ﾄﾋﾟｯｸの検索(&H)", "ﾊﾞｰｼﾞｮﾝ情報(Orrin) (&A)...", "-", "常駐の終了(&X)"}));
        QCOMPARE(defaultText, QStringLiteral("元のｻｲｽﾞに戻す(&R)"));
        QVERIFY(!harness.frame()->isVisible());
    }

    void trayActivation_data()
    {
        QTest::addColumn<int>("tray");
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("toggles");
        const int embedded = int(TrayKind::Embedded);
        const int statusNotifier = int(TrayKind::StatusNotifier);
        QTest::newRow("double_click") << embedded << int(QSystemTrayIcon::DoubleClick) << true;
        QTest::newRow("single_click") << embedded << int(QSystemTrayIcon::Trigger) << false;
        QTest::newRow("middle_click") << embedded << int(QSystemTrayIcon::MiddleClick) << false;
        QTest::newRow("status_notifier_click") << statusNotifier << int(QSystemTrayIcon::Trigger) << true;
        QTest::newRow("status_notifier_middle") << statusNotifier << int(QSystemTrayIcon::MiddleClick) << false;
    }

    void trayActivation()
    {
        QFETCH(int, tray);
        QFETCH(int, reason);
        QFETCH(bool, toggles);
        OrrinHarness harness(true, TrayKind(tray));
        QVERIFY(harness.start());
        harness.frame()->OnTrayNotify(QSystemTrayIcon::ActivationReason(reason));
        QCOMPARE(harness.frame()->isVisible(), !toggles);
        harness.frame()->OnTrayNotify(QSystemTrayIcon::ActivationReason(reason));
        QVERIFY(harness.frame()->isVisible());
    }

    void borderDragChangesWidthOnly_data()
    {
        QTest::addColumn<int>("pressX");
        QTest::addColumn<int>("dx");
        QTest::addColumn<QRect>("after");

        QTest::newRow("right_border_wider") << 298 << 50 << QRect(100, 100, 350, 30);
        QTest::newRow("right_border_narrower") << 297 << -100 << QRect(100, 100, 200, 30);
        QTest::newRow("left_border_wider") << 1 << -30 << QRect(70, 100, 330, 30);
        QTest::newRow("left_border_narrower") << 3 << 40 << QRect(140, 100, 260, 30);
        QTest::newRow("not_below_minimum") << 299 << -1000 << QRect(100, 100, 64, 30);
        QTest::newRow("inside_is_no_border") << 4 << 50 << QRect(100, 100, 300, 30);
    }

    void borderDragChangesWidthOnly()
    {
        QFETCH(int, pressX);
        QFETCH(int, dx);
        QFETCH(QRect, after);

        OrrinHarness harness;
        QVERIFY(harness.start());
        CMainFrame* frame = harness.frame();
        const QPoint press(pressX, 10);
        const QPoint pressGlobal = frame->mapToGlobal(press);
        // The vertical movement must not change the height.
        const QPoint releaseGlobal = pressGlobal + QPoint(dx, 25);
        QMouseEvent down(QEvent::MouseButtonPress, press, pressGlobal, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame, &down);
        QMouseEvent move(QEvent::MouseMove, frame->mapFromGlobal(releaseGlobal), releaseGlobal, Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame, &move);
        QMouseEvent up(QEvent::MouseButtonRelease, frame->mapFromGlobal(releaseGlobal), releaseGlobal, Qt::LeftButton,
                       Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(frame, &up);

        QCOMPARE(frame->geometry(), after);
    }

    void startAtLoginBoxWritesAndRemovesEntry()
    {
        OrrinHarness harness;
        QVERIFY(harness.start());
        const QString entry = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QStringLiteral("/autostart/com.velnor.Orrin.desktop");
        QFile::remove(entry);
        // An exit in an earlier test leaves Qt's quit flag set, which would end
        // the sheet's event loop at once; a run of the main loop clears it.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
        for (const bool exists : {true, false}) {
            // Ticks the box and presses OK once the sheet is on screen.
            QTimer answer;
            QObject::connect(&answer, &QTimer::timeout, [&answer] {
                for (QWidget* window : QApplication::topLevelWidgets()) {
                    auto* box = window->findChild<QCheckBox*>(QStringLiteral("startAtLoginCheck"));
                    if (box && box->isVisible()) {
                        answer.stop();
                        box->click();
                        window->findChild<QPushButton*>(QStringLiteral("propertySheetOk"))->click();
                    }
                }
            });
            answer.start(10);
            harness.view()->OnSettings();
            QCOMPARE(QFile::exists(entry), exists);
        }
    }

    void closeOnlyHides()
    {
        OrrinHarness harness;
        QVERIFY(harness.start());
        QVERIFY(!harness.frame()->close());
        QVERIFY(!harness.frame()->isVisible());
        QVERIFY(!QFile::exists(profileFileName()));
    }

    void secondInstanceEndsWithStatusZero()
    {
        SingleInstanceLock running(CTesselApp::instanceLockName);
        QVERIFY(running.tryLock());
        SingleInstanceLock second(CTesselApp::instanceLockName);
        QVERIFY(!second.tryLock());

        OrrinHarness harness;
        QVERIFY(!harness.start());
        QVERIFY(!harness.app->GetMainWnd());
        QCOMPARE(harness.app->Run(), 0);
    }

    void profileSection_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("intValue");
        QTest::addColumn<bool>("boolValue");

        QTest::newRow("missing") << QVariant() << -7 << true;
        QTest::newRow("zero") << QVariant(0) << 0 << false;
        QTest::newRow("five") << QVariant(5) << 5 << true;
        QTest::newRow("negative") << QVariant(-3) << -3 << true;
        QTest::newRow("not_a_number") << QVariant(QStringLiteral("abc")) << -7 << true;
    }

    void profileSection()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, intValue);
        QFETCH(bool, boolValue);

        if (stored.isValid())
            storeSettings({{"Settings/Value", stored}});
        CProfileSection section;
        section.m_strSection = "Settings";
        QCOMPARE(section.GetInt("Value", -7), intValue);
        QCOMPARE(section.GetBool("Value", true), boolValue);
    }

    void profileSectionWritesTypes()
    {
        CProfileSection section;
        section.m_strSection = "Settings";
        QVERIFY(section.WriteBool("Flag", true));
        QVERIFY(section.WriteInt("Number", -12));
        // "円" in code page 932.
        QVERIFY(section.WriteString("Text", "\x89\x7E"));
        QCOMPARE(settingsValue(QStringLiteral("Settings/Flag")), QStringLiteral("1"));
        QCOMPARE(section.GetInt("Number", 0), -12);
        QCOMPARE(section.GetString("Text", ""), std::string("\x89\x7E"));
        QCOMPARE(section.GetString("Missing", "d"), std::string("d"));
    }
};

QTEST_MAIN(TesselAppTest)
#include "tesselapp_test.moc"
