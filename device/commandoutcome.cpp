#include "device/commandoutcome.h"

#include <cerrno>

CommandOutcome::Result CommandOutcome::resultOfError(int error)
{
    switch (-error) {
    case EPIPE:
        return Refused;
    case ENODEV:
    case ENOENT:
    case ESHUTDOWN:
        return Gone;
    case EPROTO:
        return ShortReply;
    case EBUSY:
        return StillBusy;
    default:
        return NoAnswer;
    }
}
