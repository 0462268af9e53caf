// The system-variable registry behind acedGetVar and acedSetVar.
#include "lisp/AdsHost.h"

#include <cctype>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <map>
#include <string>

namespace {

struct SysVar {
    AdsSysVarGetter getter;
    AdsSysVarSetter setter;
};

// The clock variables every host has: CDATE (local calendar date and time
// as YYYYMMDD.HHMMSSmmm), DATE (Julian day and fraction) and MILLISECS
// (milliseconds of a steady clock, wrapping at 32 bits).
void addClockVars(std::map<std::string, SysVar>& vars) {
    vars["CDATE"].getter = [](resbuf* rb) {
        auto now = std::chrono::system_clock::now();
        std::time_t seconds = std::chrono::system_clock::to_time_t(now);
        long millis = static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
        std::tm local{};
        localtime_r(&seconds, &local);
        double date = (local.tm_year + 1900) * 10000.0 + (local.tm_mon + 1) * 100.0 + local.tm_mday;
        double time = local.tm_hour * 10000000.0 + local.tm_min * 100000.0 + local.tm_sec * 1000.0 + millis;
        rb->restype = RTREAL;
        rb->resval.rreal = date + time / 1e9;
        return true;
    };
    vars["DATE"].getter = [](resbuf* rb) {
        double unixSeconds = std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
        rb->restype = RTREAL;
        rb->resval.rreal = 2440587.5 + unixSeconds / 86400.0;
        return true;
    };
    vars["MILLISECS"].getter = [](resbuf* rb) {
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch()).count();
        rb->restype = RTLONG;
        rb->resval.rlong = static_cast<int32_t>(static_cast<uint32_t>(ms));
        return true;
    };
}

std::map<std::string, SysVar>& sysVars() {
    static std::map<std::string, SysVar> vars = [] {
        std::map<std::string, SysVar> initial;
        addClockVars(initial);
        return initial;
    }();
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
