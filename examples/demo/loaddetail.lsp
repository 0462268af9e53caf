;;; Load detail: the load rows of a room and a zone written as the product's calculation writes them, then
;;; the load detail of each, driven as a designer would: another cooling load hour, a print, close.

(defun loaddetail-demo-cooling (column id month hour scale)
  ;; one cooling row; the figures follow the sun through the day
  (setq sun (max 0.0 (sin (* pi (/ (- hour 5.0) 14.0)))))
  (host-sql (strcat "INSERT INTO tblLoadRoomCooling (" column ", iMonth, iHour, iCoolingCFM, iOSACFM,"
                    " dRoof, dWall, dDoor, dGlass, dLights, dEquipmentSensible, dPeopleSensible, dPeopleLatent,"
                    " dInfiltrationSensible, dInfiltrationLatent, dVentilationSensible, dVentilationLatent,"
                    " dPlenumTotal, dRoomTotalSensible, dRoomTotalLatent, dRoomTotal,"
                    " dSystemTotalSensible, dSystemTotalLatent, dSystemTotal)"
                    " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
            id month hour
            (fix (* scale (+ 600 (* 500 sun)))) (fix (* scale 150))
            (* scale 6000 sun) (* scale 3500 sun) (* scale 400 sun) (* scale 9000 sun)
            (* scale 4000) (* scale 1500) (* scale 2500) (* scale 2000)
            (* scale 800) (* scale 900) (* scale 2200) (* scale 3100)
            (* scale 1200)
            (* scale (+ 11200 (* 18900 sun))) (* scale 2900) (* scale (+ 14100 (* 18900 sun)))
            (* scale (+ 14600 (* 18900 sun))) (* scale 6000) (* scale (+ 20600 (* 18900 sun)))))

(princ "\nLoad rows: room 1 and zone 1, July, every hour; heating of both")
(setq hour 0)
(repeat 24
  (loaddetail-demo-cooling "ixRoomL" 1 6 hour 1.0)
  (loaddetail-demo-cooling "ixZone" 1 6 hour 3.2)
  (setq hour (1+ hour)))
(host-sql (strcat "INSERT INTO tblLoadRoomHeating (ixRoomL, dRoof, dWall, dDoor, dGlass, dSlab, dInfiltration,"
                  " iHeatingCFM, iOSACFM, dRoomTotal, dSystemTotal) VALUES (1, 9800, 7400, 1100, 6900, 2100,"
                  " 6830, 780, 150, 34130, 41000)"))
(host-sql (strcat "INSERT INTO tblLoadRoomHeating (ixZone, dRoof, dRoofPlenum, dWall, dDoor, dGlass, dSlab,"
                  " dEquipment, dInfiltration, dVentilation, dPlenumTotal, iHeatingCFM, iOSACFM, dRoomTotal,"
                  " dSystemTotal) VALUES (1, 0, 31000, 23600, 3500, 22100, 6700, 1500, 21900, 12000, 3100,"
                  " 2500, 480, 110300, 125400)"))
(princ "\n  cooling rows: ") (princ (caar (host-sql "SELECT count(*) FROM tblLoadRoomCooling")))
(princ ", heating rows: ") (princ (caar (host-sql "SELECT count(*) FROM tblLoadRoomHeating")))

(princ "\n\nLoad detail of room 1: cooling load at 5 pm instead of 3 pm, then print")
(host-dialog '("set" ("Cooling Load" "Time") 2 "5 pm") '("press" "&Print. . .") '("press" "&OK"))
(setq loaddetail-demo-result
  (zk_hvac-loadDetail "Room 1 - Office" -1 nil "NO" 1250.0 8 6 14 780 1000 55 70 1 1 6 14 nil nil
                      '("Supply" "1000" "57.0 DB (F)" "55.5 WB (F)" "0.0089" "20600" "14600" "6000"
                        "Room" "1000" "75.0 DB (F)" "62.5 WB (F)" "0.0094" "" "" "")))
(princ "\nresult: ") (princ loaddetail-demo-result)

(princ "\n\nLoad detail of zone 1 with its system lines: print, then ask for the calculation")
(host-dialog '("select" ("Cooling Load" "Time") 2) '("press" "&Print. . .") '("press" "&Calculate This Load"))
(setq loaddetail-demo-result
  (zk_hvac-loadDetail "Zone 1 - East offices" 1 nil "NO" 4000.0 26 6 14 2496 2600 55 70 0 0 6 14 nil nil))
(princ "\nresult: ") (princ loaddetail-demo-result)
(princ "\nPrinted pages: ")
(foreach page '("Load Detail.html" "Load Detail (2).html")
  (if (findfile page) (princ (strcat "\"" page "\" "))))
