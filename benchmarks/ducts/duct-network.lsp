;;; Drawing speed of zkDuct: a network of 10,000 ducts drawn from a script,
;;; each new duct starting at the end of the previous one or, every tenth,
;;; splitting a duct drawn earlier. Prints ducts per second for each block
;;; of 1,000, so the growth of one call's cost with the drawing shows.
;;; Run (from a fresh project folder):
;;;   orvane-hvac new-project . bench
;;;   ORVANE_SUPPORT=<repo>/examples/support:<repo>/examples/product \
;;;     orvane-hvac run --drawing Bench.dwg <repo>/benchmarks/ducts/duct-network.lsp
(load (findfile "product.lsp"))
(setq bench-total (if (getenv "DUCTS") (atoi (getenv "DUCTS")) 10000)
      bench-block 1000 bench-row 0 bench-n 0 bench-x 0.0 bench-y 0.0
      bench-t0 (getvar "MILLISECS") bench-start bench-t0)
(princ (strcat "\nzkDuct network of " (itoa bench-total) " ducts"))
(while (< bench-n bench-total)
  (if (and (> bench-n 0) (= (rem bench-n 10) 0))
    ;; A branch from the middle of the duct drawn five before.
    (zkDuct (list (- bench-x 460.0) bench-y) (list (- bench-x 460.0) (+ bench-y 40.0)))
    (progn
      (zkDuct (list bench-x bench-y) (list (+ bench-x 100.0) bench-y))
      (setq bench-x (+ bench-x 100.0))))
  (setq bench-n (1+ bench-n))
  ;; Rows of 100 ducts, 200 units apart.
  (if (>= bench-x 10000.0) (setq bench-x 0.0 bench-y (+ bench-y 200.0)))
  (if (= (rem bench-n bench-block) 0)
    (progn
      (setq bench-t1 (getvar "MILLISECS"))
      (princ (strcat "\n  ducts " (itoa (- bench-n bench-block)) "-" (itoa bench-n) ": "
                     (rtos (/ (* bench-block 1000.0) (max 1 (- bench-t1 bench-t0))) 2 0) " ducts/s"))
      (setq bench-t0 bench-t1))))
(princ (strcat "\nTotal: " (rtos (/ (* bench-total 1000.0) (max 1 (- (getvar "MILLISECS") bench-start))) 2 0)
               " ducts/s, " (itoa (length (ssgetx-duct))) " ducts, "
               (itoa (caar (host-sql "select count(*) from tblDuct"))) " rows"))
(princ)
