// Document and project data and the reactors that keep them current.
#include "integration/DocData.h"

#include <algorithm>
#include <cstdlib>

#include "ads/ads.h"
#include "integration/LispCallbacks.h"
#include "project/ProjectData.h"
#include "database/dbdatabase.h"
#include "database/dbopen.h"
#include "database/dbsymtab.h"
#include "runtime/exceptions.h"

DocDataManager* gDocDataManager = nullptr;
bool gDoDocumentActivated = true;

std::string projectKeyOf(const std::string& fileName) {
    std::size_t slash = fileName.rfind('\\');
    if (slash == std::string::npos) slash = fileName.rfind('/');
    return slash == std::string::npos ? std::string{} : fileName.substr(0, slash);
}

std::string shortNameOf(const std::string& fileName) {
    std::size_t slash = fileName.rfind('\\');
    if (slash == std::string::npos) slash = fileName.rfind('/');
    return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

zkPerProjectData::zkPerProjectData(std::string name, AcDbDatabase* firstDrawing)
    : mName(std::move(name)), mDatabase(std::make_unique<ProjectDatabaseData>(mName)) {
    mDatabase->connectIfMarked(firstDrawing);
}

zkPerProjectData::~zkPerProjectData() { mDatabase->disconnect(); }

bool zkPerProjectData::makeReady(bool messages) { return mDatabase->makeReady(messages); }

zkPerDocData::zkPerDocData(std::string fileName, AcDbDatabase* database, zkPerProjectData* project)
    : mFileName(std::move(fileName)), mShortName(shortNameOf(mFileName)), mDatabase(database),
      mProject(project) {
    if (!mProject) AfxThrowInvalidArgException();
    ++mProject->mDocumentCount;
}

zkPerDocData::~zkPerDocData() { --mProject->mDocumentCount; }

namespace {

// A drawing keeps its alignment point in model space extended data of the
// application "ORVANE_ALIGN": one 1010 point (x, y, 0).
constexpr const char* kAlignmentApp = "ORVANE_ALIGN";

bool loadAlignmentPoint(AcDbDatabase* db, AcGePoint2d& point) {
    if (!db) return false;
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return false;
    resbuf* xdata = space->xData(kAlignmentApp);
    space->close();
    bool found = false;
    for (resbuf* rb = xdata; rb; rb = rb->rbnext) {
        if (rb->restype == 1010) {
            point.set(rb->resval.rpoint[0], rb->resval.rpoint[1]);
            found = true;
            break;
        }
    }
    acutRelRb(xdata);
    return found;
}

void storeAlignmentPoint(AcDbDatabase* db, const AcGePoint2d& point) {
    if (!db) return;
    db->registerApp(kAlignmentApp);
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) return;
    double p[3] = {point.x, point.y, 0.0};
    resbuf* xdata = acutBuildList(1001, kAlignmentApp, 1010, p, 0);
    space->setXData(xdata);
    acutRelRb(xdata);
    space->close();
}

} // namespace

bool zkPerDocData::alignmentPoint(AcGePoint2d& point, bool messages) {
    // Until it is set, each look reads the drawing again: the product may
    // have set it since.
    if (!mAlignmentPointLoaded || !mAlignmentPointSet) {
        mAlignmentPointSet = loadAlignmentPoint(mDatabase, mAlignmentPoint);
        mAlignmentPointLoaded = true;
    }
    if (!mAlignmentPointSet) {
        if (messages) acutPrintf("\nAlignment point not set yet!\nIt must be set before ducts can be inserted.");
        return false;
    }
    point = mAlignmentPoint;
    return true;
}

void zkPerDocData::setAlignmentPoint(const AcGePoint2d& point) {
    mAlignmentPoint = point;
    mAlignmentPointSet = true;
    mAlignmentPointLoaded = true;
    storeAlignmentPoint(mDatabase, point);
}

void zkPerDocData::projectReady() {
    if (mConnectionMarked) return;
    mConnectionMarked = drawingIsMarked(mDatabase) || markDrawing(mDatabase);
}

DocDataManager::DocDataManager() {
    mDocReactor = std::make_unique<zkDocReactor>(this);
    acDocManager->addReactor(mDocReactor.get());
    mEditorReactor = std::make_unique<zkEditorReactor>(this);
    if (AcEditor* editor = AcEditor::cast(acrxSysRegistry()->at("AcEditor"))) editor->addReactor(mEditorReactor.get());
    std::unique_ptr<AcApDocumentIterator> it(acDocManager->newAcApDocumentIterator());
    for (; !it->done(); it->step()) addDocument(it->document());
    // The document that is current in the host goes to the head.
    if (AcApDocument* current = acDocManager->curDocument()) addDocument(current);
    mHvacDocReactor = std::make_unique<HvacDocReactor>(this);
}

