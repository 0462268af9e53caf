;;; Demo: the architect's plan the HVAC work is drawn on. Its arcs,
;;; ellipses, points and solids are entities of their own kinds: they
;;; list, snap and move like the host's lines.
(princ "\n\n== Architect's plan")
(setq kinds nil e (entnext))
(while e
  (setq kind (cdr (assoc 0 (entget e)))
        seen (assoc kind kinds)
        kinds (if seen (subst (cons kind (1+ (cdr seen))) seen kinds) (cons (cons kind 1) kinds))
        e (entnext e)))
(princ "\nKinds on the plan: ")
(princ (vl-sort kinds '(lambda (a b) (< (car a) (car b)))))
(if (setq door (ssget "X" '((0 . "ARC") (8 . "A-DOOR"))))
  (progn
    (setq door (ssname door 0))
    (princ "\nA door swing ends at ") (princ (host-osnap door "end" (quote (0 0 0))))
    (host-list door)))
(princ)
;; The title block moves 10 units down; its attributes go with it.
(if (setq title (ssget "X" '((0 . "INSERT") (8 . "A-TTLB"))))
  (progn
    (setq title (ssname title 0))
    (host-transform title '((1 0 0 0) (0 1 0 -10) (0 0 1 0) (0 0 0 1)))
    (setq e (entnext title))
    (while (and e (= (cdr (assoc 0 (entget e))) "ATTRIB"))
      (princ (strcat "\nTitle block " (cdr (assoc 2 (entget e))) ": " (cdr (assoc 1 (entget e))) " at "))
      (princ (cdr (assoc 10 (entget e))))
      (setq e (entnext e)))))
(princ)
;; A room label in Chinese, centred on its point (the plot draws the
;; characters DejaVu Sans lacks with a fallback font), and a column made
;; from its hatch groups: a solid square with a hole, then a hatched
;; bracket made from groups and a mirrored copy of it.
(entmake '((0 . "TEXT") (8 . "0") (10 0.0 0.0 0.0) (40 . 2.5) (1 . "机房 Plant room")
           (72 . 1) (73 . 2) (11 20.0 -30.0 0.0)))
(princ "\nCentred label drawn at ") (princ (host-extents (entlast)))
(entmake '((0 . "HATCH") (8 . "0") (91 . 2)
           (92 . 3) (72 . 0) (73 . 1) (93 . 4) (10 40.0 -36.0 0.0) (10 44.0 -36.0 0.0) (10 44.0 -32.0 0.0) (10 40.0 -32.0 0.0) (97 . 0)
           (92 . 18) (72 . 0) (73 . 1) (93 . 4) (10 41.0 -35.0 0.0) (10 43.0 -35.0 0.0) (10 43.0 -33.0 0.0) (10 41.0 -33.0 0.0) (97 . 0)))
(princ "\nColumn hatch: ") (princ (cdr (assoc 2 (entget (entlast)))))
(entmake '((0 . "HATCH") (8 . "0") (2 . "ANSI31") (70 . 0) (91 . 1)
           (92 . 1) (93 . 3) (72 . 1) (10 50.0 -36.0 0.0) (11 56.0 -36.0 0.0)
           (72 . 2) (10 56.0 -33.0 0.0) (40 . 3.0) (50 . -1.5707963267948966) (51 . 1.5707963267948966) (73 . 1)
           (72 . 1) (10 56.0 -30.0 0.0) (11 50.0 -36.0 0.0) (97 . 0)
           (75 . 0) (76 . 1) (52 . 0.0) (41 . 1.0) (77 . 0) (78 . 1)
           (53 . 0.785398) (43 . 0.0) (44 . 0.0) (45 . -0.5) (46 . 0.5) (79 . 2) (49 . 1.0) (49 . -0.5) (98 . 0)))
(setq bracket (entlast))
(entmake (entget bracket))
(host-transform (entlast) '((-1 0 0 100) (0 1 0 0) (0 0 1 0) (0 0 0 1)))
(princ "\nBracket hatch at ") (princ (host-extents bracket))
(princ ", its mirror at ") (princ (host-extents (entlast)))
(princ)
