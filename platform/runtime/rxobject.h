// Runtime type information of the host: every host object derives from
// AcRxObject and is described by an AcRxClass registered by name.
#pragma once

#include <functional>
#include <map>
#include <string>

class AcRxClass;

class AcRxObject {
public:
    virtual ~AcRxObject() = default;
    static AcRxClass* desc();
    static AcRxObject* cast(const AcRxObject* object) { return const_cast<AcRxObject*>(object); }
    virtual AcRxClass* isA() const;
    bool isKindOf(const AcRxClass* aClass) const;
};

// Declares the class-description members of a runtime class.
#define ACRX_DECLARE_MEMBERS(CLASS)                                                     \
public:                                                                                 \
    static AcRxClass* desc();                                                           \
    static CLASS* cast(const AcRxObject* object) {                                      \
        return (object && object->isKindOf(CLASS::desc())) ? const_cast<CLASS*>(        \
                                                                 static_cast<const CLASS*>(object)) \
                                                           : nullptr;                   \
    }                                                                                   \
    AcRxClass* isA() const override;                                                    \
    static AcRxClass* gpDesc;                                                           \
    static void rxInit();

using AcRxPseudoConstructor = AcRxObject* (*)();

class AcRxClass : public AcRxObject {
public:
    AcRxClass(std::string name, AcRxClass* parent, AcRxPseudoConstructor constructor = nullptr,
              std::string dxfName = {}, std::string appName = {}, int proxyFlags = 0);
    static AcRxClass* desc();
    AcRxClass* isA() const override;

    const std::string& name() const { return mName; }
    const std::string& dxfName() const { return mDxfName; }
    const std::string& appName() const { return mAppName; }
    AcRxClass* myParent() const { return mParent; }
    int proxyFlags() const { return mProxyFlags; }
    bool isDerivedFrom(const AcRxClass* other) const;
    // Creates an instance through the pseudo-constructor (null if abstract).
    AcRxObject* create() const { return mConstructor ? mConstructor() : nullptr; }
    AcRxPseudoConstructor constructor() const { return mConstructor; }

private:
    std::string mName;
    AcRxClass* mParent;
    AcRxPseudoConstructor mConstructor;
    std::string mDxfName;
    std::string mAppName;
    int mProxyFlags;
};

// A dictionary of named runtime objects (the system registry and its
// "ClassDictionary" are such dictionaries). Entries are not owned.
class AcRxDictionary : public AcRxObject {
public:
    static AcRxClass* desc();
    AcRxClass* isA() const override;
    static AcRxDictionary* cast(const AcRxObject* object);

    AcRxObject* at(const std::string& key) const;
    // Stores the entry and returns the one it replaced (or null).
    AcRxObject* atPut(const std::string& key, AcRxObject* object);
    AcRxObject* remove(const std::string& key);
    const std::map<std::string, AcRxObject*>& entries() const { return mEntries; }

private:
    std::map<std::string, AcRxObject*> mEntries;
};

inline constexpr const char* kClassDictionary = "ClassDictionary";
inline constexpr const char* ACRX_COMMAND_DOCK = "ACAD_REGISTERED_COMMANDS";

AcRxDictionary* acrxSysRegistry();
AcRxDictionary* acrxClassDictionary();

// Registers a new class under its name in the class dictionary.
AcRxClass* newAcRxClass(const char* className, const char* parentClassName, int proxyFlags = 0,
                        AcRxPseudoConstructor constructor = nullptr, const char* dxfName = nullptr,
                        const char* appName = nullptr);
void deleteAcRxClass(AcRxClass* aClass);
void acrxBuildClassHierarchy();
// Fatal stop of the host with a message (throws AcRxAbort in the stand-in so
// tests can observe it).
[[noreturn]] void acrx_abort(const char* format, ...);

struct AcRxAbort {
    std::string message;
};

// Defines desc/isA/rxInit for CLASS with parent PARENT. The class is created
// in the class dictionary by rxInit (or on first desc() for host classes).
#define ACRX_DEFINE_MEMBERS_IMPL(CLASS, PARENT, CONSTRUCTOR, DXFNAME, APPNAME)               \
    AcRxClass* CLASS::gpDesc = nullptr;                                                     \
    AcRxClass* CLASS::desc() {                                                              \
        if (!gpDesc) {                                                                      \
            AcRxObject* found = acrxClassDictionary()->at(#CLASS);                          \
            gpDesc = found ? static_cast<AcRxClass*>(found) : nullptr;                      \
        }                                                                                   \
        return gpDesc;                                                                      \
    }                                                                                       \
    AcRxClass* CLASS::isA() const { return CLASS::desc(); }                                 \
    void CLASS::rxInit() {                                                                  \
        gpDesc = newAcRxClass(#CLASS, #PARENT, 0, CONSTRUCTOR, DXFNAME, APPNAME);           \
    }

// A host class: registered once, lazily, the first time its description is
// asked for.
#define ACRX_HOST_CLASS_MEMBERS(CLASS, PARENT, CONSTRUCTOR, DXFNAME)                        \
    AcRxClass* CLASS::gpDesc = nullptr;                                                     \
    AcRxClass* CLASS::desc() {                                                              \
        if (!gpDesc) {                                                                      \
            PARENT::desc();                                                                 \
            AcRxObject* found = acrxClassDictionary()->at(#CLASS);                          \
            gpDesc = found ? static_cast<AcRxClass*>(found)                                 \
                           : newAcRxClass(#CLASS, #PARENT, 0, CONSTRUCTOR, DXFNAME, "");    \
        }                                                                                   \
        return gpDesc;                                                                      \
    }                                                                                       \
    AcRxClass* CLASS::isA() const { return CLASS::desc(); }                                 \
    void CLASS::rxInit() { desc(); }

// desc/isA for a host class that declares just `static AcRxClass* desc();`
// and `AcRxClass* isA() const override;` (no pseudo-constructor).
#define ACRX_SIMPLE_CLASS_MEMBERS(CLASS, PARENT)                                            \
    AcRxClass* CLASS::desc() {                                                              \
        static AcRxClass* cls = [] {                                                        \
            AcRxObject* found = acrxClassDictionary()->at(#CLASS);                          \
            return found ? static_cast<AcRxClass*>(found)                                   \
                         : newAcRxClass(#CLASS, PARENT::desc()->name().c_str());            \
        }();                                                                                \
        return cls;                                                                         \
    }                                                                                       \
    AcRxClass* CLASS::isA() const { return CLASS::desc(); }
