; with project
;; The floor and zone trees driven through the example product: a drop saved
;; by OK, Cancel saving nothing, Create Room reopening with the product's
;; tree, an edit command answering the item to select, Edit Rooms on an
;; empty room table, refused drags and wrong arguments.
(load (findfile "product.lsp"))
(trees-example)

(princ "\n;; floors: two rooms to floor 2 with Ctrl, a floor refused, OK")
(host-dialog '("drag" ("Room 101" "Room 103") "Floor 2" "ctrl")
             '("drag" ("Floor 1") "Floor 2")
             '("press" "&OK"))
(princ "\nresult: ") (prin1 (zk_hvac-floorTree (trees-load 1)))
(trees-print 1)

(princ "\n;; floors: a drop, then Cancel saves nothing")
(host-dialog '("drag" ("Room 102") "Room 201") '("cancel"))
(zk_hvac-floorTree (trees-load 1))
(trees-print 1)

(princ "\n;; floors: Create Room reopens with the new room; rename the selected floor")
(host-dialog '("press" "&Create Room. . .")
             '("select" "Floor 2" 0) '("press" "Re&name. . .") '("press" "&OK"))
(zk_hvac-floorTree (trees-load 1))
(trees-print 1)

(princ "\n;; zones: a zone moved into another zone, a room shift-selected, View Load, Edit Zones")
(host-dialog '("drag" ("West") "East")
             '("drag" ("Room 101" "Room 102") "Room 201" "shift")
             '("select" "East" 0) '("press" "&View Load. . .")
             '("press" "Edit &Zones. . .") '("press" "&OK"))
(zk_hvac-zoneTree (trees-load 2))
(trees-print 2)

(princ "\n;; Edit Rooms with no rooms acts as Create Room")
(host-sql "DELETE FROM tblExampleTree WHERE iData < 0")
(host-dialog '("press" "Edit &Rooms. . .") '("cancel"))
(zk_hvac-floorTree (trees-load 1))

(princ "\n;; bad input")
(princ "\n(zk_hvac-floorTree \"text\") -> ") (prin1 (zk_hvac-floorTree "text"))
(princ "\n(zk_hvac-zoneTree) -> ") (prin1 (zk_hvac-zoneTree))
(host-dialog '("expand" "Building") '("cancel"))
(princ "\n(zk_hvac-zoneTree nil) -> ") (prin1 (zk_hvac-zoneTree nil))
(princ "\n(zk_hvac-zoneTree '(1 2.5 (3))) -> ") (prin1 (zk_hvac-zoneTree '(1 2.5 (3))))
(princ)
