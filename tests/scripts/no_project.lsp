; A function that needs the project, in a folder without a project database:
; the connection messages, and the function does not run.
(princ "\n(c:checkzk) => ")
(prin1 (c:checkzk))
(princ "\n(zk_hvac-getLayer \"ROOM LABELS\" nil) => ")
(prin1 (zk_hvac-getLayer "ROOM LABELS" nil))
(princ)
