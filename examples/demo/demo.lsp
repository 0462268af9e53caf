;;; Demo of the HVAC module on the bundled example project.
(load (findfile "product.lsp"))

(princ "\n\n== Project")
(princ "\nDrawing: ") (princ (host-document))
(c:checkzk)
(princ "\nLayer of ROOM OUTLINES: ") (princ (zk_hvac-getLayer "ROOM OUTLINES" nil))
(princ "\nLayer of sa: ") (princ (zk_hvac-getLayer "sa" nil))
(zk_hvac-setIsMetric nil)

(princ "\n\n== Calls with wrong arguments")
(princ "\n(zk_hvac-setIsMetric) -> ") (princ (zk_hvac-setIsMetric))

(princ "\n\n== Drawing")
(entmake '((0 . "LINE") (8 . "0") (10 0.0 0.0 0.0) (11 40.0 0.0 0.0)))
(entmake '((0 . "CIRCLE") (8 . "0") (10 20.0 10.0 0.0) (40 . 4.0)))
(princ "\nEntities drawn: ")
(setq n 0 e (entnext))
(while e (setq n (1+ n) e (entnext e)))
(princ n)

(foreach part '("plan.lsp" "loads.lsp" "loaddetail.lsp" "leaders.lsp" "rooms.lsp" "ducts.lsp" "ductnetwork.lsp"
                "solids.lsp" "trees.lsp" "options.lsp" "explorer.lsp" "standard.lsp")
  (if (findfile part) (load part)))

(princ "\n\n== Files")
(princ "\nSaved ") (princ (host-save "Plan.dxf"))
(princ "\nSaved ") (princ (host-save "Plan.dwg"))
(host-open "Plan.dxf")
(princ "\nReopened Plan.dxf with ")
(setq n 0 e (entnext))
(while e (setq n (1+ n) e (entnext e)))
(princ n) (princ " entities")
(princ "\nRendered ") (princ (host-render "Plan.svg"))
(princ "\nRendered ") (princ (host-render "Plan.png"))
(princ "\nRendered ") (princ (host-render "Plan.pdf"))
(princ "\n")
(princ)
