;;; Demo part: the solids of the duct network drawn by ducts.lsp - a fitting
;;; at every joint (a square elbow with turning vanes at the top of the
;;; riser), each duct between its fittings, the diffusers the branches feed -
;;; a union, a slice, the drawing saved and reopened with its solids, STEP,
;;; STL and glTF exports and an isometric picture with the plan beside it.

(princ "\n\n== Duct solids")
(setq demo-keys (list main1 main2 branch1 branch2 riser upper))

;; The riser turns into the upper run through a square elbow with vanes.
(host-sql "update tblDuct set FITTING = 'SQUARE ELBOW', FIT1 = 'YES' where ixDuct = ?" riser)

;; The kinds of piece a draw call answered, or its answer as it stands.
(defun demo-pieces (answer)
  (if (listp answer) (mapcar 'car answer) answer))

(foreach key demo-keys
  (princ (strcat "\nFitting after duct " (itoa key) ": "))
  (setq answer (zk_hvac-drawTripleFitting key 0 nil))
  (if (= key riser) (setq vane-elbow (cdr (assoc "Solid" answer))))
  (princ (demo-pieces answer)))
(setq demo-solids nil)
(foreach key demo-keys
  (setq piece (cdr (assoc "duct" (zk_hvac-drawTripleCenter key 0 nil))))
  (if piece (setq demo-solids (cons piece demo-solids))))
(setq demo-solids (reverse demo-solids))
(princ "\nDuct solids: ") (princ (length demo-solids))

;; A volume with two decimals.
(defun demo-volume (e / m) (if (setq m (host-massprop e)) (rtos (car m) 2 2) "none"))

(princ "\nSquare elbow with turning vanes (sheet metal volume): ") (princ (demo-volume vane-elbow))

;; Diffusers at the ends of the branches: a round ceiling diffuser two feet
;; below the first branch's end, a sidewall register facing south at the
;; second's. Each connection is built from its tblDiffL row.
(if (not (host-sql "SELECT ixDwgDiff FROM tblDwgDiff")) (hvac-seedDiffusers))
(defun demo-schedule (callout) (caar (host-sql "SELECT ixDiffS FROM tblDiffS WHERE CALLOUT = ?" callout)))
(foreach diffuser (list (list branch1 (demo-schedule "S-2") 240.0 168.0 96.0 0.0)
                        (list branch2 (demo-schedule "R-1") 480.0 -172.0 120.0 (* 1.5 pi)))
  (host-sql (strcat "INSERT INTO tblDiffL (ixDuct, ixDiffS, X, Y, Z, ROTATION, TILT, bDeleted,"
                    " iAlignmentPointNumber) VALUES (?, ?, ?, ?, ?, ?, 0, 0, 0)")
            (nth 0 diffuser) (nth 1 diffuser) (nth 2 diffuser) (nth 3 diffuser) (nth 4 diffuser)
            (nth 5 diffuser))
  (setq piece (cdr (assoc "diffuser" (zk_hvac-drawTripleDiffuser (car diffuser) 0 nil))))
  (princ (strcat "\nDiffuser fed by duct " (itoa (car diffuser)) ": ")) (princ (demo-volume piece)))
(princ "\nNo diffuser on the main run: ") (princ (zk_hvac-drawTripleDiffuser main1 0 nil))

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
(foreach file '("Ducts-iso.svg" "Ducts-iso.png")
  (princ "\nRendered ") (princ (vl-filename-base (host-render file "iso")))
  (princ (vl-filename-extension file)) (princ " (isometric)"))
(princ)
