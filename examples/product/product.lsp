;;; The example product layer: the product's AutoLISP that the HVAC module
;;; calls back and that drives it, as simple definitions for the demo and
;;; the script tests. Its parts are found on the support path.
(foreach part '("hvac-project.lsp" "hvac-ducts.lsp" "hvac-trees.lsp"
                "hvac-diffusers.lsp" "hvac-explorer.lsp")
  (load (findfile part)))
(princ)
