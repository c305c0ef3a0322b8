#pragma once

// The size in points of the face both dialog templates ask for. The pages'
// texts are laid out in pixels for this size on a 96-DPI screen.
#define DIALOG_FACE_POINTS 8
