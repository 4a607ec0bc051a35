#pragma once
#include <functional>
#include <memory>

class Document;
class FrameWnd;
class View;

// Ties one document class, one frame class and one view class together and
// creates them for a new document in the framework's order: the document,
// then the frame (PreCreateWindow, OnCreate) with the view in it, then the
// document's OnNewDocument, then the view's OnInitialUpdate. The template
// owns the document and the frame (which owns the view) until it is destroyed.
class SingleDocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<Document>()>;
    using FrameFactory = std::function<std::unique_ptr<FrameWnd>()>;
    using ViewFactory = std::function<View*(FrameWnd& frame)>;

    SingleDocTemplate(DocumentFactory document, FrameFactory frame, ViewFactory view);
    ~SingleDocTemplate();
    SingleDocTemplate(const SingleDocTemplate&) = delete;
    SingleDocTemplate& operator=(const SingleDocTemplate&) = delete;

    // False when any step fails; whatever was made is then destroyed again.
    bool OpenDocumentFile();

    Document* document() const { return m_document.get(); }
    FrameWnd* frame() const { return m_frame.get(); }

private:
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    ViewFactory m_makeView;
    // Declared before the frame so that the frame and its view go first.
    std::unique_ptr<Document> m_document;
    std::unique_ptr<FrameWnd> m_frame;
};
