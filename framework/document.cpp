#include "framework/document.h"

#include "framework/documentfile.h"
#include "framework/messagebox.h"
#include "framework/view.h"
#include "res/texts.h"

#include <QString>
#include <algorithm>

namespace {

QString displayName(const std::string& path)
{
    return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
}

void warn(DocumentStatus status, const std::string& path)
{
    QString text;
    switch (status) {
    case DocumentStatus::Ok:
        return;
    case DocumentStatus::CannotOpen:
        text = QString::fromUtf8(res::text::cannotOpenFile);
        break;
    case DocumentStatus::BadFormat:
        text = QString::fromUtf8(res::text::badFileFormat);
        break;
    case DocumentStatus::CannotSave:
        text = QString::fromUtf8(res::text::cannotSaveFile);
        break;
    }
    showMessageBox(nullptr, text.arg(displayName(path)), MessageButtons::Ok, MessageIcon::Warning);
}

}  // namespace

Document::~Document()
{
    for (View* view : m_views)
        view->m_pDocument = nullptr;
}

bool Document::OnNewDocument()
{
    return true;
}

void Document::Serialize(Archive&) {}

bool Document::OnOpenDocument(const std::string& path)
{
    const DocumentStatus status = openDocument(path, [this](Archive& archive) { Serialize(archive); });
    warn(status, path);
    return status == DocumentStatus::Ok;
}

bool Document::OnSaveDocument(const std::string& path)
{
    const DocumentStatus status = saveDocument(path, [this](Archive& archive) { Serialize(archive); });
    warn(status, path);
    return status == DocumentStatus::Ok;
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
