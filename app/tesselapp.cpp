#include "app/tesselapp.h"

#include "app/aboutdlg.h"
#include "platform/autostart.h"
#include "platform/helpviewer.h"
#include "app/mainframe.h"
#include "app/profilesection.h"
#include "platform/instancechannel.h"
#include "framework/messagebox.h"
#include "framework/singledoctemplate.h"
#include "orrin/version.h"
#include "res/resource.h"
#include "res/stringtable.h"
#include "res/texts.h"
#include "settings/hotkeyedit.h"
#include "settings/settingscommand.h"
#include "window/tesseldoc.h"
#include "window/tesselview.h"

#include <QApplication>
#include <QFont>
#include <QKeySequence>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <utility>

namespace {

// Stands in for the Windows dialog font "ＭＳ Ｐゴシック" at 9 points.
const char* const uiFontFamily = "IPAPGothic";
constexpr int uiFontPointSize = 9;

}  // namespace

CTesselApp* theApp()
{
    return static_cast<CTesselApp*>(Application::instance());
}

CTesselApp::CTesselApp(int& argc, char** argv) : m_argc(argc), m_argv(argv)
{
    createCommandMap();
}

CTesselApp::~CTesselApp()
{
    // The windows go before the QApplication that they need.
    m_pDocTemplate.reset();
    m_channel.reset();
    m_qtTranslator.reset();
    m_qtApp.reset();
}

void CTesselApp::createCommandMap()
{
    OnCommand(res::ID_APP_ABOUT, [this] { OnAppAbout(); });
    OnCommand(res::ID_HELP_FINDER, [this] { OnHelpTopics(); });
    OnCommand(res::ID_APP_EXIT, [this] { OnAppExit(); });
}

void CTesselApp::loadQtTranslation()
{
    // Qt's own texts (the edit field's menu, the standard buttons) in the
    // program's language, whatever the desktop's; without the system's Qt
    // translations they stay in English.
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(translator.get());
    m_qtTranslator = std::move(translator);
}

int CTesselApp::defaultWindowHeight()
{
    return 2 * CMainFrame::border + 22;
}

bool CTesselApp::InitInstance()
{
    if (!m_hMutex.tryLock()) {
        // The way back to a hidden window wherever the icon cannot be reached.
        InstanceChannel::requestShow(instanceLockName);
        m_bOtherInstance = true;
        return false;
    }
    if (!QApplication::instance())
        m_qtApp = std::make_unique<QApplication>(m_argc, m_argv);
    m_channel = std::make_unique<InstanceChannel>(instanceLockName);
    QObject::connect(m_channel.get(), &InstanceChannel::showRequested, [this] { OnShowRequest(); });
    m_channel->listen();
    m_trayHost = std::make_unique<TrayHost>();
    QApplication::setQuitOnLastWindowClosed(false);
    setIdentity();
    loadQtTranslation();
    // Also the font of the dialogs laid out from templates.
    QApplication::setFont(QFont(QString::fromLatin1(uiFontFamily), uiFontPointSize));

    m_pDocTemplate = std::make_unique<SingleDocTemplate>(
        [] { return std::make_unique<CTesselDoc>(); },
        [] { return std::make_unique<CMainFrame>(); },
        [this](FrameWnd& frame) {
            ViewHost host;
            host.hotKey = m_hotKey;
            host.editSettings = [this](QWidget* owner, Calculator<double>& calculator,
                                       GlobalHotKey* hotKey) { editSettings(owner, calculator, hotKey); };
            // Without a tray the program could not be ended otherwise.
            host.exitInContextMenu = [this] { return m_trayHost->kind() == TrayKind::None; };
            host.profileDeleted = [this] { SetSaveSettings(false); };
            return new CTesselView(&frame, std::move(host));
        });

    // The command line holds nothing for the program beyond Qt's own options,
    // which QApplication has taken; the data file is always "Orrin.dat".
    LoadSettings();
    if (!ProcessShellCommand())
        return false;

    // Shown and activated, so that the user can type at once after starting it.
    // Without a tray a hidden window could not be reached.
    const bool shown = !m_bNoDisplay || m_trayHost->kind() == TrayKind::None;
    FrameWnd* frame = GetMainWnd();
    frame->setVisible(shown);
    if (shown)
        frame->activateWindow();
    return true;
}

