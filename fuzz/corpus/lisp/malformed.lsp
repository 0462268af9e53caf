; status: 1
(princ "before")
(princ (+ 1 2)
