// The Windows console: colours and clearing through the console API on the
// active screen buffer, whatever the standard handles are connected to.
#include "console/console.h"

#include "console/attribute.h"

#include <cerrno>
#include <cstdio>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

bool opened = false;
HANDLE screen_buffer = nullptr;

// The C runtime's translation of system error codes into errno values for
// its own file operations.
int errno_from_system_error(DWORD code) {
    static const struct {
        DWORD code;
        int error;
    } table[] = {
        {ERROR_INVALID_FUNCTION, EINVAL},    {ERROR_FILE_NOT_FOUND, ENOENT},
        {ERROR_PATH_NOT_FOUND, ENOENT},      {ERROR_TOO_MANY_OPEN_FILES, EMFILE},
        {ERROR_ACCESS_DENIED, EACCES},       {ERROR_INVALID_HANDLE, EBADF},
        {ERROR_ARENA_TRASHED, ENOMEM},       {ERROR_NOT_ENOUGH_MEMORY, ENOMEM},
        {ERROR_INVALID_BLOCK, ENOMEM},       {ERROR_BAD_ENVIRONMENT, E2BIG},
        {ERROR_BAD_FORMAT, ENOEXEC},         {ERROR_INVALID_ACCESS, EINVAL},
        {ERROR_INVALID_DATA, EINVAL},        {ERROR_INVALID_DRIVE, ENOENT},
        {ERROR_CURRENT_DIRECTORY, EACCES},   {ERROR_NOT_SAME_DEVICE, EXDEV},
        {ERROR_NO_MORE_FILES, ENOENT},       {ERROR_LOCK_VIOLATION, EACCES},
        {ERROR_BAD_NETPATH, ENOENT},         {ERROR_NETWORK_ACCESS_DENIED, EACCES},
        {ERROR_BAD_NET_NAME, ENOENT},        {ERROR_FILE_EXISTS, EEXIST},
        {ERROR_CANNOT_MAKE, EACCES},         {ERROR_FAIL_I24, EACCES},
        {ERROR_INVALID_PARAMETER, EINVAL},   {ERROR_NO_PROC_SLOTS, EAGAIN},
        {ERROR_DRIVE_LOCKED, EACCES},        {ERROR_BROKEN_PIPE, EPIPE},
        {ERROR_DISK_FULL, ENOSPC},           {ERROR_INVALID_TARGET_HANDLE, EBADF},
        {ERROR_WAIT_NO_CHILDREN, ECHILD},    {ERROR_CHILD_NOT_COMPLETE, ECHILD},
        {ERROR_DIRECT_ACCESS_HANDLE, EBADF}, {ERROR_NEGATIVE_SEEK, EINVAL},
        {ERROR_SEEK_ON_DEVICE, EACCES},      {ERROR_DIR_NOT_EMPTY, ENOTEMPTY},
        {ERROR_NOT_LOCKED, EACCES},          {ERROR_BAD_PATHNAME, ENOENT},
        {ERROR_MAX_THRDS_REACHED, EAGAIN},   {ERROR_LOCK_FAILED, EACCES},
        {ERROR_ALREADY_EXISTS, EEXIST},      {ERROR_FILENAME_EXCED_RANGE, ENOENT},
        {ERROR_NESTING_NOT_ALLOWED, EAGAIN}, {ERROR_NOT_ENOUGH_QUOTA, ENOMEM},
    };
    for (const auto& entry : table) {
        if (entry.code == code) {
            return entry.error;
        }
    }
    if (code >= ERROR_WRITE_PROTECT && code <= ERROR_SHARING_BUFFER_EXCEEDED) {
        return EACCES;
    }
    if (code >= ERROR_INVALID_STARTING_CODESEG && code <= ERROR_INFLOOP_IN_RELOC_CHAIN) {
        return ENOEXEC;
    }
    return EINVAL;
}

void store_last_error() {
    errno = errno_from_system_error(GetLastError());
}

// The screen buffer, with standard output flushed so that the text written
// so far keeps the colours it was written in.
HANDLE take_console() {
    const HANDLE handle = console_output_handle();
    if (handle == INVALID_HANDLE_VALUE) {
        errno = EIO;
        return INVALID_HANDLE_VALUE;
    }
    std::fflush(stdout);
    return handle;
}

void change_attribute(unsigned (*arithmetic)(unsigned attribute, int color), int color) {
    const HANDLE handle = take_console();
    if (handle == INVALID_HANDLE_VALUE) {
        return;
    }
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!GetConsoleScreenBufferInfo(handle, &info) ||
        !SetConsoleTextAttribute(handle, static_cast<WORD>(arithmetic(info.wAttributes, color)))) {
        store_last_error();
    }
}

} // namespace

const console_handle no_console = INVALID_HANDLE_VALUE;

console_handle console_output_handle() {
    if (!opened) {
        opened = true;
        screen_buffer = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    }
    return screen_buffer;
}

void set_text_color(int color) {
    change_attribute(text_color_attribute, color);
}

void set_background_color(int color) {
    change_attribute(background_color_attribute, color);
}

void clear_screen() {
    const HANDLE handle = take_console();
    if (handle == INVALID_HANDLE_VALUE) {
        return;
    }
    const COORD home = {0, 0};
    CONSOLE_SCREEN_BUFFER_INFO info;
    DWORD written = 0;
    if (!GetConsoleScreenBufferInfo(handle, &info)) {
        store_last_error();
    } else {
        // The whole buffer, not only the visible window.
        const DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
        if (!FillConsoleOutputCharacterA(handle, ' ', cells, home, &written) ||
            !FillConsoleOutputAttribute(handle, info.wAttributes, cells, home, &written)) {
            store_last_error();
        }
    }
    SetConsoleCursorPosition(handle, home);
}

bool standard_input_ready() {
    return false; // a console delivers one line at a time: flush before each
}
