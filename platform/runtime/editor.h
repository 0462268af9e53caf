// The editor and its event reactors ("AcEditor" in the system registry).
#pragma once

#include <vector>

#include "runtime/rxobject.h"

class AcDbDatabase;

class AcRxEventReactor {
public:
    virtual ~AcRxEventReactor() = default;
};

class AcEditorReactor : public AcRxEventReactor {
public:
    // A drawing was written to actualName (a save, a save under a new name,
    // or an automatic save).
    virtual void saveComplete(AcDbDatabase* /*database*/, const char* /*actualName*/) {}
    virtual void commandWillStart(const char* /*name*/) {}
    virtual void commandEnded(const char* /*name*/) {}
};

class AcEditor : public AcRxObject {
public:
    static AcRxClass* desc();
    AcRxClass* isA() const override;
    static AcEditor* cast(const AcRxObject* object);

    void addReactor(AcEditorReactor* reactor);
    void removeReactor(AcEditorReactor* reactor);
    // Host side: tells every reactor that a save completed.
    void fireSaveComplete(AcDbDatabase* database, const char* actualName);
    // Host side: a command starts or has ended (its global name).
    void fireCommandWillStart(const char* name);
    void fireCommandEnded(const char* name);

private:
    std::vector<AcEditorReactor*> mReactors;
};

// The host's editor, registered as "AcEditor" in the system registry.
AcEditor* acedEditorPtr();
#define acedEditor acedEditorPtr()
