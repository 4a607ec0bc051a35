#include "framework/singledoctemplate.h"

#include "framework/document.h"
#include "framework/framewnd.h"
#include "framework/view.h"

#include <utility>

SingleDocTemplate::SingleDocTemplate(DocumentFactory document, FrameFactory frame, ViewFactory view)
    : m_makeDocument(std::move(document)),
      m_makeFrame(std::move(frame)),
      m_makeView(std::move(view))
{}

SingleDocTemplate::~SingleDocTemplate() = default;

bool SingleDocTemplate::OpenDocumentFile()
{
    m_document = m_makeDocument();
    m_frame = m_makeFrame();
    View* view = m_document && m_frame && m_frame->Create() ? m_makeView(*m_frame) : nullptr;
    if (view) {
        m_document->AddView(view);
        m_frame->SetActiveView(view);
        if (m_document->OnNewDocument()) {
            view->OnInitialUpdate();
            return true;
        }
    }
    m_frame.reset();
    m_document.reset();
    return false;
}
