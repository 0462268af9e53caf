; with project
;; Drawing a network with zkDuct through the example product layer: the
;; alignment point set from AutoLISP, the elevation chosen from the input
;; queue (and the first when nothing is queued), next ducts in both forms
;; (the transparent one looks through a duct of zero length), the view and
;; UCS variables, and rows that follow the drawing after a fillet.
(load (findfile "product.lsp"))
(defun row (k) (car (host-sql "select ixDuct, X1, Y1, Z1, X2, Y2, Z2, SIZEFOR, DRAWING from tblDuct where ixDuct = ?" k)))

(princ "\nbreak before the alignment point: ")
(setq a (zkDuct '(0 0) '(100 0)))
(prin1 (zkbreak (car (ssgetx-duct a)) '(50 0)))
(princ "\nset: ") (prin1 (hvac-setAlignmentPoint '(10 20)))
(princ "\nbreak after: ") (prin1 (zkbreak (car (ssgetx-duct a)) '(50 0)))

(princ "\nview: ") (prin1 (list (getvar "VIEWCTR") (getvar "VIEWSIZE") (getvar "SCREENSIZE")))
(setvar "VIEWCTR" '(500 500 0))
(setvar "VIEWSIZE" 50.0)
(princ "\nmoved view: ") (prin1 (list (getvar "VIEWCTR") (getvar "VIEWSIZE")))
(princ "\nUCS: ") (prin1 (list (getvar "UCSXDIR") (getvar "UCSYDIR")))
(princ "\nbad VIEWSIZE: ") (prin1 (vl-catch-all-error-p (vl-catch-all-apply 'setvar '("VIEWSIZE" -1.0))))

;; Two ducts meeting at (100 0): the main run's end at 120 and a drop that
;; the product lowers to 90 there.
(setq drop (zkDuct '(100 60) '(100 0)))
(host-sql "update tblDuct set Z2 = 90.0 where ixDuct = ?" drop)
(princ "\ndrop row: ") (prin1 (row drop))
(princ "\nfirst offered when nothing is queued: ")
(setq b (zkDuct '(100 0) '(150 0)))
(prin1 (cadddr (row b)))
(host-input "1")
(princ "\nsecond when queued: ")
(setq c (zkDuct '(100 0) '(100 -50)))
(prin1 (cadddr (row c)))

(princ "\nzero-length duct: ")
(setq z (zkDuct '(150 0) '(150 0)))
(setq d (zkDuct '(150 0) '(200 0)))
(prin1 (list (getNextDuctsTransparent b nil nil) (getNextDuctsTransparent b nil T) z d))

(princ "\nview back where it was: ") (prin1 (getvar "VIEWCTR"))
(princ "\nfillet rows follow: ")
(setq e1 (zkDuct '(300 0) '(340 0)) e2 (zkDuct '(350 10) '(350 60)))
(zk_hvac-duct-fillet (car (ssgetx-duct e1)) '(310 0) (car (ssgetx-duct e2)) '(350 40))
(prin1 (list (row e1) (row e2)))
(princ "\nwrong arguments: ") (prin1 (list (zkDuct 1 2) (zkbreak nil nil) (zk_hvac-duct-fillet)))
(princ)
