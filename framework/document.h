#pragma once
#include "datafile/documentfile.h"
#include "framework/commandtarget.h"

#include <QString>

#include <string>
#include <vector>

class Archive;
class View;

// The document of the single-document framework. It keeps no data itself in
// this program; it opens and saves its file through an archive handed to
// Serialize, and tells the user in a message box when that fails, in the text
// that FileStatusText gives.
class Document : public CommandTarget {
public:
    ~Document() override;

    // Called by the document template once the frame and view exist.
    virtual bool OnNewDocument() { return true; }
    virtual void Serialize(Archive&) {}

    // Reads path through Serialize (an empty file is not read at all). On
    // failure shows a warning naming the file and returns false; what was read
    // before a format error stays read.
    bool OnOpenDocument(const std::string& path);
    // Replaces path with what Serialize stores; the old file stays whole when
    // that fails, and a warning naming the file is shown.
    bool OnSaveDocument(const std::string& path);

    void AddView(View* view);
    void RemoveView(View* view);
    View* GetFirstView() const;

protected:
    // The warning for a failed open or save, with %1 for the file's path;
    // empty for none.
    virtual QString FileStatusText(DocumentStatus) const { return QString(); }

private:
    bool report(DocumentStatus status, const std::string& path) const;

    std::vector<View*> m_views;
};
