// The view of the drawing window and the current UCS, as system variables:
// "VIEWCTR" (centre, 3D point), "VIEWSIZE" (height in drawing units),
// "SCREENSIZE" (window size in pixels, 2D point), all settable; "UCSXDIR"
// and "UCSYDIR" read and set the working drawing's UCS axes.
#pragma once

#include "geometry/AcGePoint3d.h"

// Registers the variables (done once; safe to call again).
void registerEditorViewVars();

namespace lisp {
class Interpreter;
}
// Defines (host-model-xdata APP ((CODE . VALUE) ...)): replaces the
// extended data of application APP (registered if new) on the working
// drawing's model space, as entmod of the block record would. T, or nil
// when there is no drawing.
void registerModelXDataBuiltin(lisp::Interpreter& interpreter);

struct AcEdView {
    AcGePoint3d centre{0, 0, 0};
    double height = 100.0;
    double screenWidth = 1024.0, screenHeight = 768.0;
};

// The current view, and the zoom commands a command line would run: zoom
// so that `centre` is the view's centre (the previous view is remembered)
// and zoom back to the previous view. False when there is none to go back to.
AcEdView acedCurrentView();
// Half the side of the pick box (three pixels) in drawing units at the
// current view.
double acedPickBoxHalfSize();
void acedZoomCentre(const AcGePoint3d& centre);
bool acedZoomPrevious();
