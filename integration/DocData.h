// Per-drawing and per-project data, kept current by the document manager's
// and the editor's events.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ducts/DuctDbRecord.h"
#include "ducts/DuctSettings.h"
#include "geometry/AcGePoint2d.h"
#include "runtime/docman.h"
#include "runtime/editor.h"

class AcDbDatabase;
class DocDataManager;
class ProjectDatabaseData;

// One project: the open drawings of one folder, sharing one project
// database connection.
class zkPerProjectData {
public:
    // Connects at once when the first drawing carries the connection mark.
    zkPerProjectData(std::string name, AcDbDatabase* firstDrawing);
    virtual ~zkPerProjectData();

    const std::string& name() const { return mName; }
    int documentCount() const { return mDocumentCount; }
    bool isMetric() const { return mIsMetric; }
    void setIsMetric(bool metric) { mIsMetric = metric; }

    // Makes sure the project database connection is open; prints its own
    // message on failure when messages is true.
    bool makeReady(bool messages);
    ProjectDatabaseData& database() { return *mDatabase; }

private:
    friend class zkPerDocData;
    std::string mName;
    std::unique_ptr<ProjectDatabaseData> mDatabase;
    int mDocumentCount = 0;
    bool mIsMetric = false;
};

// One open drawing.
class zkPerDocData {
public:
    zkPerDocData(std::string fileName, AcDbDatabase* database, zkPerProjectData* project);
    virtual ~zkPerDocData();

    const std::string& fileName() const { return mFileName; }
    const std::string& shortName() const { return mShortName; }
    AcDbDatabase* database() const { return mDatabase; }
    zkPerProjectData* project() const { return mProject; }

    // The drawing's duct alignment point; loads it on first use. Prints the
    // "not set" message when asked to.
    bool alignmentPoint(AcGePoint2d& point, bool messages);
    void setAlignmentPoint(const AcGePoint2d& point);
    // The project is ready for this drawing: the first time, the drawing
    // gets the connection mark (unless it has it), so that it connects when
    // it is opened next.
    void projectReady();

private:
    std::string mFileName;
    std::string mShortName;
    AcDbDatabase* mDatabase;
    zkPerProjectData* mProject;
    AcGePoint2d mAlignmentPoint;
    bool mAlignmentPointSet = false;
    bool mAlignmentPointLoaded = false;
    bool mConnectionMarked = false;
};

// The module's own fields of a drawing's data, used by other parts of the
// module.
class hvacPerDocData : public zkPerDocData {
public:
    using zkPerDocData::zkPerDocData;
    std::string text1, text2, text3, text4;
    std::vector<std::string> textList;
    std::string text5;
    // The duct accessor (its component reference goes with this data) and
    // the current duct settings.
    DuctDbRecord ductRecord;
    DuctSettings ductSettings;
};

class zkDocReactor : public AcApDocManagerReactor {
public:
    explicit zkDocReactor(DocDataManager* manager) : mManager(manager) {}
    void documentCreateStarted(AcApDocument* doc) override;
    void documentCreated(AcApDocument* doc) override;
    void documentToBeDestroyed(AcApDocument* doc) override;
    void documentToBeActivated(AcApDocument* doc) override;

private:
    DocDataManager* mManager;
};

class zkEditorReactor : public AcEditorReactor {
public:
    explicit zkEditorReactor(DocDataManager* manager) : mManager(manager) {}
    void saveComplete(AcDbDatabase* database, const char* actualName) override;

private:
    DocDataManager* mManager;
};

class HvacDocReactor : public AcApDocManagerReactor {
public:
    explicit HvacDocReactor(DocDataManager* manager);
    ~HvacDocReactor() override;
    void documentActivated(AcApDocument* doc) override;

private:
    DocDataManager* mManager;
};

class DocDataManager {
public:
    DocDataManager();
    ~DocDataManager();
    DocDataManager(const DocDataManager&) = delete;
    DocDataManager& operator=(const DocDataManager&) = delete;

    // Head of the document list: the current drawing's data, or null.
    zkPerDocData* currentDocData() const { return mDocs.empty() ? nullptr : mDocs.front(); }
    bool addDocument(const std::string& fileName, AcDbDatabase* database);
    bool addDocument(AcApDocument* doc);
    bool removeDocument(const std::string& fileName);
    // Position in the list, or -1.
    int findDocument(const std::string& fileName) const;
    int findProject(const std::string& name) const;

    const std::vector<zkPerDocData*>& documents() const { return mDocs; }
    const std::vector<zkPerProjectData*>& projects() const { return mProjects; }
    bool creating() const { return mCreating; }
    void setCreating(bool creating) { mCreating = creating; }

private:
    bool mCreating = false;
    std::vector<zkPerProjectData*> mProjects;
    std::vector<zkPerDocData*> mDocs;
    std::unique_ptr<zkDocReactor> mDocReactor;
    std::unique_ptr<zkEditorReactor> mEditorReactor;
    std::unique_ptr<HvacDocReactor> mHvacDocReactor;
};

// The project key of a drawing: its folder, up to the last "\" or "/".
std::string projectKeyOf(const std::string& fileName);
// The file name after the last "\" (or "/").
std::string shortNameOf(const std::string& fileName);

// The module's manager: set while the module is initialised, null otherwise.
extern DocDataManager* gDocDataManager;
// Switch for the document-activated callback into AutoLISP.
extern bool gDoDocumentActivated;
