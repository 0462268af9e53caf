// Field list construction and lookup by name.
#include "projectdb/fieldlisthelpers.h"

#include <algorithm>
#include <cwctype>

_variant_t makeFieldList(const std::vector<std::pair<std::wstring, _variant_t>>& fields)
{
    _variant_t list;
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(fields.size() * 2));
    if (!array) return list;
    auto* items = static_cast<VARIANT*>(array->pvData);
    for (size_t i = 0; i < fields.size(); ++i) {
        items[2 * i].vt = VT_BSTR;
        items[2 * i].bstrVal = SysAllocStringLen(fields[i].first.data(), unsigned(fields[i].first.size()));
        VariantCopy(&items[2 * i + 1], &fields[i].second);
    }
    list.vt = VT_ARRAY | VT_VARIANT;
    list.parray = array;
    return list;
}

size_t fieldCount(const VARIANT& fieldList)
{
    if (fieldList.vt != (VT_ARRAY | VT_VARIANT) || !fieldList.parray) return 0;
    return fieldList.parray->rgsabound[0].cElements / 2;
}

// Field names match without regard to case, as the database's do; an exact
// match is preferred.
const VARIANT* fieldValue(const VARIANT& fieldList, std::wstring_view name)
{
    size_t pairs = fieldCount(fieldList);
    auto* items = pairs ? static_cast<const VARIANT*>(fieldList.parray->pvData) : nullptr;
    const VARIANT* folded = nullptr;
    for (size_t i = 0; i < pairs; ++i) {
        const VARIANT& n = items[2 * i];
        if (n.vt != VT_BSTR) continue;
        std::wstring_view candidate(n.bstrVal, SysStringLen(n.bstrVal));
        if (candidate == name) return &items[2 * i + 1];
        if (!folded && candidate.size() == name.size() &&
            std::equal(candidate.begin(), candidate.end(), name.begin(),
                       [](wchar_t a, wchar_t b) { return std::towlower(a) == std::towlower(b); }))
            folded = &items[2 * i + 1];
    }
    return folded;
}
