#pragma once
#include "framework/document.h"

// The document: no data of its own. At start it loads the data file
// "Orrin.dat" (from the current directory) into the view's calculator, and it
// hands every serialisation to its first view.
class CTesselDoc : public Document {
public:
    CTesselDoc() = default;

    bool OnNewDocument() override;
    void Serialize(Archive& archive) override;

    static const char* const dataFileName;

protected:
    QString FileStatusText(DocumentStatus status) const override;
};
