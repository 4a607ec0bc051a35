#include "framework/document.h"

#include "datafile/documentfile.h"
#include "framework/messagebox.h"
#include "framework/view.h"
#include "res/texts.h"

#include <QString>
#include <algorithm>

namespace {

// Tells the user what went wrong, and returns whether all went well.
bool report(DocumentStatus status, const std::string& path)
{
    if (status == DocumentStatus::Ok)
        return true;
    const char* text = status == DocumentStatus::CannotOpen  ? res::text::cannotOpenFile
                       : status == DocumentStatus::BadFormat ? res::text::badFileFormat
                                                             : res::text::cannotSaveFile;
    showMessageBox(nullptr, QString::fromUtf8(text).arg(QString::fromLocal8Bit(path)));
    return false;
}

}  // namespace

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
