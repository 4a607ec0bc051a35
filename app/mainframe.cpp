#include "app/mainframe.h"

#include "res/accelerators.h"
#include "res/images.h"
#include "res/menus.h"
#include "framework/popupmenu.h"
#include "res/resource.h"
#include "platform/taskbarhint.h"
#include "app/tesselapp.h"
#include "platform/trayhost.h"
#include "platform/trayicon.h"
#include "framework/widthresizer.h"
#include "platform/windowplacement.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QMenu>
#include <QPainter>

namespace {

// Narrow enough to drag small, wide enough to keep the grip and some box.
constexpr int minimumWindowWidth = 64;

}  // namespace

CMainFrame::CMainFrame()
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(QStringLiteral("Orrin"));
    setWindowIcon(loadIcon(res::IDI_MAINFRAME));
    setContentsMargins(border, border, border, border);
    if (Application* app = Application::instance())
        app->SetMainWnd(this);
    createCommandMap();
}

CMainFrame::~CMainFrame()
{
    Application* app = Application::instance();
    if (app && app->GetMainWnd() == this)
        app->SetMainWnd(nullptr);
}

void CMainFrame::createCommandMap()
{
    // The framework's help commands all end in the application's help hook.
    for (int id : {res::ID_HELP_FINDER, res::ID_HELP, res::ID_CONTEXT_HELP, res::ID_DEFAULT_HELP}) {
        OnCommand(id, [] {
            if (CTesselApp* app = theApp())
                app->WinHelp();
        });
    }
}

bool CMainFrame::PreCreateWindow(CreateStruct& cs)
{
    cs.flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    if (const CTesselApp* app = theApp()) {
        cs.rect = app->windowRect();
    }
    return FrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate()
{
    if (FrameWnd::OnCreate() == -1)
        return -1;
    // The height stays as it was at start; only the width follows the border.
    setFixedHeight(height());
    setMinimumWidth(minimumWindowWidth);
    new WidthResizer(this, border);
    followWindowPlacement(this);
    createAccelerators();
    if (const CTesselApp* app = theApp()) {
        TrayHost* tray = app->trayHost();
        connect(tray, &TrayHost::kindChanged, this, &CMainFrame::followTray);
        followTray(tray->kind());
    }
    return 0;
}

void CMainFrame::createAccelerators()
{
    for (const Accelerator& accelerator : acceleratorTable()) {
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("accelerator%1").arg(accelerator.command));
        action->setShortcut(QKeySequence(accelerator.key));
        action->setShortcutContext(Qt::WindowShortcut);
        const int command = accelerator.command;
        connect(action, &QAction::triggered, this, [this, command] { SendCommand(command); });
        addAction(action);
    }
}

void CMainFrame::followTray(TrayKind kind)
{
    m_trayIcon.reset();  // a tray of the old kind may hold it still
    m_bClickToggles = kind == TrayKind::StatusNotifier;
    TrayIconSetup setup;
    setup.icon = loadIcon(res::IDI_MAINFRAME);
    setup.toolTip = QStringLiteral("Tessel");
    setup.loadMenu = [] { return loadMenu(res::IDR_TRAY_MENU, nullptr); };
    setup.isEnabled = [this](int id) { return CanSendCommand(id); };
    m_trayIcon = createTrayIcon(kind, setup);
    if (!m_trayIcon)
        return;
    m_trayIcon->setParent(this);  // found among the frame's children
    // Queued, as the tray's notifications are posted: the exit command
    // destroys the icon, which must not happen inside the icon's own handler.
    connect(m_trayIcon.get(), &TrayIcon::activated, this, &CMainFrame::OnTrayNotify, Qt::QueuedConnection);
    connect(m_trayIcon.get(), &TrayIcon::commandChosen, this, &CMainFrame::OnTrayMenuCommand, Qt::QueuedConnection);
}

void CMainFrame::OnDestroy()
{
    FrameWnd::OnDestroy();
    if (const CTesselApp* app = theApp())
        disconnect(app->trayHost(), nullptr, this, nullptr);
    m_trayIcon.reset();
}

void CMainFrame::OnTrayNotify(QSystemTrayIcon::ActivationReason reason)
{
    // A status-notifier tray delivers clicks under a modal window too (an
    // XEmbed icon is blocked by it): nothing may open a second sheet or end
    // the program beneath it.
    if (raiseModalWindow())
        return;
    if (QApplication::activePopupWidget())
        return;  // a menu is open and holds the input
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        if (!m_bClickToggles)
            break;
        [[fallthrough]];
    case QSystemTrayIcon::DoubleClick:
        if (isVisible()) {
            hide();
        } else {
            show();
            activateWindow();
        }
        break;
    case QSystemTrayIcon::Context:
        showTrayMenu();
        break;
    default:
        break;
    }
}

void CMainFrame::OnTrayMenuCommand(int command)
{
    // The host draws its menu whatever the program shows: as with a click,
    // only the modal window comes to the front.
    if (raiseModalWindow())
        return;
    if (CanSendCommand(command))
        SendCommand(command);
}

bool CMainFrame::raiseModalWindow()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return false;
    modal->raise();
    modal->activateWindow();
    return true;
}

void CMainFrame::showTrayMenu()
{
    std::unique_ptr<QMenu> menu = loadMenu(res::IDR_TRAY_MENU, nullptr);
    const int command = trackPopupMenu(*menu, QCursor::pos(), res::ID_RESTORE,
                                       [this](int id) { return CanSendCommand(id); });
    menu.reset();
    if (command != 0)
        SendCommand(command);
}

void CMainFrame::showEvent(QShowEvent* event)
{
    // Sent before the window is mapped, which is when the hint must be there.
    keepOutOfTaskbar(this);
    FrameWnd::showEvent(event);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // Closing only hides: the program ends by the exit command alone.
    event->ignore();
    SendCommand(res::ID_MINIMIZE);
}

void CMainFrame::paintEvent(QPaintEvent*)
{
    // A raised sizing border: light outer top-left edge, dark bottom-right.
    QPainter painter(this);
    const QPalette& pal = palette();
    const QRect outer = rect();
    painter.fillRect(outer, pal.color(QPalette::Button));
    painter.setPen(pal.color(QPalette::Light));
    painter.drawLine(outer.topLeft(), outer.topRight());
    painter.drawLine(outer.topLeft(), outer.bottomLeft());
    painter.setPen(pal.color(QPalette::Shadow));
    painter.drawLine(outer.bottomLeft(), outer.bottomRight());
    painter.drawLine(outer.topRight(), outer.bottomRight());
    painter.setPen(pal.color(QPalette::Dark));
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    painter.drawLine(inner.bottomLeft(), inner.bottomRight());
    painter.drawLine(inner.topRight(), inner.bottomRight());
}
