#include "framework/application.h"
#include "framework/document.h"
#include "framework/framewnd.h"
#include "framework/listctrl.h"
#include "framework/popupmenu.h"
#include "framework/singledoctemplate.h"
#include "framework/view.h"
#include "res/menus.h"
#include "res/resource.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

#include <memory>
#include <string>
#include <utility>

namespace {

// Its own name, so that the tests never meet a running program's lock.

// Records which object of the chain ran a command.
QStringList ran;

template <class Base>
class Recorder : public Base {
public:
    Recorder(const QString& name, const QList<int>& ids)
    {
        for (int id : ids)
            this->OnCommand(id, [name] { ran << name; });
    }
};

class RecordingApp : public Application {
public:
    explicit RecordingApp(const QList<int>& ids)
    {
        for (int id : ids)
            OnCommand(id, [] { ran << QStringLiteral("app"); });
    }
};

// Documents, frames and views that write down when the framework calls them.
class StepDoc : public Document {
public:
    explicit StepDoc(bool newDocumentResult) : m_result(newDocumentResult) { ran << QStringLiteral("document"); }
    bool OnNewDocument() override
    {
        ran << QStringLiteral("OnNewDocument");
        return m_result;
    }

private:
    bool m_result;
};

class StepFrame : public FrameWnd {
public:
    explicit StepFrame(int createResult) : m_result(createResult) { ran << QStringLiteral("frame"); }

protected:
    bool PreCreateWindow(CreateStruct& cs) override
    {
        ran << QStringLiteral("PreCreateWindow");
        cs.rect = QRect(10, 20, 200, 30);
        return true;
    }
    int OnCreate() override
    {
        ran << QStringLiteral("OnCreate");
        return m_result;
    }

private:
    int m_result;
};

class StepView : public View {
public:
    explicit StepView(QWidget* parent) : View(parent) { ran << QStringLiteral("view"); }
    void OnInitialUpdate() override { ran << QStringLiteral("OnInitialUpdate"); }
};

}  // namespace

class FrameworkTest : public QObject {
    Q_OBJECT

private slots:
    void init() { ran.clear(); }

    void commandRouting_data()
    {
        QTest::addColumn<QString>("sentTo");
        QTest::addColumn<QStringList>("handlers");
        QTest::addColumn<QString>("runs");

        const QStringList all{"view", "document", "frame", "app"};
        QTest::newRow("frame_view_first") << "frame" << all << "view";
        QTest::newRow("frame_document_second") << "frame" << QStringList{"document", "frame", "app"} << "document";
        QTest::newRow("frame_frame_third") << "frame" << QStringList{"frame", "app"} << "frame";
        QTest::newRow("frame_app_last") << "frame" << QStringList{"app"} << "app";
        QTest::newRow("frame_nobody") << "frame" << QStringList{} << "";
        QTest::newRow("view_view_first") << "view" << all << "view";
        QTest::newRow("view_document_second") << "view" << QStringList{"document", "frame", "app"} << "document";
        QTest::newRow("view_never_frame") << "view" << QStringList{"frame", "app"} << "";
    }

    void commandRouting()
    {
        QFETCH(QString, sentTo);
        QFETCH(QStringList, handlers);
        QFETCH(QString, runs);

        constexpr int id = 40000;
        auto ids = [&](const char* name) {
            return handlers.contains(QString::fromLatin1(name)) ? QList<int>{id} : QList<int>{};
        };
        RecordingApp app(ids("app"));
        Recorder<Document> document(QStringLiteral("document"), ids("document"));
        Recorder<FrameWnd> frame(QStringLiteral("frame"), ids("frame"));
        auto* view = new Recorder<View>(QStringLiteral("view"), ids("view"));
        view->setParent(&frame);
        document.AddView(view);
        frame.SetActiveView(view);

        const bool handled = sentTo == QLatin1String("frame") ? frame.SendCommand(id) : view->SendCommand(id);
        const bool enabled = sentTo == QLatin1String("frame") ? frame.CanSendCommand(id) : view->CanSendCommand(id);
        QCOMPARE(handled, !runs.isEmpty());
        QCOMPARE(enabled, !runs.isEmpty());
        QCOMPARE(ran, runs.isEmpty() ? QStringList{} : QStringList{runs});
    }

    void templateCreatesInOrder_data()
    {
        QTest::addColumn<int>("createResult");
        QTest::addColumn<bool>("newDocumentResult");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<QStringList>("steps");

        QTest::newRow("success") << 0 << true << true
                                 << QStringList{"document", "frame",         "PreCreateWindow", "OnCreate",
                                                "view",     "OnNewDocument", "OnInitialUpdate"};
        QTest::newRow("frame_refuses") << -1 << true << false
                                       << QStringList{"document", "frame", "PreCreateWindow", "OnCreate"};
        QTest::newRow("new_document_fails")
            << 0 << false << false
            << QStringList{"document", "frame", "PreCreateWindow", "OnCreate", "view", "OnNewDocument"};
    }

