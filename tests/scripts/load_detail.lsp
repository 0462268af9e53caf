; with project
;; The load detail of a room and a zone read from the project's load rows:
;; a changed hour refreshes only the cooling load lines, refused edits, the
;; print, both results, wrong arguments and a subject without rows.
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
