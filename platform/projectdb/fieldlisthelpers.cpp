// Field list construction and lookup by name.
#include "projectdb/fieldlisthelpers.h"

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

const VARIANT* fieldValue(const VARIANT& fieldList, std::wstring_view name)
{
    size_t pairs = fieldCount(fieldList);
    auto* items = pairs ? static_cast<const VARIANT*>(fieldList.parray->pvData) : nullptr;
    for (size_t i = 0; i < pairs; ++i) {
        const VARIANT& n = items[2 * i];
        if (n.vt == VT_BSTR && std::wstring_view(n.bstrVal, SysStringLen(n.bstrVal)) == name) return &items[2 * i + 1];
    }
    return nullptr;
}
