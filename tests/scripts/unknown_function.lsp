; status: 1
(princ "before")
(no-such-function 1)
(princ "never")
