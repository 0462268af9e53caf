;;; The project side of the example product: repair, missing blocks, the
;;; document-activated hook and coordinate conversion.

;; Repairs a damaged project database; answers T when it was repaired.
(defun compactDatabase (path unused mode)
  (princ (strcat "\nRepairing project database " path))
  (host-repair-project path))

;; Tells the user that an arrow or symbol block file is missing.
(defun zkBlock-alertMissing (name)
  (princ (strcat "\nBlock file " name ".dwg was not found on the support path.")))

;; Runs after a drawing becomes current.
(defun c:zk_hvac-doToDo ()
  (princ))

;; Project to drawing coordinates: the demo's drawings share the project origin.
(defun convert_rp_dp (point unit) point)
(defun convert_ra_da (angle unit) angle)
