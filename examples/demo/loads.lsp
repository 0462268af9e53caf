;;; Cooling load tables and the load data store: a few table rows, then room and wall loads stored and read back.

(defun loads-demo-row (label pairs / text)
  ;; label followed by the 24 hourly values of one month
  (setq text "")
  (foreach p pairs (setq text (strcat text " " (itoa (cdr p)))))
  (princ (strcat "\n  " label ":" text)))

(defun loads-demo-field (record name)
  (princ (strcat "\n  " name " = " (vl-princ-to-string (cdr (assoc name record))))))

(princ "\nCooling load tables, July (month 6) at 40 N, solar hours 1 am to midnight")
(loads-demo-row "roof 1 CLTD   " (zk_hvac-getRoofCLTDDxf 40 1 6))
(loads-demo-row "roof 14 CLTD  " (zk_hvac-getRoofCLTDDxf 40 14 6))
(loads-demo-row "wall 1 W CLTD " (zk_hvac-getWallCLTDDxf 40 1 "W" 6))
(loads-demo-row "wall 1 WSW    " (zk_hvac-getWallCLTDDxf 40 1 "WSW" 6))
(loads-demo-row "glass A E SCL " (zk_hvac-getGlassCLTDDxf 40 "A" "E" 6))
(princ "\nRoof 1 at 3 pm by month, 40 N:")
(setq loads-demo-year (zk_hvac-getRoofCLTDDxf 40 1 0 1 2 3 4 5 6 7 8 9 10 11))
(setq loads-demo-m 0)
(repeat 12
  (princ (strcat " " (itoa (cdr (nth (+ 14 (* 24 loads-demo-m)) loads-demo-year)))))
  (setq loads-demo-m (1+ loads-demo-m)))

(princ "\n\nLoad data store: room 1-2-3 gets two roof loads, glass and air flow")
(zk_hvac-loads-resetRoomData)
(zk_hvac-loads-storeRoomData 1 2 3 "dRoof" 1200.5 "dGlass" 830 "iCoolingCFM" 450.7)
(zk_hvac-loads-storeRoomData 1 2 3 "dRoof" 300)
(setq loads-demo-room (zk_hvac-loads-getRoomData 1 2 3))
(princ (strcat "\n  fields returned: " (itoa (length loads-demo-room))))
(loads-demo-field loads-demo-room "dRoof")
(loads-demo-field loads-demo-room "dGlass")
(loads-demo-field loads-demo-room "iCoolingCFM")
(princ (strcat "\n  first pair with suffix _2: "
               (vl-princ-to-string (car (zk_hvac-loads-getRoomData 1 2 3 "_2")))))

(princ "\nWall 1-2-1 gets wall and door loads")
(zk_hvac-loads-resetWallData)
(zk_hvac-loads-storeWallData 1 2 1 "dWall" 410.25 "dDoor" 95)
(setq loads-demo-wall (zk_hvac-loads-getWallData 1 2 1))
(loads-demo-field loads-demo-wall "dWall")
(loads-demo-field loads-demo-wall "dDoor")

(zk_hvac-loads-resetRoomData)
(zk_hvac-loads-resetWallData)
(princ (strcat "\n  after reset, room 1-2-3 reads " (vl-princ-to-string (zk_hvac-loads-getRoomData 1 2 3))))
(princ "\n")
(princ)
