;;; Demo part: the solids of the duct network drawn by ducts.lsp - a fitting
;;; at every joint, then each duct between its fittings - a union, a slice,
;;; the drawing saved and reopened with its solids, STEP, STL and glTF
;;; exports and an isometric picture.

(princ "\n\n== Duct solids")
(setq demo-keys (list main1 main2 branch1 branch2 riser upper))

;; The kinds of piece a draw call answered, or its answer as it stands.
(defun demo-pieces (answer)
  (if (listp answer) (mapcar 'car answer) answer))

(foreach key demo-keys
  (princ (strcat "\nFitting after duct " (itoa key) ": "))
  (princ (demo-pieces (zk_hvac-drawTripleFitting key 0 nil))))
(setq demo-solids nil)
(foreach key demo-keys
  (setq piece (cdr (assoc "duct" (zk_hvac-drawTripleCenter key 0 nil))))
  (if piece (setq demo-solids (cons piece demo-solids))))
(setq demo-solids (reverse demo-solids))
(princ "\nDuct solids: ") (princ (length demo-solids))

;; A volume with two decimals.
(defun demo-volume (e / m) (if (setq m (host-massprop e)) (rtos (car m) 2 2) "none"))

(setq first-solid (nth 0 demo-solids) upper-solid (last demo-solids))
(princ "\nVolume of the first duct: ") (princ (demo-volume first-solid))
(princ "\nVolume of the second duct: ") (princ (demo-volume (nth 1 demo-solids)))
(zk_hvac-solidUnion first-solid (nth 1 demo-solids))
(princ "\nUnited with the second: ") (princ (demo-volume first-solid))
;; The upper run cut where it crosses x = 600, keeping the riser's side.
(princ "\nSlice of the upper run: ")
(princ (zk_hvac-solidSlice (ssadd upper-solid) '(600.0 0.0 0.0) '(600.0 1.0 0.0) '(600.0 0.0 1.0) '(0.0 0.0 0.0)))
(princ " -> ") (princ (demo-volume upper-solid))
(princ "\nNot a solid: ") (princ (zk_hvac-solidUnion (car *demo-ducts*) first-solid))

;; Solids in model space, counted through their mass properties.
(defun demo-solid-count (/ e n)
  (setq n 0 e (entnext))
  (while e (if (host-massprop e) (setq n (1+ n))) (setq e (entnext e)))
  n)

(setq demo-drawing (host-document))
(princ "\nSolids in the drawing: ") (princ (demo-solid-count))
(foreach file '("Solids.dwg" "Solids.dxf")
  (host-save file)
  (host-open file)
  (princ (strcat "\nReopened " file ": ")) (princ (demo-solid-count)) (princ " solids")
  (host-activate demo-drawing))
(foreach file '("Ducts.step" "Ducts.stl" "Ducts.glb")
  (princ "\nExported ") (princ (vl-filename-base (host-export file))) (princ (vl-filename-extension file)))
(princ "\nRendered ") (princ (vl-filename-base (host-render "Ducts-iso.svg" "iso"))) (princ ".svg (isometric)")
(princ)
