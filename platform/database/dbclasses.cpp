// Standard entity class registration, lookup by DXF name, system variables.
#include "database/dbclasses.h"

#include <strings.h>

#include "database/dbarc.h"
#include "database/dbattribute.h"
#include "database/dbblockref.h"
#include "database/dbcircle.h"
#include "database/dbdatabase.h"
#include "database/dbdimension.h"
#include "database/dbellipse.h"
#include "database/dbface.h"
#include "database/dbhatch.h"
#include "database/dbleader.h"
#include "database/dbline.h"
#include "database/dbmtext.h"
#include "database/dbpoint.h"
#include "database/dbpolyline.h"
#include "database/dbsolid.h"
#include "database/dbspline.h"
#include "database/dbtext.h"
#include "database/dbvertex.h"
#include "database/dbvertexpolyline.h"
#include "lisp/AdsHost.h"

void acdbRegisterEntityClasses() {
    static const bool done = [] {
        AcDbLine::desc();
        AcDbPolyline::desc();
        AcDbMText::desc();
        AcDbText::desc();
        AcDbBlockReference::desc();
        AcDbLeader::desc();
        AcDbSpline::desc();
        AcDbFace::desc();
        AcDbCircle::desc();
        AcDbArc::desc();
        AcDbEllipse::desc();
        AcDbPoint::desc();
        AcDbSolid::desc();
        AcDbAttributeDefinition::desc();
        AcDbAttribute::desc();
        AcDbSequenceEnd::desc();
        AcDb2dVertex::desc();
        AcDb3dPolylineVertex::desc();
        AcDb2dPolyline::desc();
        AcDb3dPolyline::desc();
        AcDbDimension::desc();
        AcDbHatch::desc();
        return true;
    }();
    (void)done;
}

// The classes are in the dictionary as soon as the library is loaded.
static const int gRegistered = (acdbRegisterEntityClasses(), 0);

AcRxClass* classForDxfName(const std::string& dxfName) {
    acdbRegisterEntityClasses();
    if (dxfName.empty()) return nullptr;
    for (const auto& [name, entry] : acrxClassDictionary()->entries()) {
        auto* cls = dynamic_cast<AcRxClass*>(entry);
        if (cls && strcasecmp(cls->dxfName().c_str(), dxfName.c_str()) == 0) return cls;
    }
    return nullptr;
}

// Weak: the interpreter library may be absent.
extern void adsRegisterSysVar(const char* name, AdsSysVarGetter getter, AdsSysVarSetter setter)
    __attribute__((weak));

void acdbRegisterSysVars() {
    static bool done = false;
    if (done || !adsRegisterSysVar) return;
    done = true;
    adsRegisterSysVar(
        "DIMSCALE",
        [](resbuf* result) {
            AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
            result->restype = RTREAL;
            result->resval.rreal = db ? db->dimscale() : 1.0;
            return true;
        },
        [](const resbuf* value) {
            AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
            if (!db || !value) return false;
            double scale = 0.0;
            if (value->restype == RTREAL) scale = value->resval.rreal;
            else if (value->restype == RTSHORT) scale = value->resval.rint;
            else if (value->restype == RTLONG) scale = value->resval.rlong;
            else return false;
            return db->setDimscale(scale) == Acad::eOk;
        });
}
