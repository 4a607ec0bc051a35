#include "framework/application.h"

#include "framework/framewnd.h"

#include <QCoreApplication>

namespace {
Application* theInstance = nullptr;
}  // namespace

Application::Application()
{
    theInstance = this;
}

Application::~Application()
{
    if (theInstance == this)
        theInstance = nullptr;
}

Application* Application::instance()
{
    return theInstance;
}

void Application::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->DestroyWindow();
    // exit() rather than quit(): quit() first asks every window to close, and
    // the main window answers a close by hiding.
    QCoreApplication::exit(0);
}
