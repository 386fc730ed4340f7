#pragma once
// Result codes of the conversion library's entries, shared by the library and its callers.

enum {
    TEZ_OK = 0,
    TEZ_ERR_HANDLE = -1,     // handle 0, unknown, or of the wrong kind
    TEZ_ERR_ARG = -2,        // bad argument: null pointer, negative length, bad mode or type
    TEZ_ERR_OPEN = -3,       // a file could not be opened or read
    TEZ_ERR_WRITE = -4,      // a file could not be written (nothing was replaced)
    TEZ_ERR_NOTABLE = -5,    // a conversion table that the conversion needs is not loaded
    TEZ_ERR_INDEX = -6,      // index out of range
    TEZ_ERR_FORMAT = -7,     // not a table file of this library
    TEZ_ERR_SAMEFILE = -8,   // output file is the input file
    TEZ_ERR_ENCODING = -9,   // input text is not valid in its encoding
    TEZ_ERR_CHANGED = -10,   // the input file changed while it was read (nothing was replaced)
    TEZ_WARN_PARTIAL = -11,  // loading: loaded, some lines skipped; creating: user-table limit
    TEZ_ERR_LIMIT = -99      // more vocabulary tables than the user-table limit
};

enum { TEZ_MAX_USER_TABLES = 64 };

// How a statement's file conversions write their output (_TezSetFileOutput).
enum { TEZ_OUTPUT_REPLACE = 0, TEZ_OUTPUT_NEW = 1 };
