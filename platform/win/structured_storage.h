// Structured storage: compound files holding named streams (and nested storages).
// The whole file is kept in memory while a storage is open; every change (a stream
// created, bytes written) writes the whole file again, so written bytes reach the file
// at once, as in direct mode. A stream written whole from its start is the exception:
// its bytes are written to the file from the caller's buffer and not kept, and the file
// gives them back when they are next needed. Only direct mode is supported.
#pragma once
#include "platform/win/win32_types.h"

// Access, sharing and creation flags.
#define STGM_READ 0x00000000L
#define STGM_WRITE 0x00000001L
#define STGM_READWRITE 0x00000002L
#define STGM_SHARE_EXCLUSIVE 0x00000010L
#define STGM_CREATE 0x00001000L
#define STGM_TRANSACTED 0x00010000L

#define STATFLAG_DEFAULT 0
#define STATFLAG_NONAME 1

#define STGTY_STORAGE 1
#define STGTY_STREAM 2

// Results of the storage functions.
#define STG_E_FILENOTFOUND ((HRESULT)0x80030002L)
#define STG_E_PATHNOTFOUND ((HRESULT)0x80030003L)
#define STG_E_ACCESSDENIED ((HRESULT)0x80030005L)
#define STG_E_INSUFFICIENTMEMORY ((HRESULT)0x80030008L)
#define STG_E_INVALIDPOINTER ((HRESULT)0x80030009L)
#define STG_E_WRITEFAULT ((HRESULT)0x8003001DL)
#define STG_E_READFAULT ((HRESULT)0x8003001EL)
#define STG_E_SHAREVIOLATION ((HRESULT)0x80030020L)
#define STG_E_FILEALREADYEXISTS ((HRESULT)0x80030050L)
#define STG_E_INVALIDPARAMETER ((HRESULT)0x80030057L)
#define STG_E_MEDIUMFULL ((HRESULT)0x80030070L)
#define STG_E_INVALIDHEADER ((HRESULT)0x800300FBL)
#define STG_E_INVALIDNAME ((HRESULT)0x800300FCL)
#define STG_E_INVALIDFLAG ((HRESULT)0x800300FFL)
#define STG_E_DOCFILECORRUPT ((HRESULT)0x80030109L)

struct ULARGE_INTEGER {
  ULONGLONG QuadPart;
};

// What Stat reports. pwcsName is allocated for the caller (free it with CoTaskMemFree)
// unless STATFLAG_NONAME is given.
struct STATSTG {
  LPWSTR pwcsName;
  DWORD type;
  ULARGE_INTEGER cbSize;
  DWORD grfMode;
};

void CoTaskMemFree(void* block);

class ISequentialStream {
public:
  // Reads up to cb bytes from the current position; fewer at the end of the stream.
  virtual HRESULT Read(void* pv, ULONG cb, ULONG* pcbRead) = 0;
  // Writes cb bytes at the current position, growing the stream as needed.
  virtual HRESULT Write(const void* pv, ULONG cb, ULONG* pcbWritten) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

protected:
  virtual ~ISequentialStream() = default;
};

class IStream : public ISequentialStream {
public:
  virtual HRESULT Stat(STATSTG* pstatstg, DWORD grfStatFlag) = 0;
};

class IStorage {
public:
  // Creates a stream (STGM_CREATE replaces one of the same name). Names are compared
  // ignoring case; a name is at most 31 characters and holds none of / \ : !.
  virtual HRESULT CreateStream(const WCHAR* pwcsName, DWORD grfMode, DWORD reserved1, DWORD reserved2,
                               IStream** ppstm) = 0;
  virtual HRESULT OpenStream(const WCHAR* pwcsName, void* reserved1, DWORD grfMode, DWORD reserved2,
                             IStream** ppstm) = 0;
  virtual HRESULT Stat(STATSTG* pstatstg, DWORD grfStatFlag) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

protected:
  virtual ~IStorage() = default;
};

// Creates a compound file; with STGM_CREATE an existing file of that name is replaced,
// without it an existing file gives STG_E_FILEALREADYEXISTS.
HRESULT StgCreateDocfile(const WCHAR* pwcsName, DWORD grfMode, DWORD reserved, IStorage** ppstgOpen);
// Opens an existing compound file.
HRESULT StgOpenStorage(const WCHAR* pwcsName, IStorage* pstgPriority, DWORD grfMode, WCHAR** snbExclude, DWORD reserved,
                       IStorage** ppstgOpen);
