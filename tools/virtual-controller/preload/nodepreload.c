// SPDX-License-Identifier: GPL-3.0-or-later
/* The virtual controller's node library, preloaded into the command it runs ahead of
 * umockdev's preload, for what that one leaves out:
 *
 * - Access: opening a device node that the runner lists as denied fails with EACCES, as it
 *   does for a user on a machine without the udev rule for the controllers; one it lists as
 *   gone (its device has left; umockdev keeps the file) fails with ENOENT, as for a node
 *   the kernel has destroyed. The list is the
 *   file named by VIRTUAL_CONTROLLER_DENIED_NODES, one node path per line. The runner
 *   replaces it as a whole; it is read again when its identity or time stamp changes.
 * - fstat() of an emulated node: umockdev's stat() of the path reports a character device
 *   with its device number, but fstat() of an open node reports the regular file behind it.
 *   hidapi finds a device's udev entry by that number, so fstat() answers as stat() does.
 * - Event nodes (/dev/input/event*): umockdev's node is a socket to the runner, which never
 *   polls ready and whose reads the runner holds until an event comes. So for descriptors
 *   opened on an event node the library tells the runner their O_NONBLOCK (followed through
 *   fcntl(F_SETFL); VIRTUAL_CONTROLLER_NONBLOCK), so that a non-blocking read() with nothing
 *   queued fails with EAGAIN, and asks it how many bytes of events are queued
 *   (VIRTUAL_CONTROLLER_QUEUED_BYTES), so that poll() and ppoll()
 *   report POLLIN when something is queued, POLLOUT always, and POLLERR|POLLHUP once the
 *   device has gone, as evdev_poll() does. While such a descriptor is polled, the real
 *   poll() sleeps on a FIFO in its place, to which the runner writes a byte whenever events
 *   are queued for it or the device goes (VIRTUAL_CONTROLLER_NOTIFY), and asks again when
 *   woken; where no FIFO can be made, it polls the rest in slices of at most POLL_SLICE_MS
 *   between the questions. So an idle poll costs nothing. select() and epoll are
 *   not covered. A poll() without event nodes costs one scan of the set. umockdev does not
 *   tell the runner of a close, so close() (and the end of the process, for what it left
 *   open) first tells it with VIRTUAL_CONTROLLER_RELEASE, for what evdev does then.
 *
 * Only absolute paths under /dev are looked at, so other opens cost one comparison;
 * everything goes on to the next library (umockdev's preload, then the C library). */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include "eventnoderequests.h"

#define LIST_VARIABLE "VIRTUAL_CONTROLLER_DENIED_NODES"
#define MAX_LIST_SIZE 65536
#define TRACKED_DESCRIPTORS 1024
#define EVENT_NODE_PREFIX "/dev/input/event"
#define POLL_SLICE_MS 4
/* Fits the sets Qt and GLib poll without an allocation. */
#define STACK_POLL_FDS 64

enum { NOT_EVENT_NODE, EVENT_NODE_BLOCKING, EVENT_NODE_NONBLOCKING };

static pthread_mutex_t lock = PTHREAD_MUTEX_INITIALIZER;
static struct stat list_stat;
static char list[MAX_LIST_SIZE + 1];
/* The /dev path each descriptor was opened with; stale after a close, which fstat() notices
 * by comparing the files. */
static char *opened_paths[TRACKED_DESCRIPTORS];
/* The reading end of each event node's notification FIFO, plus one: 0 none yet, -1 none
 * to be had. */
static int notify_fds[TRACKED_DESCRIPTORS];
/* Whether the runner was told the descriptor's O_NONBLOCK, and so answers its reads itself. */
static unsigned char runner_knows_blocking[TRACKED_DESCRIPTORS];
static unsigned notify_count;
/* Per descriptor: whether it is open on an event node, and how. Read without the lock:
 * a descriptor is only changed by its own open, fcntl() and close(). */
static volatile unsigned char event_nodes[TRACKED_DESCRIPTORS];
static volatile int event_node_count;
/* The process that opened it: a forked child that ends must not release its parent's. */
static pid_t event_node_openers[TRACKED_DESCRIPTORS];

