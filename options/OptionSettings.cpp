// The options dialog's rows as data: one table, read by the row builder, the
// loader and the saver alike.
#include "options/OptionSettings.h"

namespace hvac {

namespace {

using Entries = std::vector<OptionEntry>;

// Entries stored as they are shown.
Entries asShown(std::initializer_list<const char*> texts) {
    Entries e;
    for (const char* t : texts) e.push_back({t, t});
    return e;
}

OptionSetting heading(const char* title) { return {title, title, OptionKind::kHeading, {}, "", 1}; }
OptionSetting number(const char* key, const char* label) { return {key, label, OptionKind::kNumber, {}, "", 2}; }
OptionSetting yesNo(const char* key, const char* label, int level = 2) {
    return {key, label, OptionKind::kYesNo, asShown({"Yes", "No"}), "", level};
}
OptionSetting text(const char* key, const char* label) { return {key, label, OptionKind::kText, {}, "", 2}; }
OptionSetting list(const char* key, const char* label, Entries entries, const char* other = "", int level = 2) {
    return {key, label, OptionKind::kList, std::move(entries), other, level};
}
OptionSetting editable(const char* key, const char* label, Entries entries) {
    return {key, label, OptionKind::kEditableList, std::move(entries), "", 2};
}
OptionSetting blockRow(const char* key, const char* label) {
    return editable(key, label, {{kBrowseEntry, kBrowseEntry}});
}

const Entries kElbows = {{"Square elbow", "0"}, {"Radius elbow", "1"}};
const Entries kBranches = {{"Any angle tee", "0"},    {"Boot tee", "1"}, {"Conical tee", "2"},
                           {"Straight takeoff", "3"}, {"Wye", "4"},      {"Transition tee", "5"}};
const Entries kCrosses = {{"Boot tee", "0"}, {"Conical tee", "1"}, {"Straight takeoff", "2"}, {"Transition tee", "3"}};
const Entries kLined = {{kSameAsNonLined, ""}};
const Entries kSameAsSupply = {{"Same as supply", "Same as supply"}};
const Entries kConnectionWidths = {{"Single", "SINGLE"}, {"Double", "DOUBLE"}, {"Single & double", "BOTH"}};
const Entries kCallouts = {
    {"Single line (callout-CFM)", "12"}, {"Two line (callout, CFM)", "0"},
    {"Two line (callout, CFM, neck size)", "11"}, {"Three line box", "5"},
    {"Three line box (rounded)", "6"}, {"Circle", "2"},
    {"Square with neck dimension", "3"}, {"Hexagon", "4"},
    {"Triangle", "7"}, {"CFM only", "8"},
    {"Show neck, face, and throw", "9"}, {"Dome", "10"},
    {"Flow arrow underline", "1"}, {"Custom block", "14"},
    {"Custom single line", "13"}, {"Custom two line", "15"},
};

Entries leaderArrows() {
    Entries e = asShown({"_CLOSEDFILLED", "_DOT", "_DOTSMALL", "_DOTBLANK", "_ORIGIN", "_ORIGIN2", "_OPEN", "_OPEN90",
                         "_OPEN30", "_CLOSED", "_SMALL", "_NONE", "_OBLIQUE", "_BOXFILLED", "_BOXBLANK",
                         "_CLOSEDBLANK", "_DATUMFILLED", "_DATUMBLANK", "_INTEGRAL", "_ARCHTICK"});
    e.push_back({kBrowseEntry, kBrowseEntry});
    return e;
}

std::vector<OptionSetting> buildSettings() {
    std::vector<OptionSetting> s = {
        heading("Default Fittings"),
        list("AUTOFIT-RC2", "Rectangular elbow", kElbows),
        list("AUTOFIT-RC3", "Rectangular branch", kBranches),
        list("AUTOFIT-RC4", "Rectangular cross", kCrosses),
        list("AUTOFIT-RD2", "Round elbow", kElbows),
        list("AUTOFIT-RD3", "Round branch", kBranches),
        list("AUTOFIT-RD4", "Round cross", kCrosses),
        list("nextTransparentFitting", "Transparent ducts", {{"End cap", "END"}, {"None", "NONE"}}),
        heading("Fittings"),
        number("ELBOW RADIUS", "Radius for elbows"),
        number("TRANSITION ANGLE", "Angle of transitions"),
        {"TURNING VANES", "Turning vanes on square elbows and wyes", OptionKind::kNumberYesNo, asShown({"Yes", "No"}),
         "", 2},
        heading("Ductwork"),
        text("RECTANGULAR DUCT LABEL FORMAT", "Rectangular duct label format"),
        editable("LINED RECTANGULAR DUCT LABEL FORMAT", "Lined rectangular duct label format", kLined),
        text("ROUND DUCT LABEL FORMAT", "Round duct label format"),
        editable("LINED ROUND DUCT LABEL FORMAT", "Lined round duct label format", kLined),
        text("OVAL DUCT LABEL FORMAT", "Oval duct label format"),
        editable("LINED OVAL DUCT LABEL FORMAT", "Lined oval duct label format", kLined),
        number("MAX SINGLE WIDTH", "Maximum single line width (in)"),
        number("LINING WIDTH", "Default interior lining width (in)"),
        number("EXTERIOR LINING WIDTH", "Default exterior lining width (in)"),
        yesNo("SHOW BK", "Show background below ductwork"),
        list("REVERSEARROWS", "Return and exhaust arrow direction",
             {{"Toward diffusers", "NO"}, {"Flow direction", "YES"}}, "Flow direction"),
        number("duct-minSize", "Minimum duct size (in)"),
        number("duct-oddBelowRect", "Use odd rectangular duct sizes below this size (in)"),
        number("duct-oddBelowRound", "Use odd round duct sizes below this size (in)"),
        number("duct-oddBelowOval", "Use odd flat oval duct sizes below this size (in)"),
        heading("Diffusers"),
        yesNo("SHOW4THROW", "Show arrows on 4 way throw patterns"),
        list("DIFFCALLOUT", "Diffuser callout", kCallouts),
        text("DIFFUSER CALLOUT LINE 1", "Custom diffuser callout format line 1"),
        text("DIFFUSER CALLOUT LINE 2", "Custom diffuser callout format line 2"),
        text("DIFFUSER CALLOUT FORMAT", "Custom diffuser callout format (supply)"),
        editable("DIFFUSER CALLOUT FORMAT: RETURN", "Custom diffuser callout format (return)", kSameAsSupply),
        editable("DIFFUSER CALLOUT FORMAT: EXHAUST", "Custom Diffuser callout format (exhaust)", kSameAsSupply),
        list("DIFFCALLOUT_LOC", "Diffuser callout insertion",
             {{"Automatic", "AUTO"}, {"Manual", "MANUAL"}, {"Not inserted", "NONE"}}, "Not inserted"),
        text("CFM LABEL FORMAT", "Diffuser CFM label format"),
        heading("Diffuser Connections"),
        yesNo("sizeDiffuserRunoutToNeck", "Size diffuser runout to match diffuser neck size"),
        number("DCONN-FLEXLENGTH", "Default flex length (in)"),
        yesNo("bDamperFarFromDiffuser", "Damper far from diffuser"),
        list("TOP CON", "Ceiling Connection: Fitting graphics", {{"Flex / elbow", "FLEX"}, {"Elbow", "ELBOW"}, {"Tee", "TEE"}},
             "Elbow"),
        list("DCONN-FLEXWIDTH", "Connection Graphics: Flex", kConnectionWidths),
        list("DCONN-HARDWIDTH", "Connection Graphics: Hard", kConnectionWidths),
    };
    for (const char* system : {"Supply", "Return", "Exhaust", "Outside"}) {
        std::string upper = system;
        for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
        s.push_back({system, system, OptionKind::kSubheading, {}, "", 2});
        s.push_back(list("", "Ceiling Connection: Duct type", {{"Flexible", "FLEX"}, {"Hard", "HARD"}}, "", 3));
        s.back().key = "DCONN-CLGTYPE-" + upper;
        s.push_back(list("", "Ceiling Connection: Lock duct shape",
                         {{"No", "NO"}, {"Round", "ROUND"}, {"Rectangular", "RECTANGULAR"}, {"Flat oval", "FLAT OVAL"}},
                         "", 3));
        s.back().key = "DCONN-CLGSHAPE-" + upper;
        s.push_back(list("", "Sidewall Connection: Duct type", {{"Flexible", "FLEX"}, {"Hard", "HARD"}}, "", 3));
        s.back().key = "DCONN-SIDETYPE-" + upper;
        s.push_back(yesNo("", "Insert balancing dampers", 3));
        s.back().key = "DCONN-DAMPER-" + upper;
    }
    std::vector<OptionSetting> building = {
        heading("Building Project Information"),
        number("bldg-reserveHeatRoom", "Heating safety factor (room)"),
        number("bldg-reserveHeatOSA", "Heating safety factor (ventilation)"),
        number("bldg-reserveCoolRoom", "Cooling safety factor (room)"),
        number("bldg-reserveCoolOSA", "Cooling safety factor (ventilation)"),
        number("bldg-floorU", "Floor heat loss coefficient"),
        list("bldg-ASHRAE62", "Ventilation calculation method",
             {{"Minimum", "NO"},
              {"2006 International Mechanical Code", "IMC"},
              {"2009 International Mechanical Code", "IMC2009"},
              {"ASHRAE 62.1-2004", "YES"},
              {"ASHRAE 62.1-2007", "ASHRAE2007"},
              {"ASHRAE 62.1-2010", "ASHRAE2010"}}),
        yesNo("bldg-useActualSupplyCFM", "Use actual supplied airflow in ventilation and psychrometric calculations"),
        yesNo("bldg-setMaxOSAPercent", "Set maximum room ventilation percentage"),
        number("bldg-maxOSAPercent", "Maximum room ventilation percentage"),
        yesNo("bldg-fractionalPeople", "Allow fractional people"),
        yesNo("roomsAsZones", "Print system loads for rooms"),
    };
    s.insert(s.end(), building.begin(), building.end());
    static const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
    for (int m = 0; m < 12; ++m)
        s.push_back(yesNo("", "Calculate cooling in "));
    for (int m = 0; m < 12; ++m) {
        OptionSetting& row = s[s.size() - 12 + size_t(m)];
        row.key = "bldg-calculateMonth" + std::to_string(m);
        row.label += kMonths[m];
    }
    std::vector<OptionSetting> rest = {
        heading("Elevation Labels"),
        blockRow("ELEVLABEL LEADER BLOCK", "Leader graphic"),
        list("ELEVLABEL LEADER LOCATION", "Leader location", asShown({"Center", "Edge"})),
        blockRow("ELEVLABEL TOP BLOCK", "Top block"),
        blockRow("ELEVLABEL BOTTOM BLOCK", "Bottom block"),
        blockRow("ELEVLABEL BOTH BLOCK", "Both block"),
        blockRow("ELEVLABEL CENTERLINE BLOCK", "Centerline block"),
        text("ELEVLABEL TOP LABEL", "Top label"),
        text("ELEVLABEL BOTTOM LABEL", "Bottom label "),
        text("ELEVLABEL CENTERLINE LABEL", "Centerline label "),
        yesNo("ELEVLABEL INCLUDE EXTERIOR", "Include exterior insulation thickness in elevation"),
        heading("3D-BIM"),
        number("3DApproximation", "3D circle approximation"),
        yesNo("DrawHangers3D", "Draw hangers in 3D"),
        yesNo("MEQ-DRAW3D", "Draw mechanical equipment in 3D"),
        yesNo("3d-exportFlex", "Export flex duct"),
        list("3d-exportDiffusers", "Export diffusers",
             asShown({"All", "Ceiling only", "Sidewall only", "Connected to hard ducts", "None"})),
        heading("Miscellaneous"),
        editable("LEADER ARROW", "Leader arrow block", leaderArrows()),
        number("ArrowheadSize", "Leader arrow length"),
        yesNo("DrawHangers2D", "Draw hangers in 2D"),
        blockRow("pressureDropTag", "Pressure drop report duct ID block"),
        list("scheduleTitleJustification", "Schedule title justification", asShown({"Left", "Center"})),
        list("scheduleColumnJustification", "Schedule column label justification", asShown({"Left", "Center"})),
        text("scheduleTitleContinued", "Schedule title continued label"),
    };
    s.insert(s.end(), rest.begin(), rest.end());
    return s;
}

}  // namespace

const std::vector<OptionSetting>& optionSettings() {
    static const std::vector<OptionSetting> settings = buildSettings();
    return settings;
}

std::string optionEntryForCode(const OptionSetting& setting, const std::string& code) {
    for (const OptionEntry& e : setting.entries)
        if (e.code == code) return e.text;
    return setting.otherCode.empty() ? code : setting.otherCode;
}

std::string optionCodeForEntry(const OptionSetting& setting, const std::string& entry) {
    for (const OptionEntry& e : setting.entries)
        if (e.text == entry) return e.code;
    return entry;
}

bool isLinedLabelFormat(const std::string& key) {
    return key == "LINED RECTANGULAR DUCT LABEL FORMAT" || key == "LINED ROUND DUCT LABEL FORMAT" ||
           key == "LINED OVAL DUCT LABEL FORMAT";
}

}  // namespace hvac
