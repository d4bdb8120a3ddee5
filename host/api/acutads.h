// Result buffers, ADS names and points, the result codes of the editor's input functions, and
// the utility functions of the host's C interface (acutPrintf, acutBuildList ...).
#pragma once

#include <cstdint>

#include "actext.h"

typedef double ads_real;
typedef ads_real ads_point[3];
typedef intptr_t ads_name[2];
typedef ads_real ads_matrix[4][4];
typedef ads_real* ads_pointp;
typedef intptr_t* ads_namep;

// Value types of a result buffer (restype) besides the drawing group codes.
#define RTNONE 5000
#define RTREAL 5001
#define RTPOINT 5002
#define RTSHORT 5003
#define RTANG 5004
#define RTSTR 5005
#define RTENAME 5006
#define RTPICKS 5007
#define RTORINT 5008
#define RT3DPOINT 5009
#define RTLONG 5010
#define RTVOID 5014
#define RTLB 5016
#define RTLE 5017
#define RTDOTE 5018
#define RTNIL 5019
#define RTDXF0 5020
#define RTT 5021
#define RTRESBUF 5023

// Results of the input and utility functions.
#define RTNORM 5100
#define RTERROR (-5001)
#define RTCAN (-5002)
#define RTREJ (-5003)
#define RTFAIL (-5004)
#define RTKWORD (-5005)
#define RTINPUTTRUNCATED (-5008)

union ads_u_val {
    ads_real rreal;
    ads_real rpoint[3];
    short rint;
    ACHAR* rstring;
    intptr_t rlname[2];
    int32_t rlong;
    int64_t mnInt64;
    struct ads_binary {
        short clen;
        char* buf;
    } rbinary;
    unsigned char ihandle[8];
};

struct resbuf {
    struct resbuf* rbnext;
    short restype;
    union ads_u_val resval;
};

// Builds a chain of result buffers from (type, value) pairs ended by 0. Drawing group codes take
// the value kind of their range (0-9 text, 10-19 point, 38-59 real, 60-79 short ...); strings are
// copied. Group code 0 is given as RTDXF0 (0 ends the list). Null on a type the host does not know.
struct resbuf* acutBuildList(int rtype, ...);
struct resbuf* acutNewRb(int rtype);
// Frees a whole chain, strings included. Null is allowed.
int acutRelRb(struct resbuf* rb);

// Prints to the command line. The format is the wide printf of the host's platform: %s and %c
// take wide strings and characters, %hs and %hc narrow ones.
int acutPrintf(const ACHAR* format, ...);
// The same formatting into a buffer of `count` characters; the text is cut to fit.
int acutSPrintf(ACHAR* buffer, size_t count, const ACHAR* format, ...);

// RTNORM when `string` matches the wildcard `pattern` (case-sensitive), else RTERROR.
int acutWcMatch(const ACHAR* string, const ACHAR* pattern);

// ads_name helpers.
inline void ads_name_set(const ads_name from, ads_name to) {
    to[0] = from[0];
    to[1] = from[1];
}
inline void ads_name_clear(ads_name n) { n[0] = n[1] = 0; }
inline bool ads_name_nil(const ads_name n) { return n[0] == 0 && n[1] == 0; }
inline bool ads_name_equal(const ads_name a, const ads_name b) { return a[0] == b[0] && a[1] == b[1]; }
inline void ads_point_set(const ads_point from, ads_point to) {
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
}
