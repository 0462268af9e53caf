; with project
;; The duct data functions with the example product layer: rows written
;; through host-sql, entities made and changed by the module, neighbours
;; answered by geometry, frames of level and vertical ducts, wrong arguments.
(load (findfile "product.lsp"))
(defun show-vector (v) (mapcar '(lambda (x) (+ 0.0 (atof (rtos x 2 4)))) v))
(duct-setSetting "iHangerType" 0)

(setq run (duct-draw '(0.0 0.0) '(100.0 0.0)) run-key *duct-last-key*
      riser (duct-draw '(100.0 0.0 120.0) '(100.0 0.0 180.0)) riser-key *duct-last-key*
      top (duct-draw '(100.0 0.0 180.0) '(100.0 50.0 180.0)) top-key *duct-last-key*)
(princ "\nkeys: ") (prin1 (list run-key riser-key top-key))
(princ "\nall ducts: ") (prin1 (equal (ssgetx-duct) (list run riser top)))
(princ "\nducts of the riser's key: ") (prin1 (equal (ssgetx-duct riser-key) (list riser)))
(princ "\nprevious of the riser: ") (prin1 (getPrevDuct riser-key nil))
(princ "\nnext of the riser: ") (prin1 (getNextDuctsTransparent riser-key nil T))
(princ "\nnext of the top run: ") (prin1 (getNextDuctsTransparent top-key nil T))
(princ "\nframe of the run: ") (prin1 (mapcar 'show-vector (zk_hvac-getDuctCoord run-key)))
(princ "\nframe of the riser: ") (prin1 (mapcar 'show-vector (zk_hvac-getDuctCoord riser-key)))
(princ "\nframe of a missing row: ") (prin1 (zk_hvac-getDuctCoord 99))

(princ "\nsetDuctInfo: ")
(prin1 (zk_hvac-setDuctInfo run '("Z1" . 10.0) '("HANGERDIST" 12.0 48.0 96.0) '("bLockWidth" . T)))
(prin1 (zk_hvac-duct-getHangerList run))
(princ "\nthe row stays as written: ")
(prin1 (host-sql "select ixDuct, SIZEFOR, WIDTH, DEPTH, X1, Y1, Z1, X2, Y2, Z2, AIRFLOW from tblDuct where ixDuct = ?"
                 run-key))
(princ "\nplumbing-style duct: ")
(setq p (zk_hvac-insertDuct-likePlumbing 40000 '(0 10) '(50 10) "6\""))
(prin1 (length (ssgetx-duct 40000)))
(princ "\nold duct info: ") (prin1 (zk_hvac-getOldDuctInfo 1 "plan.dwg"))

(princ "\nwrong arguments:")
(princ (zk_hvac-addDuctToDwg "1" '(0 0) '(1 0)))
(princ (zk_hvac-insertDuct-likePlumbing 1 '(0 0) '(1 0)))
(princ (zk_hvac-setDuctInfo "run"))
(princ (zk_hvac-getOldDuctInfo 1))
(princ (zk_hvac-duct-getHangerList 5))
(princ (zk_hvac-getDuctCoord "1"))
(princ "\n")
(princ)
