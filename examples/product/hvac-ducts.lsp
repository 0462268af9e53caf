;;; The duct side of the example product: the current duct settings, new
;;; duct rows, and the neighbour queries the module asks, answered from
;;; tblDuct by geometry (through host-sql on the project database).

;; The values a new duct takes.
(setq *duct-settings*
  '(("AIRFLOW" . "sa") ("SHAPE" . "r") ("MATERIAL" . "galv") ("OFFSET" . "c")
    ("VERTICALOFFSET" . "c") ("DOUBLE_LINE" . "y") ("SIZEFOR" . "12x8") ("SIZESHAPE" . "r")
    ("ixLayerSystem" . 0) ("SIZEMAX" . 48) ("iHangerType" . 1)
    ("LINING" . 0.0) ("dExteriorLining" . 0.0) ("WIDTH" . 12.0) ("DEPTH" . 8.0)
    ("SIZEVAL1" . 0.1) ("SIZEVAL2" . 1500.0) ("Z1" . 120.0) ("Z2" . 120.0)
    ("dHangerZ" . 132.0) ("dHangerSize" . 1.0) ("dHangerDepth" . 1.0)
    ("dHangerStartOffset" . 24.0) ("dHangerSpacing" . 96.0) ("dHangerEndOffset" . 24.0)
    ("dHangerLeftExtension" . 2.0) ("dHangerRightExtension" . 2.0)))

;; Answers the current duct settings to the module.
(defun duct-getSettings (unused) *duct-settings*)

(defun duct-setting (key) (cdr (assoc key *duct-settings*)))

;; Changes one current setting.
(defun duct-setSetting (key value / kept)
  (foreach pair *duct-settings*
    (if (/= (car pair) key) (setq kept (cons pair kept))))
  (setq *duct-settings* (cons (cons key value) (reverse kept)))
  value)

;; Two points equal within this distance are the same joint.
(setq *duct-joint-tolerance* 0.000001)

;; The stored start (which 1) or end (which 2) of a duct row, or nil.
(defun duct-rowPoint (key which)
  (car (host-sql (if (= which 1)
                   "select X1, Y1, Z1 from tblDuct where ixDuct = ?"
                   "select X2, Y2, Z2 from tblDuct where ixDuct = ?")
                 key)))

