;;; Demo: the standard AutoLISP functions a product layer uses around the
;;; module: selection sets, host commands, tables, input, files, errors.
(princ "\n\n== Standard AutoLISP")

;; Draw a small grid with the LINE command, then select parts of it.
(command "_.LINE" '(100 0) '(140 0) '(140 30) '(100 30) "_C")
(command "_.LINE" '(120 0) '(120 30) "")
(princ "\nLines in the grid box: ")
(princ (sslength (ssget "_C" '(99 -1) '(141 31) '((0 . "LINE")))))
(princ "\nFully inside the left half: ")
(princ (sslength (ssget "_W" '(99 -1) '(121 31))))
(setq circles (ssget "X" '((0 . "CIRCLE") (-4 . ">") (40 . 1.0))))
(princ "\nCircles larger than 1: ") (princ (if circles (sslength circles) 0))

;; Zoom to everything and read the view back.
(command "_.ZOOM" "_E")
(princ "\nView centre after ZOOM E: ") (princ (getvar "VIEWCTR"))

;; Erase the middle line again and undo marks as a product would set them.
(command "_.UNDO" "_BE")
(command "_.ERASE" (ssget "_C" '(119 10) '(121 20)) "")
(command "_.UNDO" "_E")
(princ "\nLines left: ") (princ (sslength (ssget "X" '((0 . "LINE")))))

;; Tables: the layers and a registered application.
(regapp "ORVANE_DEMO")
(setq layers nil rec (tblnext "LAYER" T))
(while rec (setq layers (cons (cdr (assoc 2 rec)) layers) rec (tblnext "LAYER")))
(princ "\nLayers: ") (princ (acad_strlsort layers))
(princ "\nApplication registered: ") (princ (if (tblsearch "APPID" "ORVANE_DEMO") "yes" "no"))

;; Input answered from the host's queue, with keywords.
(host-input "r" '(150 10) 2.5)
(initget 1 "Rectangle Circle")
(princ "\nShape: ") (princ (getkword "\nShape [Rectangle/Circle]: "))
(princ "\nCorner: ") (princ (getpoint "\nCorner: "))
(princ "\nScale: ") (princ (getreal "\nScale: "))

;; A report file, sorted names, wildcard tests.
(setq names (vl-sort '("AHU-2" "AHU-1" "FCU-10" "FCU-2") '<))
(setq f (open "standard-report.txt" "w"))
(foreach name names (write-line name f))
(close f)
(setq f (open "standard-report.txt" "r") lines nil)
(while (setq line (read-line f)) (setq lines (cons line lines)))
(close f)
(princ "\nReport lines: ") (princ (reverse lines))
(princ "\nAir handlers: ") (princ (vl-remove-if-not '(lambda (n) (wcmatch n "AHU-#")) names))

;; An error handler that reports and goes on.
(princ "\nCaught: ")
(princ (vl-catch-all-error-message (vl-catch-all-apply 'getint '("\nNothing queued: "))))
(princ)
