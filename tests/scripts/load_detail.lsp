; with project
;; The load detail of a room and a zone read from the project's load rows:
;; a changed hour refreshes only the cooling load lines, refused edits, the
;; print, both results, wrong arguments and a subject without rows.
;; The load rows of room 5 and zone 3, as the product's calculation writes them.
(host-sql "INSERT INTO tblLoadRoomHeating (ixRoomL, dRoof, dWall, dDoor, dGlass, dSlab, dEquipment, dInfiltration, iHeatingCFM, iOSACFM, dRoomTotal, dSystemTotal) VALUES (5, 12000, 8000, 1130, 6000, 2000, 0, 5000, 800, 200, 34130, 40000)")
(host-sql "INSERT INTO tblLoadRoomHeating (ixZone, dRoof, dRoofPlenum, dWall, dVentilation, dPlenumTotal, iHeatingCFM, iOSACFM, dRoomTotal, dSystemTotal, dEquipment) VALUES (3, 0, 900, 20000, 6000, 900, 1500, 0, 40000, 46000, 1000)")
(host-sql "INSERT INTO tblLoadRoomCooling (ixRoomL, iMonth, iHour, iCoolingCFM, iOSACFM, dRoof, dWall, dGlass, dLights, dPeopleSensible, dPeopleLatent, dRoomTotalSensible, dRoomTotalLatent, dRoomTotal, dSystemTotal) VALUES (5, 6, 14, 1000, 150, 9000, 4000, 11000, 4000, 1000, -50, 30000, 6000, 36000, 50000)")
(host-sql "INSERT INTO tblLoadRoomCooling (ixRoomL, iMonth, iHour, iCoolingCFM, iOSACFM, dRoof, dWall, dGlass, dLights, dPeopleSensible, dPeopleLatent, dRoomTotalSensible, dRoomTotalLatent, dRoomTotal, dSystemTotal) VALUES (5, 6, 15, 1100, 160, 9500, 4200, 12000, 4000, 1000, -50, 31000, 6100, 37100, 51000)")
(host-sql "INSERT INTO tblLoadRoomCooling (ixRoomL, iMonth, iHour, iCoolingCFM, iOSACFM, dRoof, dWall, dGlass, dLights, dPeopleSensible, dPeopleLatent, dRoomTotalSensible, dRoomTotalLatent, dRoomTotal, dSystemTotal) VALUES (5, 6, 13, 950, 140, 8000, 3500, 10000, 4000, 1000, -50, 25000, 5000, 30000, 45000)")
(host-sql "INSERT INTO tblLoadRoomCooling (ixZone, iMonth, iHour, iCoolingCFM, iOSACFM, dRoof, dRoofPlenum, dWall, dVentilationSensible, dVentilationLatent, dPlenumTotal, dRoomTotalSensible, dRoomTotalLatent, dRoomTotal, dSystemTotalSensible, dSystemTotalLatent, dSystemTotal) VALUES (3, 6, 14, 2400, 400, 0, 1500, 12000, 4000, 2000, 1500, 24000, 6000, 30000, 33000, 9000, 42000)")
(setq psychro '("Supply" "850" "78.0 (DB F)" "65.0 (WB F)" "0.0093" "34130" "30000" "4130" "Incomplete"))

(princ "\n;; room 5: hour change, refused edits, print, calculate")
(host-dialog '("set" ("Cooling Load" "Time") 2 "2 pm")
             '("set" "Area (sf)" 1 "500")
             '("set" ("Cooling Load" "Time") 1 "January")
             '("set" ("Psychrometrics" "Supply") 1 "900")
             '("press" "Print. . .")
             '("press" "&Calculate This Load"))
(setq r (zk_hvac-loadDetail "Room 5 Office" -5 nil "NO" 1200.0 10.0 6 14 900 1000 55 70 300 1200 6 15 nil nil
                            psychro))
(princ "\nresult: ") (princ r)

(princ "\n;; zone 3 with its system lines; OK")
(host-dialog '("press" "&OK"))
(setq r (zk_hvac-loadDetail "Zone 3" 3 nil "NO" 4000 40 6 14 2400 2600 55 70 0 0 6 14 nil nil))
(princ "\nresult: ") (princ r)

(princ "\n;; zone 4 has no load rows; Escape")
(setq r (zk_hvac-loadDetail "Zone 4" 4 nil "YES" 0 0 6 14 0 0 55 70 0 0 6 14 nil nil))
(princ "\nresult: ") (princ r)

(princ "\n;; not calculated")
(setq r (zk_hvac-loadDetail "Room 5" -5 T "IMC" 1 1 6 14 0 0 55 70 0 0 6 14 T T))
(princ "\nresult: ") (princ r)

(princ "\n;; wrong arguments: no dialog")
(princ "\nresult: ") (princ (zk_hvac-loadDetail "Room 5" "-5" nil "NO" 1 1 6 14 0 0 55 70 0 0 6 14 nil nil))
(princ "\nresult: ") (princ (zk_hvac-loadDetail "Room 5" -5 nil "NO" 1 1 6 14 0 0 55 70 0 0 6 14 nil))
(princ "\nresult: ") (princ (zk_hvac-loadDetail "Room 5" -5 '(1) "NO" 1 1 6 14 0 0 55 70 0 0 6 14 nil nil))
(princ "\nprinted page: ") (princ (if (findfile "Load Detail.html") "Load Detail.html" "missing"))
(princ)
