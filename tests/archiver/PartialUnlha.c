/*
 * A build of the library interface that lacks UnlhaGetArcCompressedSize and UnlhaGetAccessTime.
 * The other entries answer fixed values so that a test can tell a bound slot from its fallback;
 * its listing never ends, to show that the viewer's listing stops on its own. Built with
 * LACKS_FIND_NEXT it lacks UnlhaFindNext as well.
 */
#include "unlha32.h"

#include <string.h>

uint16_t UnlhaGetVersion(void) {
    return 4242;
}
uint16_t UnlhaGetSubVersion(void) {
    return 1;
}
int32_t UnlhaGetRunning(void) {
    return 1;
}
int32_t UnlhaGetBackGroundMode(void) {
    return 1;
}
int32_t UnlhaSetBackGroundMode(int32_t mode) {
    return mode;
}
int32_t UnlhaGetCursorMode(void) {
    return 1;
}
int32_t UnlhaSetCursorMode(int32_t mode) {
    return mode;
}
uint16_t UnlhaGetCursorInterval(void) {
    return 80;
}
int32_t UnlhaSetCursorInterval(uint16_t interval) {
    return interval;
}
int32_t Unlha(UNLHA_HWND window, const char* command, char* output, uint32_t size) {
    (void)window;
    (void)command;
    if (size > 0)
        output[0] = '\0';
    return 0;
}
int32_t UnlhaCheckArchive(const char* path, int32_t mode) {
    (void)path;
    return mode + 1;
}
int32_t UnlhaConfigDialog(UNLHA_HWND window, char* buffer, int32_t mode) {
    (void)window;
    (void)buffer;
    return mode + 1;
}
int32_t UnlhaGetFileCount(const char* path) {
    (void)path;
    return 1;
}
HARC UnlhaOpenArchive(UNLHA_HWND window, const char* path, uint32_t mode) {
    (void)window;
    (void)path;
    (void)mode;
    return 7;
}
int32_t UnlhaCloseArchive(HARC archive) {
    (void)archive;
    return 0;
}
static void FillEndlessMember(INDIVIDUALINFO* info) {
    memset(info, 0, sizeof *info);
    info->dwOriginalSize = 1;
    strcpy(info->szFileName, "ENDLESS.TXT");
    strcpy(info->szMode, "-lh0-");
}
int32_t UnlhaFindFirst(HARC archive, const char* wildcard, INDIVIDUALINFO* info) {
    (void)archive;
    (void)wildcard;
    FillEndlessMember(info);
    return 0;
}
#ifndef LACKS_FIND_NEXT
int32_t UnlhaFindNext(HARC archive, INDIVIDUALINFO* info) {
    (void)archive;
    FillEndlessMember(info);
    return 0;
}
#endif
int32_t UnlhaGetArcFileName(HARC archive, char* buffer, int32_t size) {
    (void)archive;
    (void)buffer;
    return size;
}
uint32_t UnlhaGetArcFileSize(HARC archive) {
    return (uint32_t)archive + 1;
}
uint32_t UnlhaGetArcOriginalSize(HARC archive) {
    return (uint32_t)archive + 1;
}
uint16_t UnlhaGetArcRatio(HARC archive) {
    return (uint16_t)(archive + 1);
}
uint16_t UnlhaGetArcDate(HARC archive) {
    return (uint16_t)(archive + 1);
}
uint16_t UnlhaGetArcTime(HARC archive) {
    return (uint16_t)(archive + 1);
}
uint32_t UnlhaGetArcOSType(HARC archive) {
    return (uint32_t)archive + 1;
}
int32_t UnlhaGetFileName(HARC archive, char* buffer, int32_t size) {
    (void)archive;
    (void)buffer;
    return size;
}
int32_t UnlhaGetMethod(HARC archive, char* buffer, int32_t size) {
    (void)archive;
    (void)buffer;
    return size;
}
uint32_t UnlhaGetOriginalSize(HARC archive) {
    return (uint32_t)archive + 1;
}
uint32_t UnlhaGetCompressedSize(HARC archive) {
    return (uint32_t)archive + 1;
}
uint16_t UnlhaGetRatio(HARC archive) {
    return (uint16_t)(archive + 1);
}
uint16_t UnlhaGetDate(HARC archive) {
    return (uint16_t)(archive + 1);
}
uint16_t UnlhaGetTime(HARC archive) {
    return (uint16_t)(archive + 1);
}
uint32_t UnlhaGetWriteTime(HARC archive) {
    return (uint32_t)archive + 1;
}
uint32_t UnlhaGetCreateTime(HARC archive) {
    return (uint32_t)archive + 1;
}
uint32_t UnlhaGetCRC(HARC archive) {
    return (uint32_t)archive + 1;
}
int32_t UnlhaGetAttribute(HARC archive) {
    return (int32_t)archive + 1;
}
uint32_t UnlhaGetOSType(HARC archive) {
    return (uint32_t)archive + 1;
}
int32_t UnlhaQueryFunctionList(int32_t function) {
    return function != 20 && function != 33;
}
int32_t UnlhaSetOwnerWindow(UNLHA_HWND window) {
    return window != 0;
}
int32_t UnlhaClearOwnerWindow(void) {
    return 1;
}
