;;; The project explorer in the example product: the lists the explorer asks
;;; for, evaluated on the project database, and what its Query button shows.

;; The values of FIELD1 in the rows SQL selects, in the order of the rows,
;; each once; NULL values are left out. FIELD2 names what the explorer shows
;; for a row and is not needed here.
(defun hvac-projectExplorer_sqlQuery (sql field1 field2)
  (mapcar 'car
          (host-sql (strcat "SELECT v FROM (SELECT " field1 " AS v, ROW_NUMBER() OVER () AS n FROM (" sql "))"
                            " WHERE v IS NOT NULL GROUP BY v ORDER BY MIN(n)"))))

;; A column value as text; NULL shows as "-".
(defun explorer-text (value)
  (cond ((null value) "-") ((= (type value) 'REAL) (rtos value 2 0)) (T (vl-princ-to-string value))))

;; Prints "TITLE KEY: label value, label value ..." for a row, or that it is missing.
(defun explorer-print (title key labels row)
  (princ (strcat "\n" title " " (itoa key)))
  (if row
    (mapcar '(lambda (label value) (princ (strcat (if (= label (car labels)) ": " ", ") label " "
                                                  (explorer-text value))))
            labels row)
    (princ ": not in the project")))

;; Query on a duct (DEVTYPE 1) or a placed diffuser (DEVTYPE 2).
(defun projectExplorer-query-HVAC (ixL devType)
  (if (= devType 1)
    (explorer-print "Duct" ixL '("drawing" "airflow" "size" "cfm")
                    (car (host-sql "SELECT DRAWING, AIRFLOW, SIZEFOR, CFM FROM tblDuct WHERE ixDuct = ?" ixL)))
    (explorer-print "Diffuser" ixL '("drawing" "callout" "cfm")
                    (car (host-sql (strcat "SELECT tblDiffL.DRAWING, tblDiffS.CALLOUT, tblDiffL.CFM"
                                           " FROM tblDiffL, tblDiffS"
                                           " WHERE tblDiffL.ixDiffS = tblDiffS.ixDiffS AND ixDiffL = ?")
                                   ixL))))
  (princ))

;; Query on a diffuser schedule: its size and how many diffusers use it.
(defun projectExplorer-querySchedule-HVAC (ixSch devType)
  (explorer-print "Schedule" ixSch '("callout" "width" "length" "neck" "placed")
                  (car (host-sql (strcat "SELECT CALLOUT, WIDTH, LENGTH, NECK,"
                                         " (SELECT COUNT(*) FROM tblDiffL WHERE ixDiffS = ? AND bDeleted = 0)"
                                         " FROM tblDiffS WHERE ixDiffS = ?")
                                 ixSch ixSch)))
  (princ))
