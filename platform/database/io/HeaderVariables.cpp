// Group codes of the header variables other programs look at; a wrong code
// makes them read the value as a different type or skip it.
#include "database/io/HeaderVariables.h"

#include <unordered_map>

namespace orv::io {

int headerVariableCode(std::string_view name) {
    static const std::unordered_map<std::string_view, int> codes = {
        {"ACADVER", 1}, {"DWGCODEPAGE", 3}, {"HANDSEED", 5},
        {"CLAYER", 8}, {"CELTYPE", 6}, {"TEXTSTYLE", 7}, {"DIMTXSTY", 7}, {"DIMSTYLE", 2}, {"CMLSTYLE", 2},
        {"UCSNAME", 2}, {"PUCSNAME", 2}, {"DIMBLK", 1}, {"DIMBLK1", 1}, {"DIMBLK2", 1}, {"DIMLDRBLK", 1},
        {"DIMPOST", 1}, {"DIMAPOST", 1}, {"MENU", 1}, {"PROJECTNAME", 1}, {"HYPERLINKBASE", 1},
        {"STYLESHEET", 1}, {"FINGERPRINTGUID", 2}, {"VERSIONGUID", 2},
        {"CECOLOR", 62}, {"CELWEIGHT", 370}, {"CEPSNTYPE", 380}, {"CEPSNID", 390},
        {"ANGBASE", 50}, {"DIMASSOC", 280}, {"DIMLWD", 70}, {"DIMLWE", 70},
        {"ENDCAPS", 280}, {"JOINSTYLE", 280}, {"SORTENTS", 280}, {"INDEXCTL", 280}, {"HIDETEXT", 280},
        {"HALOGAP", 280}, {"OBSLTYPE", 280}, {"SHADEDGE", 70}, {"DIMFIT", 70},
        {"LWDISPLAY", 290}, {"XEDIT", 290}, {"PSTYLEMODE", 290}, {"EXTNAMES", 290}, {"OLESTARTUP", 290},
        {"XCLIPFRAME", 290}, {"INTERSECTIONDISPLAY", 290}, {"CAMERADISPLAY", 290},
        {"INSBASE", 10}, {"EXTMIN", 10}, {"EXTMAX", 10}, {"LIMMIN", 10}, {"LIMMAX", 10},
        {"PINSBASE", 10}, {"PEXTMIN", 10}, {"PEXTMAX", 10}, {"PLIMMIN", 10}, {"PLIMMAX", 10},
        {"UCSORG", 10}, {"UCSXDIR", 10}, {"UCSYDIR", 10},
        {"DIMSCALE", 40}, {"LTSCALE", 40}, {"TEXTSIZE", 40}, {"CELTSCALE", 40}, {"DIMASZ", 40}, {"DIMTXT", 40},
        {"INSUNITS", 70}, {"MEASUREMENT", 70}, {"LUNITS", 70}, {"LUPREC", 70}, {"AUNITS", 70}, {"AUPREC", 70},
        {"ANGDIR", 70}, {"ATTMODE", 70}, {"PDMODE", 70}, {"PDSIZE", 40}, {"MIRRTEXT", 70}, {"ORTHOMODE", 70},
        {"FILLMODE", 70}, {"QTEXTMODE", 70}, {"REGENMODE", 70}, {"TILEMODE", 70}, {"MAXACTVP", 70},
        {"TDCREATE", 40}, {"TDUCREATE", 40}, {"TDUPDATE", 40}, {"TDUUPDATE", 40}, {"TDINDWG", 40},
    };
    auto it = codes.find(name);
    return it == codes.end() ? 0 : it->second;
}

}  // namespace orv::io
