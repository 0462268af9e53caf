; Hatches made from lists as entget answers them: a solid square with a
; hole and a patterned square with a dashed family and an arc edge are made
; from their groups alone; the head and tail groups a list leaves out are
; filled in; entget gives back what entmake took (angles in radians), and
; a second entmake from that list makes the same hatch; both survive a DXF
; save and reopen. Lists that do not describe a hatch are refused.
(defun strip (l) (vl-remove-if '(lambda (g) (member (car g) '(-1 5 330))) l))
(defun own (l) (cdr (member '(100 . "AcDbHatch") l)))

(princ "\n-- solid with a hole")
(print (entmake '((0 . "HATCH") (8 . "0") (91 . 2)
                  (92 . 3) (72 . 0) (73 . 1) (93 . 4) (10 0.0 0.0 0.0) (10 10.0 0.0 0.0) (10 10.0 10.0 0.0) (10 0.0 10.0 0.0) (97 . 0)
                  (92 . 18) (72 . 0) (73 . 1) (93 . 4) (10 4.0 4.0 0.0) (10 6.0 4.0 0.0) (10 6.0 6.0 0.0) (10 4.0 6.0 0.0) (97 . 0))))
(setq solid (entlast))
(print (own (entget solid)))
(print (host-extents solid))
(print (length (host-draw solid)))

(princ "\n-- pattern with an arc edge, given as entget answers it")
(setq pattern-list
  '((0 . "HATCH") (100 . "AcDbEntity") (8 . "0") (100 . "AcDbHatch") (10 0.0 0.0 0.0) (210 0.0 0.0 1.0)
    (2 . "DASHES") (70 . 0) (71 . 0) (91 . 1)
    (92 . 1) (93 . 3) (72 . 1) (10 20.0 0.0 0.0) (11 30.0 0.0 0.0)
    (72 . 2) (10 30.0 5.0 0.0) (40 . 5.0) (50 . -1.5707963267948966) (51 . 1.5707963267948966) (73 . 1)
    (72 . 1) (10 30.0 10.0 0.0) (11 20.0 0.0 0.0) (97 . 0)
    (75 . 0) (76 . 1) (52 . 0.0) (41 . 1.0) (77 . 0) (78 . 1)
    (53 . 0.0) (43 . 0.0) (44 . 0.5) (45 . 0.0) (46 . 1.0) (79 . 2) (49 . 2.0) (49 . -1.0) (98 . 0)))
(print (and (entmake pattern-list) T))
(setq patterned (entlast))
(print (equal (strip pattern-list) (strip (entget patterned)) 1e-9))
(print (host-extents patterned))
(print (and (entmake (entget patterned)) T))
(print (equal (strip (entget patterned)) (strip (entget (entlast))) 1e-9))
(setq dashes 0)
(foreach p (host-draw patterned) (if (< (distance (cadr p) (caddr p)) 2.000001) (setq dashes (1+ dashes))))
(print (> dashes 10))

(princ "\n-- saved and reopened")
(host-save "hatches.dxf")
(host-open "hatches.dxf")
(setq e (entnext) found nil)
(while e (if (= (cdr (assoc 0 (entget e))) "HATCH") (setq found (cons (cdr (assoc 2 (entget e))) found))) (setq e (entnext e)))
(print (reverse found))

(princ "\n-- refused")
(print (entmake '((0 . "HATCH") (91 . 2) (92 . 2) (93 . 3) (10 0.0 0.0 0.0) (10 1.0 0.0 0.0) (10 1.0 1.0 0.0) (97 . 0))))
(print (entmake '((0 . "HATCH") (91 . 1) (92 . 2) (93 . 5) (10 0.0 0.0 0.0))))
(print (entmake '((0 . "HATCH") (91 . 0))))
(print (entmake '((0 . "HATCH") (2 . "SOLID") (70 . 0) (91 . 1) (92 . 2) (93 . 3) (10 0.0 0.0 0.0) (10 1.0 0.0 0.0) (10 1.0 1.0 0.0) (97 . 0))))
(print (entmake '((0 . "HATCH") (91 . 1) (92 . 1) (93 . 1) (72 . 9) (10 0.0 0.0 0.0) (97 . 0))))
(print (entmake '((0 . "HATCH") (10 0.0 0.0 0.0))))
(princ)
