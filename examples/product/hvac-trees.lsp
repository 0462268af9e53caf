;;; The floor and zone trees of the example product: the hierarchy of
;;; building, floors and rooms (tree 1) and of systems, zones and rooms
;;; (tree 2) kept in the project database as one row per item in tree order,
;;; with its level; rooms have negative data, floors and zones positive.

(defun trees-ensure-table ()
  (host-sql (strcat "CREATE TABLE IF NOT EXISTS tblExampleTree"
                    " (iTree INTEGER, iSeq INTEGER, iLevel INTEGER, sText TEXT, iData INTEGER)")))

;; The rows of one tree as a tree list (nil when the tree has no rows).
(defun trees-load (tree / rows)
  (trees-ensure-table)
  (setq rows (host-sql "SELECT iLevel, sText, iData FROM tblExampleTree WHERE iTree = ? ORDER BY iSeq" tree))
  (car (trees-level rows 0)))

;; Reads the rows of one level: answers (list-of-this-level . remaining rows).
(defun trees-level (rows level / items row sub)
  (while (and rows (= (car (car rows)) level))
    (setq row (car rows) rows (cdr rows))
    (setq items (cons (if (zerop (caddr row)) (cadr row) (cons (cadr row) (caddr row))) items))
    (if (and rows (> (car (car rows)) level))
      (setq sub (trees-level rows (1+ level))
            items (cons (car sub) items)
            rows (cdr sub))))
  (cons (reverse items) rows))

;; Replaces the rows of one tree with a tree list.
(defun trees-save (tree lst)
  (trees-ensure-table)
  (host-sql "DELETE FROM tblExampleTree WHERE iTree = ?" tree)
  (setq trees-seq 0)
  (trees-save-level tree lst 0)
  T)

(defun trees-save-level (tree lst level / item)
  (foreach item lst
    (cond ((= (type item) 'STR) (trees-save-item tree level item 0))
          ((and (listp item) (= (type (cdr item)) 'INT)) (trees-save-item tree level (car item) (cdr item)))
          ((listp item) (trees-save-level tree item (1+ level))))))

(defun trees-save-item (tree level text data)
  (setq trees-seq (1+ trees-seq))
  (host-sql "INSERT INTO tblExampleTree (iTree, iSeq, iLevel, sText, iData) VALUES (?, ?, ?, ?, ?)"
            tree trees-seq level text data))

;; The saved hierarchy, two blanks per level.
(defun trees-print (tree)
  (foreach row (host-sql "SELECT iLevel, sText, iData FROM tblExampleTree WHERE iTree = ? ORDER BY iSeq" tree)
    (princ "\n")
    (repeat (car row) (princ "  "))
    (princ (cadr row))
    (if (/= 0 (caddr row)) (progn (princ " (") (princ (caddr row)) (princ ")")))))

;; The example building: two floors with rooms, one system with two zones.
(defun trees-example ()
  (trees-save 1 '("Building" (("Floor 1" . 1) (("Room 101" . -101) ("Room 102" . -102) ("Room 103" . -103))
                              ("Floor 2" . 2) (("Room 201" . -201))))) 
  (trees-save 2 '("Systems" ("AHU-1" (("East" . 11) (("Room 101" . -101) ("Room 102" . -102))
                                      ("West" . 12) (("Room 103" . -103) ("Room 201" . -201)))))))

;; Appends a room under the first floor or zone of a tree.
(defun trees-new-room (tree / number)
  (setq number (caar (host-sql "SELECT coalesce(min(iData), 0) - 1 FROM tblExampleTree WHERE iData < 0")))
  (host-sql "UPDATE tblExampleTree SET iSeq = iSeq + 1 WHERE iTree = ? AND iSeq > (SELECT min(iSeq) FROM tblExampleTree WHERE iTree = ? AND iData > 0)" tree tree)
  (host-sql (strcat "INSERT INTO tblExampleTree (iTree, iSeq, iLevel, sText, iData)"
                    " SELECT ?, iSeq + 1, iLevel + 1, ?, ? FROM tblExampleTree WHERE iTree = ? AND iData > 0 ORDER BY iSeq LIMIT 1")
            tree (strcat "New room " (itoa (- number))) number tree)
  (princ (strcat "\n[product] created New room " (itoa (- number))))
  (trees-load tree))

;; A command on the selected item: reports it and answers the item to select
;; with the tree.
(defun trees-command (tree what data)
  (princ (strcat "\n[product] " what " item " (itoa data)))
  (cons data (trees-load tree)))

(defun trees-rename (tree data)
  (host-sql "UPDATE tblExampleTree SET sText = sText || ' (renamed)' WHERE iTree = ? AND iData = ? AND iData <> 0" tree data)
  (trees-command tree "renamed" data))

(defun room-hvac-tableIsEmpty ()
  (trees-ensure-table)
  (zerop (caar (host-sql "SELECT count(*) FROM tblExampleTree WHERE iData < 0"))))

(defun zk_hvac-floorTree-saveTree (lst) (trees-save 1 lst))
(defun zk_hvac-floorTree-createRoom () (trees-new-room 1))
(defun zk_hvac-floorTree-edit (data) (trees-command 1 "edit" data))
(defun zk_hvac-floorTree-rename (data) (trees-rename 1 data))
(defun zk_hvac-floorTree-editFloors (data) (trees-command 1 "edit floors at" data))
(defun zk_hvac-floorTree-editRooms (data) (trees-command 1 "edit rooms at" data))

(defun zk_hvac-zoneTree-saveTree (lst) (trees-save 2 lst))
(defun zk_hvac-zoneTree-createRoom () (trees-new-room 2))
(defun zk_hvac-zoneTree-edit (data) (trees-command 2 "edit" data))
(defun zk_hvac-zoneTree-rename (data) (trees-rename 2 data))
(defun zk_hvac-zoneTree-editZones (data) (trees-command 2 "edit zones at" data))
(defun zk_hvac-zoneTree-editRooms (data) (trees-command 2 "edit rooms at" data))
(defun zk_hvac-zoneTree-view (data) (princ (strcat "\n[product] load of item " (itoa data))) nil)
