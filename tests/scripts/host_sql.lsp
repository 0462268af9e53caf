; status: 1
; with project
;; host-sql on the current drawing's project database: rows as lists,
;; changed-row counts, NULL as nil, parameters, and errors that change nothing.
(princ "\ninsert: ")
(prin1 (host-sql "insert into tblDuct (AIRFLOW, WIDTH, CFM, X1) values (?, ?, ?, ?)" "sa" 14 250.5 nil))
(prin1 (host-sql "insert into tblDuct (AIRFLOW, WIDTH) values ('ra', 10.0)"))
(princ "\nrows: ")
(prin1 (host-sql "select ixDuct, AIRFLOW, WIDTH, CFM, X1, bDeleted from tblDuct order by ixDuct"))
(princ "\nbig integer: ")
(prin1 (host-sql "select 4000000000, 'x''y'"))
(princ "\nno rows: ")
(prin1 (host-sql "select ixDuct from tblDuct where AIRFLOW = ?" "ea"))
(princ "\nupdate: ")
(prin1 (host-sql "update tblDuct set WIDTH = WIDTH + 2 where AIRFLOW = ?" "sa"))
(princ "\nerror: ")
(prin1 (vl-catch-all-error-message (vl-catch-all-apply 'host-sql '("select nosuchcolumn from tblDuct"))))
(princ "\nfailing statement changes nothing: ")
(prin1 (vl-catch-all-error-message
  (vl-catch-all-apply 'host-sql '("update tblDuct set ixDuct = 1, WIDTH = 99"))))
(prin1 (host-sql "select WIDTH from tblDuct order by ixDuct"))
(princ "\ntwo statements: ")
(prin1 (vl-catch-all-error-message
  (vl-catch-all-apply 'host-sql '("delete from tblDuct; delete from tblGlobal"))))
(prin1 (host-sql "select count(*) from tblDuct"))
(princ "\nwrong value count: ")
(prin1 (vl-catch-all-error-message (vl-catch-all-apply 'host-sql '("select ?"))))
(princ "\nuncaught: ")
(host-sql "select * from tblNothing")
