// Duct defaults from the project's global settings.
#include "project/DuctDefaults.h"

#include <cwchar>
#include <string>

#include "projectdb/fieldlisthelpers.h"

namespace {

double globalNumber(IProjectDatabasePtr& db, const wchar_t* key) {
    _variant_t fields;
    db.SetTable(L"tblGlobal", L"sKey");
    if (!db.Seek(std::wstring(key), fields)) return 0.0;
    const VARIANT* number = fieldValue(fields, L"dNumber");
    if (number && number->vt == VT_R8) return number->dblVal;
    if (number && number->vt == VT_I4) return number->lVal;
    const VARIANT* text = fieldValue(fields, L"sText");
    if (text && text->vt == VT_BSTR && text->bstrVal) return std::wcstod(text->bstrVal, nullptr);
    return 0.0;
}

}  // namespace

DuctDefaults readDuctDefaults(IProjectDatabasePtr& db) {
    DuctDefaults d;
    if (!db) return d;
    d.interiorLining = globalNumber(db, L"LINING WIDTH");
    d.exteriorLining = globalNumber(db, L"EXTERIOR LINING WIDTH");
    return d;
}
