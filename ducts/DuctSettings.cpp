// Duct settings from the product's "duct-getSettings".
#include "ducts/DuctSettings.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "com/bstr.h"
#include "integration/LispCallbacks.h"

void DuctSettingText::assign(std::string_view utf8) {
    std::wstring wide = utf8ToWide(utf8);
    size_t n = std::min(wide.size(), kCapacity - 1);
    mChars.fill(L'\0');
    std::copy_n(wide.begin(), n, mChars.begin());
}

std::string DuctSettingText::str() const { return wideToUtf8(mChars.data()); }

namespace {

enum class Kind { Text, Real, Int, TruncatedInt };

struct SettingKey {
    const char* name;
    Kind kind;
    DuctSettingText DuctSettings::*text = nullptr;
    double DuctSettings::*real = nullptr;
    int32_t DuctSettings::*integer = nullptr;
};

const SettingKey kKeys[] = {
    {"MATERIAL", Kind::Text, &DuctSettings::MATERIAL},
    {"SHAPE", Kind::Text, &DuctSettings::SHAPE},
    {"OFFSET", Kind::Text, &DuctSettings::OFFSET},
    {"VERTICALOFFSET", Kind::Text, &DuctSettings::VERTICALOFFSET},
    {"AIRFLOW", Kind::Text, &DuctSettings::AIRFLOW},
    {"DOUBLE_LINE", Kind::Text, &DuctSettings::DOUBLE_LINE},
    {"SIZEFOR", Kind::Text, &DuctSettings::SIZEFOR},
    {"SIZESHAPE", Kind::Text, &DuctSettings::SIZESHAPE},
    {"ixLayerSystem", Kind::Int, nullptr, nullptr, &DuctSettings::ixLayerSystem},
    {"SIZEMAX", Kind::TruncatedInt, nullptr, nullptr, &DuctSettings::SIZEMAX},
    {"iHangerType", Kind::Int, nullptr, nullptr, &DuctSettings::iHangerType},
    {"LINING", Kind::Real, nullptr, &DuctSettings::LINING},
    {"dExteriorLining", Kind::Real, nullptr, &DuctSettings::dExteriorLining},
    {"WIDTH", Kind::Real, nullptr, &DuctSettings::WIDTH},
    {"DEPTH", Kind::Real, nullptr, &DuctSettings::DEPTH},
    {"SIZEVAL1", Kind::Real, nullptr, &DuctSettings::SIZEVAL1},
    {"SIZEVAL2", Kind::Real, nullptr, &DuctSettings::SIZEVAL2},
    {"Z1", Kind::Real, nullptr, &DuctSettings::Z1},
    {"Z2", Kind::Real, nullptr, &DuctSettings::Z2},
    {"dHangerZ", Kind::Real, nullptr, &DuctSettings::dHangerZ},
    {"dHangerSize", Kind::Real, nullptr, &DuctSettings::dHangerSize},
    {"dHangerDepth", Kind::Real, nullptr, &DuctSettings::dHangerDepth},
    {"dHangerStartOffset", Kind::Real, nullptr, &DuctSettings::dHangerStartOffset},
    {"dHangerSpacing", Kind::Real, nullptr, &DuctSettings::dHangerSpacing},
    {"dHangerEndOffset", Kind::Real, nullptr, &DuctSettings::dHangerEndOffset},
    {"dHangerLeftExtension", Kind::Real, nullptr, &DuctSettings::dHangerLeftExtension},
    {"dHangerRightExtension", Kind::Real, nullptr, &DuctSettings::dHangerRightExtension},
};

void apply(DuctSettings& settings, const SettingKey& key, const resbuf* value) {
    switch (key.kind) {
    case Kind::Text:
        if (value->restype == RTSTR && value->resval.rstring) (settings.*key.text).assign(value->resval.rstring);
        break;
    case Kind::Real:
        if (std::optional<double> n = resultNumber(value)) settings.*key.real = *n;
        break;
    case Kind::Int:
        if (value->restype == RTSHORT) settings.*key.integer = value->resval.rint;
        else if (value->restype == RTLONG) settings.*key.integer = value->resval.rlong;
        break;
    case Kind::TruncatedInt:
        if (std::optional<double> n = resultNumber(value)) {
            double t = std::trunc(*n);
            if (t > std::numeric_limits<int32_t>::min() && t < std::numeric_limits<int32_t>::max())
                settings.*key.integer = static_cast<int32_t>(t);
        }
        break;
    }
}

// The node after the value that starts at `node`: a single node, or a list
// RTLB ... RTLE, or a dotted pair in either form (RTLB a b RTDOTE as this
// host builds it, RTLB a RTDOTE b RTLE).
const resbuf* skipValue(const resbuf* node) {
    if (!node || node->restype != RTLB) return node ? node->rbnext : nullptr;
    int items = 0;
    for (node = node->rbnext; node;) {
        if (node->restype == RTLE) return node->rbnext;
        if (node->restype == RTDOTE) {
            if (items >= 2) return node->rbnext;
            node = node->rbnext;
            continue;
        }
        node = skipValue(node);
        ++items;
    }
    return nullptr;
}

} // namespace

bool readDuctSettings(DuctSettings& settings, const resbuf* answer) {
    if (!answer || answer->restype != RTLB) return false;
    for (const resbuf* node = answer->rbnext; node && node->restype != RTLE; node = skipValue(node)) {
        if (node->restype != RTLB) continue;
        const resbuf* key = node->rbnext;
        if (!key || key->restype != RTSTR || !key->resval.rstring) continue;
        const resbuf* value = key->rbnext;
        if (value && value->restype == RTDOTE) value = value->rbnext;
        if (!value || value->restype == RTLE || value->restype == RTDOTE) continue;
        for (const SettingKey& known : kKeys) {
            if (std::strcmp(known.name, key->resval.rstring) != 0) continue;
            apply(settings, known, value);
            break;
        }
    }
    return true;
}

bool GetSettings(DuctSettings& settings) {
    LispCallResult result;
    if (!invokeLisp("duct-getSettings", acutBuildList(RTNIL, 0), result)) return false;
    return readDuctSettings(settings, result.list());
}
