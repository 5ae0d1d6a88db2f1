/* The virtual controller's node library, preloaded into the command it runs ahead of
 * umockdev's preload, for what that one leaves out:
 *
 * - Access: opening a device node that the runner lists as denied fails with EACCES, as it
 *   does for a user on a machine without the udev rule for the controllers. The list is the
 *   file named by VIRTUAL_CONTROLLER_DENIED_NODES, one node path per line. The runner
 *   replaces it as a whole; it is read again when its identity or time stamp changes.
 * - fstat() of an emulated node: umockdev's stat() of the path reports a character device
 *   with its device number, but fstat() of an open node reports the regular file behind it.
 *   hidapi finds a device's udev entry by that number, so fstat() answers as stat() does.
 *
 * Only absolute paths under /dev are looked at, so other opens cost one comparison;
 * everything goes on to the next library (umockdev's preload, then the C library). */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <pthread.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#define LIST_VARIABLE "VIRTUAL_CONTROLLER_DENIED_NODES"
#define MAX_LIST_SIZE 65536
#define TRACKED_DESCRIPTORS 1024

static pthread_mutex_t lock = PTHREAD_MUTEX_INITIALIZER;
static struct stat list_stat;
static char list[MAX_LIST_SIZE + 1];
/* The /dev path each descriptor was opened with; stale after a close, which fstat() notices
 * by comparing the files. */
static char *opened_paths[TRACKED_DESCRIPTORS];

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

static int is_listed(const char *path)
{
    const size_t length = strlen(path);
    for (const char *line = list; *line;) {
        const char *end = strchr(line, '\n');
        const size_t size = end ? (size_t)(end - line) : strlen(line);
        if (size == length && memcmp(line, path, length) == 0)
            return 1;
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

static int is_denied(const char *path)
{
    if (!is_node(path))
        return 0;
    const char *file = getenv(LIST_VARIABLE);
    if (!file || !*file)
        return 0;
    pthread_mutex_lock(&lock);
    reload_if_changed(file);
    const int denied = is_listed(path);
    pthread_mutex_unlock(&lock);
    return denied;
}

static int opened(int fd, const char *path)
{
    if (fd >= 0 && fd < TRACKED_DESCRIPTORS && is_node(path)) {
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
        if (is_denied(path)) { \
            errno = EACCES; \
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
    return real ? opened(real(path, flags, mode), path) : (errno = ENOSYS, -1);
}

int open64(const char *path, int flags, ...)
{
    mode_t mode = 0;
    MODE_ARGUMENT(flags, mode);
    REFUSE_IF_DENIED(path);
    int (*real)(const char *, int, ...) = next("open64");
    return real ? opened(real(path, flags, mode), path) : (errno = ENOSYS, -1);
}

int openat(int dirfd, const char *path, int flags, ...)
{
    mode_t mode = 0;
    MODE_ARGUMENT(flags, mode);
    REFUSE_IF_DENIED(path);
    int (*real)(int, const char *, int, ...) = next("openat");
    return real ? opened(real(dirfd, path, flags, mode), path) : (errno = ENOSYS, -1);
}

int openat64(int dirfd, const char *path, int flags, ...)
{
    mode_t mode = 0;
    MODE_ARGUMENT(flags, mode);
    REFUSE_IF_DENIED(path);
    int (*real)(int, const char *, int, ...) = next("openat64");
    return real ? opened(real(dirfd, path, flags, mode), path) : (errno = ENOSYS, -1);
}

/* The fortified variants that _FORTIFY_SOURCE builds call instead. */
int __open_2(const char *path, int flags)
{
    REFUSE_IF_DENIED(path);
    int (*real)(const char *, int) = next("__open_2");
    return real ? opened(real(path, flags), path) : (errno = ENOSYS, -1);
}

int __open64_2(const char *path, int flags)
{
    REFUSE_IF_DENIED(path);
    int (*real)(const char *, int) = next("__open64_2");
    return real ? opened(real(path, flags), path) : (errno = ENOSYS, -1);
}

int __openat_2(int dirfd, const char *path, int flags)
{
    REFUSE_IF_DENIED(path);
    int (*real)(int, const char *, int) = next("__openat_2");
    return real ? opened(real(dirfd, path, flags), path) : (errno = ENOSYS, -1);
}

int __openat64_2(int dirfd, const char *path, int flags)
{
    REFUSE_IF_DENIED(path);
    int (*real)(int, const char *, int) = next("__openat64_2");
    return real ? opened(real(dirfd, path, flags), path) : (errno = ENOSYS, -1);
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
