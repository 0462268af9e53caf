;;; Rooms: one drawn with the jig, two inserted and given their outlines,
;;; found by point, a label and a leader edited, saved in both formats,
;;; reopened and rendered.

(defun rooms-demo-show (title value)
  (princ (strcat "\n  " title ": ")) (prin1 value))

(princ "\n\n== Rooms")
;; Label heights and leader distances follow the drawing scale factor.
(setq rooms-demo-scale (getvar "DIMSCALE"))
(setvar "DIMSCALE" 16.0)
(princ "\nDrawing room 1 with the jig (clicks, Enter, then the label):")
(host-input '(0 0) '(0 30) '(40 30) '(40 0) "" '(6 24))
(setq rooms-demo-a (zk_hvac-room-draw 1 "ZKARROW" 1.0 "OFFICE 101"))

(princ "\nInserting rooms 2 and 3 and giving them outlines")
(setq rooms-demo-b (zk_hvac-room-insert 2 "ZKARROW" 1.0 "CONFERENCE" 20.0 '(52 24 0)))
(zk_hvac-room-setPoints rooms-demo-b '((40 0) T (80 0) nil (80 30) nil (40 30) nil))
(zk_hvac-room-toggleLeader rooms-demo-b)
(setq rooms-demo-c (zk_hvac-room-insert 3 "ZKARROW" 1.0 "STORAGE" nil '(10 -12 0)))
(zk_hvac-room-setPoints rooms-demo-c '((0 -40) nil (60 -40) nil (60 -5) nil (0 -5) nil))
(zk_hvac-room-insertPoint rooms-demo-c 2 '(80 -20))

(rooms-demo-show "room 1 vertices (clicked in reverse)" (zk_hvac-room-getPoints rooms-demo-a))
(rooms-demo-show "room 1 area" (zk_hvac-room-getArea rooms-demo-a))
(rooms-demo-show "room 3 area" (zk_hvac-room-getArea rooms-demo-c))
(rooms-demo-show "room at (20 10)" (zk_hvac-room-find '(20 10)))
(rooms-demo-show "room at (60 10)" (zk_hvac-room-find '(60 10)))
(rooms-demo-show "room at (70 -20)" (zk_hvac-room-find '(70 -20)))
(rooms-demo-show "room at (100 100)" (zk_hvac-room-find '(100 100)))
(rooms-demo-show "rooms in the drawing" (length (ssgetx-room)))

(princ "\nEditing the label of room 2 and the leader of room 3")
(zk_hvac-room-updateLabel rooms-demo-b "CONFERENCE\\P102")
(zk_hvac-room-setLeaderLocation rooms-demo-c T '(70 -20) '(45 -14))
(rooms-demo-show "room 3 label grip, arrow, elbow" (zk_hvac-room-getLeaderPoints rooms-demo-c))

(setq rooms-demo-home (host-document))
(host-save "Rooms.dxf")
(host-save "Rooms.dwg")
(foreach rooms-demo-file '("Rooms.dxf" "Rooms.dwg")
  (host-open rooms-demo-file)
  (princ (strcat "\nReopened " rooms-demo-file ": "))
  (prin1 (length (ssgetx-room)))
  (princ " rooms, room at (60 10) is ")
  (prin1 (zk_hvac-room-find '(60 10)))
  (princ ", room 3 leader ")
  (prin1 (cdr (zk_hvac-room-getLeaderPoints (car (ssgetx-room 3))))))
(princ "\nRendered ") (princ (host-render "Rooms.svg"))
(princ "\nRendered ") (princ (host-render "Rooms.png"))
(host-activate rooms-demo-home)
(setvar "DIMSCALE" rooms-demo-scale)
(princ)
