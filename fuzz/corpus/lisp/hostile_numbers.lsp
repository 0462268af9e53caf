; Entities made from AutoLISP refuse numbers that are not finite or beyond
; ±1e100, with a message naming the group.
(defun show (title value) (princ (strcat "\n" title ": ")) (prin1 value))
(defun try (groups) (vl-catch-all-error-message (vl-catch-all-apply 'entmake (list groups))))
(show "1e308" (try (list '(0 . "LINE") (list 10 1e308 0.0 0.0) '(11 0.0 0.0 0.0))))
(show "overflow to infinity" (try (list '(0 . "LINE") '(10 0.0 0.0 0.0) (list 11 0.0 (* 1e308 10.0) 0.0))))
(show "circle radius" (try (list '(0 . "CIRCLE") '(10 0.0 0.0 0.0) (cons 40 -1e200))))
(show "a line at the limit" (if (entmake (list '(0 . "LINE") '(10 1e100 0.0 0.0) '(11 0.0 0.0 0.0))) T))
(show "entities" (if (entlast) 1 0))
(princ)
