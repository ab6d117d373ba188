/*
 * unlha32.h - LZH archiver library with the command-string interface of the classic
 * UNLHA32 library.
 *
 * Every call is plain C. Window and archive handles are pointer-sized. Text arguments are
 * zero-terminated byte strings: paths in the system's encoding (UTF-8 on Linux), member
 * names delivered in UTF-8. Calls return 0 for success unless stated otherwise.
 */
#ifndef UNLHA32_H
#define UNLHA32_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define UNLHA_API __attribute__((visibility("default")))

/* Results of Unlha and the other calls besides 0 (the numbers of the classic library). */
#define UNLHA_ERROR_DISK_SPACE 0x8005        /* the disk is full */
#define UNLHA_ERROR_UNKNOWN_TYPE 0x8008      /* a member's method is not known */
#define UNLHA_ERROR_FILE_CRC 0x800C          /* a member's data does not match its CRC */
#define UNLHA_ERROR_FILE_OPEN 0x800D         /* a file to add cannot be opened or read */
#define UNLHA_ERROR_ALREADY_EXIST 0x8010     /* a file to extract exists and -m1 was not given */
#define UNLHA_ERROR_MAKEDIRECTORY 0x8012     /* a folder cannot be made */
#define UNLHA_ERROR_CANNOT_WRITE 0x8013      /* a file cannot be written */
#define UNLHA_ERROR_HUFFMAN_CODE 0x8014      /* a member's compressed data is damaged */
#define UNLHA_ERROR_HEADER_CRC 0x8016        /* a header does not match its CRC */
#define UNLHA_ERROR_HEADER_BROKEN 0x8017     /* a header is damaged or runs past the end */
#define UNLHA_ERROR_ARC_FILE_OPEN 0x8018     /* the archive cannot be opened or written */
#define UNLHA_ERROR_NOT_ARC_FILE 0x8019      /* the file is not an LZH archive */
#define UNLHA_ERROR_COMMAND_NAME 0x801C      /* unknown command or switch */
#define UNLHA_ERROR_ALREADY_RUNNING 0x801F   /* another command is running */
#define UNLHA_ERROR_HARC_ISNOT_OPENED 0x8021 /* the archive handle is not open */
#define UNLHA_ERROR_NOT_SEARCH_MODE 0x8022   /* no member has been found yet */
#define UNLHA_ERROR_TMP_OPEN 0x8025          /* the temporary archive cannot be made */
#define UNLHA_ERROR_NOT_FILENAME 0x802B      /* a member name is unsafe (absolute, "..", a link) */
#define UNLHA_ERROR_NOT_FIND_ARC_FILE 0x8029 /* the archive does not exist */
#define UNLHA_ERROR_NOT_FIND_FILE 0x8031     /* no file or member matches a name */

typedef uintptr_t UNLHA_HWND; /* an owner window; the library never draws in it */
typedef uintptr_t HARC;       /* an archive opened for listing; 0 when it could not be opened */

/* One archive member, as UnlhaFindFirst and UnlhaFindNext fill it (558 bytes). */
#pragma pack(push, 1)
typedef struct {
    uint32_t dwOriginalSize;   /* 0: uncompressed size (low 32 bits) */
    uint32_t dwCompressedSize; /* 4: compressed size (low 32 bits) */
    uint32_t dwCRC;            /* 8: CRC-16 of the member data */
    uint32_t uFlag;            /* 12: 0 */
    uint32_t uOSType;          /* 16: OS id of the header */
    uint16_t wRatio;           /* 20: compressed / original in tenths of a percent */
    uint16_t wDate;            /* 22: MS-DOS packed date of the last write */
    uint16_t wTime;            /* 24: MS-DOS packed time of the last write */
    char szFileName[513];      /* 26: member path, "/" between folders, UTF-8 */
    char dummy1[3];            /* 539 */
    char szAttribute[8];       /* 542: attribute text such as "-----w" */
    char szMode[8];            /* 550: method such as "-lh5-" */
} INDIVIDUALINFO;
#pragma pack(pop)

