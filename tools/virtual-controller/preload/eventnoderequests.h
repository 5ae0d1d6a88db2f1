// SPDX-License-Identifier: GPL-3.0-or-later
/* The private requests by which the preload library talks to the runner about an open
 * emulated event node, for what umockdev's node cannot carry. Only the emulation answers
 * them: evdev rejects every 'E' request of these numbers with EINVAL.
 *
 * VIRTUAL_CONTROLLER_QUEUED_BYTES: how many bytes of whole events are queued for the
 *   caller's open file (an int), since the node cannot signal readiness; ENODEV once the
 *   device has gone.
 * VIRTUAL_CONTROLLER_NOTIFY: the path of a FIFO the caller has opened for reading; the
 *   runner writes a byte to it whenever events are queued for the caller's open file or the
 *   device goes, so that a poll() of the file can sleep on the FIFO instead of asking over
 *   and over.
 * VIRTUAL_CONTROLLER_NONBLOCK: whether the caller's open file is non-blocking (an int), so
 *   that the runner answers its read with EAGAIN when nothing is queued, in one round trip,
 *   as evdev_read() does.
 * VIRTUAL_CONTROLLER_RELEASE: the file is being closed; what evdev does on the last close
 *   (its force-feedback effects erased, its grab let go) is done now, since umockdev does
 *   not tell the runner of a close. */
#pragma once

#include <linux/ioctl.h>

#define VIRTUAL_CONTROLLER_QUEUED_BYTES _IOR('E', 0xfe, int)
#define VIRTUAL_CONTROLLER_RELEASE _IO('E', 0xfd)
#define VIRTUAL_CONTROLLER_NONBLOCK _IOW('E', 0xfb, int)
#define VIRTUAL_CONTROLLER_NOTIFY_PATH_SIZE 108
#define VIRTUAL_CONTROLLER_NOTIFY _IOW('E', 0xfc, char[VIRTUAL_CONTROLLER_NOTIFY_PATH_SIZE])
