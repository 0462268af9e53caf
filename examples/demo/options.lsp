;;; Options and diffuser blocks: a designer changes project settings of each
;;; kind in the options dialog, then reorders, adds and removes diffuser
;;; blocks; the project database is printed after each.

(princ "\n\n== Options")
(host-dialog '("set" "Rectangular elbow" 1 "Square elbow")                    ; list with codes
             '("set" "Radius for elbows" 1 "1.5")                            ; number
             '("set" "Show background below ductwork" 1 "No")                ; yes/no
             '("set" "Rectangular duct label format" 1 "%W\"x%D\"")           ; text
             '("set" "Lined rectangular duct label format" 1 "%W\"x%D\" LINED") ; editable list
             '("set" "Diffuser callout" 1 "Custom single line")
             '("set" "Custom diffuser callout format (supply)" 1 "%CALLOUT-%CFM")
             '("set" "3D circle approximation" 1 "6")
             '("select" "Ventilation calculation method" 1)
             '("press" "&OK"))
(setq key (zk_hvac-options "blocks/" "AUTOFIT-RC2"))
(princ "\nLast selected: ") (prin1 key)
(princ "\nStored settings:")
(foreach row (host-sql (strcat "SELECT sKey, sText, dNumber FROM tblGlobal WHERE sKey IN"
                               " ('AUTOFIT-RC2', 'ELBOW RADIUS', 'SHOW BK', 'RECTANGULAR DUCT LABEL FORMAT',"
                               " 'LINED RECTANGULAR DUCT LABEL FORMAT', 'DIFFCALLOUT', 'DIFFUSER CALLOUT FORMAT',"
                               " '3DApproximation') ORDER BY sKey"))
  (princ "\n  ") (prin1 row))

(princ "\n\n== Duct defaults")
;; The product leaves the linings to the project's defaults, which the
;; options dialog edits; the project re-reads them after OK.
(setq *duct-settings*
  (vl-remove-if '(lambda (pair) (member (car pair) '("LINING" "dExteriorLining"))) *duct-settings*))
(host-dialog '("set" "Default interior lining width (in)" 1 "0.5")
             '("set" "Default exterior lining width (in)" 1 "2")
             '("press" "&OK"))
(zk_hvac-options "blocks/")
(setq lined (zkDuct '(3000.0 0.0) '(3120.0 0.0)))
(princ "\nNew duct's linings (interior, exterior): ")
(prin1 (car (host-sql "SELECT LINING, dExteriorLining FROM tblDuct WHERE ixDuct = ?" lined)))

(princ "\n\n== Diffuser blocks")
(if (not (host-sql "SELECT ixDwgDiff FROM tblDwgDiff")) (hvac-seedDiffusers))
(host-dialog '("press" "&New")                         ; a copy of the slot block
             '("set" 5 2 "Perforated return grille")
             '("set" 5 4 "Rectangular")
             '("press" "Move &Up")                     ; above the slot block
             '("select" 1 2) '("press" "&Delete")      ; the square block, replaced by block 2
             '("press" "&OK"))
(host-input "2")
(zk_hvac-dwgDiff)
(princ "\nBlocks:")
(foreach row (host-sql "SELECT ixDwgDiff, iSortOrder, sDescription, iBlockNumber, iBlockType FROM tblDwgDiff ORDER BY iSortOrder")
  (princ "\n  ") (prin1 row))
(princ "\nSchedules (callout, block):")
(foreach row (host-sql "SELECT CALLOUT, ixDwgDiff FROM tblDiffS ORDER BY ixDiffS")
  (princ "\n  ") (prin1 row))
(princ)
