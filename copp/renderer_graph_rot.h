#pragma once

#include <windows.h>

#include <objidl.h>

constexpr int kRotNameChars = 128;

// "FilterGraph %08x pid %08x": the graph pointer and the process id, eight
// lower-case hex digits each. A 64-bit pointer contributes its low 32 bits.
void FormatRotName(const void* graph, DWORD processId, wchar_t (&name)[kRotNameChars]);

// Makes the graph visible to graph inspection tools; E_FAIL without a table.
HRESULT RegisterGraphInRot(IUnknown* graph, DWORD* cookie);
void RevokeGraphFromRot(DWORD cookie);
