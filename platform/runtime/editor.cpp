// Editor reactors.
#include "runtime/editor.h"

#include <algorithm>

ACRX_SIMPLE_CLASS_MEMBERS(AcEditor, AcRxObject)

AcEditor* AcEditor::cast(const AcRxObject* object) {
    return (object && object->isKindOf(desc())) ? const_cast<AcEditor*>(static_cast<const AcEditor*>(object))
                                                : nullptr;
}

void AcEditor::addReactor(AcEditorReactor* reactor) {
    if (reactor && std::find(mReactors.begin(), mReactors.end(), reactor) == mReactors.end())
        mReactors.push_back(reactor);
}

void AcEditor::removeReactor(AcEditorReactor* reactor) {
    mReactors.erase(std::remove(mReactors.begin(), mReactors.end(), reactor), mReactors.end());
}

void AcEditor::fireSaveComplete(AcDbDatabase* database, const char* actualName) {
    for (auto* r : std::vector(mReactors)) r->saveComplete(database, actualName);
}

void AcEditor::fireCommandWillStart(const char* name) {
    for (auto* r : std::vector(mReactors)) r->commandWillStart(name);
}

void AcEditor::fireCommandEnded(const char* name) {
    for (auto* r : std::vector(mReactors)) r->commandEnded(name);
}

AcEditor* acedEditorPtr() {
    static AcEditor* editor = [] {
        auto* e = new AcEditor;
        acrxSysRegistry()->atPut("AcEditor", e);
        return e;
    }();
    return editor;
}
