#include "editor/documents.h"

#include <algorithm>

#include "accmd.h"
#include "aclayout.h"
#include "dbapserv.h"
#include "dbid.h"
#include "editor/command_loop.h"
#include "editor/db_bridge.h"
#include "ui/resource_stack.h"

namespace vx::editor {
namespace {

std::wstring titleOf(const std::wstring& path) {
    size_t slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

AcDbDatabase* g_workingOverride = nullptr;

}  // namespace

Document::Document(AcDbDatabase* db, std::wstring path, bool named)
    : m_db(db), m_path(std::move(path)), m_title(titleOf(m_path)), m_named(named) {}

Document::~Document() { deleteDrawing(m_db); }

void Document::setPath(const std::wstring& path) {
    m_path = path;
    m_title = titleOf(path);
    m_named = true;
}

AcAp::DocLockMode Document::lockMode(bool) const {
    AcAp::DocLockMode strongest = AcAp::kNotLocked;
    for (AcAp::DocLockMode m : m_locks)
        if (m > strongest || strongest == AcAp::kNotLocked) strongest = m;
    return strongest;
}

AcAp::DocLockMode Document::myLockMode() const { return lockMode(true); }

bool Document::popLock() {
    if (m_locks.empty()) return false;
    m_locks.pop_back();
    return true;
}

Document* DocumentManager::find(const AcApDocument* doc) const {
    for (auto& d : m_docs)
        if (d.get() == doc) return d.get();
    return nullptr;
}

AcApDocument* DocumentManager::document(const AcDbDatabase* db) const {
    for (auto& d : m_docs)
        if (d->database() == db) return d.get();
    return nullptr;
}

Acad::ErrorStatus DocumentManager::setCurDocument(AcApDocument* doc, AcAp::DocLockMode mode, bool) {
    Document* d = find(doc);
    if (!d) return Acad::eNoDocument;
    m_current = d;
    g_workingOverride = nullptr;
    if (mode != AcAp::kNone) return lockDocument(d, mode, nullptr, nullptr, false);
    return Acad::eOk;
}

Acad::ErrorStatus DocumentManager::activateDocument(AcApDocument* doc, bool) {
    return setCurDocument(doc, AcAp::kNone, true);
}

Acad::ErrorStatus DocumentManager::lockDocument(AcApDocument* doc, AcAp::DocLockMode mode, const ACHAR*,
                                                const ACHAR*, bool) {
    Document* d = find(doc);
    if (!d) return Acad::eNoDocument;
    // One thread and one user: every lock is this session's own, so locks only nest.
    d->pushLock(mode == AcAp::kNone ? AcAp::kWrite : mode);
    return Acad::eOk;
}

Acad::ErrorStatus DocumentManager::unlockDocument(AcApDocument* doc) {
    Document* d = find(doc);
    if (!d) return Acad::eNoDocument;
    return d->popLock() ? Acad::eOk : Acad::eNotApplicable;
}

bool DocumentManager::isApplicationContext() const { return commandDepth() == 0; }

Acad::ErrorStatus DocumentManager::sendStringToExecute(AcApDocument* doc, const ACHAR* text, bool, bool,
                                                       bool) {
    if (!find(doc)) return Acad::eNoDocument;
    if (!text) return Acad::eInvalidInput;
    postLines(text);
    return Acad::eOk;
}

void DocumentManager::pushResourceHandle(HINSTANCE resourceInstance) {
    vx::ui::pushResourceHandle(resourceInstance);
}

void DocumentManager::pushAcadResourceHandle() { vx::ui::pushResourceHandle(nullptr); }

bool DocumentManager::popResourceHandle() {
    vx::ui::popResourceHandle();
    return true;
}

Document* DocumentManager::open(const std::wstring& path, std::wstring& why) {
    AcDbDatabase* db = readDrawing(path, why);
    if (!db) return nullptr;
    m_docs.push_back(std::make_unique<Document>(db, path, true));
    m_current = m_docs.back().get();
    g_workingOverride = nullptr;
    return m_current;
}

Document* DocumentManager::newDocument() {
    AcDbDatabase* db = newDrawing();
    if (!db) return nullptr;
    std::wstring name = L"Drawing" + std::to_wstring(++m_untitled) + L".dxf";
    m_docs.push_back(std::make_unique<Document>(db, name, false));
    m_current = m_docs.back().get();
    g_workingOverride = nullptr;
    return m_current;
}

void DocumentManager::close(Document* doc) {
    auto it = std::find_if(m_docs.begin(), m_docs.end(), [doc](auto& d) { return d.get() == doc; });
    if (it == m_docs.end()) return;
    if (g_workingOverride == doc->database()) g_workingOverride = nullptr;
    m_docs.erase(it);
    if (m_current == doc) m_current = m_docs.empty() ? nullptr : m_docs.back().get();
}

void DocumentManager::closeAll() {
    while (!m_docs.empty()) close(m_docs.back().get());
}

DocumentManager& documentManager() {
    static DocumentManager* manager = new DocumentManager;
    return *manager;
}

DocumentContextScope::DocumentContextScope(int32_t flags) {
    Document* doc = documentManager().current();
    if (!doc || (flags & ACRX_CMD_NOINTERNALLOCK)) return;
    const AcAp::DocLockMode mode = (flags & ACRX_CMD_DOCREADLOCK) ? AcAp::kRead : AcAp::kWrite;
    if (documentManager().lockDocument(doc, mode, nullptr, nullptr, false) == Acad::eOk) m_locked = doc;
}

DocumentContextScope::~DocumentContextScope() {
    // The command may have closed the document it started in.
    if (m_locked && documentManager().find(m_locked)) documentManager().unlockDocument(m_locked);
}

}  // namespace vx::editor

AcApDocManager* acDocManagerPtr() { return &vx::editor::documentManager(); }
AcApDocument* curDoc() { return vx::editor::documentManager().curDocument(); }

void AcAxDocLock::lock(AcApDocument* doc) {
    m_status = vx::editor::documentManager().lockDocument(doc, AcAp::kWrite, nullptr, nullptr, false);
    if (m_status == Acad::eOk) m_doc = doc;
}

AcAxDocLock::AcAxDocLock() { lock(curDoc()); }

AcAxDocLock::AcAxDocLock(const AcDbObjectId& objectId, DocLockType) {
    lock(vx::editor::documentManager().document(objectId.database()));
}

AcAxDocLock::AcAxDocLock(AcDbDatabase* db, DocLockType) { lock(vx::editor::documentManager().document(db)); }

AcAxDocLock::~AcAxDocLock() {
    if (m_doc && vx::editor::documentManager().find(m_doc)) vx::editor::documentManager().unlockDocument(m_doc);
}

namespace {

class HostServices : public AcDbHostApplicationServices {
public:
    AcDbDatabase* workingDatabase() const override {
        if (vx::editor::g_workingOverride) return vx::editor::g_workingOverride;
        vx::editor::Document* d = vx::editor::documentManager().current();
        return d ? d->database() : nullptr;
    }
    void setWorkingDatabase(AcDbDatabase* db) override { vx::editor::g_workingOverride = db; }
    const ACHAR* getRegistryProductRootKey() override { return L"Software\\Vorlix\\vxhost\\R18.0"; }
    const ACHAR* product() override { return L"vxhost"; }
    const ACHAR* program() override { return L"vxhost"; }
    AcApLayoutManager* layoutManager() const override { return acedLayoutManager(); }
};

}  // namespace

AcDbHostApplicationServices* acdbHostApplicationServices() {
    static HostServices services;
    return &services;
}
