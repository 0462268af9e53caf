// Document manager: document lifetime, activation order and locking.
#include "runtime/docman.h"

#include <algorithm>

ACRX_SIMPLE_CLASS_MEMBERS(AcApDocument, AcRxObject)
ACRX_SIMPLE_CLASS_MEMBERS(AcApDocManager, AcRxObject)

AcAp::DocLockMode AcApDocument::lockMode() const {
    return mLocks.empty() ? AcAp::kNotLocked : mLocks.back();
}

AcApDocManager* acDocManagerPtr() {
    static AcApDocManager manager;
    return &manager;
}

AcApDocument* AcApDocManager::document(const AcDbDatabase* database) const {
    for (const auto& doc : mDocs)
        if (doc->mDatabase == database) return doc.get();
    return nullptr;
}

AcApDocumentIterator* AcApDocManager::newAcApDocumentIterator() const {
    std::vector<AcApDocument*> docs;
    for (const auto& doc : mDocs) docs.push_back(doc.get());
    return new AcApDocumentIterator(std::move(docs));
}

AcApDocument* AcApDocManager::findDocument(const std::string& fileName) const {
    for (const auto& doc : mDocs)
        if (doc->mFileName == fileName) return doc.get();
    return nullptr;
}

int AcApDocManager::lockDocument(AcApDocument* doc, AcAp::DocLockMode mode, const char*, const char*, bool) {
    if (!doc) return 5; // invalid input
    AcAp::DocLockMode old = doc->lockMode();
    doc->mLocks.push_back(mode);
    ++doc->mLockCount;
    if (old != mode)
        for (auto* r : std::vector(mReactors)) r->documentLockModeChanged(doc, old, mode);
    return 0;
}

int AcApDocManager::unlockDocument(AcApDocument* doc) {
    if (!doc || doc->mLocks.empty()) return 5;
    AcAp::DocLockMode old = doc->lockMode();
    doc->mLocks.pop_back();
    --doc->mLockCount;
    AcAp::DocLockMode now = doc->lockMode();
    if (old != now)
        for (auto* r : std::vector(mReactors)) r->documentLockModeChanged(doc, old, now);
    return 0;
}

void AcApDocManager::addReactor(AcApDocManagerReactor* reactor) {
    if (reactor && std::find(mReactors.begin(), mReactors.end(), reactor) == mReactors.end())
        mReactors.push_back(reactor);
}

void AcApDocManager::removeReactor(AcApDocManagerReactor* reactor) {
    mReactors.erase(std::remove(mReactors.begin(), mReactors.end(), reactor), mReactors.end());
}

// Switching documents: the old one is told first, then the new one before
// and after it becomes current. Reactors may add or remove reactors while
// being called, so each event walks a copy of the list.
void AcApDocManager::makeCurrent(AcApDocument* doc) {
    if (mCurrent && mCurrent != doc)
        for (auto* r : std::vector(mReactors)) r->documentToBeDeactivated(mCurrent);
    for (auto* r : std::vector(mReactors)) r->documentToBeActivated(doc);
    mCurrent = doc;
    if (onCurrentChanged) onCurrentChanged(doc);
}

AcApDocument* AcApDocManager::createDocument(const std::string& fileName, AcDbDatabase* database) {
    mDocs.push_back(std::unique_ptr<AcApDocument>(new AcApDocument(fileName, database)));
    AcApDocument* doc = mDocs.back().get();
    for (auto* r : std::vector(mReactors)) r->documentCreateStarted(doc);
    makeCurrent(doc);
    if (onDocumentLoaded) onDocumentLoaded(doc);
    for (auto* r : std::vector(mReactors)) r->documentCreated(doc);
    for (auto* r : std::vector(mReactors)) r->documentActivated(doc);
    return doc;
}

void AcApDocManager::activateDocument(AcApDocument* doc) {
    if (!doc || doc == mCurrent) return;
    makeCurrent(doc);
    for (auto* r : std::vector(mReactors)) r->documentActivated(doc);
}

void AcApDocManager::closeDocument(AcApDocument* doc) {
    auto it = std::find_if(mDocs.begin(), mDocs.end(), [&](const auto& d) { return d.get() == doc; });
    if (it == mDocs.end()) return;
    for (auto* r : std::vector(mReactors)) r->documentToBeDestroyed(doc);
    std::string fileName = doc->mFileName;
    std::unique_ptr<AcApDocument> owned = std::move(*it);
    mDocs.erase(it);
    if (onDocumentClosed) onDocumentClosed(owned.get());
    if (mCurrent == doc) {
        mCurrent = nullptr;
        if (onCurrentChanged) onCurrentChanged(nullptr);
    }
    if (databaseDeleter && owned->mDatabase) databaseDeleter(owned->mDatabase);
    for (auto* r : std::vector(mReactors)) r->documentDestroyed(fileName.c_str());
    if (!mCurrent && !mDocs.empty() && !mClosingAll) activateDocument(mDocs.back().get());
}

// Activating the next document while all close would run activation
// callbacks that may create documents, so closing would never end.
void AcApDocManager::closeAll() {
    mClosingAll = true;
    while (!mDocs.empty()) closeDocument(mDocs.back().get());
    mClosingAll = false;
}

void AcApDocManager::setFileName(AcApDocument* doc, const std::string& fileName) {
    if (doc) doc->mFileName = fileName;
}
