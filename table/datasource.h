#pragma once

// Where the working list of remotes came from; the editing buttons need the modem.
enum DATA_SOURCE_T {
    SOURCE_UNKNOWN = 0,
    SOURCE_FILE = 1,
    SOURCE_MODEM = 2,
    SOURCE_BACKUP = 3,
};
