// Fitting kinds from next ducts, duct family, angles and AUTOFIT settings.
#include "ducts/FittingRules.h"

#include <array>
#include <cstring>
#include <optional>

#include "com/comutil.h"
#include "ducts/DuctCallbacks.h"
#include "ducts/DuctDbRecord.h"
#include "ducts/DuctFrame.h"
#include "project/GlobalSettings.h"

namespace {

// Sine of the angle below which two ducts count as in line (about 5.7 deg).
constexpr double kInLineSine = 0.1;

bool meetAtAngle(const DuctFrame& a, const DuctFrame& b) {
    return a.direction.crossProduct(b.direction).length() >= kInLineSine;
}

std::string narrow(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

const char* familyKey(bool rectangular, char ways) {
    static const char* const rc[] = {"AUTOFIT-RC2", "AUTOFIT-RC3", "AUTOFIT-RC4"};
    static const char* const rd[] = {"AUTOFIT-RD2", "AUTOFIT-RD3", "AUTOFIT-RD4"};
    return (rectangular ? rc : rd)[ways - '2'];
}

} // namespace

bool IsRectangular(const ZkDuctDbInfo& record) {
    if (record.MATERIAL == "FX") return false;
    for (const char* round : {"RD", "OO", "DX", "OX", "rd", "oo", "dx", "ox"})
        if (record.SHAPE == round) return false;
    return true;
}

std::string fittingSetting(DuctDbRecord& db, const std::string& key) {
    if (!db.hasDatabase()) return {};
    try {
        return narrow(globalText(db.database(), std::wstring(key.begin(), key.end())));
    } catch (const _com_error&) {
        return {};
    }
}

std::string ResolveAutoFit(DuctDbRecord& db, const std::string& key) {
    static const std::array<const char*, 6> kTwoWay = {"SQUARE ELBOW", "RADIUS ELBOW", "NONE", "NONE", "NONE", "NONE"};
    static const std::array<const char*, 6> kThreeWay = {"ANYANGLE",    "asym_branch", "conical_branch",
                                                         "strt_branch", "WYE",         "BRANCH_ELBOW"};
    static const std::array<const char*, 6> kFourWay = {"asym_branch", "conical_branch", "strt_branch",
                                                        "NONE",        "NONE",           "NONE"};
    const std::array<const char*, 6>* table = nullptr;
    if (key == "AUTOFIT-RC2" || key == "AUTOFIT-RD2") table = &kTwoWay;
    else if (key == "AUTOFIT-RC3" || key == "AUTOFIT-RD3") table = &kThreeWay;
    else if (key == "AUTOFIT-RC4" || key == "AUTOFIT-RD4") table = &kFourWay;
    if (!table) return "NONE";
    const std::string text = fittingSetting(db, key);
    if (text.size() != 1 || text[0] < '0' || text[0] > '5') return "NONE";
    return (*table)[text[0] - '0'];
}

bool ChooseTwoWay(DuctDbRecord& db, const ZkDuctDbInfo& record, int32_t nextKey, bool rectangular,
                  std::string& kind) {
    kind = "NONE";
    if (!db.Exists(nextKey)) return false;
    const ZkDuctDbInfo next = db;
    const DuctFrame mine = Frame(db, record, false);
    const DuctFrame theirs = Frame(db, next, false);
    kind = meetAtAngle(mine, theirs) ? ResolveAutoFit(db, familyKey(rectangular, '2')) : "TRANSITION";
    return true;
}

bool ChooseThreeWay(DuctDbRecord& db, const ZkDuctDbInfo& record, int32_t firstKey, int32_t secondKey,
                    bool rectangular, std::string& kind) {
    kind = "NONE";
    if (!db.Exists(firstKey)) return false;
    const ZkDuctDbInfo first = db;
    if (!db.Exists(secondKey)) return true;
    const ZkDuctDbInfo second = db;
    const DuctFrame mine = Frame(db, record, false);
    const bool firstTurns = meetAtAngle(mine, Frame(db, first, false));
    const bool secondTurns = meetAtAngle(mine, Frame(db, second, false));
    kind = firstTurns && secondTurns ? "WYE" : ResolveAutoFit(db, familyKey(rectangular, '3'));
    return true;
}

bool AutoFit(DuctDbRecord& db, const ZkDuctDbInfo& record, std::string& kind, std::string& parameter) {
    kind = "NONE";
    parameter.clear();
    const std::optional<std::array<int32_t, 3>> next = answeredNextDuctKeys(record.ixDuct, false);
    if (!next) return false;
    const bool rectangular = IsRectangular(record);
    if ((*next)[2] != 0) kind = ResolveAutoFit(db, familyKey(rectangular, '4'));
    else if ((*next)[1] != 0) {
        if (!ChooseThreeWay(db, record, (*next)[0], (*next)[1], rectangular, kind)) return false;
    } else if ((*next)[0] == 0) kind = "END";
    else if (!ChooseTwoWay(db, record, (*next)[0], rectangular, kind)) return false;

    if (kind == "RADIUS ELBOW" || kind == "branch_elbow" || kind == "PAIR OF PANTS")
        parameter = fittingSetting(db, "ELBOW RADIUS");
    else if (kind == "SQUARE ELBOW")
        parameter = fittingSetting(db, "TURNING VANES");
    return true;
}
