-- Load rows as the product's calculation writes them: room 5 and zone 3.
INSERT INTO tblLoadRoomHeating (ixRoomL, dRoof, dWall, dDoor, dGlass, dSlab, dEquipment, dInfiltration,
  iHeatingCFM, iOSACFM, dRoomTotal, dSystemTotal)
  VALUES (5, 12000, 8000, 1130, 6000, 2000, 0, 5000, 800, 200, 34130, 40000);
INSERT INTO tblLoadRoomHeating (ixZone, dRoof, dRoofPlenum, dWall, dVentilation, dPlenumTotal, iHeatingCFM,
  iOSACFM, dRoomTotal, dSystemTotal, dEquipment)
  VALUES (3, 0, 900, 20000, 6000, 900, 1500, 0, 40000, 46000, 1000);
INSERT INTO tblLoadRoomCooling (ixRoomL, iMonth, iHour, iCoolingCFM, iOSACFM, dRoof, dWall, dGlass, dLights,
  dPeopleSensible, dPeopleLatent, dRoomTotalSensible, dRoomTotalLatent, dRoomTotal, dSystemTotal)
  VALUES (5, 6, 14, 1000, 150, 9000, 4000, 11000, 4000, 1000, -50, 30000, 6000, 36000, 50000);
INSERT INTO tblLoadRoomCooling (ixRoomL, iMonth, iHour, iCoolingCFM, iOSACFM, dRoof, dWall, dGlass, dLights,
  dPeopleSensible, dPeopleLatent, dRoomTotalSensible, dRoomTotalLatent, dRoomTotal, dSystemTotal)
  VALUES (5, 6, 15, 1100, 160, 9500, 4200, 12000, 4000, 1000, -50, 31000, 6100, 37100, 51000);
INSERT INTO tblLoadRoomCooling (ixRoomL, iMonth, iHour, iCoolingCFM, iOSACFM, dRoof, dWall, dGlass, dLights,
  dPeopleSensible, dPeopleLatent, dRoomTotalSensible, dRoomTotalLatent, dRoomTotal, dSystemTotal)
  VALUES (5, 6, 13, 950, 140, 8000, 3500, 10000, 4000, 1000, -50, 25000, 5000, 30000, 45000);
INSERT INTO tblLoadRoomCooling (ixZone, iMonth, iHour, iCoolingCFM, iOSACFM, dRoof, dRoofPlenum, dWall,
  dVentilationSensible, dVentilationLatent, dPlenumTotal, dRoomTotalSensible, dRoomTotalLatent, dRoomTotal,
  dSystemTotalSensible, dSystemTotalLatent, dSystemTotal)
  VALUES (3, 6, 14, 2400, 400, 0, 1500, 12000, 4000, 2000, 1500, 24000, 6000, 30000, 33000, 9000, 42000);
