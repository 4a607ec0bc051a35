#pragma once
#include "framework/commandtarget.h"
#include "framework/dataexchange.h"

#include <QWidget>

class Archive;
class Document;

// A view of the single-document framework: a widget in the frame's client
// area that shows its document. Commands sent to the view (its own context
// menu) reach the view and then its document, nothing else.
class View : public QWidget, public CommandTarget, public DataExchangeHost {
public:
    explicit View(QWidget* parent = nullptr);
    ~View() override;

    Document* GetDocument() const { return m_pDocument; }

    // Called once by the document template after the document is loaded;
    // the base copies the fields into the controls.
    virtual void OnInitialUpdate() { UpdateData(false); }
    virtual void Serialize(Archive&) {}

    bool SendCommand(int id);
    bool CanSendCommand(int id) const;

protected:
    // Default: nothing to exchange.
    void DoDataExchange(DataExchange&) override {}

private:
    friend class Document;
    Document* m_pDocument = nullptr;
};
