; Writes ZKARROW.dwg: a closed arrowhead one unit long with its tip at the
; origin, pointing along +X; leaders scale it to their size and turn it
; along their last leg.
(entmake '((0 . "LINE") (8 . "0") (10 0.0 0.0 0.0) (11 -1.0 0.1667 0.0)))
(entmake '((0 . "LINE") (8 . "0") (10 -1.0 0.1667 0.0) (11 -1.0 -0.1667 0.0)))
(entmake '((0 . "LINE") (8 . "0") (10 -1.0 -0.1667 0.0) (11 0.0 0.0 0.0)))
(host-save "ZKARROW.dwg")
(princ)
