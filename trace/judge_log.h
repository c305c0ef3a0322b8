#pragma once

// The judgement log: one debugger-output message per call, code page 932,
// formatted by wvsprintfA into a 1024-byte buffer (longer text is cut).
void JudgeTrace(const char* format, ...);

// Where finished messages go. The default sends them to OutputDebugStringA;
// tests install their own sink to read back the exact bytes.
using JudgeTraceSink = void (*)(const char* message);
JudgeTraceSink SetJudgeTraceSink(JudgeTraceSink sink);
