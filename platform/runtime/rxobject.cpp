// Runtime classes, the system registry and its class dictionary.
#include "runtime/rxobject.h"

#include <cstdarg>
#include <cstdio>

namespace {

AcRxClass* makeRootClass(const char* name, AcRxClass* parent) {
    auto* cls = new AcRxClass(name, parent);
    acrxClassDictionary()->atPut(name, cls);
    return cls;
}

} // namespace

AcRxDictionary* acrxSysRegistry() {
    // The registry and the class dictionary live for the whole process.
    static AcRxDictionary* registry = [] {
        auto* dict = new AcRxDictionary;
        dict->atPut(kClassDictionary, new AcRxDictionary);
        return dict;
    }();
    return registry;
}

AcRxDictionary* acrxClassDictionary() {
    return static_cast<AcRxDictionary*>(acrxSysRegistry()->at(kClassDictionary));
}

AcRxClass* AcRxObject::desc() {
    static AcRxClass* cls = makeRootClass("AcRxObject", nullptr);
    return cls;
}
AcRxClass* AcRxObject::isA() const { return AcRxObject::desc(); }
bool AcRxObject::isKindOf(const AcRxClass* aClass) const {
    const AcRxClass* mine = isA();
    return mine && mine->isDerivedFrom(aClass);
}

AcRxClass::AcRxClass(std::string name, AcRxClass* parent, AcRxPseudoConstructor constructor,
                     std::string dxfName, std::string appName, int proxyFlags)
    : mName(std::move(name)), mParent(parent), mConstructor(constructor),
      mDxfName(std::move(dxfName)), mAppName(std::move(appName)), mProxyFlags(proxyFlags) {}

AcRxClass* AcRxClass::desc() {
    static AcRxClass* cls = makeRootClass("AcRxClass", AcRxObject::desc());
    return cls;
}
AcRxClass* AcRxClass::isA() const { return AcRxClass::desc(); }

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const {
    for (const AcRxClass* c = this; c; c = c->mParent)
        if (c == other) return true;
    return false;
}

AcRxClass* AcRxDictionary::desc() {
    static AcRxClass* cls = makeRootClass("AcRxDictionary", AcRxObject::desc());
    return cls;
}
AcRxClass* AcRxDictionary::isA() const { return AcRxDictionary::desc(); }
AcRxDictionary* AcRxDictionary::cast(const AcRxObject* object) {
    return (object && object->isKindOf(desc())) ? const_cast<AcRxDictionary*>(
                                                      static_cast<const AcRxDictionary*>(object))
                                                : nullptr;
}

AcRxObject* AcRxDictionary::at(const std::string& key) const {
    auto it = mEntries.find(key);
    return it == mEntries.end() ? nullptr : it->second;
}

AcRxObject* AcRxDictionary::atPut(const std::string& key, AcRxObject* object) {
    AcRxObject*& slot = mEntries[key];
    AcRxObject* old = slot;
    slot = object;
    return old;
}

AcRxObject* AcRxDictionary::remove(const std::string& key) {
    auto it = mEntries.find(key);
    if (it == mEntries.end()) return nullptr;
    AcRxObject* old = it->second;
    mEntries.erase(it);
    return old;
}

AcRxClass* newAcRxClass(const char* className, const char* parentClassName, int proxyFlags,
                        AcRxPseudoConstructor constructor, const char* dxfName,
                        const char* appName) {
    AcRxObject::desc();
    auto* parent = static_cast<AcRxClass*>(acrxClassDictionary()->at(parentClassName ? parentClassName : ""));
    auto* cls = new AcRxClass(className, parent, constructor, dxfName ? dxfName : "",
                              appName ? appName : "", proxyFlags);
    if (AcRxObject* old = acrxClassDictionary()->atPut(className, cls)) {
        // Re-registration replaces the entry; the old description stays
        // owned by whoever created it.
        (void)old;
    }
    return cls;
}

void deleteAcRxClass(AcRxClass* aClass) {
    if (!aClass) return;
    if (acrxClassDictionary()->at(aClass->name()) == aClass) acrxClassDictionary()->remove(aClass->name());
    delete aClass;
}

void acrxBuildClassHierarchy() {
    // Parents are resolved when classes are created; nothing to rebuild.
}

void acrx_abort(const char* format, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    throw AcRxAbort{buffer};
}