DocDataManager::~DocDataManager() {
    acDocManager->removeReactor(mDocReactor.get());
    mDocReactor.reset();
    if (AcEditor* editor = AcEditor::cast(acrxSysRegistry()->at("AcEditor"))) editor->removeReactor(mEditorReactor.get());
    mEditorReactor.reset();
    mHvacDocReactor.reset();
    while (!mDocs.empty()) {
        delete mDocs.front();
        mDocs.erase(mDocs.begin());
    }
    for (auto* project : mProjects) delete project;
    mProjects.clear();
}

int DocDataManager::findDocument(const std::string& fileName) const {
    for (std::size_t i = 0; i < mDocs.size(); ++i)
        if (mDocs[i]->fileName() == fileName) return static_cast<int>(i);
    return -1;
}

int DocDataManager::findProject(const std::string& name) const {
    for (std::size_t i = 0; i < mProjects.size(); ++i)
        if (mProjects[i]->name() == name) return static_cast<int>(i);
    return -1;
}

bool DocDataManager::addDocument(const std::string& fileName, AcDbDatabase* database) {
    int found = findDocument(fileName);
    if (found >= 0) {
        // Only the head and the found element trade places.
        std::swap(mDocs[0], mDocs[found]);
        return true;
    }
    std::string key = projectKeyOf(fileName);
    int projectPos = findProject(key);
    zkPerProjectData* project = nullptr;
    if (projectPos >= 0) {
        project = mProjects[projectPos];
    } else {
        project = new zkPerProjectData(key, database);
        mProjects.insert(mProjects.begin(), project);
    }
    mDocs.insert(mDocs.begin(), new hvacPerDocData(fileName, database, project));
    return true;
}

bool DocDataManager::addDocument(AcApDocument* doc) {
    if (!doc) return false;
    return addDocument(doc->fileName(), doc->database());
}

bool DocDataManager::removeDocument(const std::string& fileName) {
    int found = findDocument(fileName);
    if (found < 0) return true;
    zkPerDocData* data = mDocs[found];
    mDocs.erase(mDocs.begin() + found);
    zkPerProjectData* project = data->project();
    delete data;
    if (project->documentCount() == 0) {
        int pos = findProject(project->name());
        if (pos >= 0) mProjects.erase(mProjects.begin() + pos);
        delete project;
    }
    return true;
}

void zkDocReactor::documentCreateStarted(AcApDocument* doc) {
    if (mManager && doc) mManager->setCreating(true);
}

void zkDocReactor::documentCreated(AcApDocument* doc) {
    if (!mManager || !doc) return;
    mManager->setCreating(false);
    mManager->addDocument(doc);
    AcGePoint2d ignored;
    if (zkPerDocData* data = mManager->currentDocData()) data->alignmentPoint(ignored, false);
}

void zkDocReactor::documentToBeActivated(AcApDocument* doc) {
    if (mManager && doc) mManager->addDocument(doc);
}

void zkDocReactor::documentToBeDestroyed(AcApDocument* doc) {
    if (mManager && doc) mManager->removeDocument(doc->fileName());
}

void zkEditorReactor::saveComplete(AcDbDatabase* database, const char* actualName) {
    if (!mManager || !actualName) return;
    AcApDocument* active = acDocManager->mdiActiveDocument();
    if (!active || active->database() != database) return;
    resbuf saveFile{};
    std::string autoSaveName;
    if (acedGetVar("savefile", &saveFile) == RTNORM && saveFile.restype == RTSTR && saveFile.resval.rstring) {
        autoSaveName = saveFile.resval.rstring;
        std::free(saveFile.resval.rstring);
    }
    zkPerDocData* current = mManager->currentDocData();
    if (!current) return;
    if (current->fileName() != actualName && autoSaveName != actualName) {
        std::string oldName = current->fileName();
        mManager->removeDocument(oldName);
        mManager->addDocument(actualName, database);
    }
}

HvacDocReactor::HvacDocReactor(DocDataManager* manager) : mManager(manager) {
    acDocManager->addReactor(this);
}

HvacDocReactor::~HvacDocReactor() { acDocManager->removeReactor(this); }

void HvacDocReactor::documentActivated(AcApDocument* doc) {
    if (!mManager || !gDoDocumentActivated || !doc || !doc->isQuiescent()) return;
    invokeLispIgnoringResult("c:zk_hvac-doToDo");
}
