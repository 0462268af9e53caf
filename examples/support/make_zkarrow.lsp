; Writes ZKARROW.dwg: a filled arrowhead one unit long with its tip at the
; origin, pointing along +X (a polyline a third of a unit wide at its tail,
; tapering to nothing at the tip); leaders scale it to their size and turn
; it along their last leg.
(entmake '((0 . "LWPOLYLINE") (100 . "AcDbEntity") (8 . "0") (100 . "AcDbPolyline") (90 . 2) (70 . 0)
           (10 -1.0 0.0) (40 . 0.3333) (41 . 0.0) (10 0.0 0.0) (40 . 0.0) (41 . 0.0)))
(host-save "ZKARROW.dwg")
(princ)
