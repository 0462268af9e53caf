// The lists of the project explorer: the SQL texts it sends for each kind of
// row, and the product's answer to one of them. The product evaluates the
// SQL ("hvac-projectExplorer_sqlQuery") and answers the values of field1,
// one per child row, in display order.
#pragma once

#include <string>
#include <vector>

#include "ads/ads.h"

namespace hvac {

struct ExplorerQuery {
    std::string sql, field1, field2;
};

// The values of an answer: strings as they are, integers in decimal, the
// coordinates of a 2D or 3D point as integers (AutoLISP hands a list of two
// or three numbers over as a point). Anything that is not a list gives none.
std::vector<std::string> explorerQueryValues(const resbuf* answer);

// Sends the query to the product; an error or an answer that is not a list
// gives no values.
std::vector<std::string> runExplorerQuery(const ExplorerQuery& query);

// Airflow codes of ducts in display order, with the names shown for them.
struct AirflowKind {
    const char* code;
    const char* name;
};
inline constexpr AirflowKind kAirflowKinds[] = {
    {"sa", "Supply"}, {"ra", "Return"}, {"oa", "Outside Air"}, {"ea", "Exhaust"}};

// The texts. G is a group (diffuser schedule group, or duct airflow code),
// S a diffuser schedule, D a drawing name; each is inserted as it stands.
namespace explorer_sql {
ExplorerQuery placedDiffusers();
ExplorerQuery ducts();
ExplorerQuery scheduleGroups();
ExplorerQuery schedulesOfGroup(const std::string& G);
ExplorerQuery drawingsOfGroup(const std::string& G);
ExplorerQuery drawingsOfSchedule(const std::string& S);
ExplorerQuery schedulesOnDrawing(const std::string& G, const std::string& D);
ExplorerQuery diffusersOf(const std::string& S, const std::string& D);
ExplorerQuery ductDrawings();
ExplorerQuery drawingsOfAirflow(const std::string& G);
ExplorerQuery airflowOnDrawing(const std::string& D, const std::string& airflow);
ExplorerQuery ductsOf(const std::string& G, const std::string& D);
} // namespace explorer_sql

} // namespace hvac
