#pragma once
#include "framework/commandtarget.h"

#include <QWidget>

class Archive;
class Document;

// A view of the single-document framework: a widget in the frame's client
// area that shows its document. Commands sent to the view (its own context
// menu) reach the view and then its document, nothing else.
class View : public QWidget, public CommandTarget {
public:
    explicit View(QWidget* parent = nullptr);
    ~View() override;

    Document* GetDocument() const { return m_pDocument; }

    // Called once by the document template after the document is loaded;
    // the base copies the fields into the controls.
    virtual void OnInitialUpdate();
    virtual void Serialize(Archive& archive);

    // Copies controls into fields (true) or fields into controls (false)
    // through DoDataExchange; false when a check failed.
    bool UpdateData(bool saveAndValidate = true);

    bool SendCommand(int id);
    bool CanSendCommand(int id) const;

protected:
    virtual bool DoDataExchange(bool saveAndValidate);

private:
    friend class Document;
    Document* m_pDocument = nullptr;
};
