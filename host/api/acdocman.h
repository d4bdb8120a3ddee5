// The document manager: open drawings, the current one, document locks, the execution
// context (a command runs in its document's context, a palette button in the application's),
// and the resource-handle stack that dialogs take their templates from.
#pragma once

#include "acadstrc.h"
#include "actext.h"
#include "win32.h"

class AcDbDatabase;
class AcDbObjectId;

namespace AcAp {
enum DocLockMode {
    kNone = 0x00,
    kAutoWrite = 0x01,
    kNotLocked = 0x02,
    kWrite = 0x04,
    kProtectedAutoWrite = 0x08,
    kRead = 0x10,
    kXWrite = 0x20,
};
}  // namespace AcAp

class AcApDocument {
public:
    virtual ~AcApDocument() = default;
    // The drawing's path as opened or last saved; a new drawing has its default name.
    virtual const ACHAR* fileName() const = 0;
    virtual const ACHAR* docTitle() const = 0;
    virtual AcDbDatabase* database() const = 0;
    virtual bool isReadOnly() const = 0;
    // The strongest lock held now (kNotLocked when none).
    virtual AcAp::DocLockMode lockMode(bool includeMyLocks = false) const = 0;
    virtual AcAp::DocLockMode myLockMode() const = 0;
    virtual bool isQuiescent() const = 0;
};

class AcApDocManager {
public:
    virtual ~AcApDocManager() = default;
    virtual AcApDocument* curDocument() const = 0;
    virtual AcApDocument* mdiActiveDocument() const = 0;
    virtual AcApDocument* document(const AcDbDatabase* db) const = 0;
    virtual int documentCount() const = 0;
    virtual Acad::ErrorStatus setCurDocument(AcApDocument* doc, AcAp::DocLockMode mode = AcAp::kNone,
                                             bool activate = false) = 0;
    virtual Acad::ErrorStatus activateDocument(AcApDocument* doc, bool bPassScript = false) = 0;
    // Locks nest; each lockDocument needs one unlockDocument. eLockViolation when another
    // context holds a conflicting lock.
    virtual Acad::ErrorStatus lockDocument(AcApDocument* doc, AcAp::DocLockMode mode = AcAp::kWrite,
                                           const ACHAR* globalCmdName = nullptr,
                                           const ACHAR* localCmdName = nullptr,
                                           bool prompt = true) = 0;
    virtual Acad::ErrorStatus unlockDocument(AcApDocument* doc) = 0;
    // True outside any command (palette buttons, modeless windows).
    virtual bool isApplicationContext() const = 0;
    // Queues text as typed into the document's command line.
    virtual Acad::ErrorStatus sendStringToExecute(AcApDocument* doc, const ACHAR* text,
                                                  bool activate = true, bool wrapUpInactiveDoc = false,
                                                  bool echoString = true) = 0;
    virtual void pushResourceHandle(HINSTANCE resourceInstance) = 0;
    virtual void pushAcadResourceHandle() = 0;
    virtual bool popResourceHandle() = 0;
};

AcApDocManager* acDocManagerPtr();
#define acDocManager acDocManagerPtr()

// Current document helpers of the C interface.
AcApDocument* curDoc();

// A write lock on a document for the lifetime of the object. The default locks the current
// document; the others lock the document of the object's or database's drawing.
class AcAxDocLock {
public:
    enum DocLockType { kNormal = 0, kCurDocSwitch = 1 };
    AcAxDocLock();
    explicit AcAxDocLock(const AcDbObjectId& objectId, DocLockType type = kNormal);
    explicit AcAxDocLock(AcDbDatabase* db, DocLockType type = kNormal);
    ~AcAxDocLock();
    AcAxDocLock(const AcAxDocLock&) = delete;
    AcAxDocLock& operator=(const AcAxDocLock&) = delete;

    Acad::ErrorStatus lockStatus() const { return m_status; }

private:
    void lock(AcApDocument* doc);
    AcApDocument* m_doc = nullptr;
    Acad::ErrorStatus m_status = Acad::eNoDocument;
};