/* Raw system calls: reading the list must not come back through these wrappers or
 * through umockdev's. */
static void reload_if_changed(const char *file)
{
    struct stat now;
    if (syscall(SYS_newfstatat, AT_FDCWD, file, &now, 0) != 0) {
        list[0] = '\0';
        memset(&list_stat, 0, sizeof list_stat);
        return;
    }
    if (now.st_ino == list_stat.st_ino && now.st_dev == list_stat.st_dev && now.st_size == list_stat.st_size
        && now.st_mtim.tv_sec == list_stat.st_mtim.tv_sec && now.st_mtim.tv_nsec == list_stat.st_mtim.tv_nsec)
        return;
    list[0] = '\0';
    memset(&list_stat, 0, sizeof list_stat);
    const int fd = (int)syscall(SYS_openat, AT_FDCWD, file, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    size_t length = 0;
    for (;;) {
        const long n = syscall(SYS_read, fd, list + length, MAX_LIST_SIZE - length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        length += (size_t)n;
    }
    syscall(SYS_close, fd);
    list[length] = '\0';
    list_stat = now;
}

#define GONE_PREFIX "gone "

/* EACCES for a denied node, ENOENT for one whose device has gone, else 0. */
static int listed_error(const char *path)
{
    const size_t length = strlen(path);
    const size_t prefix = sizeof GONE_PREFIX - 1;
    for (const char *line = list; *line;) {
        const char *end = strchr(line, '\n');
        const size_t size = end ? (size_t)(end - line) : strlen(line);
        if (size == length && memcmp(line, path, length) == 0)
            return EACCES;
        if (size == prefix + length && memcmp(line, GONE_PREFIX, prefix) == 0 && memcmp(line + prefix, path, length) == 0)
            return ENOENT;
        if (!end)
            break;
        line = end + 1;
    }
    return 0;
}

/* Only absolute paths are compared; openat() ignores its directory for those. */
static int is_node(const char *path)
{
    return path && strncmp(path, "/dev/", 5) == 0;
}

/* The error opening the node fails with, or 0. */
static int is_denied(const char *path)
{
    if (!is_node(path))
        return 0;
    const char *file = getenv(LIST_VARIABLE);
    if (!file || !*file)
        return 0;
    pthread_mutex_lock(&lock);
    reload_if_changed(file);
    const int denied = listed_error(path);
    pthread_mutex_unlock(&lock);
    return denied;
}

static void set_event_node(int fd, unsigned char kind)
{
    pthread_mutex_lock(&lock);
    event_node_count += (kind != NOT_EVENT_NODE) - (event_nodes[fd] != NOT_EVENT_NODE);
    event_nodes[fd] = kind;
    event_node_openers[fd] = getpid();
    pthread_mutex_unlock(&lock);
}

static int event_node_kind(int fd)
{
    return fd >= 0 && fd < TRACKED_DESCRIPTORS ? event_nodes[fd] : NOT_EVENT_NODE;
}

static void *next(const char *name);

/* VIRTUAL_CONTROLLER_NONBLOCK: the runner then answers a read with nothing queued with
 * EAGAIN in the same round trip, rather than being asked first. */
static void tell_blocking(int fd)
{
    int (*real_ioctl)(int, unsigned long, ...) = next("ioctl");
    const int saved = errno;
    int nonblocking = event_node_kind(fd) == EVENT_NODE_NONBLOCKING;
    runner_knows_blocking[fd] = real_ioctl && real_ioctl(fd, VIRTUAL_CONTROLLER_NONBLOCK, &nonblocking) == 0;
    errno = saved;
}

static int opened(int fd, const char *path, int flags)
{
    if (fd >= 0 && fd < TRACKED_DESCRIPTORS && is_node(path)) {
        const int event_node = strncmp(path, EVENT_NODE_PREFIX, sizeof EVENT_NODE_PREFIX - 1) == 0;
        set_event_node(fd, !event_node ? NOT_EVENT_NODE
                                       : (flags & O_NONBLOCK) ? EVENT_NODE_NONBLOCKING : EVENT_NODE_BLOCKING);
        if (event_node)
            tell_blocking(fd);
        char *copy = strdup(path);
        pthread_mutex_lock(&lock);
        free(opened_paths[fd]);
        opened_paths[fd] = copy;
        pthread_mutex_unlock(&lock);
    }
    return fd;
}

/* Copies of the path, since the descriptor may be closed and reused meanwhile. */
static char *opened_path(int fd)
{
    if (fd < 0 || fd >= TRACKED_DESCRIPTORS)
        return NULL;
    pthread_mutex_lock(&lock);
    char *path = opened_paths[fd] ? strdup(opened_paths[fd]) : NULL;
    pthread_mutex_unlock(&lock);
    return path;
}

static int needs_mode(int flags)
{
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE;
}

static void *next(const char *name)
{
    return dlsym(RTLD_NEXT, name);
}

#define REFUSE_IF_DENIED(path) \
    do { \
        const int refusal = is_denied(path); \
        if (refusal) { \
            errno = refusal; \
            return -1; \
        } \
    } while (0)

#define MODE_ARGUMENT(flags, mode) \
    do { \
        if (needs_mode(flags)) { \
            va_list arguments; \
            va_start(arguments, flags); \
            mode = va_arg(arguments, mode_t); \
            va_end(arguments); \
        } \
    } while (0)

int open(const char *path, int flags, ...)
{
    mode_t mode = 0;
    MODE_ARGUMENT(flags, mode);
    REFUSE_IF_DENIED(path);
    int (*real)(const char *, int, ...) = next("open");
    return real ? opened(real(path, flags, mode), path, flags) : (errno = ENOSYS, -1);
}

int open64(const char *path, int flags, ...)
{
    mode_t mode = 0;
    MODE_ARGUMENT(flags, mode);
    REFUSE_IF_DENIED(path);
    int (*real)(const char *, int, ...) = next("open64");
    return real ? opened(real(path, flags, mode), path, flags) : (errno = ENOSYS, -1);
}

int openat(int dirfd, const char *path, int flags, ...)
{
    mode_t mode = 0;
    MODE_ARGUMENT(flags, mode);
    REFUSE_IF_DENIED(path);
    int (*real)(int, const char *, int, ...) = next("openat");
    return real ? opened(real(dirfd, path, flags, mode), path, flags) : (errno = ENOSYS, -1);
}

int openat64(int dirfd, const char *path, int flags, ...)
{
    mode_t mode = 0;
    MODE_ARGUMENT(flags, mode);
    REFUSE_IF_DENIED(path);
    int (*real)(int, const char *, int, ...) = next("openat64");
    return real ? opened(real(dirfd, path, flags, mode), path, flags) : (errno = ENOSYS, -1);
}

/* The fortified variants that _FORTIFY_SOURCE builds call instead. */
int __open_2(const char *path, int flags)
{
    REFUSE_IF_DENIED(path);
    int (*real)(const char *, int) = next("__open_2");
    return real ? opened(real(path, flags), path, flags) : (errno = ENOSYS, -1);
}

int __open64_2(const char *path, int flags)
{
    REFUSE_IF_DENIED(path);
    int (*real)(const char *, int) = next("__open64_2");
    return real ? opened(real(path, flags), path, flags) : (errno = ENOSYS, -1);
}

int __openat_2(int dirfd, const char *path, int flags)
{
    REFUSE_IF_DENIED(path);
    int (*real)(int, const char *, int) = next("__openat_2");
    return real ? opened(real(dirfd, path, flags), path, flags) : (errno = ENOSYS, -1);
}

int __openat64_2(int dirfd, const char *path, int flags)
{
    REFUSE_IF_DENIED(path);
    int (*real)(int, const char *, int) = next("__openat64_2");
    return real ? opened(real(dirfd, path, flags), path, flags) : (errno = ENOSYS, -1);
}

/* A regular file opened under /dev is an emulated node when stat() of its path, which
 * umockdev answers, names the same file: then that answer's type and number hold. */
#define ANSWER_AS_STAT(stat_type, fstat_name, stat_name) \
    int fstat_name(int fd, struct stat_type *result) \
    { \
        int (*real)(int, struct stat_type *) = next(#fstat_name); \
        if (!real) { \
            errno = ENOSYS; \
            return -1; \
        } \
        const int status = real(fd, result); \
        if (status != 0 || !S_ISREG(result->st_mode)) \
            return status; \
        char *path = opened_path(fd); \
        int (*by_path)(const char *, struct stat_type *) = next(#stat_name); \
        struct stat_type node; \
        if (path && by_path && by_path(path, &node) == 0 && S_ISCHR(node.st_mode) && node.st_ino == result->st_ino \
            && node.st_dev == result->st_dev) { \
            result->st_mode = node.st_mode; \
            result->st_rdev = node.st_rdev; \
        } \
        free(path); \
        return status; \
    }

ANSWER_AS_STAT(stat, fstat, stat)
ANSWER_AS_STAT(stat64, fstat64, stat64)

/* evdev's release at the last close, which the runner does not learn from umockdev. */
static void release_event_node(int fd)
{
    int (*real_ioctl)(int, unsigned long, ...) = next("ioctl");
    const int saved = errno;
    if (real_ioctl)
        real_ioctl(fd, VIRTUAL_CONTROLLER_RELEASE, 0);
    pthread_mutex_lock(&lock);
    if (notify_fds[fd] > 0)
        syscall(SYS_close, notify_fds[fd] - 1);
    notify_fds[fd] = 0;
    pthread_mutex_unlock(&lock);
    errno = saved;
    set_event_node(fd, NOT_EVENT_NODE);
    runner_knows_blocking[fd] = 0;
}

int close(int fd)
{
    if (event_node_kind(fd) != NOT_EVENT_NODE)
        release_event_node(fd);
    int (*real)(int) = next("close");
    return real ? real(fd) : (errno = ENOSYS, -1);
}

/* The files a process leaves open are closed when it ends. */
__attribute__((destructor)) static void release_event_nodes(void)
{
    for (int fd = 0; event_node_count > 0 && fd < TRACKED_DESCRIPTORS; ++fd)
        if (event_nodes[fd] != NOT_EVENT_NODE && event_node_openers[fd] == getpid())
            release_event_node(fd);
}

/* F_SETFL is the one command that changes O_NONBLOCK; the argument is passed on as a
 * long, which carries the int or pointer any command takes. */
#define FOLLOW_NONBLOCK(fcntl_name) \
    int fcntl_name(int fd, int command, ...) \
    { \
        va_list arguments; \
        va_start(arguments, command); \
        const long argument = va_arg(arguments, long); \
        va_end(arguments); \
        int (*real)(int, int, ...) = next(#fcntl_name); \
        if (!real) { \
            errno = ENOSYS; \
            return -1; \
        } \
        const int result = real(fd, command, argument); \
        if (result == 0 && command == F_SETFL && event_node_kind(fd) != NOT_EVENT_NODE) { \
            set_event_node(fd, (argument & O_NONBLOCK) ? EVENT_NODE_NONBLOCKING : EVENT_NODE_BLOCKING); \
            tell_blocking(fd); \
        } \
        return result; \
    }

FOLLOW_NONBLOCK(fcntl)
FOLLOW_NONBLOCK(fcntl64)

/* Bytes of whole events queued for the descriptor, or -1 with errno (ENODEV: gone). */
static int queued_bytes(int fd)
{
    int (*real_ioctl)(int, unsigned long, ...) = next("ioctl");
    int bytes = 0;
    if (!real_ioctl || real_ioctl(fd, VIRTUAL_CONTROLLER_QUEUED_BYTES, &bytes) != 0)
        return -1;
    return bytes;
}

/* evdev_read() of a non-blocking file: EAGAIN when nothing is queued. */
static int nonblocking_read_would_block(int fd)
{
    if (event_node_kind(fd) != EVENT_NODE_NONBLOCKING || runner_knows_blocking[fd])
        return 0;
    const int bytes = queued_bytes(fd);
    if (bytes < 0)
        return errno == ENODEV;
    if (bytes == 0) {
        errno = EAGAIN;
        return 1;
    }
    return 0;
}

ssize_t read(int fd, void *buffer, size_t count)
{
    if (nonblocking_read_would_block(fd))
        return -1;
    ssize_t (*real)(int, void *, size_t) = next("read");
    return real ? real(fd, buffer, count) : (errno = ENOSYS, -1);
}

ssize_t __read_chk(int fd, void *buffer, size_t count, size_t size)
{
    if (nonblocking_read_would_block(fd))
        return -1;
    ssize_t (*real)(int, void *, size_t, size_t) = next("__read_chk");
    return real ? real(fd, buffer, count, size) : (errno = ENOSYS, -1);
}

static int has_event_node(const struct pollfd *fds, nfds_t count)
{
    if (event_node_count == 0)
        return 0;
    for (nfds_t i = 0; i < count; ++i)
        if (event_node_kind(fds[i].fd) != NOT_EVENT_NODE)
            return 1;
    return 0;
}

/* evdev_poll()'s answer for one event node; -1 when the descriptor is not an emulated node
 * after all, so that it is polled as it is. */
static int event_node_revents(const struct pollfd *entry)
{
    const int bytes = queued_bytes(entry->fd);
    if (bytes < 0)
        return errno == ENODEV ? POLLERR | POLLHUP : -1;
    short ready = POLLOUT | POLLWRNORM;
    if (bytes > 0)
        ready |= POLLIN | POLLRDNORM;
    return ready & entry->events;
}

/* The descriptor's notification FIFO, made on its first poll: created in the run's private
 * directory (the control socket's), opened for reading, handed to the runner by path and
 * unlinked again. Raw system calls, past umockdev's preload. -1 where none can be had. */
static int notify_fd_of(int fd)
{
    if (fd < 0 || fd >= TRACKED_DESCRIPTORS)
        return -1;
    pthread_mutex_lock(&lock);
    int result = notify_fds[fd] - 1;
    if (notify_fds[fd] != 0) {
        pthread_mutex_unlock(&lock);
        return result < 0 ? -1 : result;
    }
    notify_fds[fd] = -1;
    const char *socket_path = getenv("VIRTUAL_CONTROLLER_SOCKET");
    const char *slash = socket_path ? strrchr(socket_path, '/') : NULL;
    char path[VIRTUAL_CONTROLLER_NOTIFY_PATH_SIZE] = {0};
    int (*real_ioctl)(int, unsigned long, ...) = next("ioctl");
    if (slash && real_ioctl
        && snprintf(path, sizeof path, "%.*s/notify-%d-%d-%u", (int)(slash - socket_path), socket_path, (int)getpid(),
                    fd, ++notify_count) < (int)sizeof path
        && syscall(SYS_mknodat, AT_FDCWD, path, S_IFIFO | 0600, 0) == 0) {
        const int fifo = (int)syscall(SYS_openat, AT_FDCWD, path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fifo >= 0 && real_ioctl(fd, VIRTUAL_CONTROLLER_NOTIFY, path) == 0) {
            notify_fds[fd] = fifo + 1;
            result = fifo;
        } else if (fifo >= 0) {
            syscall(SYS_close, fifo);
        }
        syscall(SYS_unlinkat, AT_FDCWD, path, 0);
    }
    pthread_mutex_unlock(&lock);
    return notify_fds[fd] > 0 ? result : -1;
}

static void drain(int fifo)
{
    char bytes[256];
    while (syscall(SYS_read, fifo, bytes, sizeof bytes) > 0) {
    }
}

static long long monotonic_ms(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000 + now.tv_nsec / 1000000;
}

typedef int (*slice_poll)(struct pollfd *fds, nfds_t count, int timeout_ms, const sigset_t *mask);

/* Asks the event nodes, then polls the rest for a slice, until something is ready or
 * `timeout_ms` (negative: no limit) has passed. */
static int poll_with_event_nodes(struct pollfd *fds, nfds_t count, int timeout_ms, const sigset_t *mask,
                                 slice_poll wait)
{
    struct pollfd on_stack[STACK_POLL_FDS];
    struct pollfd *others = count <= STACK_POLL_FDS ? on_stack : malloc(count * sizeof *others);
    if (!others) {
        errno = ENOMEM;
        return -1;
    }
    const long long deadline = timeout_ms < 0 ? -1 : monotonic_ms() + timeout_ms;
    int result;
    for (;;) {
        int ready = 0;
        int sliced = 0;
        for (nfds_t i = 0; i < count; ++i) {
            others[i] = fds[i];
            fds[i].revents = 0;
            if (event_node_kind(fds[i].fd) == NOT_EVENT_NODE)
                continue;
            /* Emptied before asking, so that a byte for anything queued after the answer wakes the poll. */
            const int fifo = notify_fd_of(fds[i].fd);
            if (fifo >= 0)
                drain(fifo);
            const int revents = event_node_revents(&fds[i]);
            if (revents < 0)
                continue;
            fds[i].revents = (short)revents;
            ready += revents != 0;
            /* poll() leaves negative descriptors alone. */
            others[i].fd = revents == 0 && fifo >= 0 ? fifo : -1;
            others[i].events = POLLIN;
            sliced |= revents == 0 && fifo < 0;
        }
        long long left = deadline < 0 ? -1 : deadline - monotonic_ms();
        if (deadline >= 0 && left < 0)
            left = 0;
        if (sliced && (left < 0 || left > POLL_SLICE_MS))
            left = POLL_SLICE_MS;
        result = wait(others, count, ready ? 0 : (int)left, mask);
        if (result < 0)
            break;
        for (nfds_t i = 0; i < count; ++i) {
            if (others[i].fd < 0)
                continue;
            if (others[i].fd != fds[i].fd)
                result -= others[i].revents != 0; /* a FIFO woke it: ask again */
            else
                fds[i].revents = others[i].revents;
        }
        result += ready;
        if (result > 0 || (deadline >= 0 && monotonic_ms() >= deadline))
            break;
    }
    if (others != on_stack)
        free(others);
    return result;
}

static int poll_slice(struct pollfd *fds, nfds_t count, int timeout_ms, const sigset_t *mask)
{
    (void)mask;
    int (*real)(struct pollfd *, nfds_t, int) = next("poll");
    return real ? real(fds, count, timeout_ms) : (errno = ENOSYS, -1);
}

static int ppoll_slice(struct pollfd *fds, nfds_t count, int timeout_ms, const sigset_t *mask)
{
    int (*real)(struct pollfd *, nfds_t, const struct timespec *, const sigset_t *) = next("ppoll");
    const struct timespec timeout = {timeout_ms / 1000, (long)(timeout_ms % 1000) * 1000000};
    return real ? real(fds, count, &timeout, mask) : (errno = ENOSYS, -1);
}

int poll(struct pollfd *fds, nfds_t count, int timeout_ms)
{
    if (has_event_node(fds, count))
        return poll_with_event_nodes(fds, count, timeout_ms, NULL, poll_slice);
    int (*real)(struct pollfd *, nfds_t, int) = next("poll");
    return real ? real(fds, count, timeout_ms) : (errno = ENOSYS, -1);
}

int __poll_chk(struct pollfd *fds, nfds_t count, int timeout_ms, size_t size)
{
    (void)size;
    return poll(fds, count, timeout_ms);
}

int ppoll(struct pollfd *fds, nfds_t count, const struct timespec *timeout, const sigset_t *mask)
{
    if (has_event_node(fds, count)) {
        const long long ms = timeout ? (long long)timeout->tv_sec * 1000 + (timeout->tv_nsec + 999999) / 1000000 : -1;
        return poll_with_event_nodes(fds, count, ms > 0x7fffffff ? 0x7fffffff : (int)ms, mask, ppoll_slice);
    }
    int (*real)(struct pollfd *, nfds_t, const struct timespec *, const sigset_t *) = next("ppoll");
    return real ? real(fds, count, timeout, mask) : (errno = ENOSYS, -1);
}

int __ppoll_chk(struct pollfd *fds, nfds_t count, const struct timespec *timeout, const sigset_t *mask, size_t size)
{
    (void)size;
    return ppoll(fds, count, timeout, mask);
}
