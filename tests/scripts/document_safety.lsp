; One file is one document; a document-activated callback that creates
; documents does not keep the host from closing at exit.
(defun show (title value) (princ (strcat "\n" title ": ")) (prin1 value))
(host-new "A.dwg")
(show "A again" (vl-catch-all-error-message (vl-catch-all-apply 'host-new (list "A.dwg"))))
(show "open A" (vl-catch-all-error-message (vl-catch-all-apply 'host-open (list "A.dwg"))))
(setq made 0)
(defun c:zk_hvac-doToDo ()
  (setq made (1+ made))
  (if (< made 50) (host-new (strcat "Made" (itoa made) ".dwg"))))
(zk_hvac-setDoDocumentActivated T)
(host-new "B.dwg")
(show "documents made by the callback" (> made 0))
(princ)