void CTesselApp::OnShowRequest()
{
    FrameWnd* frame = GetMainWnd();
    if (!frame)
        return;
    frame->SendCommand(res::ID_RESTORE);
    // The window cannot take input under a modal one: that comes to the front.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}

void CTesselApp::setIdentity()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Velnor"));
    QCoreApplication::setApplicationName(loadString(res::AFX_IDS_APP_TITLE));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORRIN_VERSION));
    // The name of the installed desktop entry: the desktop portal and the
    // compositor know the program by it.
    QGuiApplication::setDesktopFileName(QStringLiteral(ORRIN_APP_ID));
}

void CTesselApp::editSettings(QWidget* owner, Calculator<double>& calculator, GlobalHotKey* hotKey)
{
    // The autostart entry is the state itself: read and written here, stored nowhere else.
    const bool startsAtLogin = isAutostartEnabled();
    GeneralSettings general{m_bNoDisplay, m_hotKey, startsAtLogin};
    if (!runSettingsSheet(owner, calculator, general, hotKey))
        return;
    m_bNoDisplay = general.noDisplay;
    m_hotKey = general.hotKey;
    if (general.startAtLogin != startsAtLogin && !setAutostartEnabled(general.startAtLogin))
        showMessageBox(owner, QString::fromUtf8(res::text::cannotSetAutostart));
}

bool CTesselApp::ProcessShellCommand()
{
    return m_pDocTemplate->OpenDocumentFile();
}

int CTesselApp::Run()
{
    if (!InitInstance())
        return m_bOtherInstance ? 0 : 1;
    return QApplication::exec();
}

void CTesselApp::OnAppExit()
{
    if (const FrameWnd* frame = GetMainWnd()) {
        // The rectangle is known while the window is hidden, too.
        const QRect rect = frame->frameGeometry();
        m_nWindowX = rect.x();
        m_nWindowY = rect.y();
        m_nWindowWidth = rect.width();
        m_nWindowHeight = rect.height();
    }
    if (m_bSaveSettings)
        SaveSettings();
    Application::OnAppExit();
}

void CTesselApp::OnAppAbout()
{
    CAboutDlg dialog(GetMainWnd());
    dialog.exec();
}

void CTesselApp::OnHelpTopics()
{
    showHelpTopics([](HelpFailure failure, const QString& detail) {
        const char* text = failure == HelpFailure::FileMissing ? res::text::helpFileMissing : res::text::cannotShowHelp;
        showMessageBox(nullptr, QString::fromUtf8(text).arg(detail));
    });
}

void CTesselApp::WinHelp()
{
    OnHelpTopics();
}

void CTesselApp::LoadSettings()
{
    CProfileSection section;
    section.m_strSection = "Settings";
    m_nWindowX = section.GetInt("WindowX", 100);
    m_nWindowY = section.GetInt("WindowY", 100);
    m_nWindowWidth = section.GetInt("WindowWidth", 300);
    m_nWindowHeight = section.GetInt("WindowHeight", defaultWindowHeight());
    m_bNoDisplay = section.GetBool("NoDisplay", false);
    m_hotKey = hotKeyFromText(QString::fromStdString(
        section.GetString("HotKey", hotKeyToText(defaultHotKey()).toStdString())));
}

void CTesselApp::SaveSettings()
{
    CProfileSection section;
    section.m_strSection = "Settings";
    section.WriteInt("WindowX", m_nWindowX);
    section.WriteInt("WindowY", m_nWindowY);
    section.WriteInt("WindowWidth", m_nWindowWidth);
    section.WriteInt("WindowHeight", m_nWindowHeight);
    section.WriteBool("NoDisplay", m_bNoDisplay);
    section.WriteString("HotKey", hotKeyToText(m_hotKey).toStdString());
}
