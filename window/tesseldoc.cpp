#include "window/tesseldoc.h"

#include "framework/view.h"
#include "res/texts.h"

const char* const CTesselDoc::dataFileName = "Orrin.dat";

bool CTesselDoc::OnNewDocument()
{
    if (!Document::OnNewDocument())
        return false;
    // A missing or damaged file has been reported; the program runs on with
    // what could be read.
    OnOpenDocument(dataFileName);
    return true;
}

void CTesselDoc::Serialize(Archive& archive)
{
    if (View* view = GetFirstView())
        view->Serialize(archive);
}

QString CTesselDoc::FileStatusText(DocumentStatus status) const
{
    switch (status) {
    case DocumentStatus::Ok:
        break;
    case DocumentStatus::CannotOpen:
        return QString::fromUtf8(res::text::cannotOpenFile);
    case DocumentStatus::BadFormat:
        return QString::fromUtf8(res::text::badFileFormat);
    case DocumentStatus::CannotSave:
        return QString::fromUtf8(res::text::cannotSaveFile);
    }
    return QString();
}
