// Status codes of the host: database operations return Ovis::ErrorStatus, editor requests
// the RT codes. Result buffers carry typed values through the editor interface.
#pragma once
#include <cstdint>

namespace Ovis {
enum ErrorStatus {
  eOk = 0,
  eNotImplementedYet = 1,
  eNotApplicable = 2,
  eInvalidInput = 3,
  eKeyNotFound = 5,
  eNullObjectId = 7,
  eNullEntityPointer = 8,
  eInvalidIndex = 12,
  eWasErased = 19,
  eNotOpenForWrite = 23,
  eWasOpenForWrite = 24,
  eWasOpenForRead = 25,
  eOutOfMemory = 30,
  eDuplicateKey = 33,
  eInvalidObjectId = 48,
  eNotInDatabase = 55,
  eAlreadyInDb = 60,
  eOutOfRange = 99,
  eDuplicateRecordName = 101,
  eNoDatabase = 126,
  eNotThatKindOfClass = 127,
  eBadDxfSequence = 188,
  eRegappIdNotFound = 222,
  eInvalidKey = 300,
};

enum OpenMode { kForRead = 0, kForWrite = 1 };
}  // namespace Ovis

// Editor results and result-buffer value types.
#define RTNONE 5000
#define RTREAL 5001
#define RTPOINT 5002
#define RTSHORT 5003
#define RTANG 5004
#define RTSTR 5005
#define RT3DPOINT 5009
#define RTLONG 5010
#define RTDXF0 5020  // a filter item: the object type name (DXF group 0)
#define RTNORM 5100
#define RTERROR (-5001)
#define RTCAN (-5002)

// Xdata group codes.
#define OV_XD_STRING 1000
#define OV_XD_APPNAME 1001

using ov_name = std::int64_t[2];  // entity names and selection sets: a pair of long integers
using ov_point = double[3];

struct OvResBuf {
  OvResBuf* rbnext = nullptr;
  short restype = RTNONE;
  union {
    double rreal;
    double rpoint[3];
    short rint;
    std::int32_t rlong;
    wchar_t* rstring;  // host-allocated; freed with ovutDelBuffer or with the chain
    std::int64_t rlname[2];
  } resval{};
};
