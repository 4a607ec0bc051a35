#include "window/tesseldoc.h"

#include "framework/view.h"

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