    void templateCreatesInOrder()
    {
        QFETCH(int, createResult);
        QFETCH(bool, newDocumentResult);
        QFETCH(bool, opened);
        QFETCH(QStringList, steps);

        SingleDocTemplate docTemplate([&] { return std::make_unique<StepDoc>(newDocumentResult); },
                                      [&] { return std::make_unique<StepFrame>(createResult); },
                                      [](FrameWnd& frame) { return new StepView(&frame); });
        QCOMPARE(docTemplate.OpenDocumentFile(), opened);
        QCOMPARE(ran, steps);
        if (opened) {
            QCOMPARE(docTemplate.frame()->geometry(), QRect(10, 20, 200, 30));
            QVERIFY(!docTemplate.frame()->isVisible());  // shown by the start-up, not by creation
            QCOMPARE(docTemplate.document()->GetFirstView()->geometry(), docTemplate.frame()->contentsRect());
        } else {
            QVERIFY(!docTemplate.frame());
            QVERIFY(!docTemplate.document());
        }
    }

    void popupMenuChoosesWithLeftButtonOnly_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<bool>("stillOpen");

        QTest::newRow("left_chooses") << int(Qt::LeftButton) << int(res::ID_MINIMIZE) << false;
        QTest::newRow("right_does_nothing") << int(Qt::RightButton) << 0 << true;
        QTest::newRow("middle_does_nothing") << int(Qt::MiddleButton) << 0 << true;
    }

    void popupMenuChoosesWithLeftButtonOnly()
    {
        QFETCH(int, button);
        QFETCH(int, chosen);
        QFETCH(bool, stillOpen);

        std::unique_ptr<QMenu> menu = loadMenu(res::IDR_TRAY_MENU, nullptr);
        bool openAfterClick = false;
        ScopedPopupMenuHook hook([&](QMenu& shown, const QPoint& pos) {
            int triggered = 0;
            QObject::connect(&shown, &QMenu::triggered, [&](QAction* action) { triggered = commandOf(action); });
            shown.popup(pos);
            const QList<QAction*> actions = shown.actions();
            QAction* minimize = actions.at(1);
            QTest::mouseClick(&shown, Qt::MouseButton(button), {}, shown.actionGeometry(minimize).center());
            openAfterClick = shown.isVisible();
            shown.hide();
            return triggered;
        });
        QCOMPARE(trackPopupMenu(*menu, QPoint(50, 50), res::ID_RESTORE, {}), chosen);
        QCOMPARE(openAfterClick, stillOpen);
    }

    void renamedRowKeepsSortedPlaceAndSelection_data()
    {
        // Each row's value column holds its place before the rename.
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QStringList>("namesAfter");
        QTest::addColumn<int>("rowAfter");
        const QStringList ace{"A", "C", "E"};
        QTest::newRow("later name moves down") << ace << 0 << "D" << QStringList{"C", "D", "E"} << 1;
        QTest::newRow("earlier name moves up") << ace << 2 << "B" << QStringList{"A", "B", "C"} << 1;
        QTest::newRow("name still between its neighbours stays") << ace << 1 << "D" << QStringList{"A", "D", "E"} << 1;
        QTest::newRow("name of a later row goes after it") << ace << 0 << "E" << QStringList{"C", "E", "E"} << 2;
        QTest::newRow("unchanged name among equal names stays")
            << QStringList{"P", "P", "Q"} << 0 << "P" << QStringList{"P", "P", "Q"} << 0;
    }

    void renamedRowKeepsSortedPlaceAndSelection()
    {
        QFETCH(QStringList, names);
        QFETCH(int, row);
        QFETCH(QString, newName);
        QFETCH(QStringList, namesAfter);
        QFETCH(int, rowAfter);

        ListCtrl list;
        list.InsertColumn(QStringLiteral("変数名"), 100);
        list.InsertColumn(QStringLiteral("値"), 100);
        for (int i = 0; i < names.size(); ++i)
            list.SetItemText(list.InsertItem(names.at(i).toStdString()), 1, std::to_string(i));
        list.SelectItem(row);

        QVERIFY(list.SetItemText(row, 0, newName.toStdString()));

        QStringList shown;
        for (int i = 0; i < list.GetItemCount(); ++i) {
            shown << QString::fromStdString(list.GetItemText(i, 0));
            QCOMPARE(list.IsItemSelected(i), i == rowAfter);
        }
        QCOMPARE(shown, namesAfter);
        QCOMPARE(list.GetItemText(rowAfter, 1), std::to_string(row));
        QVERIFY(!list.SetItemText(3, 0, "X"));
        QVERIFY(!list.SetItemText(0, 2, "X"));
    }
};

QTEST_MAIN(FrameworkTest)
#include "framework_test.moc"
