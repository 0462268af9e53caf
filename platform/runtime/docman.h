// The document manager: open drawings, the current and active document,
// document locking and the document reactors.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/rxobject.h"

class AcDbDatabase;
class AcApDocument;

namespace AcAp {
enum DocLockMode {
    kNone = 0x00,
    kAutoWrite = 0x01,
    kNotLocked = 0x02,
    kWrite = 0x04,
    kProtectedAutoWrite = 0x14,
    kRead = 0x20,
    kXWrite = 0x40,
};
} // namespace AcAp

class AcApDocument : public AcRxObject {
public:
    static AcRxClass* desc();
    AcRxClass* isA() const override;

    const char* fileName() const { return mFileName.c_str(); }
    AcDbDatabase* database() const { return mDatabase; }
    AcAp::DocLockMode lockMode() const;
    int lockCount() const { return mLockCount; }
    // True when no command or AutoLISP call is in progress in the document.
    bool isQuiescent() const { return mBusy == 0; }

private:
    friend class AcApDocManager;
    AcApDocument(std::string fileName, AcDbDatabase* database) : mFileName(std::move(fileName)), mDatabase(database) {}
    std::string mFileName;
    AcDbDatabase* mDatabase;
    std::vector<AcAp::DocLockMode> mLocks;
    int mLockCount = 0;
    int mBusy = 0;
};

class AcApDocManagerReactor {
public:
    virtual ~AcApDocManagerReactor() = default;
    virtual void documentCreateStarted(AcApDocument*) {}
    virtual void documentCreated(AcApDocument*) {}
    virtual void documentToBeDestroyed(AcApDocument*) {}
    virtual void documentDestroyed(const char* /*fileName*/) {}
    virtual void documentToBeActivated(AcApDocument*) {}
    virtual void documentActivated(AcApDocument*) {}
    virtual void documentToBeDeactivated(AcApDocument*) {}
    virtual void documentLockModeChanged(AcApDocument*, AcAp::DocLockMode /*old*/, AcAp::DocLockMode /*new*/) {}
};

class AcApDocumentIterator {
public:
    explicit AcApDocumentIterator(std::vector<AcApDocument*> docs) : mDocs(std::move(docs)) {}
    bool done() const { return mIndex >= mDocs.size(); }
    void step() { ++mIndex; }
    AcApDocument* document() const { return done() ? nullptr : mDocs[mIndex]; }

private:
    std::vector<AcApDocument*> mDocs;
    std::size_t mIndex = 0;
};

class AcApDocManager : public AcRxObject {
public:
    static AcRxClass* desc();
    AcRxClass* isA() const override;

    AcApDocument* curDocument() const { return mCurrent; }
    AcApDocument* mdiActiveDocument() const { return mCurrent; }
    AcApDocument* document(const AcDbDatabase* database) const;
    int documentCount() const { return static_cast<int>(mDocs.size()); }
    // A new iterator over the open documents, in opening order (caller
    // deletes it).
    AcApDocumentIterator* newAcApDocumentIterator() const;

    // Returns 0 (eOk) when locked; the lock is counted and must be balanced
    // by unlockDocument.
    int lockDocument(AcApDocument* doc, AcAp::DocLockMode mode = AcAp::kWrite,
                     const char* globalCmdName = nullptr, const char* localCmdName = nullptr,
                     bool prompt = true);
    int unlockDocument(AcApDocument* doc);

    void addReactor(AcApDocManagerReactor* reactor);
    void removeReactor(AcApDocManagerReactor* reactor);

    // Host side: documents are created, activated and closed by the host
    // program; each fires the reactor events in the host's order.
    // createDocument takes ownership of the database (released through the
    // database deleter when the document closes).
    AcApDocument* createDocument(const std::string& fileName, AcDbDatabase* database);
    void activateDocument(AcApDocument* doc);
    void closeDocument(AcApDocument* doc);
    void closeAll();
    AcApDocument* findDocument(const std::string& fileName) const;
    // Renames a document after a save under a new name.
    void setFileName(AcApDocument* doc, const std::string& fileName);

    // Marks the document busy for the length of a command or AutoLISP call.
    void beginCommand(AcApDocument* doc) { if (doc) ++doc->mBusy; }
    void endCommand(AcApDocument* doc) { if (doc && doc->mBusy > 0) --doc->mBusy; }

    // Hooks the host program installs: called when a document becomes
    // current (AutoLISP function context, working database), when a new
    // document is ready for the applications' load-drawing message, and to
    // release a closed document's database.
    std::function<void(AcApDocument*)> onCurrentChanged;
    std::function<void(AcApDocument*)> onDocumentLoaded;
    std::function<void(AcApDocument*)> onDocumentClosed;
    std::function<void(AcDbDatabase*)> databaseDeleter;

private:
    void makeCurrent(AcApDocument* doc);
    std::vector<std::unique_ptr<AcApDocument>> mDocs;
    std::vector<AcApDocManagerReactor*> mReactors;
    AcApDocument* mCurrent = nullptr;
    bool mClosingAll = false;  // no document is activated while all close
};

// The host's single document manager.
AcApDocManager* acDocManagerPtr();
#define acDocManager acDocManagerPtr()
inline AcApDocument* curDoc() { return acDocManager->curDocument(); }
