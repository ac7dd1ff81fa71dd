#pragma once
// The number of GDI objects this process holds. GetGuiResources answers 0 under Wine, so the handle
// table that the system shares with the process (the PEB's GdiSharedHandleTable) is counted instead.
int gdiObjectCount();
