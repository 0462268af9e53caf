; with project
;; The options and diffuser blocks dialogs through their AutoLISP functions:
;; wrong arguments, databases that do not open, a private database by path,
;; the drawing's own project, and the product's block deletion.
(load (findfile "product.lsp"))

(princ "\n;; options: wrong arguments open nothing")
(princ "\nresult: ") (prin1 (zk_hvac-options))
(princ "\nresult: ") (prin1 (zk_hvac-options 5 "SHOW BK"))

(princ "\n;; options: a database that is missing or is not one")
(princ "\nresult: ") (prin1 (zk_hvac-options "blocks/" "" nil "nowhere/none.zk"))
(princ "\nresult: ") (prin1 (zk_hvac-options "blocks/" "" nil "script.lsp"))

(princ "\n;; options on another project by path; a mistyped key is skipped")
(setq other (host-new-project "other"))
(host-dialog '("set" "Show arrows on 4 way throw patterns" 1 "No")
             '("set" "Diffuser callout" 1 "Custom two line")
             '("set" "Custom diffuser callout format line 1" 1 "%CALLOUT")
             '("press" "&OK"))
(princ "\nresult: ") (prin1 (zk_hvac-options "blocks/" 42 T other))
(host-new "other/Plan.dwg")
(princ "\nother: ")
(prin1 (host-sql "SELECT sKey, sText FROM tblGlobal WHERE sKey IN ('SHOW4THROW', 'DIFFCALLOUT', 'DIFFUSER CALLOUT LINE 1') ORDER BY sKey"))

(host-close "other/Plan.dwg")
(princ "\n;; the drawing's project is unchanged; Cancel answers the selected key")
(host-dialog '("select" "Draw hangers in 2D" 1) '("press" "&Cancel"))
(princ "\nresult: ") (prin1 (zk_hvac-options "blocks/" "SHOW4THROW"))
(princ "\nthis project: ")
(prin1 (host-sql "SELECT sText FROM tblGlobal WHERE sKey = 'SHOW4THROW'"))

(princ "\n;; diffuser blocks: wrong argument, missing database")
(princ "\nresult: ") (prin1 (zk_hvac-dwgDiff 5))
(princ "\nresult: ") (prin1 (zk_hvac-dwgDiff "nowhere/none.zk"))

(princ "\n;; diffuser blocks: new, move, delete with a replacement, delete without")
(hvac-seedDiffusers)
(host-dialog '("press" "&New")
             '("set" 5 2 "Ceiling grille")
             '("press" "Move &Up")
             '("select" 1 2) '("press" "&Delete")
             '("select" 2 2) '("press" "&Delete")
             '("press" "&OK"))
(host-input "2")
(princ "\nresult: ") (prin1 (zk_hvac-dwgDiff))
(princ "\nblocks: ")
(prin1 (host-sql "SELECT ixDwgDiff, iSortOrder, sDescription, iBlockNumber, iBlockType FROM tblDwgDiff ORDER BY iSortOrder"))
(princ "\nschedules: ")
(prin1 (host-sql "SELECT CALLOUT, ixDwgDiff FROM tblDiffS ORDER BY ixDiffS"))

(princ "\n;; Cancel writes nothing")
(host-dialog '("press" "&Delete") '("press" "&Cancel"))
(zk_hvac-dwgDiff)
(prin1 (host-sql "SELECT count(*) FROM tblDwgDiff"))
(princ)
