; with project
;; The project explorer through the example product: the Query loop (a
;; device, then a schedule) coming back to the explorer each time, Find
;; answering the state list, a private database by path and wrong
;; arguments.
(load (findfile "product.lsp"))
;; No per-user settings: the explorer starts sorted by callout.
(setenv "XDG_CONFIG_HOME" (strcat (vl-filename-directory (host-document)) "/config"))

(host-sql "INSERT INTO tblDiffSGroup (ixDiffSGroup, sName) VALUES (1, 'Supply diffusers')")
(host-sql "INSERT INTO tblDiffS (ixDiffS, ixDiffSGroup, CALLOUT, WIDTH, LENGTH, NECK) VALUES (5, 1, 'S-1', 24, 24, 10)")
(host-sql "INSERT INTO tblDiffS (ixDiffS, ixDiffSGroup, CALLOUT, WIDTH, LENGTH, NECK) VALUES (4, 1, 'S-0', 12, 12, 6)")
(host-sql "INSERT INTO tblDiffL (ixDiffL, ixDiffS, CFM, DRAWING) VALUES (7, 5, 150, 'A.dwg')")
(host-sql "INSERT INTO tblDiffL (ixDiffL, ixDiffS, CFM, DRAWING) VALUES (8, 5, 120, 'B.dwg')")
(host-sql "INSERT INTO tblDuct (ixDuct, AIRFLOW, SIZEFOR, CFM, DRAWING) VALUES (3, 'ra', '12x8', 400, 'A.dwg')")

(princ "\n== Query a diffuser, then its schedule, then find the other diffuser")
(host-dialog '("expand" ("Diffusers" "Supply diffusers" "S-1" "B.dwg"))
             '("select" ("Diffusers" "Supply diffusers" "S-1" "B.dwg" "8") 0)
             '("press" "&Query. . .")
             ;; back on diffuser 8, its list open
             '("select" ("Diffusers" "Supply diffusers" "S-1") 0)
             '("press" "&Query. . .")
             ;; back on S-1, not the first schedule S-0: Find does nothing there, Query asks again
             '("press" "&Find <")
             '("press" "&Query. . .")
             '("expand" ("Diffusers" "Supply diffusers" "S-1" "A.dwg"))
             '("select" ("Diffusers" "Supply diffusers" "S-1" "A.dwg" "7") 0)
             '("press" "&Find <"))
(setq answer (zk_hvac-ProjectExplorer 0 2 "HVAC"))
(princ "\nanswer: ") (prin1 answer)

(princ "\n== Query the duct it was opened on, then Exit")
(host-dialog '("press" "&Query. . .") '("press" "Exit"))
(setq answer (zk_hvac-ProjectExplorer 3 1 "HVAC"))
(princ "\nanswer: ") (prin1 answer)

(princ "\n== The project opened by path, on the duct; a missing file answers nil silently")
(setq folder (vl-filename-directory (host-document))
      name (substr folder (+ 2 (strlen (vl-filename-directory folder)))))
(host-dialog '("press" "Exit"))
(setq answer (zk_hvac-ProjectExplorer 3 1 "HVAC" (strcat folder "/" name "_zk_hvac.zk")))
(princ "\nanswer: ") (prin1 answer)
(princ "\nmissing: ") (prin1 (zk_hvac-ProjectExplorer 0 1 "HVAC" "/nonexistent/none_zk_hvac.zk"))

(princ "\n== Wrong arguments")
(princ "\nnone: ") (prin1 (zk_hvac-ProjectExplorer))
(princ "\ntwo: ") (prin1 (zk_hvac-ProjectExplorer 1 2))
(princ "\ntext key: ") (prin1 (zk_hvac-ProjectExplorer "1" 2 "HVAC"))
(princ "\nnumber caller: ") (prin1 (zk_hvac-ProjectExplorer 1 2 3))
(princ "\nnumber path: ") (prin1 (zk_hvac-ProjectExplorer 1 2 "HVAC" 4))

(princ)
