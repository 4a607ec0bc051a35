#include "framework/framewnd.h"

#include "framework/application.h"
#include "framework/document.h"
#include "framework/view.h"

bool FrameWnd::Create()
{
    CreateStruct cs;
    if (!PreCreateWindow(cs))
        return false;
    setWindowFlags(cs.flags);
    // Stored sizes are used as they are; the window's own limits clamp them.
    if (cs.rect)
        setGeometry(*cs.rect);
    return OnCreate() != -1;
}

void FrameWnd::DestroyWindow()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    hide();
    OnDestroy();
}

void FrameWnd::SetActiveView(View* view)
{
    m_pActiveView = view;
    layoutView();
}

bool FrameWnd::SendCommand(int id)
{
    Document* document = m_pActiveView ? m_pActiveView->GetDocument() : nullptr;
    return routeCommand(id, {m_pActiveView, document, this, Application::instance()});
}

bool FrameWnd::CanSendCommand(int id) const
{
    const Document* document = m_pActiveView ? m_pActiveView->GetDocument() : nullptr;
    return canRouteCommand(id, {m_pActiveView, document, this, Application::instance()});
}

void FrameWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutView();
}

void FrameWnd::layoutView()
{
    if (m_pActiveView)
        m_pActiveView->setGeometry(contentsRect());
}
