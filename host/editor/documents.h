// The document manager behind acDocManager: open drawings, the current one, locks and the
// execution context.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "acdocman.h"

namespace vx::editor {

class Document : public AcApDocument {
public:
    Document(AcDbDatabase* db, std::wstring path, bool named);
    ~Document() override;

    const ACHAR* fileName() const override { return m_path.c_str(); }
    const ACHAR* docTitle() const override { return m_title.c_str(); }
    AcDbDatabase* database() const override { return m_db; }
    bool isReadOnly() const override { return false; }
    AcAp::DocLockMode lockMode(bool includeMyLocks) const override;
    AcAp::DocLockMode myLockMode() const override;
    bool isQuiescent() const override { return m_locks.empty(); }

    // False for a new drawing that was never saved under a name of its own.
    bool named() const { return m_named; }
    void setPath(const std::wstring& path);

    void pushLock(AcAp::DocLockMode mode) { m_locks.push_back(mode); }
    bool popLock();

private:
    AcDbDatabase* m_db;
    std::wstring m_path, m_title;
    bool m_named;
    std::vector<AcAp::DocLockMode> m_locks;
};

class DocumentManager : public AcApDocManager {
public:
    AcApDocument* curDocument() const override { return m_current; }
    AcApDocument* mdiActiveDocument() const override { return m_current; }
    AcApDocument* document(const AcDbDatabase* db) const override;
    int documentCount() const override { return static_cast<int>(m_docs.size()); }
    Acad::ErrorStatus setCurDocument(AcApDocument* doc, AcAp::DocLockMode mode, bool activate) override;
    Acad::ErrorStatus activateDocument(AcApDocument* doc, bool bPassScript) override;
    Acad::ErrorStatus lockDocument(AcApDocument* doc, AcAp::DocLockMode mode, const ACHAR* globalCmdName,
                                   const ACHAR* localCmdName, bool prompt) override;
    Acad::ErrorStatus unlockDocument(AcApDocument* doc) override;
    bool isApplicationContext() const override;
    Acad::ErrorStatus sendStringToExecute(AcApDocument* doc, const ACHAR* text, bool activate,
                                          bool wrapUpInactiveDoc, bool echoString) override;
    void pushResourceHandle(HINSTANCE resourceInstance) override;
    void pushAcadResourceHandle() override;
    bool popResourceHandle() override;

    // Host side.
    Document* current() const { return m_current; }
    Document* open(const std::wstring& path, std::wstring& why);
    Document* newDocument();
    void close(Document* doc);
    void closeAll();
    const std::vector<std::unique_ptr<Document>>& documents() const { return m_docs; }
    Document* find(const AcApDocument* doc) const;

private:
    std::vector<std::unique_ptr<Document>> m_docs;
    Document* m_current = nullptr;
    int m_untitled = 0;
};

DocumentManager& documentManager();

// Document context for one stack command: locks the current document as the command's flags
// ask (write unless ACRX_CMD_NOINTERNALLOCK; read for ACRX_CMD_DOCREADLOCK) until it returns.
class DocumentContextScope {
public:
    explicit DocumentContextScope(int32_t commandFlags);
    ~DocumentContextScope();
    DocumentContextScope(const DocumentContextScope&) = delete;
    DocumentContextScope& operator=(const DocumentContextScope&) = delete;

private:
    Document* m_locked = nullptr;
};

}  // namespace vx::editor
