// Global text lookup by key.
#include "project/GlobalSettings.h"

#include "projectdb/fieldlisthelpers.h"

std::wstring globalText(IProjectDatabasePtr& db, const std::wstring& key)
{
    if (!db) return {};
    _variant_t fields;
    db.SetTable(L"tblGlobal", L"sKey");
    if (!db.Seek(key, fields)) return {};
    const VARIANT* text = fieldValue(fields, L"sText");
    if (!text || text->vt != VT_BSTR) return {};
    return std::wstring(text->bstrVal, SysStringLen(text->bstrVal));
}
