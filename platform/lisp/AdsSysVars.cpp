// The system-variable registry behind acedGetVar and acedSetVar.
#include "lisp/AdsHost.h"

#include <cctype>
#include <map>
#include <string>

namespace {

struct SysVar {
    AdsSysVarGetter getter;
    AdsSysVarSetter setter;
};

std::map<std::string, SysVar>& sysVars() {
    static std::map<std::string, SysVar> vars;
    return vars;
}

std::string upperName(const char* name) {
    std::string text = name ? name : "";
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

void adsRegisterSysVar(const char* name, AdsSysVarGetter getter, AdsSysVarSetter setter) {
    if (!name || !*name) return;
    sysVars()[upperName(name)] = SysVar{std::move(getter), std::move(setter)};
}

void adsUnregisterSysVar(const char* name) { sysVars().erase(upperName(name)); }

int acedGetVar(const char* name, resbuf* result) {
    if (!name || !result) return RTERROR;
    auto found = sysVars().find(upperName(name));
    if (found == sysVars().end() || !found->second.getter) return RTERROR;
    return found->second.getter(result) ? RTNORM : RTERROR;
}

int acedSetVar(const char* name, const resbuf* value) {
    if (!name || !value) return RTERROR;
    auto found = sysVars().find(upperName(name));
    if (found == sysVars().end() || !found->second.setter) return RTERROR;
    return found->second.setter(value) ? RTNORM : RTERROR;
}
