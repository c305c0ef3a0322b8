#pragma once

#include <dshow.h>

// The hidden DirectShow renderer that COPP is spoken through: a VMR-7 in
// windowless mode clipped to `videoWindow`, fed by the bouncing-ball source.
// On a failed build the graph is closed again and GetRendererFilter is null.
void OpenRendererGraph(HWND ownerWindow, HWND videoWindow);

// Stops and releases everything; harmless when nothing is open.
void CloseRendererGraph();

// The renderer's filter without an added reference, or null when no graph is open.
IBaseFilter* GetRendererFilter();
