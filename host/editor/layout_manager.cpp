// The current layout per document, checked against the drawing's layout dictionary.
#include <memory>

#include "acdb.h"
#include "aclayout.h"
#include "dbapserv.h"
#include "editor/command_stack.h"
#include "editor/documents.h"

namespace vx::editor {
namespace {

Document* documentOf(const AcDbDatabase* db) {
    DocumentManager& dm = documentManager();
    return db ? dm.find(dm.document(db)) : dm.current();
}

// The layout's name as the drawing spells it and its block record; false when absent.
bool findLayout(AcDbDatabase* db, const std::wstring& name, std::wstring& spelled, AcDbObjectId& block) {
    AcDbDictionary* dict = nullptr;
    if (!db || db->getLayoutDictionary(dict, AcDb::kForRead) != Acad::eOk) return false;
    bool found = false;
    std::unique_ptr<AcDbDictionaryIterator> it(dict->newIterator());
    for (; it && !it->done() && !found; it->next()) {
        AcDbObjectPointer<AcDbLayout> layout(it->objectId(), AcDb::kForRead);
        AcString n;
        if (layout.openStatus() != Acad::eOk || layout->getLayoutName(n) != Acad::eOk) continue;
        if (equalNoCase(n.str(), name)) {
            spelled = n.str();
            block = layout->getBlockTableRecordId();
            found = true;
        }
    }
    dict->close();
    return found;
}

class LayoutManager : public AcApLayoutManager {
public:
    const ACHAR* findActiveLayout(bool allowModel) override {
        Document* d = documentOf(nullptr);
        if (!d || (!allowModel && equalNoCase(d->currentLayout(), L"Model"))) return nullptr;
        return d->currentLayout().c_str();
    }
    Acad::ErrorStatus getActiveLayoutName(AcString& name, bool allowModel, const AcDbDatabase* db) override {
        Document* d = documentOf(db);
        if (!d) return Acad::eNoDocument;
        if (!allowModel && equalNoCase(d->currentLayout(), L"Model")) return Acad::eKeyNotFound;
        name = AcString(d->currentLayout());
        return Acad::eOk;
    }
    Acad::ErrorStatus setCurrentLayout(const ACHAR* name, AcDbDatabase* db) override {
        Document* d = documentOf(db);
        if (!d) return Acad::eNoDocument;
        if (!name) return Acad::eInvalidInput;
        std::wstring spelled;
        AcDbObjectId block;
        if (!findLayout(d->database(), name, spelled, block)) return Acad::eKeyNotFound;
        d->setCurrentLayout(spelled);
        return Acad::eOk;
    }
    AcDbObjectId getActiveLayoutBTRId(AcDbDatabase* db) override {
        Document* d = documentOf(db);
        if (!d) return AcDbObjectId();
        std::wstring spelled;
        AcDbObjectId block;
        if (equalNoCase(d->currentLayout(), L"Model") || !findLayout(d->database(), d->currentLayout(), spelled, block))
            return d->database()->modelSpaceId();
        return block;
    }
    int countLayouts(AcDbDatabase* db) override {
        Document* d = documentOf(db);
        AcDbDictionary* dict = nullptr;
        if (!d || d->database()->getLayoutDictionary(dict, AcDb::kForRead) != Acad::eOk) return 0;
        int n = static_cast<int>(dict->numEntries());
        dict->close();
        return n;
    }
    void updateLayoutTabs() override {}
};

}  // namespace
}  // namespace vx::editor

AcApLayoutManager* acedLayoutManager() {
    static vx::editor::LayoutManager manager;
    return &manager;
}
