// The host editor's system variables, command-line output, host-allocated buffers and
// result-buffer chains.
#pragma once
#include <string>

#include "platform/host/host_status.h"

// Reads a system variable into the caller's buffer (a string value is host-allocated and
// freed with ovutDelBuffer). RTNORM, or RTERROR for an unknown or unreadable variable.
int ovedGetVar(const wchar_t* name, OvResBuf* result);
int ovedSetVar(const wchar_t* name, const OvResBuf* value);

// Prints on the command line (standard output) and appends to the transcript. The format
// follows the Windows wide rules (%s is a wide string).
int ovutPrintf(const wchar_t* format, ...);
void ovutDelBuffer(wchar_t** buffer);

// Result-buffer chains. ovutBuildList takes (type, value) pairs ended by 0 or RTNONE;
// string types (RTSTR, RTDXF0, 0 to 9, 1000 to 1009) take a wide string, RTSHORT and 60 to 99 an int,
// RTLONG and 90 to 99 a 32-bit int, RTREAL and 40 to 59 a double.
OvResBuf* ovutNewRb(int type);
OvResBuf* ovutBuildList(int type, ...);
int ovutRelRb(OvResBuf* chain);

// Accounting and control for tests and the host program.
namespace HostEditor {
std::wstring& transcript();
void clearTranscript();
void setEcho(bool toStandardOutput);
int liveBuffers();                        // host-allocated strings not yet freed
int liveChains();                         // result-buffer nodes not yet released
wchar_t* newBuffer(const wchar_t* text);  // a host-allocated copy, freed with ovutDelBuffer
// Variables: a missing variable makes ovedGetVar fail.
void setVariable(const std::wstring& name, short value);
void setVariable(const std::wstring& name, const std::wstring& value);
void removeVariable(const std::wstring& name);
void resetVariables();  // LUPREC 4, VERLAN "en-US", CMDECHO 1
}  // namespace HostEditor
