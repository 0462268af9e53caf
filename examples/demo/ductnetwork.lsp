;;; Demo part: a duct network drawn with zkDuct alone (a main run, a branch
;;; that splits it), edited with the fillet (a riser between two elevations)
;;; and a break, then the rows of tblDuct that the module kept in step.

(princ "\n\n== Duct network")
(hvac-setAlignmentPoint '(0.0 0.0))
(duct-setSetting "SIZEFOR" "14x10")
(duct-setSetting "WIDTH" 14.0)
(duct-setSetting "DEPTH" 10.0)
(duct-setSetting "Z1" 120.0)
(duct-setSetting "Z2" 120.0)

;; The duct entity of a key.
(defun net-duct (key) (car (ssgetx-duct key)))

;; Main run: the second duct starts at the end of the first.
(setq net-main1 (zkDuct '(2000.0 0.0) '(2240.0 0.0))
      net-main2 (zkDuct '(2240.0 0.0) '(2480.0 0.0)))
;; A branch from the middle of the first run splits it.
(setq net-branch (zkDuct '(2120.0 0.0) '(2120.0 168.0)))
;; A run at 8 ft, filleted to the main run's end: both are brought to the
;; corner and a riser joins the two elevations.
(duct-setSetting "Z1" 96.0)
(duct-setSetting "Z2" 96.0)
(setq net-low (zkDuct '(2600.0 60.0) '(2600.0 240.0)))
(zk_hvac-duct-fillet (net-duct net-main2) '(2400.0 0.0) (net-duct net-low) '(2600.0 200.0))
;; The branch broken in two at its middle.
(setq net-piece (zkbreak (net-duct net-branch) '(2120.0 84.0)))

(princ "\nKeys: main ") (princ (list net-main1 net-main2))
(princ ", branch ") (princ net-branch) (princ ", low run ") (princ net-low)
(princ ", broken piece ") (princ net-piece)
(princ "\nNext ducts of the first main run: ") (princ (getNextDuctsTransparent net-main1 nil nil))
(princ "\nRows (key, start, end, size):")
(foreach row (host-sql (strcat "select ixDuct, X1, Y1, Z1, X2, Y2, Z2, SIZEFOR, WIDTH, DEPTH"
                               " from tblDuct where ixDuct >= ? order by ixDuct")
                       net-main1)
  (princ "\n  ") (princ row))
(princ "\nDucts in the drawing: ") (princ (length (ssgetx-duct)))
(princ "\nRendered ") (princ (host-render "DuctNetwork.svg"))
(princ)
