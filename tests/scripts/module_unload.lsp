; with project
; The module stays loaded while its rooms exist or one of its functions is
; running; once the drawing holding them is closed it unloads, and loads
; again in the same session.
(defun show (title value) (princ (strcat "\n" title ": ")) (prin1 value))
(host-new "Rooms.dwg")
(setq r (zk_hvac-room-insert 7 "NOARROW" 1.0 "R7" nil '(20 30 0)))
(show "unload with a room" (vl-catch-all-error-message (vl-catch-all-apply 'host-unload nil)))
(show "the room still answers" (zk_hvac-room-getPoints r))
(host-close "Rooms.dwg")
(host-unload)
(show "functions after unload" (host-functions))
(host-load)
(show "reloaded, functions" (> (length (host-functions)) 50))
; A callback that tries to unload from inside a module call.
(host-new-project "job")
(host-damage-file "job/job_zk_hvac.zk")
(defun compactDatabase (path unused mode)
  (show "unload inside a module call" (vl-catch-all-error-message (vl-catch-all-apply 'host-unload nil)))
  (host-repair-project path))
(host-new "job/Plan.dwg")
(show "the call goes on" (zk_hvac-getLayer "ROOM LABELS" nil))
(setq r (zk_hvac-room-insert 8 "NOARROW" 1.0 "R8" nil '(0 0 0)))
(show "a room after reload" (type r))
(princ)
