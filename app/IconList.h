// Image lists built from the program's icon resources, one slot per icon.
#pragma once

#include "afx/AfxSetup.h"
#include "afx/ImageList.h"

#include <cstddef>
#include <memory>

// A size x size list holding the icons 'ids' in that order; an icon that can't
// be loaded leaves a blank image in its slot, so later indices keep their
// meaning. Null when the list itself can't be made.
std::unique_ptr<CImageList> BuildIconList(int size, const UINT* ids, size_t count);
