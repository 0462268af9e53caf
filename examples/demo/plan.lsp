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
