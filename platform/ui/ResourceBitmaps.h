#pragma once
// Connects the drawing layer's bitmap loading (CBitmap::LoadBitmap, CImageList::Create from a
// bitmap id) to the typed resources: a bitmap id is looked up as RT_BITMAP in the current
// resource module, then in the program's. The program calls it once at start-up.

void UseResourceBitmaps();
