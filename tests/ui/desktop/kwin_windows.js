// SPDX-License-Identifier: MIT
// KWin's own view of the windows it manages, one line a window, for kwin_check.sh:
// caption, client area (KWin 6 only) and frame, what KWin lets the player do with
// it, whether it has the focus and is kept out of the task bar. Then the placement area
// and an END line. KWin 6 lists its windows with windowList(), KWin 5 with clientList().
function rect(g) {
    return g ? Math.round(g.x) + "," + Math.round(g.y) + "," + Math.round(g.width) + "," + Math.round(g.height) : "?";
}
var windows = workspace.windowList ? workspace.windowList() : workspace.clientList();
for (var i = 0; i < windows.length; i++) {
    var w = windows[i];
    if (w.specialWindow || w.desktopWindow || w.dock || !w.caption)
        continue;
    print("WIN client=" + rect(w.clientGeometry) +
          " frame=" + rect(w.frameGeometry) + " maximizable=" + w.maximizable + " minimizable=" + w.minimizable +
          " resizeable=" + w.resizeable + " closeable=" + w.closeable + " active=" + w.active +
          " skipTaskbar=" + w.skipTaskbar + " desktopFile=" + (w.desktopFileName || "-") + " caption=" + w.caption);
}
var area = workspace.clientArea(KWin.PlacementArea, workspace.activeScreen, workspace.currentDesktop);
print("AREA " + rect(area));
print("END");
