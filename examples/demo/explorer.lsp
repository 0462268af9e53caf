;;; Project explorer: the diffuser schedules of the options part placed on two drawings and the ducts of
;;; the duct part, browsed as a designer would: query a diffuser, change the sort order, find it; find a
;;; duct; query a schedule.

(princ "\n\n== Project explorer")
(setq explorer-plan (host-document)
      explorer-level2 (strcat (vl-filename-directory explorer-plan) "/Level2.dwg"))
;; Placed diffusers: schedule, drawing, cfm.
(foreach placed (list (list 1 explorer-plan 150.0) (list 1 explorer-plan 150.0) (list 2 explorer-plan 90.0)
                      (list 1 explorer-level2 120.0) (list 3 explorer-level2 200.0))
  (host-sql "INSERT INTO tblDiffL (ixDiffS, AIRFLOW, CFM, DRAWING) VALUES (?, 'sa', ?, ?)"
            (car placed) (caddr placed) (cadr placed)))
(host-sql "INSERT INTO tblDiffSGroup (sName, bShowUnused) VALUES ('Return grilles', 0)")

(princ "\n\nQuery the second S-1 diffuser on this drawing, sort by drawing, then find it")
(host-dialog (list "expand" (list "Diffusers" "Supply diffusers" "S-1" explorer-plan))
             (list "select" (list "Diffusers" "Supply diffusers" "S-1" explorer-plan "2") 0)
             '("press" "&Query. . .")
             '("choose" "Sort Order:" "Sort by drawing, then callout")
             '("press" "&Find <"))
(setq found (zk_hvac-ProjectExplorer 0 2 "HVAC"))
(princ "\nanswer: ") (prin1 found)

(princ "\n\nThe explorer opened on the riser duct, found at once")
(host-dialog '("press" "&Find <"))
(setq found (zk_hvac-ProjectExplorer riser 1 "HVAC"))
(princ "\nanswer: ") (prin1 found)

(princ "\n\nChoose the sort order already shown (nothing changes), query the R-1 schedule, then Exit")
(host-dialog '("choose" "Sort Order:" "Sort by callout, then drawing")
             '("select" ("Diffusers" "Supply diffusers" "R-1") 0)
             '("press" "&Query. . .")
             '("press" "Exit"))
(setq found (zk_hvac-ProjectExplorer 0 2 "HVAC"))
(princ "\nanswer: ") (prin1 found)
(princ)