;; Keys of the rows (other than key) whose start (which 1) or end (which 2)
;; lies at point p, lowest key first.
(defun duct-rowsAt (key which p / rows)
  (setq rows
    (host-sql (strcat "select ixDuct from tblDuct where ixDuct <> ? and bDeleted = 0"
                      (if (= which 1)
                        " and abs(X1 - ?) < ? and abs(Y1 - ?) < ? and abs(Z1 - ?) < ?"
                        " and abs(X2 - ?) < ? and abs(Y2 - ?) < ? and abs(Z2 - ?) < ?")
                      " order by ixDuct")
              key (car p) *duct-joint-tolerance* (cadr p) *duct-joint-tolerance*
              (caddr p) *duct-joint-tolerance*))
  (mapcar 'car rows))

;; The upstream duct: the one whose end is this duct's start; nil for none.
(defun getPrevDuct (key unused / p)
  (if (setq p (duct-rowPoint key 1))
    (car (duct-rowsAt key 2 p))))

;; Keys of the rows starting at this duct's end (up to three).
(defun duct-nextKeys (key / p)
  (if (setq p (duct-rowPoint key 2)) (duct-rowsAt key 1 p)))

;; A duct of zero length (start and end the same point).
(defun duct-zeroLength (key / a b)
  (and (setq a (duct-rowPoint key 1)) (setq b (duct-rowPoint key 2))
       (< (distance a b) *duct-joint-tolerance*)))

;; Up to three downstream ducts (those starting at this duct's end), as a
;; list of three keys with 0 where there is none. The transparent form
;; looks through ducts of zero length to the ducts after them.
(defun getNextDuctsTransparent (key unused transparent / keys out seen)
  (setq keys (duct-nextKeys key) seen (list key))
  (while keys
    (cond ((member (car keys) seen) (setq keys (cdr keys)))
          ((and transparent (duct-zeroLength (car keys)))
           (setq seen (cons (car keys) seen)
                 keys (append (duct-nextKeys (car keys)) (cdr keys))))
          (T (setq seen (cons (car keys) seen) out (cons (car keys) out) keys (cdr keys)))))
  (setq out (reverse out))
  (list (if (nth 0 out) (nth 0 out) 0)
        (if (nth 1 out) (nth 1 out) 0)
        (if (nth 2 out) (nth 2 out) 0)))

;; The elevation chosen among several ducts at a point: ELEVATIONS is
;; (z ... (TITLE COUNT 1)); the answer is the index of the chosen z, read
;; from the host's input queue, the first when nothing is queued.
(defun duct-elevationListDialog (elevations / n count)
  (setq count (length (vl-remove-if 'listp elevations)))
  (if (> (host-input) 0)
    (setq n (getint (strcat "\n" (car (last elevations)) " <0>: "))))
  (if (and n (>= n 0) (< n count)) n 0))

;; Sets the current drawing's duct alignment point (on model space's
;; extended data, where the module reads it).
(defun hvac-setAlignmentPoint (p)
  (host-model-xdata "ORVANE_ALIGN"
    (list (cons 1010 (list (float (car p)) (float (cadr p)) 0.0)))))

;; The diffuser fed by the duct; nil for none.
(defun duct-getIxDiffL (key)
  (caar (host-sql "select ixDiffL from tblDiffL where ixDuct = ? and bDeleted = 0 order by ixDiffL" key)))

;; A point's elevation, or the default when it is a 2D point.
(defun duct-z (p default) (if (caddr p) (caddr p) default))

;; A new tblDuct row for a duct from p1 to p2 with the current settings;
;; answers its key.
(defun duct-newRow (p1 p2)
  (caar
    (host-sql
      (strcat "insert into tblDuct (ixLayerSystem, AIRFLOW, SHAPE, MATERIAL, OFFSET, VERTICALOFFSET,"
              " DOUBLE_LINE, SIZEFOR, SIZESHAPE, SIZEMAX, WIDTH, DEPTH, LINING, dExteriorLining,"
              " SIZEVAL1, SIZEVAL2, iHangerType, dHangerZ, dHangerSize, dHangerDepth,"
              " dHangerStartOffset, dHangerSpacing, dHangerEndOffset, dHangerLeftExtension,"
              " dHangerRightExtension, X1, Y1, Z1, X2, Y2, Z2, DRAWING)"
              " values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?,"
              " ?, ?, ?, ?, ?, ?, ?) returning ixDuct")
      (duct-setting "ixLayerSystem") (duct-setting "AIRFLOW") (duct-setting "SHAPE")
      (duct-setting "MATERIAL") (duct-setting "OFFSET") (duct-setting "VERTICALOFFSET")
      (duct-setting "DOUBLE_LINE") (duct-setting "SIZEFOR") (duct-setting "SIZESHAPE")
      (duct-setting "SIZEMAX") (duct-setting "WIDTH") (duct-setting "DEPTH")
      (duct-setting "LINING") (duct-setting "dExteriorLining") (duct-setting "SIZEVAL1")
      (duct-setting "SIZEVAL2") (duct-setting "iHangerType") (duct-setting "dHangerZ")
      (duct-setting "dHangerSize") (duct-setting "dHangerDepth") (duct-setting "dHangerStartOffset")
      (duct-setting "dHangerSpacing") (duct-setting "dHangerEndOffset")
      (duct-setting "dHangerLeftExtension") (duct-setting "dHangerRightExtension")
      (float (car p1)) (float (cadr p1)) (float (duct-z p1 (duct-setting "Z1")))
      (float (car p2)) (float (cadr p2)) (float (duct-z p2 (duct-setting "Z2")))
      (host-document))))

;; Hanger distances along a run of the given length: from the start offset
;; to the end offset, one every spacing; none on a riser.
(defun duct-hangerDistances (len / d spacing last out)
  (setq d (duct-setting "dHangerStartOffset")
        spacing (max 1.0 (duct-setting "dHangerSpacing"))
        last (- len (duct-setting "dHangerEndOffset")))
  (while (<= d last)
    (setq out (cons d out) d (+ d spacing)))
  (reverse out))

(defun duct-planLength (p1 p2)
  (sqrt (+ (* (- (car p2) (car p1)) (- (car p2) (car p1)))
           (* (- (cadr p2) (cadr p1)) (- (cadr p2) (cadr p1))))))

;; Draws a duct from p1 to p2 (3D points, or 2D at the settings' elevations):
;; its row, its entity, its size text and hangers. Answers the entity; the
;; row's key is left in *duct-last-key*.
(defun duct-draw (p1 p2 / key e 3d1 3d2)
  (setq 3d1 (list (car p1) (cadr p1) (duct-z p1 (duct-setting "Z1")))
        3d2 (list (car p2) (cadr p2) (duct-z p2 (duct-setting "Z2")))
        key (duct-newRow 3d1 3d2)
        *duct-last-key* key
        e (zk_hvac-addDuctToDwg key 3d1 3d2))
  (zk_hvac-setDuctInfo e
    (cons "SIZEFOR" (duct-setting "SIZEFOR"))
    (cons "HANGERDIST" (if (/= (duct-setting "iHangerType") 0)
                         (duct-hangerDistances (duct-planLength 3d1 3d2)))))
  e)
