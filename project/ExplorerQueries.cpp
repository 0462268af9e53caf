// The explorer's SQL texts and the reading of the product's answers. The
// texts are the ones the product has always been sent (double spaces and
// double-quoted values included): product code may match on them.
#include "project/ExplorerQueries.h"

#include <cmath>

#include "integration/LispCallbacks.h"

namespace hvac {

namespace {

void addNumber(double value, std::vector<std::string>& values) {
    values.push_back(std::to_string(static_cast<long long>(std::trunc(value))));
}

// One element of the answer; lists nested inside it give nothing.
void addElement(const resbuf* node, std::vector<std::string>& values) {
    switch (node->restype) {
    case RTSTR: values.emplace_back(node->resval.rstring ? node->resval.rstring : ""); break;
    case RTSHORT: values.push_back(std::to_string(node->resval.rint)); break;
    case RTLONG: values.push_back(std::to_string(node->resval.rlong)); break;
    case RTPOINT:
    case RT3DPOINT:
        for (int i = 0; i < (node->restype == RTPOINT ? 2 : 3); ++i) addNumber(node->resval.rpoint[i], values);
        break;
    default: break;
    }
}

} // namespace

std::vector<std::string> explorerQueryValues(const resbuf* answer) {
    std::vector<std::string> values;
    if (!answer) return values;
    if (answer->restype == RTPOINT || answer->restype == RT3DPOINT) {
        addElement(answer, values);
        return values;
    }
    if (answer->restype != RTLB) return values;
    int depth = 0;
    for (const resbuf* node = answer->rbnext; node; node = node->rbnext) {
        if (node->restype == RTLB) ++depth;
        else if (node->restype == RTLE || node->restype == RTDOTE) {
            if (depth-- == 0) break;
        } else if (depth == 0) addElement(node, values);
    }
    return values;
}

std::vector<std::string> runExplorerQuery(const ExplorerQuery& query) {
    resbuf* args = acutBuildList(RTSTR, query.sql.c_str(), RTSTR, query.field1.c_str(), RTSTR,
                                 query.field2.c_str(), 0);
    LispCallResult answer;
    if (!invokeLisp("hvac-projectExplorer_sqlQuery", args, answer)) return {};
    return explorerQueryValues(answer.list());
}

namespace explorer_sql {

ExplorerQuery placedDiffusers() { return {"Select * from tblDiffL where bDeleted = 0", "ixDiffL", "ixDiffL"}; }

ExplorerQuery ducts() { return {"Select * from tblDuct where bDeleted = 0", "ixDuct", "ixDuct"}; }

ExplorerQuery scheduleGroups() { return {"Select * from tblDiffSGroup", "ixDiffSGroup", "sName"}; }

ExplorerQuery schedulesOfGroup(const std::string& G) {
    return {"Select * from tblDiffS  where ixDiffSGroup = " + G, "ixDiffS", "CALLOUT"};
}

ExplorerQuery drawingsOfGroup(const std::string& G) {
    return {"Select * from tblDiffL, tblDiffS  where tblDiffL.ixDiffS = tblDiffS.ixDiffS and tblDiffS.ixDiffSGroup = " +
                G + " and tblDiffL.bDeleted = 0",
            "DRAWING", "DRAWING"};
}

ExplorerQuery drawingsOfSchedule(const std::string& S) {
    return {"Select * from tblDiffL where ixDiffS = " + S + " and bDeleted = 0", "DRAWING", "DRAWING"};
}

ExplorerQuery schedulesOnDrawing(const std::string& G, const std::string& D) {
    return {"Select tblDiffL.ixDiffS, tblDiffS.CALLOUT from tblDiffL, tblDiffS  where tblDiffL.ixDiffS = "
            "tblDiffS.ixDiffS and tblDiffS.ixDiffSGroup = " +
                G + " and tblDiffL.DRAWING = \"" + D + "\" and tblDiffL.bDeleted = 0",
            "ixDiffS", "CALLOUT"};
}

ExplorerQuery diffusersOf(const std::string& S, const std::string& D) {
    return {"Select * from tblDiffL where ixDiffS = " + S + " and DRAWING = \"" + D + "\" and bDeleted = 0",
            "ixDiffL", "ixDiffL"};
}

ExplorerQuery ductDrawings() { return {"Select * from tblDuct where bDeleted = 0", "DRAWING", "DRAWING"}; }

ExplorerQuery drawingsOfAirflow(const std::string& G) {
    return {"Select * from tblDuct where AIRFLOW= \"" + G + "\" and bDeleted = 0", "DRAWING", "DRAWING"};
}

ExplorerQuery airflowOnDrawing(const std::string& D, const std::string& airflow) {
    return {"Select AIRFLOW, ixDuct from tblDuct where DRAWING = \"" + D + "\" and bDeleted = 0 and AIRFLOW = \"" +
                airflow + "\"",
            "AIRFLOW", "AIRFLOW"};
}

ExplorerQuery ductsOf(const std::string& G, const std::string& D) {
    return {"Select * from tblDuct where AIRFLOW = \"" + G + "\" and DRAWING = \"" + D + "\" and bDeleted = 0",
            "ixDuct", "ixDuct"};
}

} // namespace explorer_sql

} // namespace hvac
