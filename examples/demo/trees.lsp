;;; Floor and zone trees: the example building's hierarchies kept by the product, then two rooms moved to
;;; floor 2 in the floor tree as a designer would (Ctrl-click both, drag, OK) and the saved hierarchy.

(trees-example)
(princ "\n\nFloor tree: Room 101 and Room 103 dragged onto Floor 2, then OK")
(host-dialog '("drag" ("Room 101" "Room 103") "Floor 2" "ctrl") '("press" "&OK"))
(princ "\nresult: ") (princ (zk_hvac-floorTree (trees-load 1)))
(princ "\nSaved floor hierarchy:")
(trees-print 1)

(princ "\n\nZone tree: Room 103 moved to the East zone by dropping it on Room 101, then OK")
(host-dialog '("drag" ("Room 103") "Room 101") '("press" "&OK"))
(zk_hvac-zoneTree (trees-load 2))
(princ "\nSaved zone hierarchy:")
(trees-print 2)
