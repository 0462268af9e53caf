// The columns of the two load result tables, in declared order, each with
// its type: K a nullable integer key, I an integer, R a real. One list per
// table feeds both the field enumeration and the names used to load rows.
#pragma once

#define HVAC_COOLING_RESULT_FIELDS(X)                                                                      \
    X(ixLoadRoomCooling, I) X(ixRoomL, K) X(ixZone, K) X(iMonth, I) X(iHour, I) X(dRoof, R)                 \
    X(dRoofPlenum, R) X(dFloor, R) X(dWall, R) X(dWallPlenum, R) X(dDoor, R) X(dGlass, R)                   \
    X(dWallPartition, R) X(dWallPlenumPartition, R) X(dDoorPartition, R) X(dGlassPartition, R)              \
    X(dInfiltrationSensible, R) X(dInfiltrationLatent, R) X(dVentilationSensible, R)                       \
    X(dVentilationLatent, R) X(dVentilation62Sensible, R) X(dVentilation62Latent, R) X(iCoolingCFM, I)      \
    X(iOSACFM, I) X(iOSA62CFM, I) X(dLights, R) X(dLightsPlenum, R) X(dEquipmentLatent, R)                 \
    X(dEquipmentSensible, R) X(dPeopleLatent, R) X(dPeopleSensible, R) X(dRoomTemperature, R)              \
    X(dRoomHumidity, R) X(dRoomTotalSensible, R) X(dRoomTotalLatent, R) X(dRoomTotal, R)                   \
    X(dPlenumTotal, R) X(dSystemTotalSensible, R) X(dSystemTotalLatent, R) X(dSystemTotal, R)              \
    X(dSystem62TotalSensible, R) X(dSystem62TotalLatent, R) X(dSystem62Total, R) X(dArea, R)               \
    X(dPeople, R) X(dVentilationLatentPeople, R) X(dVentilationSensiblePeople, R) X(dPeopleRatio, R)       \
    X(dVentilationIMCSensible, R) X(dVentilationIMCLatent, R) X(iOSAIMCCFM, I) X(iOSAPeopleCFM, I)         \
    X(dSystemIMCTotalSensible, R) X(dSystemIMCTotalLatent, R) X(dSystemIMCTotal, R)                        \
    X(dOSACriticalPercentageIMC, R) X(dOSACorrectedPercentageIMC, R) X(dOSASystemEfficiency62, R)

#define HVAC_HEATING_RESULT_FIELDS(X)                                                                      \
    X(ixLoadRoomHeating, I) X(ixRoomL, K) X(ixZone, K) X(dRoof, R) X(dRoofPlenum, R) X(dWall, R)            \
    X(dWallPlenum, R) X(dDoor, R) X(dGlass, R) X(dWallPartition, R) X(dWallPlenumPartition, R)             \
    X(dDoorPartition, R) X(dGlassPartition, R) X(dSlab, R) X(dEquipment, R) X(dFloor, R)                   \
    X(dInfiltration, R) X(dVentilation, R) X(dVentilation62, R) X(iHeatingCFM, I) X(iOSACFM, I)             \
    X(iOSA62CFM, I) X(dRoomTotal, R) X(dPlenumTotal, R) X(dSystemTotal, R) X(dSystem62Total, R)            \
    X(dArea, R) X(dVentilationPeople, R) X(dPeople, R) X(dPeopleRatio, R) X(dVentilationIMC, R)            \
    X(iOSAIMCCFM, I) X(iOSAPeopleCFM, I) X(dSystemIMCTotal, R) X(dOSACriticalPercentageIMC, R)             \
    X(dOSACorrectedPercentageIMC, R) X(dOSASystemEfficiency62, R)
