// SPDX-License-Identifier: GPL-3.0-or-later
// Times a program's start from outside it: from the moment it is started until its first
// top-level window is mapped and painted on the X server, and its peak resident memory then.
//
// Usage: first_frame PROGRAM [ARGUMENT...]
// Prints "<microseconds> <peak resident KiB>" and ends the program. A window counts as painted
// once the pixel at (2, 2) of its client area shows the colour of Qt's default window background
// (Fusion's #efefef, or FIRST_FRAME_BACKGROUND), which both the game and the empty window paint
// there first.
#include <xcb/xcb.h>

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

template <typename Reply> using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> Owned<Reply> own(Reply* reply) { return { reply, &std::free }; }

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const auto reply = own(xcb_intern_atom_reply(connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

std::vector<xcb_window_t> windowList(
    xcb_connection_t* connection, xcb_window_t root, xcb_atom_t list)
{
    const auto reply = own(xcb_get_property_reply(connection,
        xcb_get_property(connection, 0, root, list, XCB_ATOM_WINDOW, 0, 1024), nullptr));
    if (!reply || reply->format != 32) {
        return {};
    }
    std::vector<xcb_window_t> windows(
        static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))
        / sizeof(xcb_window_t));
    std::memcpy(
        windows.data(), xcb_get_property_value(reply.get()), windows.size() * sizeof(xcb_window_t));
    return windows;
}

std::uint32_t cardinal(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property)
{
    const auto reply = own(xcb_get_property_reply(connection,
        xcb_get_property(connection, 0, window, property, XCB_ATOM_CARDINAL, 0, 1), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4) {
        return 0;
    }
    return *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
}

bool isViewable(xcb_connection_t* connection, xcb_window_t window)
{
    const auto reply = own(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr));
    return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

std::uint32_t pixel(xcb_connection_t* connection, xcb_window_t window)
{
    const auto reply = own(xcb_get_image_reply(connection,
        xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 2, 2, 1, 1, ~0U), nullptr));
    if (!reply || xcb_get_image_data_length(reply.get()) < 4) {
        return 0;
    }
    std::uint32_t value = 0;
    std::memcpy(&value, xcb_get_image_data(reply.get()), 4);
    return value & 0xffffffU;
}

long peakResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: first_frame PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        std::fprintf(stderr, "first_frame: no X server\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t clientList = atom(connection, "_NET_CLIENT_LIST");
    const xcb_atom_t wmPid = atom(connection, "_NET_WM_PID");
    // Another style paints another colour first (Windows' window colour under Wine):
    // FIRST_FRAME_BACKGROUND names it, as six hexadecimal digits.
    const char* background = std::getenv("FIRST_FRAME_BACKGROUND");
    const std::uint32_t kWindowBackground =
        background ? static_cast<std::uint32_t>(std::strtoul(background, nullptr, 16)) : 0xefefefU;

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[1], argv + 1);
        std::perror("first_frame: exec");
        _exit(127);
    }

    xcb_window_t window = XCB_WINDOW_NONE;
    for (;;) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "first_frame: the program ended before it showed a window\n");
            return 1;
        }
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(30)) {
            std::fprintf(stderr, "first_frame: no painted window within 30 s\n");
            kill(child, SIGKILL);
            return 1;
        }
        if (window == XCB_WINDOW_NONE) {
            for (const xcb_window_t candidate : windowList(connection, root, clientList)) {
                if (cardinal(connection, candidate, wmPid) == static_cast<std::uint32_t>(child)) {
                    window = candidate;
                }
            }
        }
        if (window != XCB_WINDOW_NONE && isViewable(connection, window)
            && pixel(connection, window) == kWindowBackground) {
            break;
        }
        usleep(200);
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    const long peak = peakResidentKiB(child);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(connection);
    std::printf("%lld %ld\n", static_cast<long long>(elapsed.count()), peak);
    return 0;
}
