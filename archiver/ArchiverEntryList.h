#pragma once

// The 41 entries of the archiver library in slot order, which is also the order in which they
// are looked up. Each row gives the looked-up name and the name the not-loaded message uses;
// two of those messages keep the classic program's misspellings.
#define ZOL_ARCHIVER_ENTRY_LIST(X)                                                                 \
    X(UnlhaGetVersion, "UnlhaGetVersion")                                                          \
    X(UnlhaGetSubVersion, "UnlhaGetSubVersion")                                                    \
    X(UnlhaGetRunning, "UnlhaGetRunning")                                                          \
    X(UnlhaGetBackGroundMode, "UnlhaGetBackGroundMode")                                            \
    X(UnlhaSetBackGroundMode, "UnlhaSetBackGroundMode")                                            \
    X(UnlhaGetCursorMode, "UnlhaGetCursorMode")                                                    \
    X(UnlhaSetCursorMode, "UnlhaSetCursorMode")                                                    \
    X(UnlhaGetCursorInterval, "UnlhaGetCursorInterval")                                            \
    X(UnlhaSetCursorInterval, "UnlhaSetCursorInterval")                                            \
    X(Unlha, "Unlha")                                                                              \
    X(UnlhaCheckArchive, "UnlhaCheckArchive")                                                      \
    X(UnlhaConfigDialog, "UnlhaConfigDialog")                                                      \
    X(UnlhaGetFileCount, "UnlhaGetFileCount")                                                      \
    X(UnlhaOpenArchive, "UnlhaOpenArchive")                                                        \
    X(UnlhaCloseArchive, "UnlhaCloseArchive")                                                      \
    X(UnlhaFindFirst, "UnlhaFindFirst")                                                            \
    X(UnlhaFindNext, "UnlhaFindNext")                                                              \
    X(UnlhaGetArcFileName, "UnlhaGetArcFileName")                                                  \
    X(UnlhaGetArcFileSize, "UnlhaGetArcFileSize")                                                  \
    X(UnlhaGetArcOriginalSize, "UnlhaGetArcOriginalSize")                                          \
    X(UnlhaGetArcCompressedSize, "UnlhaGetArcCompessedSize")                                       \
    X(UnlhaGetArcRatio, "UnlhaGetArcRatio")                                                        \
    X(UnlhaGetArcDate, "UnlhaGetArcDate")                                                          \
    X(UnlhaGetArcTime, "UnlhaGetArcTime")                                                          \
    X(UnlhaGetArcOSType, "UnlhaGetArcOSType")                                                      \
    X(UnlhaGetFileName, "UnlhaGetFileName")                                                        \
    X(UnlhaGetMethod, "UnlhaGetMethod")                                                            \
    X(UnlhaGetOriginalSize, "UnlhaGetOriginalSize")                                                \
    X(UnlhaGetCompressedSize, "UnlhaGetCompressedSize")                                            \
    X(UnlhaGetRatio, "UnlhaGetRatio")                                                              \
    X(UnlhaGetDate, "UnlhaGetDate")                                                                \
    X(UnlhaGetTime, "UnlhaGetTime")                                                                \
    X(UnlhaGetWriteTime, "UnlhaGetWriteTime")                                                      \
    X(UnlhaGetAccessTime, "UnlhaGetAcessTime")                                                     \
    X(UnlhaGetCreateTime, "UnlhaGetCreateTime")                                                    \
    X(UnlhaGetCRC, "UnlhaGetCRC")                                                                  \
    X(UnlhaGetAttribute, "UnlhaGetAttribute")                                                      \
    X(UnlhaGetOSType, "UnlhaGetOSType")                                                            \
    X(UnlhaQueryFunctionList, "UnlhaQueryFunctionList")                                            \
    X(UnlhaSetOwnerWindow, "UnlhaSetOwnerWindow")                                                  \
    X(UnlhaClearOwnerWindow, "UnlhaClearOwnerWindow")
