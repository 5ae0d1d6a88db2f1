#include "device/deviceaccess.h"

#include <cerrno>

DeviceAccessIssue::Problem DeviceAccessIssue::problemForError(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return NoPermission;
    case EBUSY:
        return InUse;
    default:
        return OpenFailed;
    }
}
