#include "app/mainframe.h"

#include "res/accelerators.h"
#include "res/images.h"
#include "res/menus.h"
#include "framework/popupmenu.h"
#include "res/resource.h"
#include "platform/taskbarhint.h"
#include "app/tesselapp.h"
#include "platform/trayhost.h"
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
    createTrayIcon();
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

void CMainFrame::createTrayIcon()
{
    if (const CTesselApp* app = theApp())
        m_bClickToggles = app->trayAtStart() == TrayKind::StatusNotifier;
    m_trayIcon = new QSystemTrayIcon(loadIcon(res::IDI_MAINFRAME), this);
    m_trayIcon->setObjectName(QStringLiteral("trayIcon"));
    m_trayIcon->setToolTip(QStringLiteral("Tessel"));
    // Queued, as the tray's notifications are posted: the exit command hides
    // the icon, which must not happen inside the icon's own event handler.
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &CMainFrame::OnTrayNotify, Qt::QueuedConnection);
    m_trayIcon->show();
}

void CMainFrame::OnDestroy()
{
    FrameWnd::OnDestroy();
    if (m_trayIcon)
        m_trayIcon->hide();
}

void CMainFrame::OnTrayNotify(QSystemTrayIcon::ActivationReason reason)
{
    // A status-notifier tray delivers clicks under a modal window too (an
    // XEmbed icon is blocked by it): nothing may open a second sheet or end
    // the program beneath it.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
        return;
    }
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
