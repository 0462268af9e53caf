; Argument errors print the wrapper's messages and answer nil.
; with project
(princ "\n(zk_hvac-setIsMetric) => ")
(prin1 (zk_hvac-setIsMetric))
(princ "\n(zk_hvac-setIsMetric \"x\") => ")
(prin1 (zk_hvac-setIsMetric "x"))
(princ "\n(zk_hvac-room-draw) => ")
(prin1 (zk_hvac-room-draw))
(princ)
