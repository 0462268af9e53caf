// Host-side controls of the AutoLISP interface: per-document function
// contexts, the system-variable registry and the command-line output sink.
#pragma once

#include "ads/ads.h"

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Makes the function table of documentKey current (creating it empty on first
// use). Functions registered with acedDefun/acedRegFunc go to the current
// table, and AutoLISP sees only the current table's functions. Before any
// call the table of the null key is current.
void adsSetFunctionContext(void* documentKey);
// Forgets the table of documentKey; if it was current, the null key's table
// becomes current.
void adsDropFunctionContext(void* documentKey);
void* adsCurrentFunctionContext();
// (name, code) of the current table, ordered by code.
std::vector<std::pair<std::string, short>> adsRegisteredFunctions();

// System variables: the getter fills result (restype and value; a string
// value is allocated with malloc and belongs to the caller of acedGetVar) and
// returns false if it cannot; the setter returns false to reject a value.
using AdsSysVarGetter = std::function<bool(resbuf* result)>;
using AdsSysVarSetter = std::function<bool(const resbuf* value)>;
// Names are case-insensitive. A null setter makes the variable read-only.
void adsRegisterSysVar(const char* name, AdsSysVarGetter getter, AdsSysVarSetter setter = {});
void adsUnregisterSysVar(const char* name);

// All command-line output (acutPrintf, princ, prin1, print, alerts) goes
// through one sink; an empty function restores the default (stdout).
using AdsOutputSink = std::function<void(std::string_view)>;
void adsSetOutputSink(AdsOutputSink sink);
void adsWriteOutput(std::string_view text);
