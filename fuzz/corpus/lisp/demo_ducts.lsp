;;; Demo part: a small duct system in the project, drawn through the example
;;; product layer (rows through host-sql, entities through the module).

(princ "\n\n== Ducts")
;; Duct symbols, hangers and size texts scale with DIMSCALE: 48 for a plan
;; drawn in inches at 1/4" = 1'-0".
(setvar "DIMSCALE" 48.0)

;; A frame vector with three decimals.
(defun demo-vector (v) (mapcar '(lambda (x) (+ 0.0 (atof (rtos x 2 3)))) v))

;; A duct from p1 to p2; answers its key and remembers it under name.
(defun demo-duct (p1 p2 / e)
  (setq e (duct-draw p1 p2))
  (setq *demo-ducts* (cons e *demo-ducts*))
  *duct-last-key*)

;; Main supply run at 10 ft (12x8) with two branches (10x6).
(setq main1 (demo-duct '(0.0 0.0) '(240.0 0.0))
      main2 (demo-duct '(240.0 0.0) '(480.0 0.0)))
(duct-setSetting "WIDTH" 10.0)
(duct-setSetting "DEPTH" 6.0)
(duct-setSetting "SIZEFOR" "10x6")
(setq branch1 (demo-duct '(240.0 0.0) '(240.0 168.0))
      branch2 (demo-duct '(480.0 0.0) '(480.0 -168.0)))
;; A riser from 10 ft to 18 ft at the end of the main run, then a run at
;; 18 ft that continues in the drawing of the floor above.
(duct-setSetting "SIZEFOR" "12x8")
(duct-setSetting "WIDTH" 12.0)
(duct-setSetting "DEPTH" 8.0)
(setq riser (demo-duct '(480.0 0.0 120.0) '(480.0 0.0 216.0))
      upper (demo-duct '(480.0 0.0 216.0) '(720.0 0.0 216.0)))
(zk_hvac-setDuctInfo (car *demo-ducts*) '("DWG" . "Level2") '("DWGEND" . T))
;; The first run's size is locked; the second branch gets crossed hangers.
(setq first-duct (last *demo-ducts*))
(zk_hvac-setDuctInfo first-duct '("bLockWidth" . T) '("bLockDepth" . T) '("bLockShape" . T))
(zk_hvac-setDuctInfo (nth 2 *demo-ducts*) '("HANGERDIST" 24.0 -96.0 144.0))

(princ "\nDucts in model space: ") (princ (length (ssgetx-duct)))
(princ "\nDucts of key ") (princ riser) (princ ": ") (princ (length (ssgetx-duct riser)))
(princ "\nHangers of the first run: ") (princ (zk_hvac-duct-getHangerList first-duct))
(princ "\nNext ducts of the main run: ") (princ (getNextDuctsTransparent main2 nil T))
(princ "\nPrevious duct of the riser: ") (princ (getPrevDuct riser nil))
(princ "\nFrame of the main run: ") (princ (mapcar 'demo-vector (zk_hvac-getDuctCoord main1)))
(princ "\nFrame of the riser: ") (princ (mapcar 'demo-vector (zk_hvac-getDuctCoord riser)))
(princ "\nRow of the riser: ")
(princ (host-sql "select ixDuct, SIZEFOR, WIDTH, DEPTH, X1, Y1, Z1, X2, Y2, Z2 from tblDuct where ixDuct = ?" riser))

;; Both file formats, reopened: the ducts come back with their data.
(setq demo-drawing (host-document))
(foreach file '("Ducts.dwg" "Ducts.dxf")
  (host-save file)
  (host-open file)
  (princ (strcat "\nReopened " file ": "))
  (princ (length (ssgetx-duct))) (princ " ducts, ")
  (princ (length (ssgetx-duct riser))) (princ " of the riser's key")
  (if (= file "Ducts.dwg")
    (progn (princ "\nRendered ") (princ (host-render "Ducts.svg"))))
  (host-activate demo-drawing))
(princ)
