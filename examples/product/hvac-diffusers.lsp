;;; Diffusers in the example product: removing a diffuser block from the
;;; project's drawings, and the diffuser schedules and blocks of a new project.

;; Removes diffuser block KEY from the drawings and answers (KEY REPLACING).
;; The replacing block is asked for (the input queue answers); none given
;; answers 0: the schedules keep no block. REPLACED lists the pairs of this
;; session so far, ((old new) ...).
(defun util-deleteBlocks (key kind discipline replaced / new)
  ;; Enter answers nil and Escape raises "Function cancelled": both mean none.
  (setq new (vl-catch-all-apply 'getint
              (list (strcat "\nReplace diffuser block " (itoa key) " with block number: "))))
  (if (or (null new) (vl-catch-all-error-p new)) (setq new 0))
  (princ (strcat "\nRemoved " discipline " " kind " block " (itoa key) " from the drawings"
                 (if (= new 0) "" (strcat "; schedules move to block " (itoa new)))))
  (list key new))

;; Seeds the project's diffuser blocks (tblDwgDiff), one schedule group and
;; a schedule per block, as the product's project template does.
(defun hvac-seedDiffusers (/ order)
  (setq order 0)
  (foreach block '(("Square ceiling diffuser" 101 0) ("Round ceiling diffuser" 102 1)
                   ("Sidewall register" 103 2) ("Linear slot diffuser" 104 3))
    (setq order (1+ order))
    (host-sql "INSERT INTO tblDwgDiff (iSortOrder, sDescription, iBlockNumber, iBlockType) VALUES (?, ?, ?, ?)"
              order (car block) (cadr block) (caddr block)))
  (host-sql "INSERT INTO tblDiffSGroup (sName, bShowUnused) VALUES ('Supply diffusers', 0)")
  (foreach schedule '(("S-1" 1 24.0 24.0 10.0) ("S-2" 2 12.0 12.0 8.0) ("R-1" 3 20.0 10.0 12.0)
                      ("L-1" 4 48.0 4.0 8.0))
    (host-sql (strcat "INSERT INTO tblDiffS (ixDiffSGroup, CALLOUT, ixDwgDiff, WIDTH, LENGTH, NECK, bShowInSchedule)"
                      " VALUES (1, ?, ?, ?, ?, ?, -1)")
              (car schedule) (cadr schedule) (caddr schedule) (cadddr schedule) (nth 4 schedule)))
  (princ))