/* Version 1.00 is answered as 100. */
UNLHA_API uint16_t UnlhaGetVersion(void);
UNLHA_API uint16_t UnlhaGetSubVersion(void);
/* Non-zero while a command of Unlha runs. */
UNLHA_API int32_t UnlhaGetRunning(void);
UNLHA_API int32_t UnlhaGetBackGroundMode(void);
UNLHA_API int32_t UnlhaSetBackGroundMode(int32_t mode);
UNLHA_API int32_t UnlhaGetCursorMode(void);
UNLHA_API int32_t UnlhaSetCursorMode(int32_t mode);
UNLHA_API uint16_t UnlhaGetCursorInterval(void);
UNLHA_API int32_t UnlhaSetCursorInterval(uint16_t interval);

/* Runs one command string; its report goes into output (at most size bytes, terminated). */
UNLHA_API int32_t Unlha(UNLHA_HWND window, const char* command, char* output, uint32_t size);

/* Non-zero when path is a readable LZH archive (mode 0: headers only, 1: CRCs too). */
UNLHA_API int32_t UnlhaCheckArchive(const char* path, int32_t mode);
/* There is nothing to configure: sets buffer (when given) to an empty option text. */
UNLHA_API int32_t UnlhaConfigDialog(UNLHA_HWND window, char* buffer, int32_t mode);
/* Number of members, -1 when the archive cannot be read. */
UNLHA_API int32_t UnlhaGetFileCount(const char* path);

UNLHA_API HARC UnlhaOpenArchive(UNLHA_HWND window, const char* path, uint32_t mode);
UNLHA_API int32_t UnlhaCloseArchive(HARC archive);
/* 0: the first member matching wildcard is in info; -1: no member. */
UNLHA_API int32_t UnlhaFindFirst(HARC archive, const char* wildcard, INDIVIDUALINFO* info);
/* 0: the next member is in info; -1: no more members. */
UNLHA_API int32_t UnlhaFindNext(HARC archive, INDIVIDUALINFO* info);

/* About the open archive as a whole; all bits set (or an error number) for a handle not open. */
UNLHA_API int32_t UnlhaGetArcFileName(HARC archive, char* buffer, int32_t size);
UNLHA_API uint32_t UnlhaGetArcFileSize(HARC archive);
UNLHA_API uint32_t UnlhaGetArcOriginalSize(HARC archive);
UNLHA_API uint32_t UnlhaGetArcCompressedSize(HARC archive);
UNLHA_API uint16_t UnlhaGetArcRatio(HARC archive);
UNLHA_API uint16_t UnlhaGetArcDate(HARC archive);
UNLHA_API uint16_t UnlhaGetArcTime(HARC archive);
UNLHA_API uint32_t UnlhaGetArcOSType(HARC archive);

/* About the member last found by UnlhaFindFirst or UnlhaFindNext; all bits set (or an error
 * number) when there is none. Access and creation times are all bits set when not recorded. */
UNLHA_API int32_t UnlhaGetFileName(HARC archive, char* buffer, int32_t size);
UNLHA_API int32_t UnlhaGetMethod(HARC archive, char* buffer, int32_t size);
UNLHA_API uint32_t UnlhaGetOriginalSize(HARC archive);
UNLHA_API uint32_t UnlhaGetCompressedSize(HARC archive);
UNLHA_API uint16_t UnlhaGetRatio(HARC archive);
UNLHA_API uint16_t UnlhaGetDate(HARC archive);
UNLHA_API uint16_t UnlhaGetTime(HARC archive);
UNLHA_API uint32_t UnlhaGetWriteTime(HARC archive);
UNLHA_API uint32_t UnlhaGetAccessTime(HARC archive);
UNLHA_API uint32_t UnlhaGetCreateTime(HARC archive);
UNLHA_API uint32_t UnlhaGetCRC(HARC archive);
UNLHA_API int32_t UnlhaGetAttribute(HARC archive);
UNLHA_API uint32_t UnlhaGetOSType(HARC archive);

/* Non-zero when the function with that number (its position in the list above, from 0) exists. */
UNLHA_API int32_t UnlhaQueryFunctionList(int32_t function);
UNLHA_API int32_t UnlhaSetOwnerWindow(UNLHA_HWND window);
UNLHA_API int32_t UnlhaClearOwnerWindow(void);

#ifdef __cplusplus
}
#endif

#endif
