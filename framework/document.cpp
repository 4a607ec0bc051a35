#include "framework/document.h"

#include "framework/messagebox.h"
#include "framework/view.h"

#include <QString>
#include <algorithm>

// Tells the user what went wrong, and returns whether all went well.
bool Document::report(DocumentStatus status, const std::string& path) const
{
    if (status == DocumentStatus::Ok)
        return true;
    const QString text = FileStatusText(status);
    if (!text.isEmpty())
        showMessageBox(nullptr, text.arg(QString::fromLocal8Bit(path)));
    return false;
}

Document::~Document()
{
    for (View* view : m_views)
        view->m_pDocument = nullptr;
}

bool Document::OnOpenDocument(const std::string& path)
{
    return report(openDocument(path, [this](Archive& archive) { Serialize(archive); }), path);
}

bool Document::OnSaveDocument(const std::string& path)
{
    return report(saveDocument(path, [this](Archive& archive) { Serialize(archive); }), path);
}

void Document::AddView(View* view)
{
    if (view->m_pDocument)
        view->m_pDocument->RemoveView(view);
    m_views.push_back(view);
    view->m_pDocument = this;
}

void Document::RemoveView(View* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
    if (view->m_pDocument == this)
        view->m_pDocument = nullptr;
}

View* Document::GetFirstView() const
{
    return m_views.empty() ? nullptr : m_views.front();
}
