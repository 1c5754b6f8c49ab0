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

// The errors that the console calls can meet, as the C runtime translates
// them for its own file operations; the rest, an invalid parameter among
// them, it translates to EINVAL.
int errno_from_system_error(DWORD code) {
    switch (code) {
    case ERROR_INVALID_HANDLE:
        return EBADF;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_NOT_ENOUGH_MEMORY:
        return ENOMEM;
    case ERROR_BROKEN_PIPE:
        return EPIPE;
    default:
        return EINVAL;
    }
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
    if (GetConsoleScreenBufferInfo(handle, &info) == FALSE ||
        SetConsoleTextAttribute(handle, static_cast<WORD>(arithmetic(info.wAttributes, color))) == FALSE) {
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
    if (GetConsoleScreenBufferInfo(handle, &info) == FALSE) {
        store_last_error();
    } else {
        // The whole buffer, not only the visible window.
        const DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
        if (FillConsoleOutputCharacterA(handle, ' ', cells, home, &written) == FALSE ||
            FillConsoleOutputAttribute(handle, info.wAttributes, cells, home, &written) == FALSE) {
            store_last_error();
        }
    }
    SetConsoleCursorPosition(handle, home);
}

bool standard_input_ready() {
    return false; // a console delivers one line at a time: flush before each
}
